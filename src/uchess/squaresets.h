#pragma once
// The squares a move may involve by the pieces' geometry, as tables built at compile time: they
// narrow the board's questions from every square pair to a few candidates.

#include <array>
#include <bit>
#include <cstdint>

#include "uchess/doska.h"

constexpr TSquareSet squareBit(int file, int rank) {
  return TSquareSet{1} << ((file - 1) * 8 + (rank - 1));
}
constexpr bool isSquare(int file, int rank) {
  return file >= 1 && file <= 8 && rank >= 1 && rank <= 8;
}

// A square's index in a set.
constexpr int squareIndex(int file, int rank) {
  return (file - 1) * 8 + (rank - 1);
}

// Steps in that index: the four straight directions, then the four diagonal ones.
inline constexpr int kRaySteps[8] = {8, -8, 1, -1, 9, 7, -7, -9};
inline constexpr int kRayFileSteps[8] = {1, -1, 0, 0, 1, 1, -1, -1};
inline constexpr int kRayRankSteps[8] = {0, 0, 1, -1, 1, -1, 1, -1};

// How many squares each ray runs from each square before it leaves the board.
inline constexpr std::array<std::array<uint8_t, 64>, 8> kRayLengths = [] {
  std::array<std::array<uint8_t, 64>, 8> lengths{};
  for (int d = 0; d < 8; ++d) {
    for (int file = 1; file <= 8; ++file) {
      for (int rank = 1; rank <= 8; ++rank) {
        int n = 0;
        while (isSquare(file + (n + 1) * kRayFileSteps[d], rank + (n + 1) * kRayRankSteps[d])) ++n;
        lengths[d][squareIndex(file, rank)] = static_cast<uint8_t>(n);
      }
    }
  }
  return lengths;
}();

// The squares a knight's jump or a king's step away from each square.
constexpr std::array<TSquareSet, 64> stepSquares(const int (&files)[8], const int (&ranks)[8]) {
  std::array<TSquareSet, 64> table{};
  for (int file = 1; file <= 8; ++file) {
    for (int rank = 1; rank <= 8; ++rank) {
      TSquareSet set = 0;
      for (int i = 0; i < 8; ++i) {
        if (isSquare(file + files[i], rank + ranks[i]))
          set |= squareBit(file + files[i], rank + ranks[i]);
      }
      table[squareIndex(file, rank)] = set;
    }
  }
  return table;
}
inline constexpr int kKnightFileSteps[8] = {1, 2, 2, 1, -1, -2, -2, -1};
inline constexpr int kKnightRankSteps[8] = {2, 1, -1, -2, -2, -1, 1, 2};
inline constexpr std::array<TSquareSet, 64> kKnightSquares =
    stepSquares(kKnightFileSteps, kKnightRankSteps);
inline constexpr std::array<TSquareSet, 64> kKingSquares =
    stepSquares(kRayFileSteps, kRayRankSteps);

// The squares along each ray from each square, the square itself left out.
inline constexpr std::array<std::array<TSquareSet, 64>, 8> kRayMasks = [] {
  std::array<std::array<TSquareSet, 64>, 8> masks{};
  for (int d = 0; d < 8; ++d) {
    for (int index = 0; index < 64; ++index) {
      TSquareSet set = 0;
      for (int n = 1; n <= kRayLengths[d][index]; ++n)
        set |= TSquareSet{1} << (index + n * kRaySteps[d]);
      masks[d][index] = set;
    }
  }
  return masks;
}();

// The squares of four rays from each square together, the first of them given.
constexpr std::array<TSquareSet, 64> fourRays(int first) {
  std::array<TSquareSet, 64> lines{};
  for (int index = 0; index < 64; ++index) {
    for (int d = first; d < first + 4; ++d) lines[index] |= kRayMasks[d][index];
  }
  return lines;
}
inline constexpr std::array<TSquareSet, 64> kStraightLines = fourRays(0);
inline constexpr std::array<TSquareSet, 64> kDiagonalLines = fourRays(4);

// The squares from which a pawn of each side (0 White, 1 Black) attacks each square.
inline constexpr std::array<std::array<TSquareSet, 64>, 2> kPawnAttackers = [] {
  std::array<std::array<TSquareSet, 64>, 2> masks{};
  for (int file = 1; file <= 8; ++file) {
    for (int rank = 1; rank <= 8; ++rank) {
      for (int side = 0; side < 2; ++side) {
        int from = side == 0 ? rank - 1 : rank + 1;
        TSquareSet set = 0;
        if (isSquare(file - 1, from)) set |= squareBit(file - 1, from);
        if (isSquare(file + 1, from)) set |= squareBit(file + 1, from);
        masks[side][squareIndex(file, rank)] = set;
      }
    }
  }
  return masks;
}();

// The squares strictly between two squares on one straight or diagonal line; none for squares on
// no common line. A slider on a line reaches the other square when none of these is occupied.
inline constexpr std::array<std::array<TSquareSet, 64>, 64> kBetween = [] {
  std::array<std::array<TSquareSet, 64>, 64> between{};
  for (int d = 0; d < 8; ++d) {
    for (int from = 0; from < 64; ++from) {
      TSquareSet passed = 0;
      for (int n = 1; n <= kRayLengths[d][from]; ++n) {
        int to = from + n * kRaySteps[d];
        between[from][to] = passed;
        passed |= TSquareSet{1} << to;
      }
    }
  }
  return between;
}();

// The whole straight or diagonal line through two squares, edge to edge; none for squares on no
// common line. A piece pinned to its king keeps to the line through the two.
inline constexpr std::array<std::array<TSquareSet, 64>, 64> kLines = [] {
  std::array<std::array<TSquareSet, 64>, 64> lines{};
  constexpr int kOpposite[8] = {1, 0, 3, 2, 7, 6, 5, 4};
  for (int d = 0; d < 8; ++d) {
    for (int from = 0; from < 64; ++from) {
      TSquareSet line = kRayMasks[d][from] | kRayMasks[kOpposite[d]][from] | TSquareSet{1} << from;
      for (int n = 1; n <= kRayLengths[d][from]; ++n) lines[from][from + n * kRaySteps[d]] = line;
    }
  }
  return lines;
}();

// The pieces among those given on open lines to the square: straight or diagonal lines, as the
// set holds pieces on those lines only.
inline TSquareSet openLinesTo(int index, TSquareSet pieces, TSquareSet occupied) {
  TSquareSet open = 0;
  for (; pieces != 0; pieces &= pieces - 1) {
    int at = std::countr_zero(pieces);
    if ((kBetween[index][at] & occupied) == 0) open |= TSquareSet{1} << at;
  }
  return open;
}

// Along one ray from the square, up to and with the first occupied square.
inline TSquareSet rayAttacks(int ray, int index, TSquareSet occupied) {
  TSquareSet squares = kRayMasks[ray][index];
  TSquareSet blockers = squares & occupied;
  if (blockers == 0) return squares;
  // index grows along the first rays of each kind (steps +8, +1, +9, +7)
  bool growing = kRaySteps[ray] > 0;
  int first = growing ? std::countr_zero(blockers) : 63 - std::countl_zero(blockers);
  return squares ^ kRayMasks[ray][first];
}

inline TSquareSet straightRays(int index, TSquareSet occupied) {
  return rayAttacks(0, index, occupied) | rayAttacks(1, index, occupied) |
         rayAttacks(2, index, occupied) | rayAttacks(3, index, occupied);
}
inline TSquareSet diagonalRays(int index, TSquareSet occupied) {
  return rayAttacks(4, index, occupied) | rayAttacks(5, index, occupied) |
         rayAttacks(6, index, occupied) | rayAttacks(7, index, occupied);
}

// The lowest square of a non-empty set as file and rank.
inline void lowestSquare(TSquareSet set, int& file, int& rank) {
  int index = std::countr_zero(set);
  file = index / 8 + 1;
  rank = index % 8 + 1;
}

// The squares holding exactly this code.
TSquareSet squaresHolding(const doska& board, int piece);
// The first square, files then ranks ascending, that holds the code; false when none does.
bool firstSquareHolding(const doska& board, int piece, int& file, int& rank);

constexpr TSquareSet squareIfOnBoard(int file, int rank) {
  return isSquare(file, rank) ? squareBit(file, rank) : 0;
}

// A pawn steps one rank ahead, two from its start rank, or one ahead on either side: every
// target canmove may allow it (and perhaps more). Its origins are the mirror image: the squares
// from which a pawn may reach a target. [0 White, 1 Black][square]
constexpr std::array<std::array<TSquareSet, 64>, 2> pawnSquaresTable(bool origins) {
  std::array<std::array<TSquareSet, 64>, 2> table{};
  for (int side = 0; side < 2; ++side) {
    int step = (side == 0) == !origins ? 1 : -1;
    int doubleRank = origins ? (side == 0 ? 4 : 5) : (side == 0 ? 2 : 7);
    for (int file = 1; file <= 8; ++file) {
      for (int rank = 1; rank <= 8; ++rank) {
        TSquareSet set = squareIfOnBoard(file, rank + step) |
                         squareIfOnBoard(file - 1, rank + step) |
                         squareIfOnBoard(file + 1, rank + step);
        if (rank == doubleRank) set |= squareBit(file, rank + 2 * step);
        table[side][squareIndex(file, rank)] = set;
      }
    }
  }
  return table;
}
inline constexpr std::array<std::array<TSquareSet, 64>, 2> kPawnTargets = pawnSquaresTable(false);
inline constexpr std::array<std::array<TSquareSet, 64>, 2> kPawnOrigins = pawnSquaresTable(true);

// Squares given as file and rank on the board.
inline TSquareSet pawnTargets(int file, int rank, bool white) {
  return kPawnTargets[white ? 0 : 1][squareIndex(file, rank)];
}
inline TSquareSet pawnOrigins(int file, int rank, bool white) {
  return kPawnOrigins[white ? 0 : 1][squareIndex(file, rank)];
}
