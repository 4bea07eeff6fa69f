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
  bool inCheck = false;
  // Where a move of a piece other than the king may go, by the checks on the king: anywhere out
  // of check, onto the checker or between it and the king in a single check, nowhere in a double.
  TSquareSet evasions = ~TSquareSet{0};
  // The side's pieces that are the only piece between the king and an enemy slider on that line,
  // worked out when isPinned first needs them: most positions are judged without.
  mutable bool pinsKnown = false;
  mutable TSquareSet pinned = 0;
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

// positionInfo of the board after, a board one move on from the one whose facts are given, with no
// call since: the facts given stay good, as the position after takes the other place.
TPositionInfo& positionInfoAfterMove(const TPositionInfo& before, const doska& after);

// The side's state in that position, worked out when first asked.
TSideState& sideStateOf(TPositionInfo& info, bool white);

// The side's piece on the square (0..63) is pinned to the side's king, which must stand somewhere;
// masks are those of the position the side's state belongs to.
bool isPinned(const TBoardMasks& masks, const TSideState& side, int index);

// Where a move of a piece other than the king may go by the checks on the side's king, which
// stands on the square given: everywhere out of check, onto the checker or between it and the
// king in a single check, nowhere in a double one.
TSquareSet evasionSquares(const TBoardMasks& masks, int king, bool white);

// The enemy sliders on the king's lines that could move along them.
inline TSquareSet snipersOf(const TBoardMasks& m, int king, bool white) {
  int enemy = white ? 6 : 0;
  TSquareSet queens = m.of[kWhiteQueen + enemy];
  return ((m.of[kWhiteRook + enemy] | queens) & kStraightLines[king]) |
         ((m.of[kWhiteBishop + enemy] | queens) & kDiagonalLines[king]);
}

// The side's pieces that alone stand between its king and an enemy slider on that line. Inline:
// the reader asks it for most moves that leave the king's lines.
inline TSquareSet pinnedPieces(const TBoardMasks& m, int king, bool white) {
  TSquareSet own = white ? m.white : m.black, pinned = 0;
  for (TSquareSet s = snipersOf(m, king, white); s != 0; s &= s - 1) {
    TSquareSet between = kBetween[king][std::countr_zero(s)] & m.occupied;
    if (between != 0 && (between & (between - 1)) == 0) pinned |= between & own;
  }
  return pinned;
}
