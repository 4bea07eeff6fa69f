// Setting a journal up from FEN: the position, the state bytes, the clocks and every error code.

#include <gtest/gtest.h>

#include "support/chessplay.h"

namespace {

struct TFenResult {
  std::unique_ptr<jurnal> line;
  int error = -1;
  int64_t position = 0;
};

TFenResult readFen(std::string_view text, int64_t from = 1) {
  TFenResult r;
  r.position = from;
  r.line = jurnal::createfromfen(text, r.error, r.position);
  return r;
}

TEST(FenSetup, StartPositionEqualsInitialBoard) {
  TFenResult r = readFen(kStartFen);
  ASSERT_EQ(r.error, 0);
  ASSERT_TRUE(r.line);
  EXPECT_TRUE(sameBoard(*r.line->startboard, doska()));
  EXPECT_EQ(r.line->board, r.line->startboard.get());
  EXPECT_EQ(r.line->blackfirst, 0);
  EXPECT_EQ(r.line->startnumber, 0);
  EXPECT_EQ(r.line->result, "*");
  EXPECT_EQ(r.position, static_cast<int64_t>(kStartFen.size()) + 1);
}

TEST(FenSetup, DashCastlingLosesEveryRight) {
  TFenResult r = readFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1");
  ASSERT_EQ(r.error, 0);
  const doska& b = *r.line->board;
  EXPECT_EQ(b.wqlost + b.wklost + b.bqlost + b.bklost, 4);
  EXPECT_EQ(b.wkingmoved + b.bkingmoved, 0);
}

TEST(FenSetup, CastlingLetterNeedsItsRook) {
  TFenResult r = readFen("r3k3/8/8/8/8/8/8/4K2R w KQkq - 0 1");
  ASSERT_EQ(r.error, 0);
  const doska& b = *r.line->board;
  EXPECT_EQ(b.wklost, 0);
  EXPECT_EQ(b.wqlost, 1);
  EXPECT_EQ(b.bqlost, 0);
  EXPECT_EQ(b.bklost, 1);
}

TEST(FenSetup, WithoutCastlingFieldRightsComeFromPlacement) {
  for (std::string_view text : {"r3k2r/8/8/8/8/8/8/R4K1R b", "r3k2r/8/8/8/8/8/8/R4K1R b "}) {
    TFenResult r = readFen(text);
    ASSERT_EQ(r.error, 0) << text;
    const doska& b = *r.line->board;
    EXPECT_EQ(b.wqlost + b.wklost + b.bqlost + b.bklost, 0);
    EXPECT_EQ(b.wkingmoved, 1);
    EXPECT_EQ(b.bkingmoved, 0);
    EXPECT_EQ(r.line->blackfirst, 1);
    EXPECT_EQ(r.position, static_cast<int64_t>(text.size()) + 1);
  }
}

TEST(FenSetup, ClocksAndMoveNumber) {
  TFenResult r = readFen("4k3/8/8/8/8/8/8/4K3 b - - 17 42");
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(r.line->halfmoves, 17);
  EXPECT_EQ(r.line->startnumber, 41);
  EXPECT_EQ(r.line->nextnumber(), 42);
  // without clocks, or with a word after the en-passant field, the numbers stay 0
  EXPECT_EQ(readFen("4k3/8/8/8/8/8/8/4K3 w - -").line->startnumber, 0);
  TFenResult word = readFen("4k3/8/8/8/8/8/8/4K3 w - - w");
  EXPECT_EQ(word.error, 0);
  EXPECT_EQ(word.position, 27);  // on the word
  // a move number 0 is taken as 1; an absurd clock saturates
  EXPECT_EQ(readFen("4k3/8/8/8/8/8/8/4K3 w - - 0 0").line->startnumber, 0);
  EXPECT_GT(readFen("4k3/8/8/8/8/8/8/4K3 w - - 99999999999999999999 1").line->halfmoves, 0);
}

TEST(FenSetup, ReadsFromGivenPositionAndReportsWhereItStopped) {
  std::string text = "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]";
  TFenResult r = readFen(text, 7);
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(text[r.position - 1], '"');
  EXPECT_EQ(readFen(text, 1000).error, kFenEarlyEnd);
}

TEST(FenSetup, EnPassantFile) {
  TFenResult r = readFen("rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3");
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(r.line->board->epforwhite, 4);
  EXPECT_EQ(r.line->startep, 4);
  EXPECT_TRUE(r.line->board->legalmove(5, 5, 4, 6));
  TFenResult black = readFen("4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1");
  EXPECT_EQ(black.line->board->epforblack, 4);
}

// A file with no double-stepped pawn behind it would let a capture remove whatever stands there
// and taking it back put a pawn in its place.
TEST(FenSetup, ImpossibleEnPassantFileIsIgnored) {
  for (std::string_view text :
       {"4k3/8/8/3nP3/8/8/8/4K3 w - d6 0 1", "4k3/8/8/3pP3/8/8/8/4K3 b - d6 0 1"}) {
    TFenResult r = readFen(text);
    ASSERT_EQ(r.error, 0);
    EXPECT_EQ(r.line->board->epforwhite, 0) << text;
    EXPECT_EQ(r.line->startep, 0) << text;
    EXPECT_FALSE(r.line->board->canmove(5, 5, 4, 6)) << text;
  }
}

struct TFenErrorCase {
  const char* text;
  int error;
  int64_t position;
};

class FenError : public testing::TestWithParam<TFenErrorCase> {};

TEST_P(FenError, IsReportedWhereFound) {
  TFenResult r = readFen(GetParam().text);
  EXPECT_EQ(r.error, GetParam().error);
  EXPECT_EQ(r.position, GetParam().position);
  EXPECT_FALSE(r.line);
}

INSTANTIATE_TEST_SUITE_P(
    Journal, FenError,
    testing::Values(TFenErrorCase{"rnbqkbnr/pppppppp/8", kFenEarlyEnd, 20},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w KQkq", kFenEarlyEnd, 27},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w - - 0", kFenEarlyEnd, 28},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w - d", kFenEarlyEnd, 26},
                    TFenErrorCase{"p8/8/8/8/8/8/8/4K3 w - -", kFenRankOverflow, 2},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K2x w - -", kFenBadPiece, 20},
                    TFenErrorCase{"4k3/8/8/8/8/8/9/4K3 w - -", kFenBadPiece, 15},
                    TFenErrorCase{"4k3/8/8/8/8/8/8 4K3 w - -", kFenNoSlash, 16},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3/w - -", kFenNoSpace, 20},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w KQkqK -", kFenNoSpace, 27},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 x - -", kFenBadSide, 21},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w K- -", kFenBadSide, 24},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w  - -", kFenBadCastling, 23},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w KX -", kFenBadCastling, 24},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w - x3", kFenBadEnPassantFile, 25},
                    TFenErrorCase{"4k3/8/8/8/8/8/8/4K3 w - e5", kFenBadEnPassantRank, 26}));

}  // namespace
