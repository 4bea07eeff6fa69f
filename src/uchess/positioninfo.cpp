#include "uchess/positioninfo.h"

#include <bit>
#include <cstddef>
#include <cstring>

namespace {

static_assert(sizeof(doska) == 80,
              "a board is its eight state bytes, 64 squares and eight castling bytes, no more");
constexpr size_t kStateBytes = 8;
static_assert(offsetof(doska, squares) == kStateBytes, "the squares follow the state bytes");

// Every member has its initial value, so the memory is set up with the thread and needs no guard
// on each use.
struct TRemembered {
  uint8_t position[sizeof(doska)] = {};
  bool valid = false;
  TPositionInfo info = {};
};

struct TMemory {
  TRemembered entries[2] = {};
  int latest = 0;
};
thread_local TMemory memory;

constexpr size_t kWords = sizeof(doska) / 8;

uint64_t wordAt(const void* bytes, size_t word) {
  uint64_t value;
  std::memcpy(&value, static_cast<const unsigned char*>(bytes) + 8 * word, 8);
  return value;
}

// Compared word by word, as a call of memcmp costs more than the comparison; the differences are
// kept, as they tell a position one move away which squares changed.
bool holds(const TRemembered& entry, const doska& board, uint64_t (&difference)[kWords]) {
  uint64_t any = entry.valid ? 0 : 1;
  for (size_t word = 0; word < kWords; ++word) {
    difference[word] = wordAt(entry.position, word) ^ wordAt(&board, word);
    any |= difference[word];
  }
  return any == 0;
}

// The position asked about before the last one: a mismatch ends the comparison.
bool holds(const TRemembered& entry, const doska& board) {
  if (!entry.valid) return false;
  for (size_t word = 0; word < kWords; ++word) {
    if (wordAt(entry.position, word) != wordAt(&board, word)) return false;
  }
  return true;
}

}  // namespace

// The position worked out last is looked at first: the reader asks about it more than about the
// one before.
TPositionInfo& positionInfo(const doska& board) {
  TRemembered& latest = memory.entries[memory.latest];
  uint64_t difference[kWords];
  if (holds(latest, board, difference)) return latest.info;
  TRemembered& other = memory.entries[memory.latest ^ 1];
  if (holds(other, board)) return other.info;
  // the position worked out last is usually one move away
  if (latest.valid)
    updateMasks(other.info.masks, latest.info.masks, latest.position + kStateBytes,
                difference + kStateBytes / 8, board);
  else
    other.info.masks = boardMasks(board);
  std::memcpy(other.position, &board, sizeof(doska));
  other.valid = true;
  other.info.sides[0] = other.info.sides[1] = TSideState{};
  memory.latest ^= 1;
  return other.info;
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
    side.kingFile = side.kingIndex / 8 + 1;
    side.kingRank = side.kingIndex % 8 + 1;
    side.inCheck = attackedOn(info.masks, side.kingIndex, !white);
  }
  return side;
}
