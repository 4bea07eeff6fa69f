#pragma once
// Castling in games from a shuffled back rank (Chess960): the king and the rook start on any
// files and end where they end in ordinary chess (king g / c, rook f / d). Such a castling is
// recorded as the king moving onto its own rook's square, which no other move can be, so a move
// record says by itself that it castles and the board needs no mode to play or take it back.

#include <cstdint>

#include "uchess/doska.h"
#include "uchess/jurnal.h"
#include "uchess/squaresets.h"

// Recognising the move; asked of every move made, so kept inline.
inline bool castlesOntoRook(const mov& m) {
  if (m.fromrank != m.torank) return false;
  return (m.piece == kWhiteKing && m.captured == kWhiteRook) ||
         (m.piece == kBlackKing && m.captured == kBlackRook);
}
// Castling in ordinary chess, written by the king's two-file step from the e-file.
inline bool castlesFromEFile(const mov& m) {
  return isKing(m.piece) && m.fromfile == 5 && (m.tofile == 3 || m.tofile == 7);
}
// The board's form, before the move: the king goes onto a rook of its own on its rank.
inline bool castlesOntoRook(const doska& b, int ff, int fr, int tf, int tr) {
  if (fr != tr || !isSquare(ff, fr) || !isSquare(tf, tr)) return false;
  uint8_t piece = b.at(ff, fr);
  if (piece == kWhiteKing) return b.at(tf, tr) == kWhiteRook;
  return piece == kBlackKing && b.at(tf, tr) == kBlackRook;
}
// The king's and the rook's end files of a castling onto the rook.
inline int kingEndFile(int kingfile, int rookfile) {
  return rookfile > kingfile ? 7 : 3;
}
inline int rookEndFile(int kingfile, int rookfile) {
  return rookfile > kingfile ? 6 : 4;
}

// Legality: every square the king or the rook crosses or lands on is empty but for the two of
// them, the right is kept, and no square the king stands on, crosses or lands on is attacked.
bool canCastleOntoRook(const doska& board, bool white, int fromfile, int fromrank, int tofile,
                       int torank);

// The rook squares a king of the side may castle onto, as a set.
TSquareSet castlingRookSquares(const doska& board, bool white);

// Doing it on a board: both pieces leave their squares, then take their end squares, so a king or
// rook that ends where it started, or on the other's start square, comes out right.
void placeCastling(doska& board, int kingfile, int rookfile, int rank);

// The bits of mov::changes for a move on a board with chess960 set: the rights hang on the
// rooks' start files and the king's, not on the corners and the e-file.
uint8_t castlingChanges960(const doska& board, int piece, int ff, int fr, int tf, int tr);
