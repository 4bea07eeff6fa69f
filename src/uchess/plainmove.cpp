#include "uchess/plainmove.h"

#include <bit>

#include "uchess/boardmasks.h"
#include "uchess/boardscan.h"
#include "uchess/legality.h"
#include "uchess/moveplay.h"
#include "uchess/plainstatus.h"
#include "uchess/positioninfo.h"

namespace {

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
    default:
      origins = kKingSquares[to] & holding;
      if (origins == 0) origins = castlingOrigin(b, m, white, to);
      return !b.chess960;
  }
}

}  // namespace

TSquareSet castlingOrigin(const doska& b, const TBoardMasks& m, bool white, int to) {
  int home = white ? 0 : 7, king = 32 + home;
  bool kingside = to == 48 + home, queenside = to == 16 + home;
  if (!kingside && !queenside) return 0;
  if (((m.of[white ? kWhiteKing : kBlackKing] >> king) & 1) == 0) return 0;
  bool kept = white ? !b.wkingmoved && !(kingside ? b.wklost : b.wqlost)
                    : !b.bkingmoved && !(kingside ? b.bklost : b.bqlost);
  int corner = kingside ? 56 + home : home;
  if (!kept || ((m.of[white ? kWhiteRook : kBlackRook] >> corner) & 1) == 0) return 0;
  // the files between king and rook: f and g, or b, c and d
  TSquareSet between =
      kingside ? TSquareSet{0x0101} << (40 + home) : TSquareSet{0x010101} << (8 + home);
  if (m.occupied & between) return 0;
  int step = kingside ? 8 : -8;
  for (int crossed = king; crossed != to + step; crossed += step) {
    if (attackedOn(m, crossed, !white)) return 0;
  }
  return TSquareSet{1} << king;
}

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
  TSquareSet legal = legalPlainOrigins(m, piece, to, origins);
  TSquareSet chosen = legal & searchRange(fromfile, fromrank);
  if (chosen == 0 || (chosen & (chosen - 1)) != 0) return false;
  recordPlainMove(found.record, board, std::countr_zero(chosen), to, promotion);
  if (promotion != 0 && promotion != found.record.special) return false;
  found.rivals = legal & ~chosen;
  found.before = nullptr;
  return true;
}
