#pragma once
// The board's answers against the plain board it replaced (support/plainboard.h): each check asks
// both the same questions on the same position and reports the first answer, out-argument or
// board change where they part.

#include <array>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "uchess/doska.h"
#include "uchess/jurnal.h"

// Turns the board's own scanning forms (uchess/boardscan.h) on for its lifetime, so that a failed
// assertion cannot leave them on.
class TBoardByScan {
 public:
  TBoardByScan();
  ~TBoardByScan();
  TBoardByScan(const TBoardByScan&) = delete;
  TBoardByScan& operator=(const TBoardByScan&) = delete;
};

// status for both sides.
testing::AssertionResult sameStatus(doska& board);

// The board's sets hold what its squares hold.
testing::AssertionResult consistentSets(const doska& board);

// poskey for either side to move.
testing::AssertionResult sameKeys(const doska& board);

// legalmove for every pair of squares, with a border of squares off the board (files and ranks
// 0..9).
testing::AssertionResult sameLegalMoves(doska& board);

// One findmove question with every argument as given.
testing::AssertionResult sameFindMove(doska& board, int piece, int promotion, int fromfile,
                                      int fromrank, int tofile, int torank);

// findmove for every piece code of the side and every target, written as the reader may cut it:
// bare, with the from-file, with the from-rank, with both, a pawn's without its target rank, and
// on the last ranks with no promotion piece, a right one and one of the wrong colour.
testing::AssertionResult sameFindMoves(doska& board, bool white);

// makesan of the line's next move against the plain board's text for it.
testing::AssertionResult sameSan(jurnal& line);

// Every move of the side the reference form allows, as from file, from rank, to file, to rank.
std::vector<std::array<int, 4>> legalMovesByScan(doska& board, bool white);
