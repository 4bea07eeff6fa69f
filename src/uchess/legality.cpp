#include "uchess/legality.h"

#include <bit>
#include <cstdlib>

#include "uchess/castling960.h"
#include "uchess/pawnstep.h"
#include "uchess/squaresets.h"

namespace {

bool isPawn(int piece) {
  return piece == kWhitePawn || piece == kBlackPawn;
}
// The squares of the move as playMove leaves them for a move added without a promotion piece:
// the en-passant victim taken off, the castling rook moved.
void playSquares(doska& b, int ff, int fr, int tf, int tr) {
  if (b.chess960 && castlesOntoRook(b, ff, fr, tf, tr)) return placeCastling(b, ff, tf, fr);
  uint8_t piece = b.at(ff, fr);
  uint8_t captured = b.at(tf, tr);
  b.put(ff, fr, kEmpty);
  b.put(tf, tr, piece);
  if (isPawn(piece) && std::abs(tf - ff) == 1 && captured == kEmpty) {
    uint8_t mark = piece == kWhitePawn ? kBlackPawn : kWhitePawn;
    if (tr == 1 || tr == 8)
      b.put(tf, tr, mark);
    else
      b.put(tf, mark == kBlackPawn ? tr - 1 : tr + 1, kEmpty);
  }
  if (isKing(piece) && ff == 5 && (tf == 3 || tf == 7)) {
    int home = piece == kWhiteKing ? 1 : 8;
    int rookFrom = tf == 3 ? 1 : 8, rookTo = tf == 3 ? 4 : 6;
    b.put(rookTo, home, b.at(rookFrom, home));
    b.put(rookFrom, home, kEmpty);
  }
}

// The squares holding the piece from which its geometry may let it reach the target.
TSquareSet originsOf(const TBoardMasks& m, int piece, int tofile, int torank) {
  if (!isSquare(tofile, torank) || piece <= kEmpty || piece > kBlackKing) return 0;
  bool white = isWhitePiece(piece);
  int index = squareIndex(tofile, torank);
  TSquareSet holding = m.of[piece];
  switch (white ? piece : piece - 6) {
    case kWhitePawn:
      return pawnOrigins(tofile, torank, white) & holding;
    case kWhiteKnight:
      return kKnightSquares[index] & holding;
    case kWhiteBishop:
      return openLinesTo(index, kDiagonalLines[index] & holding, m.occupied);
    case kWhiteRook:
      return openLinesTo(index, kStraightLines[index] & holding, m.occupied);
    case kWhiteQueen:
      return openLinesTo(index, (kDiagonalLines[index] | kStraightLines[index]) & holding,
                         m.occupied);
    default:
      return (kKingSquares[index] | (tofile == 3 || tofile == 7 ? squareBit(5, torank) : 0)) &
             holding;
  }
}

// Where a king castling onto a rook on the target square starts, on a board with chess960 set.
TSquareSet castlingKingSquare(const doska& b, int piece, int tofile, int torank) {
  if (!b.chess960 || !isKing(piece) || !isSquare(tofile, torank)) return 0;
  bool white = piece == kWhiteKing;
  if ((castlingRookSquares(b, white) & squareBit(tofile, torank)) == 0) return 0;
  int file = b.kingfile[white ? kWhite : kBlack];
  return isSquare(file, torank) ? squareBit(file, torank) : 0;
}

// A move of a piece other than the king that lands where the checks allow and, for a pinned
// piece, stays on its line to the king.
bool withinPinAndCheck(const TBoardMasks& m, const TSideState& side, int from, int to) {
  TSquareSet allowed = side.evasions;
  if (isPinned(m, side, from)) allowed &= kLines[side.kingIndex][from];
  return (allowed >> to) & 1;
}

// Those of the origins from which a piece other than the king may go to the target.
TSquareSet originsWithinPins(const TBoardMasks& m, const TSideState& side, TSquareSet origins,
                             int to) {
  if (((side.evasions >> to) & 1) == 0) return 0;
  TSquareSet legal = 0;
  for (TSquareSet c = origins; c != 0; c &= c - 1) {
    int from = std::countr_zero(c);
    if (!isPinned(m, side, from) || ((kLines[side.kingIndex][from] >> to) & 1))
      legal |= TSquareSet{1} << from;
  }
  return legal;
}

bool isKnightOrSlider(int piece) {
  int kind = isWhitePiece(piece) ? piece : piece - 6;
  return kind >= kWhiteKnight && kind <= kWhiteQueen;
}

}  // namespace

bool freeToMove(const TBoardMasks& m, const TSideState& side, int index) {
  if (!side.hasKing) return true;
  return !side.inCheck && !isPinned(m, side, index);
}

bool keepsKingSafe(const doska& board, int ff, int fr, int tf, int tr) {
  bool white = isWhitePiece(board.at(ff, fr));
  doska after = board;
  playSquares(after, ff, fr, tf, tr);
  int kingFile = 0, kingRank = 0;
  if (!firstSquareHolding(after, white ? kWhiteKing : kBlackKing, kingFile, kingRank)) return true;
  return !after.attacked(kingFile, kingRank, white ? kBlack : kWhite);
}

bool legalOn(const doska& b, const TBoardMasks& m, const TSideState& side, int from, int to) {
  int ff = (from >> 3) + 1, fr = (from & 7) + 1, tf = (to >> 3) + 1, tr = (to & 7) + 1;
  uint8_t piece = b.at(ff, fr), target = b.at(tf, tr);
  bool enemy = side.white ? isBlackPiece(target) : isWhitePiece(target);
  bool free = target == kEmpty || enemy;
  if (isPawn(piece)) {
    // a pawn of the side: canmove's answer without its checks of squares and codes
    if (!pawnCanMove(b, side.white, ff, fr, tf, tr)) return false;
    // en passant takes a second pawn off the board; a diagonal step onto a piece of its own
    // side replaces it: both are played out
    if (tf != ff && !enemy) return keepsKingSafe(b, ff, fr, tf, tr);
  } else if (isKing(piece)) {
    if (b.chess960 && castlesOntoRook(b, ff, fr, tf, tr))
      return b.canmove(ff, fr, tf, tr) && keepsKingSafe(b, ff, fr, tf, tr);
    bool step = std::abs(tf - ff) <= 1 && std::abs(tr - fr) <= 1;
    if (!step || !side.singleKing)
      return b.canmove(ff, fr, tf, tr) && keepsKingSafe(b, ff, fr, tf, tr);
    // canmove would also ask whether the target is attacked with the king still on its own
    // square; with the king standing on it the answer can only grow
    return free && !attackedOn(afterStep(m, from, to, piece, target), to, !side.white);
  } else if (!free) {
    return false;
  }
  return !side.hasKing || withinPinAndCheck(m, side, from, to);
}

TSquareSet legalOrigins(const doska& board, int piece, int tofile, int torank, TSquareSet among) {
  return legalOriginsIn(board, positionInfo(board), piece, tofile, torank, among);
}

TSquareSet legalOriginsIn(const doska& board, TPositionInfo& info, int piece, int tofile,
                          int torank, TSquareSet among) {
  TSquareSet origins = (originsOf(info.masks, piece, tofile, torank) |
                        castlingKingSquare(board, piece, tofile, torank)) &
                       among;
  if (origins == 0) return 0;
  const TSideState& side = sideStateOf(info, isWhitePiece(piece));
  int to = squareIndex(tofile, torank);
  // a knight or slider reaches the target along its geometry; it must be free to land there
  bool quick = isKnightOrSlider(piece);
  if (quick && ((info.masks.occupied & ~(side.white ? info.masks.black : info.masks.white)) &
                (TSquareSet{1} << to)))
    return 0;
  if (quick) return side.hasKing ? originsWithinPins(info.masks, side, origins, to) : origins;
  TSquareSet stepOrigins = 0;
  if (isPawn(piece) && pawnStepOrigins(board, info.masks, side.white, to, stepOrigins)) {
    origins &= stepOrigins;
    return side.hasKing ? originsWithinPins(info.masks, side, origins, to) : origins;
  }
  TSquareSet legal = 0;
  for (TSquareSet c = origins; c != 0; c &= c - 1) {
    int from = std::countr_zero(c);
    if (legalOn(board, info.masks, side, from, to)) legal |= TSquareSet{1} << from;
  }
  return legal;
}
