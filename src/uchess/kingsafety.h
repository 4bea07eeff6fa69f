#pragma once
// Whether a move leaves the mover's king attacked: the part of legality that canmove leaves out.
// The king is the side's first king, files then ranks, as the plain scan finds it.

#include "uchess/doska.h"
#include "uchess/sidestate.h"

// The move, which canmove allows, leaves the mover's first king unattacked. It is played on a
// copy, so the board is never touched.
bool keepsKingSafe(const doska& board, int fromfile, int fromrank, int tofile, int torank);

// legalmove for a piece of the side, told the side's state in this position: most moves need
// no trial at all, or a look along one line only.
bool legalFor(const doska& board, const TSideState& side, int fromfile, int fromrank, int tofile,
              int torank);

// legalFor for a target that the piece's geometry reaches (reachableFrom of the from-square, or
// the from-square among reachingTo of the target): for a knight or a slider canmove then only
// asks that the target be free.
bool legalTowards(const doska& board, const TSideState& side, int fromfile, int fromrank,
                  int tofile, int torank);
