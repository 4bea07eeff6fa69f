#pragma once
// Questions about a position answered from its sets of squares.

#include <bit>
#include <cstdint>

#include "uchess/doska.h"
#include "uchess/squaresets.h"

// doska::attacked on the position the masks describe, for a square on the board (0..63). Pawns
// and kings attack by their pattern whatever stands on the square; knights and sliders never land
// on their own side, nor on a code that is no piece. Inline: every move read asks it of a king.
inline bool attackedOn(const TBoardMasks& m, int index, bool byWhite) {
  int offset = byWhite ? 0 : 6;
  if (kPawnAttackers[byWhite ? 0 : 1][index] & m.of[kWhitePawn + offset]) return true;
  if (kKingSquares[index] & m.of[kWhiteKing + offset]) return true;
  TSquareSet square = TSquareSet{1} << index;
  if ((m.occupied & square) && !((byWhite ? m.black : m.white) & square)) return false;
  if (kKnightSquares[index] & m.of[kWhiteKnight + offset]) return true;
  // only the sliders on the square's lines are looked at, each by what stands between
  TSquareSet queens = m.of[kWhiteQueen + offset];
  TSquareSet straight = (m.of[kWhiteRook + offset] | queens) & kStraightLines[index];
  TSquareSet diagonal = (m.of[kWhiteBishop + offset] | queens) & kDiagonalLines[index];
  for (TSquareSet sliders = straight | diagonal; sliders != 0; sliders &= sliders - 1) {
    if ((kBetween[index][std::countr_zero(sliders)] & m.occupied) == 0) return true;
  }
  return false;
}

// The masks after the piece steps from one square to another, taking what stood there (empty or
// a piece of the other side); nothing else on the board changes.
TBoardMasks afterStep(const TBoardMasks& masks, int from, int to, uint8_t piece, uint8_t captured);
