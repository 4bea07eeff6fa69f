#pragma once
// The board's pieces as one set of squares per code and per side: what the board's questions ask
// again and again (where the pieces of a code stand, what a slider reaches, whether a square is
// attacked) is answered from these without walking the squares. Bit (file - 1) * 8 + (rank - 1)
// stands for a square, so ascending bits visit files, then ranks within a file, as the board's own
// scans do.

#include <cstdint>

using TSquareSet = uint64_t;

// Where codes that are no piece (13..255) are kept.
constexpr int kNoPieceCode = 13;

struct TBoardMasks {
  TSquareSet of[kNoPieceCode + 1];  // the squares holding each code, of[0] the empty ones
  TSquareSet white;                 // codes 1..6
  TSquareSet black;                 // codes 7..12
  TSquareSet occupied;              // any code but 0
  // What was found out about these very sets (the bits below). Facts of the pieces alone, so they
  // go with every copy; any change clears them.
  uint64_t knownFacts = 0;
};

enum : uint64_t {
  kWhiteKingSafe = 1,  // the only king of its side stands unattacked
  kBlackKingSafe = 2,
  kPlainBoard = 4,  // one king a side, and every square holds a piece or nothing
};

// The fact bit of a side's king standing unattacked.
constexpr uint64_t kingSafeFact(bool white) {
  return white ? kWhiteKingSafe : kBlackKingSafe;
}

// The sets of an empty board.
inline constexpr TBoardMasks kEmptyBoardSets = {{~TSquareSet{0}}, 0, 0, 0};

inline int maskIndex(uint8_t code) {
  return code < kNoPieceCode ? code : kNoPieceCode;
}

// All ones when the condition holds, else none: puts a square into a set without a branch.
inline TSquareSet everyBitIf(bool condition) {
  return TSquareSet{0} - TSquareSet{condition};
}

// The sets after one square (0..63) changes from one code to another. Put for every square a
// move changes, so it takes no branch on the codes.
inline void changeSquare(TBoardMasks& m, int index, uint8_t before, uint8_t now) {
  TSquareSet square = TSquareSet{1} << index;
  m.of[maskIndex(before)] &= ~square;
  m.of[maskIndex(now)] |= square;
  m.white = (m.white & ~square) | (square & everyBitIf(now >= 1 && now <= 6));
  m.black = (m.black & ~square) | (square & everyBitIf(now >= 7 && now <= 12));
  m.occupied = (m.occupied & ~square) | (square & everyBitIf(now != 0));
  m.knownFacts = 0;
}
