#pragma once
// Whether a pawn may step from one square to another by its own rules, kings left aside: asked for
// every pawn move the board checks, so kept inline.

#include <cstdlib>

#include "uchess/doska.h"

// The squares are known to lie on the board.
inline bool pawnCanMove(const doska& b, bool white, int ff, int fr, int tf, int tr) {
  int ahead = white ? 1 : -1;
  uint8_t target = b.at(tf, tr);
  if (tf == ff && target == kEmpty) {
    if (tr == fr + ahead) return true;
    int startRank = white ? 2 : 7;
    return fr == startRank && tr == fr + 2 * ahead && b.at(ff, fr + ahead) == kEmpty;
  }
  if (std::abs(tf - ff) != 1 || tr != fr + ahead) return false;
  if (white ? isBlackPiece(target) : isWhitePiece(target)) return true;
  // en passant: the double-stepped pawn stands beside, the square behind it is not examined
  if (white) return fr == 5 && tf == b.epforwhite;
  return fr == 4 && tf == b.epforblack;
}
