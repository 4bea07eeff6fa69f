#include "uchess/foundmove.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

namespace {

// The bytes of a move record that playing it reads: piece, squares, special, captured, changes.
constexpr size_t kPlayedBytes = 8;
static_assert(offsetof(mov, piece) == 0 && offsetof(mov, fromfile) == 1 &&
                  offsetof(mov, fromrank) == 2 && offsetof(mov, tofile) == 3 &&
                  offsetof(mov, torank) == 4 && offsetof(mov, special) == 5 &&
                  offsetof(mov, captured) == 6 && offsetof(mov, changes) == 7,
              "the played bytes of a move lead it, in this order");

struct TRemembered {
  bool valid = false;
  uint8_t board[doska::kIdentityBytes] = {};
  uint8_t move[kPlayedBytes] = {};
  TFoundFacts facts;
  // bytes, so the memory needs no constructor per thread
  alignas(doska) uint8_t after[sizeof(doska)] = {};
};
thread_local TRemembered remembered;
static_assert(std::is_trivially_copyable_v<doska>, "a board is kept and given back as its bytes");

uint64_t wordAt(const void* bytes, size_t word) {
  uint64_t value;
  std::memcpy(&value, static_cast<const unsigned char*>(bytes) + 8 * word, 8);
  return value;
}

// Word by word: a call of memcmp costs more than the comparison.
bool holdsBoard(const doska& board) {
  uint64_t difference = 0;
  for (size_t word = 0; word < doska::kIdentityBytes / 8; ++word)
    difference |= wordAt(remembered.board, word) ^ wordAt(&board, word);
  return difference == 0;
}

}  // namespace

doska& boardForFoundMove(const doska& board) {
  remembered.valid = false;
  return *new (remembered.after) doska(board);
}

void rememberFoundMove(const doska& board, const mov& found, const TFoundFacts& facts) {
  std::memcpy(remembered.board, &board, doska::kIdentityBytes);
  std::memcpy(remembered.move, &found, kPlayedBytes);
  remembered.facts = facts;
  remembered.valid = true;
}

bool takePlayedBoard(doska& board, const mov& m) {
  if (!remembered.valid || wordAt(remembered.move, 0) != wordAt(&m, 0) || !holdsBoard(board))
    return false;
  std::memcpy(&board, remembered.after, sizeof(doska));
  return true;
}

const TFoundFacts* foundMoveFacts(const doska& board, const mov& m) {
  if (!remembered.valid || wordAt(remembered.move, 0) != wordAt(&m, 0) || !holdsBoard(board))
    return nullptr;
  return &remembered.facts;
}

bool takeFoundMove(const doska& board, int fromfile, int fromrank, int tofile, int torank,
                   int promotion, mov& added) {
  const uint8_t* found = remembered.move;  // in the order of mov's first bytes
  if (!remembered.valid || found[1] != fromfile || found[2] != fromrank || found[3] != tofile ||
      found[4] != torank)
    return false;
  // A special byte of 0 may come from a promotion piece a move cannot take; given 0 instead,
  // a pawn's diagonal step onto an empty square is recorded as taking en passant.
  bool recordsAlike =
      promotion == remembered.facts.promotion || (promotion == found[5] && found[5] != 0);
  if (!recordsAlike || !holdsBoard(board)) return false;
  added.piece = found[0];
  added.fromfile = found[1];
  added.fromrank = found[2];
  added.tofile = found[3];
  added.torank = found[4];
  added.special = found[5];
  added.captured = found[6];
  added.changes = found[7];
  return true;
}
