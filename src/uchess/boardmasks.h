#pragma once
// Questions about a position answered from its sets of squares.

#include <cstdint>

#include "uchess/doska.h"
#include "uchess/squaresets.h"

// doska::attacked on the position the masks describe, for a square on the board (0..63).
bool attackedOn(const TBoardMasks& masks, int index, bool byWhite);

// The masks after the piece steps from one square to another, taking what stood there (empty or
// a piece of the other side); nothing else on the board changes.
TBoardMasks afterStep(const TBoardMasks& masks, int from, int to, uint8_t piece, uint8_t captured);
