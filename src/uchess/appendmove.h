#pragma once
// The reader's short way for the common move: written with its target square, made by the one
// piece that can legally go there, at the end of the line. findmove, addmove, makesan and forward
// would each ask the board again and copy it twice; here the legal origins are worked out once,
// and the move is played on the line's board itself. Anything less plain takes the long way.

#include "uchess/doska.h"
#include "uchess/jurnal.h"
#include "uchess/squaresets.h"

struct TPositionInfo;

struct TAppendableMove {
  mov record{};
  TSquareSet rivals = 0;  // the other squares from which a piece of its code may legally go there
  // the facts of the board it was found on, good while the board is asked nothing else; none
  // when it was found from the sets alone
  TPositionInfo* before = nullptr;
};

// findAppendableMove's answer from the facts of the whole position, for what findPlainMove
// leaves open.
bool findMoveByPositionFacts(const doska& board, int piece, int promotion, int fromfile,
                             int fromrank, int tofile, int torank, TAppendableMove& found);

// Adds the move found on the line's board at the end of the line, with its mark and text, plays
// it and steps past it. The line stands at its end, its board asked nothing since. Returns
// doska::status of the side then to move.
int appendFoundMove(jurnal& line, TAppendableMove& found, int mark);
