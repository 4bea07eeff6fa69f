#pragma once
// Attacks on a square, in the plain form that visits every square of the board.

#include "uchess/doska.h"

// Every square but the target is visited, files then ranks; pawns and kings attack by their
// capture pattern whatever stands on the target, every other piece when canmove allows it to go
// there. doska::attacked answers the same faster; this form stays as its reference and serves
// squares off the board, where only the pawn and king patterns can hold.
bool attackedByScan(const doska& board, int file, int rank, int side);
