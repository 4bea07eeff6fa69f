#pragma once
// What findmove learns about the move it finds, kept for the notation of the same move: the
// reader finds a move, adds it and writes its text, and the text needs the status the move leaves
// and the other pieces that could go to the same square, which findmove has just worked out. The
// facts are kept per thread with the board's bytes and the move's record, and given back only for
// equal bytes and an equal record: they depend on nothing else.

#include "uchess/doska.h"
#include "uchess/jurnal.h"
#include "uchess/squaresets.h"

struct TFoundFacts {
  int promotion = 0;        // the promotion findmove was given, which recorded the move
  int status = 0;           // of the position the move leaves, for the side then to move
  bool whiteAfter = false;  // that side
  bool originsKnown = false;
  TSquareSet origins = 0;  // every square holding the piece from which it may legally go there
};

// A copy of board to play the found move on, in the place where it is kept for forward: one copy
// of the board per found move instead of two. What was remembered before is forgotten.
doska& boardForFoundMove(const doska& board);

// Kept until the next move is remembered; originsKnown when the whole board was searched. The
// board boardForFoundMove gave holds the move played on it.
void rememberFoundMove(const doska& board, const mov& found, const TFoundFacts& facts);

// Puts the board the remembered move leaves into board when board holds the position it was found
// on and m plays alike; false, and the board untouched, otherwise. The journal steps forward over
// a move findmove has just played on a copy without playing it again.
bool takePlayedBoard(doska& board, const mov& m);

// The facts remembered for this board and move, or none.
const TFoundFacts* foundMoveFacts(const doska& board, const mov& m);

// Puts the record of the found move into added when it is the move from and to these squares on
// this board, with a promotion that records it alike (the one findmove was given, or the special
// byte it recorded); false when it is not. Such a move is legal there.
bool takeFoundMove(const doska& board, int fromfile, int fromrank, int tofile, int torank,
                   int promotion, mov& added);
