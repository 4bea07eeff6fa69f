// Position keys against the published keys of the opening-book format.

#include <gtest/gtest.h>

#include "support/chessplay.h"

namespace {

struct TKeyCase {
  const char* moves;
  uint64_t key;
};

class PositionKey : public testing::TestWithParam<TKeyCase> {};

TEST_P(PositionKey, MatchesPublishedKey) {
  TTestGame game;
  std::string_view moves = GetParam().moves;
  ASSERT_EQ(
      playSan(game.line, moves),
      static_cast<int>(std::count(moves.begin(), moves.end(), ' ') + (moves.empty() ? 0 : 1)));
  EXPECT_EQ(game.board.poskey(!whiteToMove(game.line)), GetParam().key);
}

// Each line leaves an en-passant file on the board; it counts only where a pawn can take.
INSTANTIATE_TEST_SUITE_P(
    Board, PositionKey,
    testing::Values(TKeyCase{"", 0x463B96181691FC9CULL}, TKeyCase{"e4", 0x823C9B50FD114196ULL},
                    TKeyCase{"e4 d5", 0x0756B94461C50FB0ULL},
                    TKeyCase{"e4 d5 e5", 0x662FAFB965DB29D4ULL},
                    TKeyCase{"e4 d5 e5 f5", 0x22A48B5A8E47FF78ULL},
                    TKeyCase{"e4 d5 e5 f5 Ke2", 0x652A607CA3F242C1ULL},
                    TKeyCase{"e4 d5 e5 f5 Ke2 Kf7", 0x00FDD303C946BDD9ULL},
                    TKeyCase{"a4 b5 h4 b4 c4", 0x3C8123EA7B067637ULL},
                    TKeyCase{"a4 b5 h4 b4 c4 bxc3 Ra3", 0x5C3F9B829B279560ULL}));

TEST(PositionKeyFromFen, SameAsPlayedPosition) {
  EXPECT_EQ(boardFromFen("rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPPKPPP/RNBQ1BNR b kq - 0 3").poskey(true),
            0x652A607CA3F242C1ULL);
  EXPECT_EQ(boardFromFen(kStartFen).poskey(false), 0x463B96181691FC9CULL);
}

}  // namespace
