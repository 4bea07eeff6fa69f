#include "uchess/attacks.h"

#include <bit>
#include <cstdlib>

#include "uchess/squaresets.h"

namespace {

bool anyHolds(const uint8_t* squares, TSquareSet set, uint8_t piece) {
  for (; set != 0; set &= set - 1) {
    if (squares[std::countr_zero(set)] == piece) return true;
  }
  return false;
}

// The first piece met along each ray from the square is a slider of that side able to use it.
bool sliderAttacks(const uint8_t* squares, int index, int firstRay, int lastRay, uint8_t slider,
                   uint8_t queen) {
  for (int d = firstRay; d <= lastRay; ++d) {
    int at = index;
    for (int n = kRayLengths[d][index]; n > 0; --n) {
      at += kRaySteps[d];
      uint8_t piece = squares[at];
      if (piece == kEmpty) continue;
      if (piece == slider || piece == queen) return true;
      break;
    }
  }
  return false;
}

}  // namespace

bool attackedByScan(const doska& board, int file, int rank, int side) {
  for (int f = 1; f <= 8; ++f) {
    for (int r = 1; r <= 8; ++r) {
      if (f == file && r == rank) continue;
      uint8_t piece = board.at(f, r);
      if (side == kWhite ? !isWhitePiece(piece) : !isBlackPiece(piece)) continue;
      int df = std::abs(f - file);
      if (piece == kWhitePawn) {
        if (df == 1 && rank - r == 1) return true;
      } else if (piece == kBlackPawn) {
        if (df == 1 && r - rank == 1) return true;
      } else if (piece == kWhiteKing || piece == kBlackKing) {
        if (df <= 1 && std::abs(r - rank) <= 1) return true;
      } else if (board.canmove(f, r, file, rank)) {
        return true;
      }
    }
  }
  return false;
}

// Looks outwards from the target instead of asking every piece; the answer is the same because
// only whether some piece attacks matters, never which.
bool doska::attacked(int file, int rank, int side) const {
  if (!isSquare(file, rank)) return attackedByScan(*this, file, rank, side);
  const uint8_t* board = &squares[0][0];
  int index = squareIndex(file, rank);
  bool white = side == kWhite;
  uint8_t offset = white ? 0 : 6;
  // a pawn attacks one rank ahead of it on either side
  int pawnRank = white ? rank - 1 : rank + 1;
  uint8_t pawn = kWhitePawn + offset;
  if (pawnRank >= 1 && pawnRank <= 8) {
    if (file > 1 && at(file - 1, pawnRank) == pawn) return true;
    if (file < 8 && at(file + 1, pawnRank) == pawn) return true;
  }
  if (anyHolds(board, kKingSquares[index], kWhiteKing + offset)) return true;
  // knights and sliders never land on their own side, nor on a code that is no piece
  uint8_t target = board[index];
  if (target != kEmpty && !(white ? isBlackPiece(target) : isWhitePiece(target))) return false;
  uint8_t queen = kWhiteQueen + offset;
  return anyHolds(board, kKnightSquares[index], kWhiteKnight + offset) ||
         sliderAttacks(board, index, 0, 3, kWhiteRook + offset, queen) ||
         sliderAttacks(board, index, 4, 7, kWhiteBishop + offset, queen);
}
