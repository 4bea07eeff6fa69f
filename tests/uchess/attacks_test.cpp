// The ray form of doska::attacked against the square-by-square form it replaces.

#include <array>
#include <random>

#include <gtest/gtest.h>

#include "support/chessplay.h"
#include "uchess/attacks.h"
#include "uchess/boardmasks.h"

namespace {

// Every square and a border of squares off the board, for both sides.
void expectSameAttacks(const doska& board, const char* what) {
  for (int file = 0; file <= 9; ++file) {
    for (int rank = 0; rank <= 9; ++rank) {
      for (int side : {kWhite, kBlack}) {
        ASSERT_EQ(board.attacked(file, rank, side), attackedByScan(board, file, rank, side))
            << what << " square " << file << "," << rank << " side " << side;
      }
    }
  }
}

// Positions of random games from positions full of tactics.
TEST(Attacks, RayFormAgreesOnPlayedPositions) {
  const char* fens[] = {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
                        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1"};
  std::mt19937 random(7);
  for (const char* fen : fens) {
    std::unique_ptr<jurnal> line = journalFromFen(fen);
    ASSERT_TRUE(line);
    for (int ply = 0; ply < 120; ++ply) {
      expectSameAttacks(*line->board, fen);
      doska& b = *line->board;
      bool white = whiteToMove(*line);
      std::vector<std::array<int, 4>> moves;
      for (int ff = 1; ff <= 8; ++ff)
        for (int fr = 1; fr <= 8; ++fr)
          for (int tf = 1; tf <= 8; ++tf)
            for (int tr = 1; tr <= 8; ++tr)
              if ((white ? isWhitePiece(b.at(ff, fr)) : isBlackPiece(b.at(ff, fr))) &&
                  b.legalmove(ff, fr, tf, tr))
                moves.push_back({ff, fr, tf, tr});
      if (moves.empty()) break;
      const std::array<int, 4>& m = moves[random() % moves.size()];
      int promotion = white ? kWhiteQueen : kBlackQueen;
      ASSERT_GE(line->addmove(m[0], m[1], m[2], m[3], promotion, false, 0), 0);
      line->forward();
    }
  }
}

// Boards no game reaches: crowded, sparse, and holding codes that are no piece.
TEST(Attacks, RayFormAgreesOnRandomBoards) {
  std::mt19937 random(11);
  for (int n = 0; n < 3000; ++n) {
    doska board;
    int density = 1 + n % 6;
    for (int file = 1; file <= 8; ++file) {
      for (int rank = 1; rank <= 8; ++rank) {
        uint8_t piece = kEmpty;
        if (static_cast<int>(random() % 8) < density) {
          piece = static_cast<uint8_t>(1 + random() % 12);
          if (random() % 50 == 0) piece = static_cast<uint8_t>(13 + random() % 243);
        }
        board.put(file, rank, piece);
      }
    }
    board.epforwhite = static_cast<uint8_t>(random() % 10);
    board.epforblack = static_cast<uint8_t>(random() % 10);
    expectSameAttacks(board, "random board");
    if (HasFatalFailure()) return;
    // the board's sets of squares answer as the board does
    const TBoardMasks& masks = board.sets();
    for (int index = 0; index < 64; ++index) {
      for (int side : {kWhite, kBlack}) {
        ASSERT_EQ(attackedOn(masks, index, side == kWhite),
                  attackedByScan(board, index / 8 + 1, index % 8 + 1, side))
            << "board " << n << " square " << index << " side " << side;
      }
    }
  }
}

}  // namespace
