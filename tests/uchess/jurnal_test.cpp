// The move journal: adding moves and variations, walking the line, numbers, comments, copies.

#include <random>

#include <gtest/gtest.h>

#include "support/chessplay.h"
#include "uchess/squaresets.h"

namespace {

struct TLegalMove {
  int fromfile, fromrank, tofile, torank, promotion;
};

std::vector<TLegalMove> legalMoves(doska& board, bool white) {
  std::vector<TLegalMove> found;
  for (int ff = 1; ff <= 8; ++ff)
    for (int fr = 1; fr <= 8; ++fr) {
      uint8_t piece = board.at(ff, fr);
      if (white ? !isWhitePiece(piece) : !isBlackPiece(piece)) continue;
      for (int tf = 1; tf <= 8; ++tf)
        for (int tr = 1; tr <= 8; ++tr) {
          if (!board.legalmove(ff, fr, tf, tr)) continue;
          bool promotes = (piece == kWhitePawn && tr == 8) || (piece == kBlackPawn && tr == 1);
          found.push_back({ff, fr, tf, tr, promotes ? (white ? kWhiteQueen : kBlackKnight) : 0});
        }
    }
  return found;
}

// Random games from positions rich in castling, en passant and promotion: every position met
// going forward must come back exactly, state bytes included, when the moves are taken back.
class RandomGame : public testing::TestWithParam<const char*> {};

TEST_P(RandomGame, BackRestoresEveryPosition) {
  std::unique_ptr<jurnal> line = journalFromFen(GetParam());
  ASSERT_TRUE(line);
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    line->gotomove(0);
    line->moves.clear();
    std::vector<doska> seen(1, *line->board);
    for (int ply = 0; ply < 150; ++ply) {
      std::vector<TLegalMove> moves = legalMoves(*line->board, whiteToMove(*line));
      if (moves.empty()) break;
      const TLegalMove& m = moves[random() % moves.size()];
      ASSERT_EQ(line->addmove(m.fromfile, m.fromrank, m.tofile, m.torank, m.promotion, false, 0),
                0);
      line->makesan();
      line->forward();
      seen.push_back(*line->board);
    }
    for (int i = line->movecount(); i >= 0; --i) {
      line->gotomove(i);
      ASSERT_TRUE(sameBoard(*line->board, seen[i])) << "seed " << seed << " ply " << i;
    }
    line->gotomove(line->movecount());
    ASSERT_TRUE(sameBoard(*line->board, seen.back())) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Journal, RandomGame,
    testing::Values("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
                    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
                    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1"));

TEST(JournalWalk, CastlingTakenBackClearsOnlyWhatItSet) {
  std::unique_ptr<jurnal> line = journalFromFen("r3k2r/8/8/8/8/8/8/R3K2R w Kkq - 0 1");
  ASSERT_EQ(playCoords(*line, "e1g1"), 1);
  EXPECT_EQ(line->moveat(0).changes, kLosesWhiteKingside | kMovesWhiteKing);
  EXPECT_EQ(line->board->at(6, 1), kWhiteRook);
  line->back();
  EXPECT_TRUE(
      sameBoard(*line->board, *journalFromFen("r3k2r/8/8/8/8/8/8/R3K2R w Kkq - 0 1")->board));
  EXPECT_EQ(line->board->wqlost, 1);
}

TEST(JournalWalk, EnPassantTakenBackRestoresPawnAndFile) {
  TTestGame game;
  ASSERT_EQ(playSan(game.line, "e4 a6 e5 d5 exd6"), 5);
  EXPECT_EQ(game.line.lastmove().special, 7);
  EXPECT_EQ(game.line.lastmove().captured, kEmpty);
  EXPECT_EQ(game.board.at(4, 5), kEmpty);
  game.line.back();
  EXPECT_EQ(game.board.at(4, 5), kBlackPawn);
  EXPECT_EQ(game.board.epforwhite, 4);
  EXPECT_EQ(game.board.epforblack, 0);
}

// Stepping forward over a move findmove has just played on a copy takes that copy's position; a
// different move added, or a board changed in between, must still be played on the board itself.
TEST(JournalWalk, ForwardPlaysWhatWasAddedOnTheBoardAsItIs) {
  TTestGame game;
  int promotion = 0, fromfile = 0, fromrank = 0, torank = 4;
  ASSERT_EQ(game.board.findmove(kWhitePawn, promotion, fromfile, fromrank, 5, torank), kFoundQuiet);
  ASSERT_EQ(game.line.addmove(4, 2, 4, 4, 0, false, 0), 0);
  game.line.forward();
  EXPECT_EQ(game.board.at(4, 4), kWhitePawn);
  EXPECT_EQ(game.board.at(5, 4), kEmpty);
  EXPECT_EQ(game.board.at(5, 2), kWhitePawn);

  fromfile = fromrank = 0;
  torank = 5;
  ASSERT_EQ(game.board.findmove(kBlackPawn, promotion, fromfile, fromrank, 5, torank), kFoundQuiet);
  ASSERT_EQ(game.line.addmove(5, 7, 5, 5, 0, false, 0), 0);
  game.board.put(1, 1, kEmpty);
  game.line.forward();
  EXPECT_EQ(game.board.at(5, 5), kBlackPawn);
  EXPECT_EQ(game.board.at(1, 1), kEmpty) << "the position findmove saw came back";
  EXPECT_EQ(game.board.sets().of[kWhiteRook], squareBit(8, 1));
}

TEST(JournalWalk, GotoMoveClamps) {
  TTestGame game;
  ASSERT_EQ(playSan(game.line, "e4 e5 Nf3"), 3);
  game.line.gotomove(-5);
  EXPECT_EQ(game.line.current, 0);
  EXPECT_TRUE(sameBoard(game.board, doska()));
  game.line.gotomove(99);
  EXPECT_EQ(game.line.current, 3);
  game.line.forward();
  EXPECT_EQ(game.line.current, 3);
  game.line.gotomove(0);
  game.line.back();
  EXPECT_EQ(game.line.current, 0);
}

TEST(JournalBuild, SameMoveMatchesAndOtherMovesOpenVariations) {
  TTestGame game;
  jurnal& line = game.line;
  ASSERT_EQ(playSan(line, "e4 e5"), 2);
  line.gotomove(0);
  EXPECT_EQ(line.addmove(5, 2, 5, 4, 0, false, 0), 0);
  EXPECT_EQ(line.movecount(), 2);
  EXPECT_EQ(line.addmove(4, 2, 4, 4, 0, false, 0), 1);
  EXPECT_EQ(line.addmove(4, 2, 4, 4, 0, false, 0), 1);
  EXPECT_EQ(line.addmove(3, 2, 3, 4, 0, false, 0), 2);
  EXPECT_EQ(line.addmove(5, 2, 5, 4, 0, true, 0), 3);  // forced: equal to the main move
  EXPECT_EQ(line.variantCountAt(0), 3);
  const jurnal& d4 = *line.variantsAt(0)[0];
  EXPECT_EQ(d4.parent, &line);
  EXPECT_EQ(d4.board, &game.board);
  EXPECT_EQ(d4.movecount(), 1);
  EXPECT_EQ(d4.moveat(0).tofile, 4);
  EXPECT_EQ(d4.startnumber, 0);
  EXPECT_EQ(d4.blackfirst, 0);
  EXPECT_EQ(line.current, 0);
  EXPECT_TRUE(sameBoard(game.board, doska()));  // adding makes nothing
}

TEST(JournalBuild, RefusedMoveAddsNothing) {
  TTestGame game;
  EXPECT_EQ(game.line.addmove(5, 2, 5, 5, 0, false, 0), -1);
  EXPECT_EQ(game.line.addmove(4, 4, 4, 5, 0, false, 0), -1);
  EXPECT_EQ(game.line.addmove(0, 0, 9, 9, 0, false, 0), -1);
  EXPECT_EQ(game.line.movecount(), 0);
}

TEST(JournalBuild, EnPassantMatchesWithoutItsMark) {
  TTestGame game;
  ASSERT_EQ(playSan(game.line, "e4 a6 e5 d5 exd6"), 5);
  game.line.back();
  EXPECT_EQ(game.line.addmove(5, 5, 4, 6, 0, false, 0), 0);
  EXPECT_EQ(game.line.addmove(5, 5, 4, 6, 7, false, 0), 0);
  EXPECT_EQ(game.line.movecount(), 5);
}

// A stray promotion piece on a move that promotes nothing must not change the piece or, as an
// en-passant mark, remove a piece elsewhere.
TEST(JournalBuild, StrayPromotionPieceIsDropped) {
  doska board = boardFromFen("4k3/8/8/8/8/2p5/8/1N2K3 b - - 0 1");
  jurnal line(&board, nullptr);
  line.blackfirst = 1;
  ASSERT_EQ(line.addmove(3, 3, 3, 2, kBlackQueen, false, 0), 0);
  EXPECT_EQ(line.moveat(0).special, 0);
  line.forward();
  ASSERT_EQ(line.addmove(2, 1, 3, 3, kWhitePawn, false, 0), 0);  // an en-passant mark on a knight
  EXPECT_EQ(line.moveat(1).special, 0);
  line.forward();
  EXPECT_EQ(board.at(3, 2), kBlackPawn);
  EXPECT_EQ(board.at(3, 3), kWhiteKnight);
}

TEST(JournalBuild, VariationRemembersBranchingPoint) {
  TTestGame game;
  jurnal& line = game.line;
  ASSERT_EQ(playSan(line, "e4 d5 e5 f5 exf6 e6"), 6);
  line.gotomove(4);  // before exf6, White may take en passant on f6
  ASSERT_EQ(line.addmove(4, 2, 4, 4, 0, false, 0), 1);
  jurnal& variation = *line.variantsAt(4)[0];
  EXPECT_EQ(variation.startnumber, 2);
  EXPECT_EQ(variation.blackfirst, 0);
  EXPECT_EQ(variation.startep, 6);
  doska branch = game.board;
  EXPECT_EQ(branch.epforwhite, 6);
  variation.forward();
  ASSERT_EQ(playSan(variation, "Nc6 Nf3"), 2);
  variation.gotomove(0);
  EXPECT_TRUE(sameBoard(game.board, branch));
  line.gotomove(5);
  ASSERT_EQ(line.addmove(7, 7, 7, 5, 0, false, 0), 1);  // replaces Black's e6
  const jurnal& black = *line.variantsAt(5)[0];
  EXPECT_EQ(black.blackfirst, 1);
  EXPECT_EQ(black.startnumber, 2);
}

TEST(JournalNumbers, NextNumber) {
  TTestGame game;
  jurnal& line = game.line;
  EXPECT_EQ(line.nextnumber(), 1);
  ASSERT_EQ(playSan(line, "e4 e5 Nf3"), 3);
  EXPECT_EQ(line.nextnumber(), 2);
  line.forward();
  std::unique_ptr<jurnal> fen = journalFromFen("4k3/8/8/8/8/8/4P3/4K3 b - - 0 30");
  EXPECT_EQ(fen->nextnumber(), 30);
  ASSERT_EQ(playCoords(*fen, "e8d8"), 1);
  EXPECT_EQ(fen->nextnumber(), 31);
  // two White moves in a row: the Black move between them is skipped
  TTestGame skipped;
  ASSERT_EQ(playCoords(skipped.line, "e2e4 d2d4"), 2);
  EXPECT_EQ(skipped.line.nextnumber(), 2);
  skipped.line.back();
  EXPECT_EQ(skipped.line.nextnumber(), 1);
}

TEST(JournalComments, BracesAndLineComments) {
  TTestGame game;
  jurnal& line = game.line;
  line.setcomment("opening {remark}");
  EXPECT_EQ(line.precomment, "{opening remark}");
  ASSERT_EQ(playSan(line, "e4"), 1);
  line.setcomment("; to the end of the line\n");
  EXPECT_EQ(line.commentAt(0), "; to the end of the line\n");
  line.setcomment("; not ended");
  EXPECT_EQ(line.commentAt(0), "{; not ended}");
  line.setcomment("");
  EXPECT_EQ(line.commentAt(0), "");
  ASSERT_EQ(playSan(line, "e5"), 1);
  line.setcomment("");
  EXPECT_FALSE(line.lastmove().hasExtras);  // nothing kept for a move without comment
}

TEST(JournalMoves, OutOfRangeGivesEmptyMove) {
  TTestGame game;
  EXPECT_EQ(game.line.nextmove().piece, 0);
  EXPECT_EQ(game.line.lastmove().piece, 0);
  ASSERT_EQ(playSan(game.line, "e4"), 1);
  EXPECT_EQ(game.line.lastmove().piece, kWhitePawn);
  EXPECT_EQ(game.line.nextmove().piece, 0);
  EXPECT_EQ(game.line.moveat(-1).piece, 0);
  EXPECT_EQ(game.line.moveat(1).piece, 0);
}

// Comments and variations stay with the line and the place of their move: a move taken off the
// line leaves them behind for nobody, and a copy of a move shows none in another line.
TEST(JournalMoves, ExtrasBelongToTheLineNotToTheRecord) {
  TTestGame game;
  jurnal& line = game.line;
  ASSERT_EQ(playSan(line, "e4"), 1);
  line.setcomment("best");
  line.back();
  ASSERT_EQ(line.addmove(4, 2, 4, 4, 0, false, 0), 1);
  EXPECT_EQ(line.commentAt(0), "{best}");
  EXPECT_EQ(line.variantCountAt(0), 1);
  mov copy = line.moveat(0);
  EXPECT_EQ(copy.san.view(), "e4");

  jurnal other(nullptr, nullptr);
  other.moves.push_back(copy);
  EXPECT_EQ(other.commentAt(0), "");
  EXPECT_EQ(other.variantCountAt(0), 0);
  other.setCommentAt(0, "{own}");
  EXPECT_EQ(other.commentAt(0), "{own}");

  mov fresh = copy;
  fresh.hasExtras = 0;
  line.moves.pop_back();
  line.moves.push_back(fresh);
  EXPECT_EQ(line.commentAt(0), "");
  EXPECT_EQ(line.variantCountAt(0), 0);
  line.setCommentAt(0, "{new}");
  EXPECT_EQ(line.commentAt(0), "{new}");
  EXPECT_EQ(line.variantCountAt(0), 0);  // the old variation is not revived with the comment
  EXPECT_EQ(line.commentAt(1), "");      // off the line
}

// Each level holds one move and one variation of it, the variation the next level.
jurnal* nestVariations(jurnal& root, int depth) {
  jurnal* line = &root;
  for (int i = 0; i < depth; ++i) {
    bool kingPawn = i % 2 == 0;
    EXPECT_EQ(line->addmove(kingPawn ? 5 : 4, 2, kingPawn ? 5 : 4, 4, 0, false, 0), 0);
    EXPECT_EQ(line->addmove(kingPawn ? 4 : 5, 2, kingPawn ? 4 : 5, 4, 0, false, 0), 1);
    line = line->variantsAt(0)[0].get();
  }
  return line;
}

TEST(JournalTree, DeepNestingIsDestroyedAndAttachedWithoutRecursion) {
  doska board;
  auto root = std::make_unique<jurnal>(&board, nullptr);
  jurnal* deepest = nestVariations(*root, 100000);
  EXPECT_EQ(deepest->movecount(), 1);
  deepest->forward();
  doska other;
  root->attachboard(&other);
  EXPECT_EQ(deepest->board, &other);
  EXPECT_EQ(deepest->current, 0);
  root.reset();
}

}  // namespace
