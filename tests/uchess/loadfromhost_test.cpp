// Filling a journal from the host's game: the tree it builds and the order of its calls.

#include <cstring>

#include <gtest/gtest.h>

#include "support/chessplay.h"
#include "support/fakehost.h"

namespace {

void expectSameTree(const jurnal& loaded, const jurnal& source) {
  ASSERT_EQ(loaded.movecount(), source.movecount());
  EXPECT_EQ(loaded.precomment, source.precomment);
  EXPECT_EQ(loaded.hosttext, source.hosttext);
  for (int i = 0; i < source.movecount(); ++i) {
    const mov& a = loaded.moveat(i);
    const mov& b = source.moveat(i);
    EXPECT_EQ(std::memcmp(&a.piece, &b.piece, 8), 0) << "move " << i;
    EXPECT_EQ(a.san.view(), b.san.view());
    EXPECT_EQ(loaded.commentAt(i), source.commentAt(i));
    EXPECT_EQ(a.mark, b.mark);
    ASSERT_EQ(loaded.variantCountAt(i), source.variantCountAt(i));
    for (int v = 0; v < loaded.variantCountAt(i); ++v) {
      EXPECT_EQ(loaded.variantsAt(i)[v]->parent, &loaded);
      EXPECT_EQ(loaded.variantsAt(i)[v]->board, loaded.board);
      expectSameTree(*loaded.variantsAt(i)[v], *source.variantsAt(i)[v]);
    }
  }
}

// 1. e4 e5 (1... c5 2. Nf3 (2. Nc3)) 2. Nf3 {main} Nc6!
std::unique_ptr<TTestGame> sampleGame() {
  auto game = std::make_unique<TTestGame>();
  jurnal& line = game->line;
  EXPECT_EQ(playSan(line, "e4 e5 Nf3"), 3);
  line.setcomment("main");
  EXPECT_EQ(playSan(line, "Nc6"), 1);
  line.setmark(1);
  line.gotomove(1);
  EXPECT_EQ(line.addmove(3, 7, 3, 5, 0, false, 0), 1);
  jurnal& sicilian = *line.variantsAt(1)[0];
  sicilian.forward();
  EXPECT_EQ(playSan(sicilian, "Nf3"), 1);
  sicilian.back();
  EXPECT_EQ(sicilian.addmove(2, 1, 3, 3, 0, false, 0), 1);
  sicilian.gotomove(0);
  line.precomment = "{before}";
  line.hosttext = "second text";
  line.result = "1-0";
  return game;
}

TEST(LoadFromHost, BuildsTheHostTree) {
  std::unique_ptr<TTestGame> source = sampleGame();
  TFakeHost host = TFakeHost::fromJournal(source->line);
  doska board;
  jurnal loaded(&board, nullptr);
  loaded.loadfromhost(host);
  expectSameTree(loaded, source->line);
  EXPECT_EQ(loaded.result, "1-0");
  EXPECT_EQ(loaded.current, 0);
  EXPECT_EQ(host.depth(), 0);
  EXPECT_EQ(host.position(), 0);
  // a variation numbers itself from the host's count of the position it branches at
  const jurnal& sicilian = *loaded.variantsAt(1)[0];
  EXPECT_EQ(sicilian.startnumber, 1);
  EXPECT_EQ(sicilian.variantsAt(1)[0]->startnumber, 2);
}

TEST(LoadFromHost, CallsInOrder) {
  std::unique_ptr<TTestGame> source = sampleGame();
  TFakeHost host = TFakeHost::fromJournal(source->line);
  doska board;
  jurnal loaded(&board, nullptr);
  loaded.loadfromhost(host);
  std::vector<std::string> expected = {
      "count", "move 0", "move 1", "position 1",
      // variation 1 of move 1: 1... c5 2. Nf3 (2. Nc3)
      "ply", "enter 1", "count", "move 0", "move 1", "position 1", "ply", "enter 1", "count",
      "move 0", "result", "text 1", "text 0", "position 0", "leave", "result", "text 1", "text 0",
      "position 0", "leave", "move 2", "move 3", "result", "text 1", "text 0", "position 0"};
  EXPECT_EQ(host.calls, expected);
}

TEST(LoadFromHost, PlayableAfterLoading) {
  std::unique_ptr<TTestGame> source = sampleGame();
  TFakeHost host = TFakeHost::fromJournal(source->line);
  doska board;
  jurnal loaded(&board, nullptr);
  loaded.loadfromhost(host);
  loaded.gotomove(4);
  source->line.gotomove(4);
  EXPECT_TRUE(sameBoard(board, source->board));
  loaded.gotomove(0);
  EXPECT_TRUE(sameBoard(board, doska()));
  EXPECT_EQ(loaded.gamekeys().MovesKey, source->line.gamekeys().MovesKey);
}

TEST(LoadFromHost, EmptyGameAndReload) {
  TFakeHost host;
  host.result = "1/2-1/2";
  doska board;
  jurnal loaded(&board, nullptr);
  ASSERT_EQ(playSan(loaded, "e4"), 1);
  loaded.loadfromhost(host);
  EXPECT_EQ(loaded.movecount(), 0);
  EXPECT_EQ(loaded.current, 0);
  EXPECT_EQ(loaded.result, "1/2-1/2");
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"count", "result", "text 1", "text 0", "position 0"}));
}

// Bytes a host may hold for a move that no board would make are kept, and walking over them
// touches nothing outside the board.
TEST(LoadFromHost, ForeignMoveBytesStayOnBoard) {
  TFakeHost host;
  TFakeHostMove odd;
  uint8_t bytes[8] = {kWhiteKnight, 9, 0, 2, 1, kBlackPawn, 0, 0xFF};
  std::copy(bytes, bytes + 8, odd.bytes);
  TFakeHostMove rankOne;
  uint8_t edge[8] = {kWhitePawn, 1, 2, 2, 1, kBlackPawn, kWhiteKnight, 0};
  std::copy(edge, edge + 8, rankOne.bytes);
  host.game.moves = {odd, rankOne};
  doska board;
  jurnal loaded(&board, nullptr);
  loaded.loadfromhost(host);
  ASSERT_EQ(loaded.movecount(), 2);
  doska before = board;
  loaded.gotomove(2);
  loaded.gotomove(0);
  EXPECT_TRUE(sameBoard(board, before));
  EXPECT_EQ(loaded.nextnumber(), 1);
  loaded.gamekeys();
}

}  // namespace
