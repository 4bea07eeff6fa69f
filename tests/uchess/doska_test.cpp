// Questions the board answers: attacks, single moves, castling, findmove's codes and status.

#include <gtest/gtest.h>

#include "support/chessplay.h"
#include "uchess/plainmove.h"

namespace {

TEST(BoardSetup, InitialPositionAndAssign) {
  doska board;
  EXPECT_EQ(board.at(1, 1), kWhiteRook);
  EXPECT_EQ(board.at(5, 1), kWhiteKing);
  EXPECT_EQ(board.at(4, 8), kBlackQueen);
  EXPECT_EQ(board.at(3, 7), kBlackPawn);
  EXPECT_EQ(board.at(4, 4), kEmpty);
  doska other = boardFromFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  board.assign(other);
  EXPECT_TRUE(sameBoard(board, other));
  board.setinitial();
  EXPECT_TRUE(sameBoard(board, boardFromFen(kStartFen)));
}

// What the sets know of themselves goes with a copy, and any change to the squares forgets it: a
// second king put on a board known to be plain makes the sets count the kings again.
TEST(BoardSetup, AChangeForgetsWhatTheSetsKnew) {
  doska board;
  board.markPlain();
  board.markKnown(kWhiteKingSafe);
  doska copy;
  copy.assign(board);
  EXPECT_EQ(copy.sets().knownFacts, kPlainBoard | kWhiteKingSafe);
  board.put(4, 4, kWhiteKing);
  EXPECT_EQ(board.sets().knownFacts, 0u);
  TAppendableMove found;
  EXPECT_FALSE(findPlainMove(board, kWhiteKnight, 0, 0, 0, 6, 3, found));
  EXPECT_TRUE(findPlainMove(copy, kWhiteKnight, 0, 0, 0, 6, 3, found));
  copy.stepPiece(squareIndex(7, 1), squareIndex(6, 3));
  EXPECT_EQ(copy.sets().knownFacts, 0u);
}

TEST(BoardAttacks, KingMayStepOntoDefendedPieceOnlyBeforeLegality) {
  doska board = boardFromFen("4k3/8/8/8/8/5b2/4r3/4K3 w - - 0 1");
  EXPECT_TRUE(board.canmove(5, 1, 5, 2));
  EXPECT_FALSE(board.legalmove(5, 1, 5, 2));
  EXPECT_FALSE(board.legalmove(5, 1, 4, 2));
  EXPECT_TRUE(board.legalmove(5, 1, 4, 1));
  EXPECT_TRUE(board.legalmove(5, 1, 6, 1));
}

TEST(BoardAttacks, OwnPieceCountsOnlyForPawnsAndKings) {
  doska board = boardFromFen("4k3/8/8/8/8/2p5/1r1n4/4K3 b - - 0 1");
  // the rook on b2 does not attack the knight on d2 of its own side, the pawn on c3 does
  EXPECT_TRUE(board.attacked(4, 2, kBlack));
  board.put(3, 3, kEmpty);
  EXPECT_FALSE(board.attacked(4, 2, kBlack));
  EXPECT_TRUE(board.attacked(3, 2, kBlack));
  EXPECT_FALSE(board.attacked(2, 2, kBlack));  // the target itself is never its own attacker
}

TEST(BoardMoves, OffBoardAndEmptySquaresCannotMove) {
  doska board;
  EXPECT_FALSE(board.canmove(0, 2, 1, 3));
  EXPECT_FALSE(board.canmove(1, 2, 1, 9));
  EXPECT_FALSE(board.canmove(4, 4, 4, 5));
  EXPECT_FALSE(board.legalmove(-3, 40, 2, 2));
  EXPECT_FALSE(board.attacked(0, 0, kWhite));
}

struct TCastleCase {
  const char* fen;
  bool queenside, kingside;
};

class Castling : public testing::TestWithParam<TCastleCase> {};

TEST_P(Castling, DependsOnPassageAndFlags) {
  doska board = boardFromFen(GetParam().fen);
  int rank = std::string_view(GetParam().fen).find(" b ") == std::string_view::npos ? 1 : 8;
  EXPECT_EQ(board.canmove(5, rank, 3, rank), GetParam().queenside);
  EXPECT_EQ(board.canmove(5, rank, 7, rank), GetParam().kingside);
}

INSTANTIATE_TEST_SUITE_P(
    Board, Castling,
    testing::Values(TCastleCase{"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", true, true},
                    TCastleCase{"1r2k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, true},    // b1 only
                    TCastleCase{"3rk3/8/8/8/8/8/8/R3K2R w KQ - 0 1", false, true},    // d1
                    TCastleCase{"4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, false},    // f1
                    TCastleCase{"2r1k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", false, true},   // c1
                    TCastleCase{"4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1", false, false},  // in check
                    TCastleCase{"4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1", false, false},  // blocked
                    TCastleCase{"4k3/8/8/8/8/8/8/R3K2R w K - 0 1", false, true},      // lost flag
                    TCastleCase{"r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1", true, true},
                    TCastleCase{"r3k2r/8/8/8/8/8/8/3RK3 b kq - 0 1", false, true}));

TEST(BoardMoves, CastlingIgnoresRookPresenceBeyondFlags) {
  doska board = boardFromFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  board.put(8, 1, kEmpty);  // the flags still say the rook is there
  EXPECT_TRUE(board.canmove(5, 1, 7, 1));
  board.wkingmoved = 1;
  EXPECT_FALSE(board.canmove(5, 1, 3, 1));
}

TEST(BoardMoves, PawnSteps) {
  doska board = boardFromFen("4k3/8/8/8/8/4p3/3PP3/4K3 w - - 0 1");
  EXPECT_TRUE(board.canmove(4, 2, 4, 4));
  EXPECT_FALSE(board.canmove(5, 2, 5, 3));  // blocked ahead
  EXPECT_TRUE(board.canmove(4, 2, 5, 3));   // takes
  EXPECT_FALSE(board.canmove(5, 2, 4, 3));  // nothing to take
  board.put(4, 3, kBlackKnight);
  EXPECT_FALSE(board.canmove(4, 2, 4, 4));  // double step over a piece
}

TEST(BoardFindMove, ResolvesPawnCaptureWrittenWithoutRank) {
  TTestGame game;
  jurnal& line = game.line;
  ASSERT_EQ(playSan(line, "e4 d5"), 2);
  int promotion = 0, fromfile = 5, fromrank = 0, torank = 0;
  EXPECT_EQ(line.board->findmove(kWhitePawn, promotion, fromfile, fromrank, 4, torank),
            kFoundQuiet);
  EXPECT_EQ(fromrank, 4);
  EXPECT_EQ(torank, 5);
}

TEST(BoardFindMove, RankOfPawnCaptureComesFromFirstPawnMet) {
  doska board = boardFromFen("4k3/8/3p4/4P3/8/8/4P3/4K3 w - - 0 1");
  int promotion = 0, fromfile = 5, fromrank = 0, torank = 0;
  EXPECT_EQ(board.findmove(kWhitePawn, promotion, fromfile, fromrank, 4, torank), kNoSuchMove);
  EXPECT_EQ(torank, 3);
  EXPECT_EQ(fromrank, 0);
}

TEST(BoardFindMove, AmbiguityAndDisambiguation) {
  TTestGame game;
  jurnal& line = game.line;
  ASSERT_EQ(playSan(line, "d4 d5 Nf3 Nf6"), 4);
  int promotion = 0, fromfile = 0, fromrank = 0, torank = 2;
  EXPECT_EQ(line.board->findmove(kWhiteKnight, promotion, fromfile, fromrank, 4, torank),
            kAmbiguousMove);
  fromfile = 2;
  fromrank = 0;
  EXPECT_EQ(line.board->findmove(kWhiteKnight, promotion, fromfile, fromrank, 4, torank),
            kFoundQuiet);
  EXPECT_EQ(fromrank, 1);
  fromfile = 0;
  fromrank = 3;
  EXPECT_EQ(line.board->findmove(kWhiteKnight, promotion, fromfile, fromrank, 4, torank),
            kFoundQuiet);
  EXPECT_EQ(fromfile, 6);
}

TEST(BoardFindMove, EnPassantComesBackAsSpecialByte) {
  doska board = boardFromFen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  int promotion = 0, fromfile = 5, fromrank = 0, torank = 6;
  EXPECT_EQ(board.findmove(kWhitePawn, promotion, fromfile, fromrank, 4, torank), kFoundQuiet);
  EXPECT_EQ(promotion, 7);
  doska black = boardFromFen("4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1");
  promotion = 0, fromfile = 5, fromrank = 0, torank = 3;
  EXPECT_EQ(black.findmove(kBlackPawn, promotion, fromfile, fromrank, 4, torank), kFoundQuiet);
  EXPECT_EQ(promotion, 1);
  EXPECT_TRUE(sameBoard(black, boardFromFen("4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1")));
}

TEST(BoardFindMove, CodesForPiecePromotionAndOutcome) {
  doska board = boardFromFen("3k4/4P3/8/8/8/8/8/4K3 w - - 0 1");
  int promotion = 0, fromfile = 0, fromrank = 0, torank = 8;
  EXPECT_EQ(board.findmove(kEmpty, promotion, fromfile, fromrank, 5, torank), kNoPiece);
  EXPECT_EQ(board.findmove(kWhitePawn, promotion, fromfile, fromrank, 5, torank),
            kPromotionMissing);
  torank = 0;  // written without the rank, the last rank is still found missing its piece
  EXPECT_EQ(board.findmove(kWhitePawn, promotion, fromfile, fromrank, 5, torank),
            kPromotionMissing);
  promotion = kBlackQueen;  // not a piece the white pawn may become
  torank = 8;
  EXPECT_EQ(board.findmove(kWhitePawn, promotion, fromfile, fromrank, 5, torank),
            kPromotionMissing);
  promotion = kWhiteQueen;
  EXPECT_EQ(board.findmove(kWhitePawn, promotion, fromfile, fromrank, 5, torank), kFoundCheck);
  EXPECT_EQ(promotion, kWhiteQueen);
  EXPECT_EQ(board.at(5, 7), kWhitePawn);  // tried, not made
  promotion = 0, fromfile = 0, fromrank = 0, torank = 3;
  EXPECT_EQ(board.findmove(kWhiteRook, promotion, fromfile, fromrank, 1, torank), kNoSuchMove);
  EXPECT_EQ(fromfile, 0);
}

TEST(BoardFindMove, MateAndStalemate) {
  TTestGame game;
  jurnal& line = game.line;
  ASSERT_EQ(playSan(line, "f3 e5 g4"), 3);
  int promotion = 0, fromfile = 0, fromrank = 0, torank = 4;
  EXPECT_EQ(line.board->findmove(kBlackQueen, promotion, fromfile, fromrank, 8, torank),
            kFoundMate);
  doska board = boardFromFen("7k/8/5K2/6Q1/8/8/8/8 w - - 0 1");
  promotion = 0, fromfile = 0, fromrank = 0, torank = 6;
  EXPECT_EQ(board.findmove(kWhiteQueen, promotion, fromfile, fromrank, 7, torank), kFoundStalemate);
}

TEST(BoardStatus, CheckMateStalemateAndMissingKing) {
  EXPECT_EQ(doska().status(true), kStatusNone);
  EXPECT_EQ(boardFromFen("4k3/8/8/8/8/8/8/4K2r w - - 0 1").status(true), kStatusCheck);
  EXPECT_EQ(
      boardFromFen("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3").status(true),
      kStatusMate);
  EXPECT_EQ(boardFromFen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1").status(false), kStatusStalemate);
  EXPECT_EQ(boardFromFen("8/8/8/8/8/8/8/4K3 w - - 0 1").status(false), kStatusNoKing);
}

}  // namespace
