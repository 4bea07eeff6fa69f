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

constexpr TSquareSet kRankOne = 0x0101010101010101;

TSquareSet rankSquares(int rank) {
  return rank >= 1 && rank <= 8 ? kRankOne << (rank - 1) : 0;
}

// Every square playMove may change for the move: its own two, those beside the target on its
// file (a pawn taken en passant) and, for a king, the ranks a castling rook may move on.
TSquareSet touchedSquares(const mov& m) {
  if (!isSquare(m.fromfile, m.fromrank) || !isSquare(m.tofile, m.torank)) return 0;
  TSquareSet touched = squareBit(m.fromfile, m.fromrank) | squareBit(m.tofile, m.torank);
  if (m.special != 0)
    touched |= squareIfOnBoard(m.tofile, m.torank - 1) | squareIfOnBoard(m.tofile, m.torank + 1);
  if (m.piece == kWhiteKing || m.piece == kBlackKing)
    touched |= rankSquares(1) | rankSquares(8) | rankSquares(m.torank);
  return touched;
}

// The entry holds the board from now on, its masks given; the sides are asked anew.
TPositionInfo& takeOver(int entry, const doska& board) {
  TRemembered& taken = memory.entries[entry];
  std::memcpy(taken.position, &board, sizeof(doska));
  taken.valid = true;
  taken.info.sides[0] = taken.info.sides[1] = TSideState{};
  memory.latest = entry;
  return taken.info;
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
  return takeOver(memory.latest ^ 1, board);
}

TPositionInfo& positionInfoAfterMove(const TPositionInfo& before, const doska& after,
                                     const mov& m) {
  int from = &before == &memory.entries[0].info ? 0 : 1;
  if (&before != &memory.entries[from].info) return positionInfo(after);
  const TRemembered& known = memory.entries[from];
  TBoardMasks& masks = memory.entries[from ^ 1].info.masks;
  masks = known.info.masks;
  const uint8_t* was = known.position + kStateBytes;
  const uint8_t* now = &after.squares[0][0];
  for (TSquareSet touched = touchedSquares(m); touched != 0; touched &= touched - 1) {
    int index = std::countr_zero(touched);
    if (was[index] != now[index]) changeSquare(masks, index, was[index], now[index]);
  }
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
    side.kingFile = side.kingIndex / 8 + 1;
    side.kingRank = side.kingIndex % 8 + 1;
    side.inCheck = attackedOn(info.masks, side.kingIndex, !white);
  }
  return side;
}
