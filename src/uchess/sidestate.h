#pragma once
// What the board's questions learn about one side in one position: where its first king stands
// (files, then ranks), whether that king is attacked, and the position's status once asked.
// The last position asked about is remembered per thread. The reader asks about each position of
// a game three times (findmove of the move from it, findmove's status of the move to it, makesan's
// status of the same), and the answers depend on nothing but the squares, the eight state bytes
// and the side: equal bytes give equal answers, whichever board holds them.

#include "uchess/doska.h"

struct TSideState {
  bool white = true;
  bool hasKing = false;
  bool singleKing = false;  // no other king of the side stands anywhere
  int kingFile = 0;
  int kingRank = 0;
  bool inCheck = false;
  int status = -1;  // -1 until status is asked
};

// The remembered state when the board holds the remembered position, else worked out afresh
// (and remembered in its place).
TSideState sideState(const doska& board, bool white);
// Remembers the state, with its status, as that of the board's position.
void rememberSideState(const doska& board, bool white, const TSideState& state);
