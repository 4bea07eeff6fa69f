// The two keys by which equal games are recognised.

#include <gtest/gtest.h>

#include "support/chessplay.h"

namespace {

constexpr uint64_t kInitialKey = 0x463B96181691FC9CULL;

TEST(GameKeys, StartKey) {
  TTestGame game;
  EXPECT_EQ(game.line.gamekeys().StartKey, kInitialKey);
  EXPECT_EQ(game.line.gamekeys().MovesKey, 0u);
  game.line.blackfirst = 1;
  EXPECT_EQ(game.line.gamekeys().StartKey, 0xBEEDB0B2B9B67995ULL);
  EXPECT_EQ(journalFromFen(kStartFen)->gamekeys().StartKey, kInitialKey);
  std::unique_ptr<jurnal> fen = journalFromFen("4k3/8/8/8/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(fen->gamekeys().StartKey, fen->startboard->poskey(true));
}

// The value is worked out by hand from the key table: stored keys depend on it.
TEST(GameKeys, MovesKeyOfKnownLine) {
  TTestGame game;
  ASSERT_EQ(playSan(game.line, "e4 e5 Nf3"), 3);
  EXPECT_EQ(game.line.gamekeys().MovesKey, 0x2C9B81D5D8EC43E6ULL);
  // a from-square on the long diagonal (file = rank) adds nothing of its own
  std::unique_ptr<jurnal> line = journalFromFen("4k3/8/8/4P3/8/8/8/4K3 w - - 0 1");
  ASSERT_EQ(playSan(*line, "e6"), 1);
  EXPECT_EQ(line->gamekeys().MovesKey, 0x9A74ACB964E78CB3ULL);
}

TEST(GameKeys, MovesKeyIsASetOfMoves) {
  TTestGame a, b, c;
  ASSERT_EQ(playSan(a.line, "Nf3 Nf6 Nc3 Nc6"), 4);
  ASSERT_EQ(playSan(b.line, "Nc3 Nc6 Nf3 Nf6"), 4);
  ASSERT_EQ(playSan(c.line, "Nc3 Nf6 Nf3 Nc6"), 4);
  EXPECT_EQ(a.line.gamekeys().MovesKey, b.line.gamekeys().MovesKey);
  EXPECT_EQ(a.line.gamekeys().MovesKey, c.line.gamekeys().MovesKey);
  TTestGame d;
  ASSERT_EQ(playSan(d.line, "Nf3 Nf6 Nc3 Na6"), 4);
  EXPECT_NE(a.line.gamekeys().MovesKey, d.line.gamekeys().MovesKey);
}

TEST(GameKeys, VariationsDoNotCount) {
  TTestGame game;
  ASSERT_EQ(playSan(game.line, "e4 e5"), 2);
  TGameKeys before = game.line.gamekeys();
  game.line.gotomove(1);
  ASSERT_EQ(game.line.addmove(3, 7, 3, 5, 0, false, 0), 1);
  TGameKeys after = game.line.gamekeys();
  EXPECT_EQ(before.StartKey, after.StartKey);
  EXPECT_EQ(before.MovesKey, after.MovesKey);
}

}  // namespace
