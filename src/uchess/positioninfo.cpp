#include "uchess/positioninfo.h"

#include <bit>
#include <cstddef>
#include <cstring>

namespace {

// The sets of a board follow from its other bytes and are not compared.
constexpr size_t kPositionBytes = doska::kIdentityBytes;
static_assert(kPositionBytes % 8 == 0, "positions are compared word by word");

// Every member has its initial value, so the memory is set up with the thread and needs no guard
// on each use.
struct TRemembered {
  uint8_t position[kPositionBytes] = {};
  bool valid = false;
  TPositionInfo info = {};
};

struct TMemory {
  TRemembered entries[2] = {};
  int latest = 0;
};
thread_local TMemory memory;

constexpr size_t kWords = kPositionBytes / 8;

uint64_t wordAt(const void* bytes, size_t word) {
  uint64_t value;
  std::memcpy(&value, static_cast<const unsigned char*>(bytes) + 8 * word, 8);
  return value;
}

// Compared word by word, as a call of memcmp costs more than the comparison; a mismatch ends it.
bool holds(const TRemembered& entry, const doska& board) {
  if (!entry.valid) return false;
  for (size_t word = 0; word < kWords; ++word) {
    if (wordAt(entry.position, word) != wordAt(&board, word)) return false;
  }
  return true;
}

// The entry holds the board from now on; the sides are asked anew.
TPositionInfo& takeOver(int entry, const doska& board) {
  TRemembered& taken = memory.entries[entry];
  std::memcpy(taken.position, &board, kPositionBytes);
  taken.valid = true;
  taken.info.masks = board.sets();
  taken.info.sides[0] = taken.info.sides[1] = TSideState{};
  memory.latest = entry;
  return taken.info;
}

}  // namespace

// The same pieces attackedOn looks for: pawns and kings by pattern, knights, open sliders.
TSquareSet evasionSquares(const TBoardMasks& m, int king, bool white) {
  int enemy = white ? 6 : 0;
  TSquareSet checkers = (kPawnAttackers[white ? 1 : 0][king] & m.of[kWhitePawn + enemy]) |
                        (kKingSquares[king] & m.of[kWhiteKing + enemy]) |
                        (kKnightSquares[king] & m.of[kWhiteKnight + enemy]);
  for (TSquareSet s = snipersOf(m, king, white); s != 0; s &= s - 1) {
    int at = std::countr_zero(s);
    if ((kBetween[king][at] & m.occupied) == 0) checkers |= TSquareSet{1} << at;
  }
  if (checkers == 0) return ~TSquareSet{0};
  if (checkers & (checkers - 1)) return 0;
  return checkers | kBetween[king][std::countr_zero(checkers)];
}

// The position worked out last is looked at first: the reader asks about it more than about the
// one before.
TPositionInfo& positionInfo(const doska& board) {
  TRemembered& latest = memory.entries[memory.latest];
  if (holds(latest, board)) return latest.info;
  TRemembered& other = memory.entries[memory.latest ^ 1];
  if (holds(other, board)) return other.info;
  return takeOver(memory.latest ^ 1, board);
}

TPositionInfo& positionInfoAfterMove(const TPositionInfo& before, const doska& after) {
  int from = &before == &memory.entries[0].info ? 0 : 1;
  if (&before != &memory.entries[from].info) return positionInfo(after);
  return takeOver(from ^ 1, after);
}

TSideState& sideStateOf(TPositionInfo& info, bool white) {
  TSideState& side = info.sides[white ? 0 : 1];
  if (side.known) return side;
  side.known = true;
  side.white = white;
  TSquareSet kings = info.masks.of[white ? kWhiteKing : kBlackKing];
  side.hasKing = kings != 0;
  if (side.hasKing) {
    side.singleKing = (kings & (kings - 1)) == 0;
    side.kingIndex = std::countr_zero(kings);
    side.inCheck = attackedOn(info.masks, side.kingIndex, !white);
    if (side.inCheck) side.evasions = evasionSquares(info.masks, side.kingIndex, white);
  }
  return side;
}

bool isPinned(const TBoardMasks& masks, const TSideState& side, int index) {
  TSquareSet square = TSquareSet{1} << index;
  int king = side.kingIndex;
  if (((kStraightLines[king] | kDiagonalLines[king]) & square) == 0) return false;
  if (!side.pinsKnown) {
    side.pinned = pinnedPieces(masks, king, side.white);
    side.pinsKnown = true;
  }
  return (side.pinned & square) != 0;
}
