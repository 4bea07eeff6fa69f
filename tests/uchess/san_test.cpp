// Short algebraic notation as makesan writes it.

#include <gtest/gtest.h>

#include "support/chessplay.h"

namespace {

struct TSanCase {
  const char* fen;
  const char* move;  // coordinates, as addmove takes them
  const char* san;
};

class ShortNotation : public testing::TestWithParam<TSanCase> {};

TEST_P(ShortNotation, IsWrittenAsExpected) {
  std::unique_ptr<jurnal> line = journalFromFen(GetParam().fen);
  ASSERT_TRUE(line);
  doska before;
  before.assign(*line->board);
  ASSERT_EQ(playCoords(*line, GetParam().move), 1);
  EXPECT_EQ(line->moveat(0).san.view(), std::string_view(GetParam().san));
  line->back();
  EXPECT_TRUE(sameBoard(*line->board, before));
}

INSTANTIATE_TEST_SUITE_P(
    Journal, ShortNotation,
    testing::Values(
        // the other knight on f6 shares neither file nor rank
        TSanCase{"rnbqkb1r/ppp1pppp/5n2/3p4/3P4/5N2/PPP1PPPP/RNBQKB1R b KQkq - 0 3", "b8d7",
                 "Nbd7"},
        TSanCase{"k7/8/8/8/8/4R3/8/4R1K1 w - - 0 1", "e1e2", "R1e2"},
        TSanCase{"k7/8/8/8/8/4R3/8/4R1K1 w - - 0 1", "e3e2", "R3e2"},
        TSanCase{"2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "h4e1", "Qh4e1"},
        TSanCase{"2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "e4e1", "Qee1"},
        TSanCase{"2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "h1e1", "Q1e1"},
        TSanCase{"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2", "e4d5", "exd5"},
        TSanCase{"rnbqkbnr/ppp1pppp/8/3p4/2P1P3/8/PP1P1PPP/RNBQKBNR w KQkq - 0 2", "c4d5", "cxd5"},
        TSanCase{"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "e5f6", "exf6"},
        TSanCase{"3k4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8q", "e8=Q+"},
        TSanCase{"3r1k2/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8n", "exd8=N"},
        TSanCase{"4k3/8/8/8/8/8/5p2/4K1N1 b - - 0 1", "f2g1r", "fxg1=R+"},
        TSanCase{"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "O-O"},
        TSanCase{"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "O-O-O"},
        TSanCase{"r3k2r/8/8/8/8/8/8/5RK1 b kq - 0 1", "e8c8", "O-O-O"},
        TSanCase{"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2", "d8h4", "Qh4#"},
        TSanCase{"7k/8/5K2/6Q1/8/8/8/8 w - - 0 1", "g5g6", "Qg6"},  // stalemate: no mark
        TSanCase{"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", "O-O-O"},
        TSanCase{"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "h1h8", "Rh8+"}));

// findmove works out the check and the rivals of the move it finds; a board changed before the
// move is added must get the text of its own position.
TEST(ShortNotation, FollowsABoardChangedAfterFindmove) {
  struct TChange {
    int file, rank;
    uint8_t piece;
    const char* san;
  };
  const TChange changes[] = {{2, 8, kBlackKnight, "Ra8"},  // the check is shielded
                             {3, 8, kWhiteRook, "Raa8+"},  // a rival comes in
                             {8, 3, kEmpty, "Ra8+"}};      // nothing changes
  for (const TChange& change : changes) {
    std::unique_ptr<jurnal> line = journalFromFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    ASSERT_TRUE(line);
    doska& b = *line->board;
    int promotion = 0, fromfile = 0, fromrank = 0, torank = 8;
    ASSERT_EQ(b.findmove(kWhiteRook, promotion, fromfile, fromrank, 1, torank), kFoundCheck);
    b.put(change.file, change.rank, change.piece);
    ASSERT_EQ(line->addmove(fromfile, fromrank, 1, torank, promotion, false, 0), 0);
    line->makesan();
    EXPECT_EQ(line->moveat(0).san.view(), std::string_view(change.san));
  }
}

// A promotion piece written on a pawn move that cannot promote makes findmove record no en-passant
// capture; the move added without it takes the pawn, and its record and text are the journal's own.
TEST(ShortNotation, EnPassantAddedAfterAStrayPromotion) {
  std::unique_ptr<jurnal> line =
      journalFromFen("rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3");
  ASSERT_TRUE(line);
  doska& b = *line->board;
  int promotion = kWhiteQueen, fromfile = 5, fromrank = 0, torank = 6;
  ASSERT_EQ(b.findmove(kWhitePawn, promotion, fromfile, fromrank, 4, torank), kFoundQuiet);
  ASSERT_EQ(promotion, 0);
  ASSERT_EQ(line->addmove(fromfile, fromrank, 4, torank, promotion, false, 0), 0);
  line->makesan();
  EXPECT_EQ(line->moveat(0).special, kBlackPawn);
  EXPECT_EQ(line->moveat(0).san.view(), "exd6");
  line->forward();
  EXPECT_EQ(b.at(4, 5), kEmpty);
}

TEST(ShortNotation, MarksAreSuffixed) {
  const char* suffixes[] = {"", "!", "?", "!!", "??", "!?", "?!", ""};
  int marks[] = {0, 1, 2, 3, 4, 5, 6, 146};
  for (int i = 0; i < 8; ++i) {
    TTestGame game;
    ASSERT_EQ(game.line.addmove(7, 1, 6, 3, 0, false, marks[i]), 0);
    game.line.makesan();
    EXPECT_EQ(game.line.moveat(0).san.view(), std::string("Nf3") + suffixes[i]);
  }
}

TEST(ShortNotation, LongestTextFitsInline) {
  TSanText text("Qh4xe1=Q#!?");
  EXPECT_EQ(text.view(), "Qh4xe1=Q#!?");
  text = "abcdefghijklmnop";
  EXPECT_EQ(text.size(), static_cast<size_t>(TSanText::kCapacity));
  EXPECT_EQ(text.view(), "abcdefghijk");
  text = "";
  EXPECT_TRUE(text.empty());
}

TEST(ShortNotation, SetMarkRewritesText) {
  TTestGame game;
  ASSERT_EQ(playSan(game.line, "e4 e5 Nf3"), 3);
  game.line.setmark(3);
  EXPECT_EQ(game.line.lastmove().san.view(), "Nf3!!");
  EXPECT_EQ(game.line.lastmove().mark, 3);
  EXPECT_EQ(game.line.current, 3);
  game.line.setmark(146);
  EXPECT_EQ(game.line.lastmove().san.view(), "Nf3");
  EXPECT_EQ(game.line.lastmove().mark, 146);
  game.line.setmark(0);
  EXPECT_EQ(game.line.lastmove().mark, 0);
  EXPECT_TRUE(sameBoard(
      game.board, boardFromFen("rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2")));
  game.line.gotomove(0);
  game.line.setmark(1);  // nothing made: nothing to mark
  EXPECT_EQ(game.line.moveat(0).mark, 0);
}

}  // namespace
