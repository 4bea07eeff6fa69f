#pragma once
// The common move on a board in its common state (one king a side, no code that is no piece)
// settled from the sets alone: the mover's checks and pins are worked out where a candidate needs
// them, and only the board's mark of a king found out of check is kept between moves, so nothing
// is copied or compared per position.
// What it cannot settle by itself it leaves to the general way, which answers alike.

#include "uchess/appendmove.h"

// findAppendableMove's answer for such a board, with no facts of the position kept (before is
// none); false both where there is no such move and where the sets alone cannot tell.
bool findPlainMove(const doska& board, int piece, int promotion, int fromfile, int fromrank,
                   int tofile, int torank, TAppendableMove& found);

// The move of the piece from the one square of the range (a written file, rank, both or neither)
// it can legally come from, recorded on the board as findmove would record it; false when there
// is no such move, more than one, a promotion is missing or records otherwise, the move takes the
// other side's last king, or the board answers by its scan. Inline: the reader asks it of every
// move, and nearly all are settled by the sets alone.
inline bool findAppendableMove(const doska& board, int piece, int promotion, int fromfile,
                               int fromrank, int tofile, int torank, TAppendableMove& found) {
  return findPlainMove(board, piece, promotion, fromfile, fromrank, tofile, torank, found) ||
         findMoveByPositionFacts(board, piece, promotion, fromfile, fromrank, tofile, torank,
                                 found);
}
