#include "uchess/attacks.h"

#include <cstdlib>

namespace {

struct TStep {
  int file, rank;
};

constexpr TStep kKnightSteps[8] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                   {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
constexpr TStep kKingSteps[8] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                 {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
constexpr TStep kStraightSteps[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr TStep kDiagonalSteps[4] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

bool onBoard(int file, int rank) {
  return file >= 1 && file <= 8 && rank >= 1 && rank <= 8;
}

bool holds(const doska& b, int file, int rank, uint8_t piece) {
  return onBoard(file, rank) && b.at(file, rank) == piece;
}

bool anyStepHolds(const doska& b, int file, int rank, const TStep (&steps)[8], uint8_t piece) {
  for (const TStep& s : steps) {
    if (holds(b, file + s.file, rank + s.rank, piece)) return true;
  }
  return false;
}

// The first piece met along each ray from the target is a slider of that side able to use it.
bool sliderAttacks(const doska& b, int file, int rank, const TStep (&steps)[4], uint8_t slider,
                   uint8_t queen) {
  for (const TStep& s : steps) {
    int f = file + s.file, r = rank + s.rank;
    while (onBoard(f, r) && b.at(f, r) == kEmpty) {
      f += s.file;
      r += s.rank;
    }
    if (onBoard(f, r) && (b.at(f, r) == slider || b.at(f, r) == queen)) return true;
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
  if (!onBoard(file, rank)) return attackedByScan(*this, file, rank, side);
  bool white = side == kWhite;
  int offset = white ? 0 : 6;
  int pawnRank = white ? rank - 1 : rank + 1;
  uint8_t pawn = static_cast<uint8_t>(kWhitePawn + offset);
  if (holds(*this, file - 1, pawnRank, pawn) || holds(*this, file + 1, pawnRank, pawn)) return true;
  if (anyStepHolds(*this, file, rank, kKingSteps, static_cast<uint8_t>(kWhiteKing + offset)))
    return true;
  // knights and sliders never land on their own side, nor on a code that is no piece
  uint8_t target = at(file, rank);
  if (target != kEmpty && !(white ? isBlackPiece(target) : isWhitePiece(target))) return false;
  uint8_t queen = static_cast<uint8_t>(kWhiteQueen + offset);
  return anyStepHolds(*this, file, rank, kKnightSteps,
                      static_cast<uint8_t>(kWhiteKnight + offset)) ||
         sliderAttacks(*this, file, rank, kStraightSteps, static_cast<uint8_t>(kWhiteRook + offset),
                       queen) ||
         sliderAttacks(*this, file, rank, kDiagonalSteps,
                       static_cast<uint8_t>(kWhiteBishop + offset), queen);
}
