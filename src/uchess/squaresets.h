#pragma once
// Sets of squares as 64-bit masks, and the squares a move may involve by the pieces' geometry:
// they narrow the board's questions from every square pair to a few candidates. Bit
// (file - 1) * 8 + (rank - 1) is the order of doska::squares, so ascending bits visit files, then
// ranks within a file, as the board's own scans do.

#include <array>
#include <bit>
#include <cstdint>

#include "uchess/doska.h"

using TSquareSet = uint64_t;

constexpr TSquareSet squareBit(int file, int rank) {
  return TSquareSet{1} << ((file - 1) * 8 + (rank - 1));
}
constexpr bool isSquare(int file, int rank) {
  return file >= 1 && file <= 8 && rank >= 1 && rank <= 8;
}

// A square's place in doska::squares and in a set.
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

// Every target to which canmove may allow the piece on the square to go (and perhaps more).
TSquareSet reachableFrom(const doska& board, int file, int rank);
// Every square from which canmove may allow a piece of this code to go to the target (and perhaps
// more); whether the square holds such a piece is not looked at.
TSquareSet reachingTo(const doska& board, int piece, int tofile, int torank);
