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
bool isKing(int piece) {
  return piece == kWhiteKing || piece == kBlackKing;
}

int sign(int value) {
  return (value > 0) - (value < 0);
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

// Out of check, moving a piece other than the king can only uncover the king along the line from
// the king through the from-square: the first piece on that line after the move must not be an
// enemy slider that moves along it.
bool uncoversKing(const doska& b, const TSideState& side, int ff, int fr, int tf, int tr) {
  int df = ff - side.kingFile, dr = fr - side.kingRank;
  if (df != 0 && dr != 0 && std::abs(df) != std::abs(dr)) return false;
  int stepFile = sign(df), stepRank = sign(dr);
  int f = side.kingFile + stepFile, r = side.kingRank + stepRank;
  for (; isSquare(f, r); f += stepFile, r += stepRank) {
    if (f == tf && r == tr) return false;
    if (f != ff || r != fr) {
      uint8_t piece = b.at(f, r);
      if (piece != kEmpty) {
        uint8_t offset = side.white ? 6 : 0;
        uint8_t slider = (stepFile == 0 || stepRank == 0) ? kWhiteRook : kWhiteBishop;
        return piece == slider + offset || piece == kWhiteQueen + offset;
      }
    }
  }
  return false;
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

// Out of check, a move of a piece other than the king uncovers the king only when the piece is the
// first on a line from the king and the next piece beyond it is an enemy slider along that line.
bool cannotUncover(const TBoardMasks& m, const TSideState& side, int index) {
  TSquareSet square = TSquareSet{1} << index;
  int king = side.kingIndex, enemy = side.white ? 6 : 0;
  if (((kStraightLines[king] | kDiagonalLines[king]) & square) == 0) return true;
  for (int ray = 0; ray < 8; ++ray) {
    if ((kRayMasks[ray][king] & square) == 0) continue;
    if ((rayAttacks(ray, king, m.occupied) & square) == 0) return true;  // shielded
    TSquareSet beyond = rayAttacks(ray, index, m.occupied) & m.occupied;
    int slider = ray < 4 ? kWhiteRook : kWhiteBishop;
    return (beyond & (m.of[slider + enemy] | m.of[kWhiteQueen + enemy])) == 0;
  }
  return true;
}

bool isKnightOrSlider(int piece) {
  int kind = isWhitePiece(piece) ? piece : piece - 6;
  return kind >= kWhiteKnight && kind <= kWhiteQueen;
}

}  // namespace

bool freeToMove(const TBoardMasks& m, const TSideState& side, int index) {
  if (!side.hasKing) return true;
  return !side.inCheck && cannotUncover(m, side, index);
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
  if (!side.hasKing) return true;
  if (!side.inCheck) return !uncoversKing(b, side, ff, fr, tf, tr);
  return !attackedOn(afterStep(m, from, to, piece, target), side.kingIndex, !side.white);
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
  TSquareSet legal = 0;
  for (TSquareSet c = origins; c != 0; c &= c - 1) {
    int from = std::countr_zero(c);
    if ((quick && freeToMove(info.masks, side, from)) || legalOn(board, info.masks, side, from, to))
      legal |= TSquareSet{1} << from;
  }
  return legal;
}
