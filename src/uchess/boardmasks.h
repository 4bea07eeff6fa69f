#pragma once
// A board's squares as one set per piece code: what the board's questions ask again and again
// about one position (where the pieces of a code stand, what a slider reaches, whether a square
// is attacked) is answered from these without walking the squares.

#include <cstdint>

#include "uchess/doska.h"
#include "uchess/squaresets.h"

// Where codes that are no piece (13..255) are kept.
constexpr int kNoPieceCode = 13;

struct TBoardMasks {
  TSquareSet of[kNoPieceCode + 1];  // the squares holding each code; of[0] is not kept
  TSquareSet white;                 // codes 1..6
  TSquareSet black;                 // codes 7..12
  TSquareSet occupied;              // any code but 0
};

TBoardMasks boardMasks(const doska& board);
// The masks of the board into updated, from those of another board whose 64 squares are given
// and differ from the board's by the eight words given (one per file, rank 1 in the lowest byte):
// only the squares that differ are looked at.
void updateMasks(TBoardMasks& updated, const TBoardMasks& masks, const uint8_t* squares,
                 const uint64_t* fileDifferences, const doska& board);

inline int maskIndex(uint8_t code) {
  return code < kNoPieceCode ? code : kNoPieceCode;
}

// The masks after one square (0..63) changes from one code to another.
inline void changeSquare(TBoardMasks& m, int index, uint8_t before, uint8_t now) {
  TSquareSet square = TSquareSet{1} << index;
  m.of[maskIndex(before)] &= ~square;
  m.white &= ~square;
  m.black &= ~square;
  m.occupied &= ~square;
  if (now == kEmpty) return;
  m.of[maskIndex(now)] |= square;
  m.occupied |= square;
  if (isWhitePiece(now)) m.white |= square;
  if (isBlackPiece(now)) m.black |= square;
}

// doska::attacked on the position the masks describe, for a square on the board (0..63).
bool attackedOn(const TBoardMasks& masks, int index, bool byWhite);

// The masks after the piece steps from one square to another, taking what stood there (empty or
// a piece of the other side); nothing else on the board changes.
TBoardMasks afterStep(const TBoardMasks& masks, int from, int to, uint8_t piece, uint8_t captured);
