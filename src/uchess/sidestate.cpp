#include "uchess/sidestate.h"

#include <cstring>

#include "uchess/squaresets.h"

namespace {

static_assert(sizeof(doska) == 72, "a board is its eight state bytes and 64 squares, no more");

struct TRemembered {
  uint8_t position[sizeof(doska)];
  bool white;
  bool valid;
  TSideState state;
};
thread_local TRemembered remembered;

bool holdsRemembered(const doska& board, bool white) {
  return remembered.valid && remembered.white == white &&
         std::memcmp(remembered.position, &board, sizeof(doska)) == 0;
}

}  // namespace

TSideState sideState(const doska& board, bool white) {
  if (holdsRemembered(board, white)) return remembered.state;
  TSideState state;
  state.white = white;
  uint8_t king = white ? kWhiteKing : kBlackKing;
  state.hasKing = firstSquareHolding(board, king, state.kingFile, state.kingRank);
  if (state.hasKing) {
    int next = squareIndex(state.kingFile, state.kingRank) + 1;
    state.singleKing = std::memchr(&board.squares[0][0] + next, king, 64 - next) == nullptr;
    state.inCheck = board.attacked(state.kingFile, state.kingRank, white ? kBlack : kWhite);
  }
  rememberSideState(board, white, state);
  return state;
}

void rememberSideState(const doska& board, bool white, const TSideState& state) {
  std::memcpy(remembered.position, &board, sizeof(doska));
  remembered.white = white;
  remembered.valid = true;
  remembered.state = state;
}
