#include "uchess/boardscan.h"
#include "uchess/castling960.h"
#include "uchess/doska.h"
#include "uchess/foundmove.h"
#include "uchess/legality.h"
#include "uchess/moveplay.h"
#include "uchess/positioninfo.h"
#include "uchess/squaresets.h"

namespace {

// The squares the piece's geometry lets it reach from the square, and perhaps more: legalOn
// decides. A knight or a slider reaches only empty squares and pieces of the other side.
TSquareSet targetsOf(const TBoardMasks& m, int index, uint8_t piece) {
  bool white = isWhitePiece(piece);
  TSquareSet free = ~m.occupied | (white ? m.black : m.white);
  int file = index / 8 + 1, rank = index % 8 + 1;
  switch (white ? piece : piece - 6) {
    case kWhitePawn:
      return pawnTargets(file, rank, white);
    case kWhiteKnight:
      return kKnightSquares[index] & free;
    case kWhiteBishop:
      return diagonalRays(index, m.occupied) & free;
    case kWhiteRook:
      return straightRays(index, m.occupied) & free;
    case kWhiteQueen:
      return (diagonalRays(index, m.occupied) | straightRays(index, m.occupied)) & free;
    default:  // castling goes from the e-file two files aside
      return kKingSquares[index] | (file == 5 ? squareBit(3, rank) | squareBit(7, rank) : 0);
  }
}

// A pawn free to move, with the square ahead empty or an enemy piece to take beside it, has a move.
bool stepsFreely(const TBoardMasks& m, const TSideState& side, int index, uint8_t piece) {
  if (piece != (side.white ? kWhitePawn : kBlackPawn)) return false;
  int rank = index % 8 + 1, ahead = side.white ? 1 : -1;
  bool steps =
      rank + ahead >= 1 && rank + ahead <= 8 && !(m.occupied & (TSquareSet{1} << (index + ahead)));
  // the squares a pawn attacks are those from which a pawn of the other side would attack it
  TSquareSet takes = kPawnAttackers[side.white ? 1 : 0][index] & (side.white ? m.black : m.white);
  return (steps || takes != 0) && freeToMove(m, side, index);
}

bool pieceHasMove(const doska& b, const TBoardMasks& m, const TSideState& side, int index) {
  uint8_t piece = b.atIndex(index);
  if (stepsFreely(m, side, index, piece)) return true;
  TSquareSet targets = targetsOf(m, index, piece);
  int kind = isWhitePiece(piece) ? piece : piece - 6;
  if (kind >= kWhiteKnight && kind <= kWhiteQueen) {
    // the targets already land on empty squares or enemy pieces: only pins and checks remain
    if (!side.hasKing) return targets != 0;
    if (isPinned(m, side, index)) targets &= kLines[side.kingIndex][index];
    return (targets & side.evasions) != 0;
  }
  if (b.chess960 && (piece == kWhiteKing || piece == kBlackKing))
    targets |= castlingRookSquares(b, piece == kWhiteKing);
  for (; targets != 0; targets &= targets - 1) {
    if (legalOn(b, m, side, index, std::countr_zero(targets))) return true;
  }
  return false;
}

// Which piece moves first does not change the answer. In check the king's own steps are the
// likeliest way out; out of check any other piece usually has a move that needs no trial.
bool hasLegalMove(const doska& b, const TBoardMasks& m, const TSideState& side) {
  if (unpinnedPieceMoves(m, side)) return true;
  if (side.inCheck && pieceHasMove(b, m, side, side.kingIndex)) return true;
  TSquareSet others = (side.white ? m.white : m.black) & ~(TSquareSet{1} << side.kingIndex);
  for (; others != 0; others &= others - 1) {
    if (pieceHasMove(b, m, side, std::countr_zero(others))) return true;
  }
  return !side.inCheck && pieceHasMove(b, m, side, side.kingIndex);
}

// The position the found move leaves for the other side, and the special byte the journal
// records for it (a promotion piece, or the en-passant mark). The notation of the move asks the
// same again, and the other origins when the whole board was searched.
int tryFoundMove(const doska& b, const TPositionInfo& info, int& promotion, int ff, int fr, int tf,
                 int tr, TSquareSet allOrigins, bool wholeBoard) {
  doska& after = boardForFoundMove(b);
  mov found = recordMove(after, ff, fr, tf, tr, promotion, 0);
  playMove(after, found);
  TFoundFacts facts;
  facts.promotion = promotion;
  promotion = found.special;
  facts.whiteAfter = !isWhitePiece(found.piece);
  facts.status = statusIn(after, positionInfoAfterMove(info, after), facts.whiteAfter);
  facts.originsKnown = wholeBoard;
  facts.origins = allOrigins;
  rememberFoundMove(b, found, facts);
  return facts.status;
}

}  // namespace

int statusIn(const doska& board, TPositionInfo& info, bool whiteToMove) {
  TSideState& side = sideStateOf(info, whiteToMove);
  if (side.status < 0) {
    if (!side.hasKing) {
      side.status = kStatusNoKing;
    } else {
      bool hasMove = hasLegalMove(board, info.masks, side);
      if (side.inCheck)
        side.status = hasMove ? kStatusCheck : kStatusMate;
      else
        side.status = hasMove ? kStatusNone : kStatusStalemate;
    }
  }
  return side.status;
}

bool doska::legalmove(int fromfile, int fromrank, int tofile, int torank) {
  if (boardByScan()) return legalmoveByScan(*this, fromfile, fromrank, tofile, torank);
  if (!canmove(fromfile, fromrank, tofile, torank)) return false;
  TPositionInfo& info = positionInfo(*this);
  const TSideState& side = sideStateOf(info, isWhitePiece(at(fromfile, fromrank)));
  return legalOn(*this, info.masks, side, squareIndex(fromfile, fromrank),
                 squareIndex(tofile, torank));
}

int doska::status(bool whiteToMove) {
  if (boardByScan()) return statusByScan(*this, whiteToMove);
  return statusIn(*this, positionInfo(*this), whiteToMove);
}

// Only the pieces that could reach the target are tried, in the order of the full scan (files,
// then ranks), so the first one found and the ambiguity are those of trying every square.
int doska::findmove(int piece, int& promotion, int& fromfile, int& fromrank, int tofile,
                    int& torank) {
  if (boardByScan())
    return findmoveByScan(*this, piece, promotion, fromfile, fromrank, tofile, torank);
  if (piece == kEmpty) return kNoPiece;
  if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
  TSquareSet range = searchRange(fromfile, fromrank);
  int foundFile = 0, foundRank = 0, result = kNoSuchMove;
  if (torank == 0) {
    // A pawn move written without its rank takes the rank from the first pawn met. A black
    // pawn on the first rank gives none, so the next pawn is asked again.
    TSquareSet holding = squaresHolding(*this, piece) & range;
    if (piece == kBlackPawn) holding &= ~kFirstRank;
    if (holding == 0) return kNoSuchMove;
    lowestSquare(holding, foundFile, foundRank);
    torank = piece == kWhitePawn ? foundRank + 1 : piece == kBlackPawn ? foundRank - 1 : 0;
    foundFile = foundRank = 0;
  }
  TPositionInfo& info = positionInfo(*this);
  TSquareSet origins = legalOriginsIn(*this, info, piece, tofile, torank, range);
  for (TSquareSet c = origins; c != 0; c &= c - 1) {
    if (foundFile != 0) return kAmbiguousMove;
    lowestSquare(c, foundFile, foundRank);
    // a rank found this way may still be the last one
    if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
    result = tryFoundMove(*this, info, promotion, foundFile, foundRank, tofile, torank, origins,
                          range == ~TSquareSet{0});
  }
  if (foundFile == 0) return kNoSuchMove;
  fromfile = foundFile;
  fromrank = foundRank;
  return result;
}
