#pragma once
// What the board's questions learn about a position: its masks, and for each side where its
// first king stands (files, then ranks), whether that king is attacked, and the status once asked.
// The last two positions asked about are remembered per thread. The reader asks about each
// position of a game several times (findmove of the move from it and makesan of that move,
// findmove's and makesan's status of the move to it), and the answers depend on nothing but the
// squares and the eight state bytes: equal bytes give equal answers, whichever board holds them.

#include "uchess/boardmasks.h"
#include "uchess/doska.h"
#include "uchess/jurnal.h"

struct TSideState {
  bool known = false;  // worked out for this position
  bool white = true;
  bool hasKing = false;
  bool singleKing = false;  // no other king of the side stands anywhere
  int kingIndex = 0;
  int kingFile = 0;
  int kingRank = 0;
  bool inCheck = false;
  int status = -1;  // -1 until status is asked
};

struct TPositionInfo {
  TBoardMasks masks;
  TSideState sides[2];  // White, Black
};

// The remembered facts when the board holds one of the remembered positions, else its masks
// worked out afresh (and remembered in place of the position asked about longer ago). The
// reference stays good until the next call.
TPositionInfo& positionInfo(const doska& board);

// positionInfo of the board after, which is a board with the move m played on it by playMove,
// given the facts positionInfo gave for that board, with no call since: only the squares the move
// may touch are looked at.
TPositionInfo& positionInfoAfterMove(const TPositionInfo& before, const doska& after, const mov& m);

// The side's state in that position, worked out when first asked.
TSideState& sideStateOf(TPositionInfo& info, bool white);
