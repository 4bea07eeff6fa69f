#include "uchess/foundmove.h"

#include <cstring>

namespace {

// The bytes of a move record that playing it reads: piece, squares, special, captured, changes.
constexpr size_t kPlayedBytes = 8;
static_assert(offsetof(mov, changes) == kPlayedBytes - 1, "the played bytes of a move lead it");

struct TRemembered {
  bool valid = false;
  uint8_t board[sizeof(doska)] = {};
  uint8_t move[kPlayedBytes] = {};
  TFoundFacts facts;
};
thread_local TRemembered remembered;

}  // namespace

void rememberFoundMove(const doska& board, const mov& found, const TFoundFacts& facts) {
  std::memcpy(remembered.board, &board, sizeof(doska));
  std::memcpy(remembered.move, &found, kPlayedBytes);
  remembered.facts = facts;
  remembered.valid = true;
}

const TFoundFacts* foundMoveFacts(const doska& board, const mov& m) {
  if (!remembered.valid || std::memcmp(remembered.move, &m, kPlayedBytes) != 0 ||
      std::memcmp(remembered.board, &board, sizeof(doska)) != 0)
    return nullptr;
  return &remembered.facts;
}
