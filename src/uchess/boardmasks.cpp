#include "uchess/boardmasks.h"

#include <bit>
#include <cstring>

namespace {

static_assert(std::endian::native == std::endian::little,
              "a file's eight squares are read as one word, rank 1 in its lowest byte");

// The occupied squares of one file (eight bytes, ranks 1..8) as eight bits: each non-zero byte
// sets its high bit, and one multiplication gathers the eight high bits into the top byte.
TSquareSet occupiedRanks(uint64_t file) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  uint64_t zero = ~(((file & kLow7) + kLow7) | file | kLow7);
  uint64_t nonZero = ~zero & ~kLow7;
  return ((nonZero >> 7) * 0x0102040810204080ULL) >> 56;
}

// The squares whose bytes are not zero, or differ between the two boards' squares. A move
// changes the bytes of two or three files: the others cost one comparison each.
TSquareSet nonZeroSquares(const uint8_t* squares, const uint8_t* other) {
  TSquareSet set = 0;
  for (int file = 0; file < 8; ++file) {
    uint64_t bytes, otherBytes = 0;
    std::memcpy(&bytes, squares + 8 * file, sizeof bytes);
    if (other != nullptr) std::memcpy(&otherBytes, other + 8 * file, sizeof otherBytes);
    if (bytes != otherBytes) set |= occupiedRanks(bytes ^ otherBytes) << (8 * file);
  }
  return set;
}

}  // namespace

TBoardMasks boardMasks(const doska& board) {
  TBoardMasks masks{};
  const uint8_t* squares = &board.squares[0][0];
  masks.occupied = nonZeroSquares(squares, nullptr);
  for (TSquareSet rest = masks.occupied; rest != 0; rest &= rest - 1) {
    int index = std::countr_zero(rest);
    masks.of[maskIndex(squares[index])] |= TSquareSet{1} << index;
  }
  masks.white = masks.of[1] | masks.of[2] | masks.of[3] | masks.of[4] | masks.of[5] | masks.of[6];
  masks.black =
      masks.of[7] | masks.of[8] | masks.of[9] | masks.of[10] | masks.of[11] | masks.of[12];
  return masks;
}

void updateMasks(TBoardMasks& m, const TBoardMasks& masks, const uint8_t* before,
                 const uint64_t* fileDifferences, const doska& board) {
  const uint8_t* squares = &board.squares[0][0];
  TSquareSet changed = 0;
  for (int file = 0; file < 8; ++file) {
    if (fileDifferences[file] != 0) changed |= occupiedRanks(fileDifferences[file]) << (8 * file);
  }
  m = masks;
  for (; changed != 0; changed &= changed - 1) {
    int index = std::countr_zero(changed);
    changeSquare(m, index, before[index], squares[index]);
  }
}

// Pawns and kings attack by their pattern whatever stands on the square; knights and sliders
// never land on their own side, nor on a code that is no piece.
bool attackedOn(const TBoardMasks& m, int index, bool byWhite) {
  int offset = byWhite ? 0 : 6;
  if (kPawnAttackers[byWhite ? 0 : 1][index] & m.of[kWhitePawn + offset]) return true;
  if (kKingSquares[index] & m.of[kWhiteKing + offset]) return true;
  TSquareSet square = TSquareSet{1} << index;
  if ((m.occupied & square) && !((byWhite ? m.black : m.white) & square)) return false;
  if (kKnightSquares[index] & m.of[kWhiteKnight + offset]) return true;
  // only the sliders on the square's lines are looked at, each by what stands between
  TSquareSet queens = m.of[kWhiteQueen + offset];
  TSquareSet straight = (m.of[kWhiteRook + offset] | queens) & kStraightLines[index];
  TSquareSet diagonal = (m.of[kWhiteBishop + offset] | queens) & kDiagonalLines[index];
  for (TSquareSet sliders = straight | diagonal; sliders != 0; sliders &= sliders - 1) {
    if ((kBetween[index][std::countr_zero(sliders)] & m.occupied) == 0) return true;
  }
  return false;
}

TBoardMasks afterStep(const TBoardMasks& masks, int from, int to, uint8_t piece, uint8_t captured) {
  TBoardMasks after = masks;
  TSquareSet fromBit = TSquareSet{1} << from, toBit = TSquareSet{1} << to;
  if (captured != kEmpty) {
    after.of[maskIndex(captured)] &= ~toBit;
    after.white &= ~toBit;
    after.black &= ~toBit;
  }
  after.of[maskIndex(piece)] ^= fromBit | toBit;
  (isWhitePiece(piece) ? after.white : after.black) ^= fromBit | toBit;
  after.occupied = (after.occupied & ~fromBit) | toBit;
  return after;
}
