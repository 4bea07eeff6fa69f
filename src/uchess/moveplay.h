#pragma once
// Making and taking back one move on a board: the shared core of the journal's forward and back
// and of the board's own trial moves.

#include "uchess/doska.h"
#include "uchess/jurnal.h"

// The record of a move from the board as it stands before the move: moved and captured piece,
// special byte (promotion piece or en-passant mark) and the state bits the move changes.
mov recordMove(const doska& board, int fromfile, int fromrank, int tofile, int torank,
               int promotion, int mark);

// The same, written into a record whose mark, text and extras are left as they are.
void fillRecord(mov& m, const doska& board, int fromfile, int fromrank, int tofile, int torank,
                int promotion);

// The state bits (mov::changes) the move of the piece from and to these squares changes on the
// board as it stands.
uint8_t changedState(const doska& b, int piece, int ff, int fr, int tf, int tr);

// Puts the move on the board and sets the flags and en-passant files it changes.
void playMove(doska& board, const mov& m);

// The castling flags the changes name, set as the move is made (1) or taken back (0).
void setChangedFlags(doska& board, uint8_t changes, uint8_t value);

// The castling and en-passant state after the move, whose pieces are already on their squares.
inline void takeStateChanges(doska& b, uint8_t changes, uint8_t fromfile) {
  b.epforblack = (changes & kWhiteDoubleStep) ? fromfile : 0;
  b.epforwhite = (changes & kBlackDoubleStep) ? fromfile : 0;
  // most moves change no castling flag
  if ((changes & ~(kWhiteDoubleStep | kBlackDoubleStep)) == 0) return;
  setChangedFlags(b, changes, 1);
}
inline void takeStateChanges(doska& b, const mov& m) {
  takeStateChanges(b, m.changes, m.fromfile);
}

// The record's piece from its square to its target, the sets changed with it.
inline void stepPieceOf(doska& b, const mov& m) {
  b.stepPiece((m.fromfile - 1) * 8 + (m.fromrank - 1), (m.tofile - 1) * 8 + (m.torank - 1));
}

// playMove for a record known to be a plain step: made on this board, its piece to a square with
// nothing or a piece of the other side, no promotion, en passant or castling. Inline: nearly every
// move read is one.
inline void playPlainStep(doska& b, const mov& m) {
  stepPieceOf(b, m);
  takeStateChanges(b, m);
}

// Takes the move off the board and clears the flags it set; the en-passant files are the caller's.
void unplayMove(doska& board, const mov& m);

// A promotion piece the pawn may really become on that square, else false.
bool isPromotionFor(int piece, int torank, int special);
