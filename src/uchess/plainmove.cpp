#include "uchess/plainmove.h"

#include <bit>

#include "uchess/boardmasks.h"
#include "uchess/boardscan.h"
#include "uchess/legality.h"
#include "uchess/moveplay.h"
#include "uchess/positioninfo.h"

namespace {

bool singleSquare(TSquareSet set) {
  return set != 0 && (set & (set - 1)) == 0;
}

// With one king a side the first king is the king, and every square holds a piece or nothing.
bool isPlainBoard(const TBoardMasks& m) {
  return m.of[kNoPieceCode] == 0 && singleSquare(m.of[kWhiteKing]) &&
         singleSquare(m.of[kBlackKing]);
}

// The squares from which the piece's geometry takes it to the target, which holds nothing or a
// piece of the other side; false where the sets cannot tell (an en passant that may be meant, a
// king of a shuffled back rank, which may castle onto its rook).
bool geometricOrigins(const doska& b, const TBoardMasks& m, int piece, int to,
                      TSquareSet& origins) {
  bool white = isWhiteCode(static_cast<uint8_t>(piece));
  TSquareSet holding = m.of[piece], target = TSquareSet{1} << to;
  if (m.occupied & ~(white ? m.black : m.white) & target) return false;
  switch (white ? piece : piece - 6) {
    case kWhitePawn:
      return pawnStepOrigins(b, m, white, to, origins);
    case kWhiteKnight:
      origins = kKnightSquares[to] & holding;
      return true;
    case kWhiteBishop:
      origins = openLinesTo(to, kDiagonalLines[to] & holding, m.occupied);
      return true;
    case kWhiteRook:
      origins = openLinesTo(to, kStraightLines[to] & holding, m.occupied);
      return true;
    case kWhiteQueen:
      origins = openLinesTo(to, (kDiagonalLines[to] | kStraightLines[to]) & holding, m.occupied);
      return true;
    default:  // castling goes the general way: its king is no step away
      origins = kKingSquares[to] & holding;
      return !b.chess960;
  }
}

// Those of the origins from which the move leaves the mover's king unattacked.
TSquareSet legalAmong(const doska& b, const TBoardMasks& m, int piece, int to,
                      TSquareSet origins) {
  bool white = isWhiteCode(static_cast<uint8_t>(piece));
  if (piece == kWhiteKing || piece == kBlackKing) {
    if (origins == 0) return 0;
    int from = std::countr_zero(origins);
    TBoardMasks after = afterStep(m, from, to, static_cast<uint8_t>(piece), b.atIndex(to));
    return attackedOn(after, to, !white) ? 0 : origins;
  }
  int king = std::countr_zero(m.of[white ? kWhiteKing : kBlackKing]);
  TSquareSet target = TSquareSet{1} << to;
  if ((evasionSquares(m, king, white) & target) == 0) return 0;
  TSquareSet mayBePinned = origins & (kStraightLines[king] | kDiagonalLines[king]);
  if (mayBePinned == 0) return origins;
  TSquareSet pinned = mayBePinned & pinnedPieces(m, king, white);
  for (; pinned != 0; pinned &= pinned - 1) {
    int from = std::countr_zero(pinned);
    if ((kLines[king][from] & target) == 0) origins &= ~(TSquareSet{1} << from);
  }
  return origins;
}

}  // namespace

bool findPlainMove(const doska& board, int piece, int promotion, int fromfile, int fromrank,
                   int tofile, int torank, TAppendableMove& found) {
  if (boardByScan() || piece <= kEmpty || piece > kBlackKing || !isSquare(tofile, torank))
    return false;
  const TBoardMasks& m = board.sets();
  if (!isPlainBoard(m) || promotionMissing(piece, torank, promotion)) return false;
  int to = squareIndex(tofile, torank);
  // a move that takes the king leaves a position with no status to give
  if (((m.of[kWhiteKing] | m.of[kBlackKing]) >> to) & 1) return false;
  TSquareSet origins = 0;
  if (!geometricOrigins(board, m, piece, to, origins)) return false;
  TSquareSet legal = legalAmong(board, m, piece, to, origins);
  TSquareSet chosen = legal & searchRange(fromfile, fromrank);
  if (chosen == 0 || (chosen & (chosen - 1)) != 0) return false;
  int file = 0, rank = 0;
  lowestSquare(chosen, file, rank);
  found.record = recordMove(board, file, rank, tofile, torank, promotion, 0);
  if (promotion != 0 && promotion != found.record.special) return false;
  found.rivals = legal & ~chosen;
  found.before = nullptr;
  return true;
}

int plainStatus(const doska& board, bool whiteToMove) {
  const TBoardMasks& m = board.sets();
  TSquareSet kings = m.of[whiteToMove ? kWhiteKing : kBlackKing];
  if (kings == 0) return -1;
  TSideState side;
  side.white = whiteToMove;
  side.hasKing = true;
  side.kingIndex = std::countr_zero(kings);
  if (attackedOn(m, side.kingIndex, !whiteToMove)) return -1;
  return unpinnedPieceMoves(m, side) ? kStatusNone : -1;
}
