#include "uchess/plainmove.h"

#include <bit>

#include "uchess/boardmasks.h"
#include "uchess/boardscan.h"
#include "uchess/legality.h"
#include "uchess/moveplay.h"
#include "uchess/plainstatus.h"
#include "uchess/positioninfo.h"

namespace {

// With one king a side the first king is the king, and every square holds a piece or nothing.
bool isPlainBoard(const TBoardMasks& m) {
  if (m.knownFacts & kPlainBoard) return true;
  TSquareSet white = m.of[kWhiteKing], black = m.of[kBlackKing];
  TSquareSet extra = m.of[kNoPieceCode] | (white & (white - 1)) | (black & (black - 1));
  return (extra == 0) & (white != 0) & (black != 0);
}

// The king's home square where it castles from the e-file onto the target: its flags kept, its
// rook in the corner, the squares between empty and none of those it crosses attacked. With the
// rook anywhere else the general way judges what the flags allow.
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

// Those of the origins from which the move leaves the mover's king unattacked.
TSquareSet legalAmong(const TBoardMasks& m, int piece, int to, TSquareSet origins) {
  bool white = isWhiteCode(static_cast<uint8_t>(piece));
  if (piece == kWhiteKing || piece == kBlackKing) {
    if (origins == 0) return 0;
    return attackedAfterKingStep(m, std::countr_zero(origins), to, !white) ? 0 : origins;
  }
  int king = std::countr_zero(m.of[white ? kWhiteKing : kBlackKing]);
  TSquareSet target = TSquareSet{1} << to;
  bool safe = (m.knownFacts & (white ? kWhiteKingSafe : kBlackKingSafe)) != 0;
  if (!safe && (evasionSquares(m, king, white) & target) == 0) return 0;
  TSquareSet mayBePinned = origins & (kStraightLines[king] | kDiagonalLines[king]);
  if (mayBePinned == 0) return origins;
  TSquareSet pinned = mayBePinned & pinnedPieces(m, king, white);
  for (; pinned != 0; pinned &= pinned - 1) {
    int from = std::countr_zero(pinned);
    if ((kLines[king][from] & target) == 0) origins &= ~(TSquareSet{1} << from);
  }
  return origins;
}

// fillRecord's record where it needs no rule: on a board that castles from the e-file, a knight
// or slider touching no corner, or a pawn short of its last rank, changes no castling flag and
// carries no special byte.
void recordPlainMove(mov& m, const doska& b, int from, int to, int promotion) {
  constexpr TSquareSet kCorners =
      TSquareSet{1} | TSquareSet{1} << 7 | TSquareSet{1} << 56 | TSquareSet{1} << 63;
  constexpr TSquareSet kEndRanks = 0x8181818181818181;
  uint8_t piece = b.atIndex(from), captured = b.atIndex(to);
  int kind = isWhiteCode(piece) ? piece : piece - 6;
  // a pawn's step short of the last rank, onto the square ahead or onto a piece it takes
  bool pawnStep = kind == kWhitePawn && ((kEndRanks >> from) & 1) == 0 &&
                  ((kEndRanks >> to) & 1) == 0 && ((from ^ to) < 8) == (captured == kEmpty);
  bool needsRules = b.chess960 || (kind == kWhitePawn && !pawnStep) || kind == kWhiteKing ||
                    ((kCorners >> from) & 1) || ((kCorners >> to) & 1);
  if (needsRules) {
    fillRecord(m, b, from / 8 + 1, from % 8 + 1, to / 8 + 1, to % 8 + 1, promotion);
    return;
  }
  m.piece = piece;
  m.fromfile = static_cast<uint8_t>(from / 8 + 1);
  m.fromrank = static_cast<uint8_t>(from % 8 + 1);
  m.tofile = static_cast<uint8_t>(to / 8 + 1);
  m.torank = static_cast<uint8_t>(to % 8 + 1);
  m.captured = captured;
  m.special = 0;
  m.changes = 0;
  if (piece == kWhitePawn && to - from == 2 && from % 8 == 1) m.changes = kWhiteDoubleStep;
  if (piece == kBlackPawn && from - to == 2 && from % 8 == 6) m.changes = kBlackDoubleStep;
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
  TSquareSet legal = legalAmong(m, piece, to, origins);
  TSquareSet chosen = legal & searchRange(fromfile, fromrank);
  if (chosen == 0 || (chosen & (chosen - 1)) != 0) return false;
  recordPlainMove(found.record, board, std::countr_zero(chosen), to, promotion);
  if (promotion != 0 && promotion != found.record.special) return false;
  found.rivals = legal & ~chosen;
  found.before = nullptr;
  return true;
}
