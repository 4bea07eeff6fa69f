// The fast board against its plain reference forms: along random games from positions full of
// tactics, and on boards no game reaches (crowded, sparse, several kings or none, codes that are no
// piece, en-passant files no pawn stands beside).

#include <array>
#include <iterator>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "support/boardcompare.h"
#include "support/chessplay.h"
#include "uchess/boardscan.h"

namespace {

// The start, the tactical positions and shuffled back ranks with the kings between rooks that
// castle onto their end squares.
std::vector<const char*> startFens() {
  std::vector<const char*> fens = {kStartFen.data()};
  fens.insert(fens.end(), std::begin(kTacticalFens), std::end(kTacticalFens));
  fens.push_back("1r2k1r1/pp1ppppp/8/8/8/8/PP1PPPPP/1R2K1R1 w KQkq - 0 1");
  fens.push_back("rk5r/p6p/8/8/8/8/P6P/RK5R w HAha - 0 1");
  return fens;
}

// Plays a random legal move (legality by the reference form), checking its notation both ways
// first; false when the side to move has none.
bool playRandomMove(jurnal& line, std::mt19937& random) {
  doska& b = *line.board;
  bool white = whiteToMove(line);
  std::vector<std::array<int, 4>> moves = legalMovesByScan(b, white);
  if (moves.empty()) return false;
  const std::array<int, 4>& m = moves[random() % moves.size()];
  int promotion = static_cast<int>((white ? kWhiteKnight : kBlackKnight) + random() % 4);
  EXPECT_GE(line.addmove(m[0], m[1], m[2], m[3], promotion, true, 0), 0);
  EXPECT_TRUE(sameSan(line));
  line.makesan();
  line.forward();
  return true;
}

TEST(BoardAgainstScan, AgreesAlongRandomGames) {
  std::mt19937 random(2024);
  for (const char* fen : startFens()) {
    for (int game = 0; game < 2; ++game) {
      std::unique_ptr<jurnal> line = journalFromFen(fen);
      ASSERT_TRUE(line);
      for (int ply = 0; ply < 160; ++ply) {
        SCOPED_TRACE(testing::Message() << fen << " game " << game << " ply " << ply);
        doska& b = *line->board;
        ASSERT_TRUE(sameStatus(b));
        if (ply % 9 == 0) {
          ASSERT_TRUE(sameLegalMoves(b));
        }
        if (ply % 6 == 0) {
          ASSERT_TRUE(sameFindMoves(b, whiteToMove(*line)));
        }
        if (!playRandomMove(*line, random) || HasFailure()) break;
      }
    }
  }
}

uint8_t randomCode(std::mt19937& random) {
  if (random() % 60 == 0) return static_cast<uint8_t>(13 + random() % 243);
  return static_cast<uint8_t>(1 + random() % 12);
}

// A king between two rooks on each back rank, castling the Chess960 way, and now and then a piece
// on the rank that may block it.
void placeShuffledCastling(doska& board, std::mt19937& random) {
  board.chess960 = 1;
  for (int side : {kWhite, kBlack}) {
    int rank = side == kWhite ? 1 : 8;
    uint8_t offset = side == kWhite ? 0 : 6;
    for (int file = 1; file <= 8; ++file)
      board.put(file, rank, random() % 4 == 0 ? randomCode(random) : kEmpty);
    int king = 2 + random() % 6;
    int queenRook = 1 + random() % (king - 1), kingRook = king + 1 + random() % (8 - king);
    board.put(king, rank, kWhiteKing + offset);
    board.put(queenRook, rank, kWhiteRook + offset);
    board.put(kingRook, rank, kWhiteRook + offset);
    board.kingfile[side] = static_cast<uint8_t>(king);
    board.rookfile[side][0] = static_cast<uint8_t>(kingRook);
    board.rookfile[side][1] = static_cast<uint8_t>(queenRook);
  }
}

// Random pieces; every other board has kings and rooks at home so that castling is asked, and the
// state bytes are random, en-passant files off the board included.
doska randomBoard(std::mt19937& random, int n) {
  doska board;
  int density = 1 + n % 5;
  for (int file = 1; file <= 8; ++file)
    for (int rank = 1; rank <= 8; ++rank)
      board.put(file, rank,
                static_cast<int>(random() % 10) < density ? randomCode(random) : kEmpty);
  if (n % 2 == 0) {
    for (int rank : {1, 8}) {
      uint8_t offset = rank == 1 ? 0 : 6;
      board.put(5, rank, kWhiteKing + offset);
      board.put(1, rank, kWhiteRook + offset);
      board.put(8, rank, kWhiteRook + offset);
      for (int file : {2, 3, 4, 6, 7})
        if (random() % 3 != 0) board.put(file, rank, kEmpty);
    }
  }
  if (n % 3 == 0) placeShuffledCastling(board, random);
  uint8_t* state = &board.wqlost;
  for (int i = 0; i < 6; ++i) state[i] = static_cast<uint8_t>(random() % 3 == 0);
  board.epforblack = static_cast<uint8_t>(random() % 10);
  board.epforwhite = static_cast<uint8_t>(random() % 10);
  return board;
}

// Notation of a move canmove allows (addmove asks no more) from a random square of the board.
testing::AssertionResult sameSanOfSomeMove(doska& board, std::mt19937& random) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    int ff = 1 + random() % 8, fr = 1 + random() % 8, tf = 1 + random() % 8, tr = 1 + random() % 8;
    if (!board.canmove(ff, fr, tf, tr)) continue;
    jurnal line(&board, nullptr);
    int promotion = isWhitePiece(board.at(ff, fr)) ? kWhiteQueen : kBlackRook;
    if (line.addmove(ff, fr, tf, tr, promotion, false, 0) < 0)
      return testing::AssertionFailure() << "addmove refused a move canmove allows";
    return sameSan(line);
  }
  return testing::AssertionSuccess();
}

TEST(BoardAgainstScan, AgreesOnBoardsNoGameReaches) {
  std::mt19937 random(5);
  for (int n = 0; n < 1200; ++n) {
    SCOPED_TRACE(testing::Message() << "board " << n);
    doska board = randomBoard(random, n);
    ASSERT_TRUE(sameStatus(board));
    ASSERT_TRUE(sameSanOfSomeMove(board, random));
    if (n % 4 == 0) {
      ASSERT_TRUE(sameLegalMoves(board));
    }
    if (n % 4 == 1) {
      ASSERT_TRUE(sameFindMoves(board, n % 8 == 1));
    }
  }
}

// One king a side and a few pieces: checks, mates, stalemates and pins come often.
doska randomEnding(std::mt19937& random) {
  doska board;
  for (int file = 1; file <= 8; ++file)
    for (int rank = 1; rank <= 8; ++rank) board.put(file, rank, kEmpty);
  board.put(1 + random() % 8, 1 + random() % 8, kWhiteKing);
  board.put(1 + random() % 8, 1 + random() % 8, kBlackKing);
  int pieces = 2 + random() % 5;
  for (int i = 0; i < pieces; ++i) {
    int file = 1 + random() % 8, rank = 2 + random() % 6;
    if (board.at(file, rank) == kEmpty)
      board.put(file, rank, 1 + random() % 5 + 6 * (random() % 2));
  }
  board.wqlost = board.wklost = board.bqlost = board.bklost = 1;
  return board;
}

TEST(BoardAgainstScan, AgreesOnSparseEndings) {
  std::mt19937 random(17);
  for (int n = 0; n < 1500; ++n) {
    SCOPED_TRACE(testing::Message() << "ending " << n);
    doska board = randomEnding(random);
    ASSERT_TRUE(sameStatus(board));
    if (n % 10 == 0) {
      ASSERT_TRUE(sameLegalMoves(board));
      ASSERT_TRUE(sameFindMoves(board, n % 20 == 0));
    }
  }
}

struct TPinCase {
  const char* fen;
  int status;      // for the side to move
  int legalMoves;  // of the side to move
};

class PinnedPieces : public testing::TestWithParam<TPinCase> {};

// Positions where a pin or an attack uncovered by the move decides what is legal.
TEST_P(PinnedPieces, DecideLegalityAndStatusAlike) {
  const TPinCase& c = GetParam();
  std::unique_ptr<jurnal> line = journalFromFen(c.fen);
  ASSERT_TRUE(line);
  doska& board = *line->board;
  bool white = line->blackfirst == 0;
  EXPECT_EQ(board.status(white), c.status);
  int legal = 0;
  for (int ff = 1; ff <= 8; ++ff)
    for (int fr = 1; fr <= 8; ++fr)
      for (int tf = 1; tf <= 8; ++tf)
        for (int tr = 1; tr <= 8; ++tr)
          legal += (white ? isWhitePiece(board.at(ff, fr)) : isBlackPiece(board.at(ff, fr))) &&
                   board.legalmove(ff, fr, tf, tr);
  EXPECT_EQ(legal, c.legalMoves);
  EXPECT_TRUE(sameStatus(board));
  EXPECT_TRUE(sameLegalMoves(board));
  EXPECT_TRUE(sameFindMoves(board, white));
}

INSTANTIATE_TEST_SUITE_P(Board, PinnedPieces,
                         testing::Values(
                             // the rook's every move leaves the diagonal to its king: stalemate
                             TPinCase{"7k/5Kr1/6P1/8/8/8/8/B7 b - - 0 1", kStatusStalemate, 0},
                             // the bishop moves only along the pin, the knight not at all
                             TPinCase{"7k/8/8/8/q7/8/2B5/3K4 w - - 0 1", kStatusNone, 6},
                             TPinCase{"4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1", kStatusNone, 4},
                             TPinCase{"4k3/8/8/2b5/8/8/5P2/6K1 w - - 0 1", kStatusNone, 4},
                             // taking en passant takes both pawns off the king's rank
                             TPinCase{"8/8/8/8/k2Pp2Q/8/8/3K4 b - d3 0 1", kStatusNone, 6},
                             TPinCase{"8/8/8/KPp4r/8/8/8/7k w - c6 0 1", kStatusNone, 4},
                             TPinCase{"K7/1r6/2k5/8/8/8/8/8 w - - 0 1", kStatusStalemate, 0},
                             TPinCase{"1k6/1P6/1K6/8/8/8/8/8 b - - 0 1", kStatusStalemate, 0},
                             TPinCase{"7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", kStatusMate, 0},
                             // a pawn with the square ahead free and a knight with squares to
                             // land on, both pinned to their king
                             TPinCase{"8/8/8/8/3b4/8/1Pk5/K1n5 w - - 0 1", kStatusStalemate, 0},
                             TPinCase{"8/8/8/8/3b4/8/1Nk5/K1n5 w - - 0 1", kStatusStalemate, 0},
                             TPinCase{"k1N5/1pK5/8/3B4/8/8/8/8 b - - 0 1", kStatusStalemate, 0}));

// Pawns on the last rank (only a caller setting up the board puts them there) have no step, though
// the square one index further, on the next file's far rank, is empty.
TEST(BoardStatus, PawnsOnTheLastRankHaveNoStep) {
  doska white = boardFromFen("8/8/8/8/8/8/2k5/K1n5 w - - 0 1");
  white.put(1, 8, kWhitePawn);
  EXPECT_EQ(white.status(true), kStatusStalemate);
  EXPECT_TRUE(sameStatus(white));
  doska black = boardFromFen("7k/5K2/6P1/8/8/8/8/8 b - - 0 1");
  black.put(2, 1, kBlackPawn);
  EXPECT_EQ(black.status(false), kStatusStalemate);
  EXPECT_TRUE(sameStatus(black));
}

// A board whose en-passant file has no pawn beside it (FEN reading refuses such a file, a caller
// setting the board may not): taking back a trial capture there used to conjure up the pawn.
TEST(BoardTrialMoves, LeaveNoPawnBehindForAnEnPassantFileWithoutOne) {
  doska board = boardFromFen("4k3/8/8/4P3/8/8/8/4K3 w - - 0 1");
  board.epforwhite = 4;
  doska before = board;
  EXPECT_TRUE(board.legalmove(5, 5, 4, 6));
  EXPECT_TRUE(sameBoard(board, before));
  int promotion = 0, fromfile = 5, fromrank = 0, torank = 6;
  EXPECT_EQ(board.findmove(kWhitePawn, promotion, fromfile, fromrank, 4, torank), kFoundQuiet);
  EXPECT_EQ(promotion, kBlackPawn);
  EXPECT_TRUE(sameBoard(board, before));
  TBoardByScan byScan;
  EXPECT_TRUE(board.legalmove(5, 5, 4, 6));
  EXPECT_EQ(board.status(true), kStatusNone);
  EXPECT_TRUE(sameBoard(board, before));
}

// Several kings of a side: legality and check look at the first one, files then ranks.
TEST(BoardAgainstScan, AgreesWithSeveralKings) {
  const char* fens[] = {"4k3/8/8/8/8/8/3r4/K3K3 w - - 0 1", "4k3/8/8/8/3K4/8/8/r3K3 w - - 0 1",
                        "k7/8/8/8/8/2k5/8/K6r w - - 0 1", "4k3/8/8/8/8/8/8/8 w - - 0 1"};
  for (const char* fen : fens) {
    SCOPED_TRACE(fen);
    doska board = boardFromFen(fen);
    EXPECT_TRUE(sameStatus(board));
    EXPECT_TRUE(sameLegalMoves(board));
    EXPECT_TRUE(sameFindMoves(board, true));
    EXPECT_TRUE(sameFindMoves(board, false));
  }
}

}  // namespace
