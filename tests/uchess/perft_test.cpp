// Move legality against the known numbers of move paths from standard positions: every square
// pair is tried, so castling, en passant and promotion are reached as the board allows them.

#include <gtest/gtest.h>

#include "support/chessplay.h"

namespace {

struct TPerftCase {
  const char* name;
  const char* fen;
  std::vector<uint64_t> counts;  // depth 1, 2, ...
};

// Depths of millions of paths run only in optimised builds; unoptimised they take seconds each.
#ifdef NDEBUG
constexpr uint64_t kMostPaths = UINT64_MAX;
#else
constexpr uint64_t kMostPaths = 500000;
#endif

class Perft : public testing::TestWithParam<TPerftCase> {};

TEST_P(Perft, CountsMovePaths) {
  const TPerftCase& c = GetParam();
  std::unique_ptr<jurnal> line = journalFromFen(c.fen);
  ASSERT_TRUE(line);
  for (int depth = 1; depth <= static_cast<int>(c.counts.size()); ++depth) {
    if (c.counts[depth - 1] > kMostPaths) break;
    doska before;
    before.assign(*line->board);
    EXPECT_EQ(perft(*line, depth), c.counts[depth - 1]) << "depth " << depth;
    EXPECT_TRUE(sameBoard(*line->board, before)) << "board changed by depth " << depth;
    EXPECT_EQ(line->movecount(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, Perft,
    testing::Values(
        TPerftCase{"Start",
                   "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                   {20, 400, 8902, 197281}},
        TPerftCase{"Kiwipete",
                   "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                   {48, 2039, 97862, 4085603}},
        TPerftCase{"EndgameEnPassant",
                   "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
                   {14, 191, 2812, 43238}},
        TPerftCase{"Promotions",
                   "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
                   {6, 264, 9467, 422333}},
        TPerftCase{
            "BlackPromotes", "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1", {24, 496, 9483, 182838}},
        TPerftCase{"CastlingThroughChecks",
                   "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
                   {44, 1486, 62379, 2103487}},
        // Shuffled back ranks, the rooks named by their files: castling with the king already on
        // its end square, with a rook that stays, and past the other rook's start square.
        TPerftCase{"ShuffledKingOnG",
                   "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9",
                   {21, 528, 12189, 326672}},
        TPerftCase{"ShuffledRooksOnEAndH",
                   "2nnrbkr/p1qppppp/8/1ppb4/6PP/3PP3/PPP2P2/BQNNRBKR w HEhe - 1 9",
                   {21, 807, 18002, 667366}},
        TPerftCase{"ShuffledWhiteOnly",
                   "b1q1rrkb/pppppppp/3nn3/8/P7/1PPP4/4PPPP/BQNNRKRB w GE - 1 9",
                   {20, 479, 10471, 273318}},
        TPerftCase{"ShuffledKingOff",
                   "qbbnnrkr/2pp2pp/p7/1p2pp2/8/P3PP2/1PPP1KPP/QBBNNR1R w hf - 0 9",
                   {22, 593, 13440, 382958}},
        TPerftCase{"ShuffledRooksOnDAndG",
                   "b1qr1krb/pp1ppppp/n2n4/8/2p5/2P3P1/PP1PPP1P/BNQRNKRB w GDgd - 0 1",
                   {28, 707, 19721, 549506}}),
    [](const testing::TestParamInfo<TPerftCase>& info) { return std::string(info.param.name); });

}  // namespace
