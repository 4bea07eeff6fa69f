// Castling from shuffled back ranks: read from both FEN forms, played, refused, taken back, and
// keyed, while a FEN of ordinary chess keeps its ordinary castling.

#include <string>

#include <gtest/gtest.h>

#include "support/chessplay.h"
#include "uchess/jurnal.h"

namespace {

// The back-rank squares as letters, files a..h: "K" a white king, "r" a black rook, "." empty.
std::string backRank(const doska& b, int rank) {
  std::string text;
  for (int file = 1; file <= 8; ++file) text += ".PNBRQKpnbrqk"[b.at(file, rank)];
  return text;
}

struct TCastlingCase {
  const char* name;
  const char* fen;
  const char* moves;
  const char* rank1;  // after the moves
  const char* rank8;
};

class Chess960Castling : public testing::TestWithParam<TCastlingCase> {};

TEST_P(Chess960Castling, PutsKingAndRookOnTheirEndSquaresAndTakesThemBack) {
  const TCastlingCase& c = GetParam();
  std::unique_ptr<jurnal> line = journalFromFen(c.fen);
  ASSERT_TRUE(line);
  doska start = *line->board;
  std::string written = c.moves;
  ASSERT_EQ(playSan(*line, c.moves), 2) << "both castlings are played";
  EXPECT_EQ(backRank(*line->board, 1), c.rank1);
  EXPECT_EQ(backRank(*line->board, 8), c.rank8);
  EXPECT_EQ(line->moves[0].san.str() + " " + line->moves[1].san.str(), written);
  EXPECT_EQ(line->board->wkingmoved + line->board->bkingmoved, 2);
  line->gotomove(0);
  EXPECT_TRUE(sameBoard(*line->board, start));
}

INSTANTIATE_TEST_SUITE_P(
    Wings, Chess960Castling,
    testing::Values(
        TCastlingCase{"KingsideThenQueensideXFen", "rk5r/p2p3p/8/8/8/8/P2P3P/RK5R w KQkq - 0 1",
                      "O-O O-O-O", "R....RK.", "..kr...r"},
        TCastlingCase{"QueensideThenKingsideShredder", "rk5r/p2p3p/8/8/8/8/P2P3P/RK5R w HAha - 0 1",
                      "O-O-O O-O", "..KR...R", "r....rk."},
        // the white king already stands on g1; the black king lands where its rook stood
        TCastlingCase{"KingStays", "2r3kr/2p2p2/8/8/8/8/2P2P2/2R3KR w HChc - 0 1", "O-O O-O-O",
                      "..R..RK.", "..kr...r"},
        // the rook already stands on d1 / d8
        TCastlingCase{"RookStays", "3rk3/3p4/8/8/8/8/3P4/3RK3 w Dd - 0 1", "O-O-O O-O-O",
                      "..KR....", "..kr...."},
        // king and rook change places
        TCastlingCase{"KingAndRookSwap", "5kr1/5pp1/8/8/8/8/5PP1/5KR1 w KQkq - 0 1", "O-O O-O",
                      ".....RK.", ".....rk."}),
    [](const testing::TestParamInfo<TCastlingCase>& info) { return std::string(info.param.name); });

struct TRefusalCase {
  const char* name;
  const char* fen;
  bool kingside;   // allowed?
  bool queenside;  // allowed?
};

class Chess960Refusal : public testing::TestWithParam<TRefusalCase> {};

TEST_P(Chess960Refusal, AsksAnEmptyPathAndAKingNeverAttacked) {
  const TRefusalCase& c = GetParam();
  for (bool kingside : {true, false}) {
    std::unique_ptr<jurnal> line = journalFromFen(c.fen);
    ASSERT_TRUE(line);
    int found = playSanMove(*line, kingside ? "O-O" : "O-O-O");
    EXPECT_EQ(found <= kFoundStalemate, kingside ? c.kingside : c.queenside)
        << (kingside ? "O-O" : "O-O-O") << " gave " << found;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Board, Chess960Refusal,
    testing::Values(
        TRefusalCase{"Free", "rk5r/8/8/8/8/8/8/RK5R w KQkq - 0 1", true, true},
        // e1 lies on the king's way to g1, not on its way to c1
        TRefusalCase{"PassedSquareAttacked", "rk5r/8/8/4r3/8/8/8/RK5R w KQkq - 0 1", false, true},
        TRefusalCase{"KingInCheck", "rk5r/8/8/8/4b3/8/8/RK5R w KQkq - 0 1", false, false},
        TRefusalCase{"KnightInTheWay", "rk5r/8/8/8/8/8/8/RK3N1R w KQkq - 0 1", false, true},
        // a piece on the rook's way blocks as one on the king's does
        TRefusalCase{"RookWayBlocked", "1k5r/8/8/8/8/8/8/RNK4R w KQk - 0 1", true, false},
        // only the king's squares must be safe: the rook may cross and land on an attacked one
        TRefusalCase{"RookLandsAttacked", "rk5r/8/8/3r4/8/8/8/RK5R w KQkq - 0 1", false, true},
        TRefusalCase{"EndSquareAttacked", "rk4r1/8/8/8/8/8/8/RK5R w KQq - 0 1", false, true}),
    [](const testing::TestParamInfo<TRefusalCase>& info) { return std::string(info.param.name); });

TEST(Chess960Rights, AreLostByTheKingOrTheirRookAndComeBackWithTheMoveTakenBack) {
  const char* fen = "rk5r/p6p/8/8/8/8/P6P/RK5R w KQkq - 0 1";
  std::unique_ptr<jurnal> rookAway = journalFromFen(fen);
  ASSERT_EQ(playSan(*rookAway, "Rg1 Rg8 Rh1 Rh8"), 4);
  EXPECT_GT(playSanMove(*rookAway, "O-O"), kFoundStalemate);
  EXPECT_LE(playSanMove(*rookAway, "O-O-O"), kFoundStalemate);

  std::unique_ptr<jurnal> kingAway = journalFromFen(fen);
  ASSERT_EQ(playSan(*kingAway, "Kc1 Kc8 Kb1 Kb8"), 4);
  EXPECT_GT(playSanMove(*kingAway, "O-O"), kFoundStalemate);
  EXPECT_GT(playSanMove(*kingAway, "O-O-O"), kFoundStalemate);
  kingAway->gotomove(0);
  EXPECT_TRUE(kingAway->board->castleright(kWhite, false));
  EXPECT_TRUE(kingAway->board->castleright(kWhite, true));

  // a rook taken on its start square
  std::unique_ptr<jurnal> taken = journalFromFen("rk5r/8/8/8/8/8/6b1/RK5R b KQkq - 0 1");
  ASSERT_EQ(playSan(*taken, "Bxh1"), 1);
  EXPECT_FALSE(taken->board->castleright(kWhite, false));
  EXPECT_TRUE(taken->board->castleright(kWhite, true));
  taken->back();
  EXPECT_TRUE(taken->board->castleright(kWhite, false));
}

TEST(Chess960Fen, BothFormsSetUpTheSameBoard) {
  doska xfen = boardFromFen("nqrnkrbb/pppppppp/8/8/8/8/PPPPPPPP/NQRNKRBB w KQkq - 0 1");
  doska shredder = boardFromFen("nqrnkrbb/pppppppp/8/8/8/8/PPPPPPPP/NQRNKRBB w FCfc - 0 1");
  EXPECT_TRUE(sameBoard(xfen, shredder));
  EXPECT_EQ(xfen.chess960, 1);
  EXPECT_EQ(shredder.chess960, 1);
  EXPECT_EQ(xfen.rookfile[kWhite][0], 6);
  EXPECT_EQ(xfen.rookfile[kBlack][1], 3);
  EXPECT_EQ(shredder.rookfile[kWhite][0], 6);
  EXPECT_EQ(shredder.rookfile[kBlack][1], 3);
  EXPECT_EQ(xfen.poskey(false), shredder.poskey(false));
}

TEST(Chess960Fen, KeepsOrdinaryChessOrdinary) {
  doska standard = boardFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(standard.chess960, 0);
  EXPECT_EQ(standard.poskey(false), 0x463B96181691FC9CULL);
  // a letter without a rook on its wing still grants nothing, and no other letter is taken
  doska rookless = boardFromFen("4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1");
  EXPECT_EQ(rookless.chess960, 0);
  EXPECT_FALSE(rookless.castleright(kWhite, false));
  int error = 0;
  int64_t position = 1;
  EXPECT_FALSE(jurnal::createfromfen("4k3/8/8/8/8/8/8/R3K2R w KX - 0 1", error, position));
  EXPECT_EQ(error, kFenBadCastling);
}

TEST(Chess960Fen, NamesTheOuterOrTheInnerRookOfAWing) {
  doska outer = boardFromFen("4k3/8/8/8/8/8/8/4KR1R w K - 0 1");
  doska inner = boardFromFen("4k3/8/8/8/8/8/8/4KR1R w F - 0 1");
  doska byFile = boardFromFen("4k3/8/8/8/8/8/8/4KR1R w H - 0 1");
  EXPECT_EQ(outer.rookfile[kWhite][0], 8);
  EXPECT_EQ(inner.rookfile[kWhite][0], 6);
  EXPECT_EQ(outer.poskey(false), byFile.poskey(false));
  EXPECT_NE(outer.poskey(false), inner.poskey(false));
  EXPECT_NE(inner.poskey(false), boardFromFen("4k3/8/8/8/8/8/8/4KR1R w - - 0 1").poskey(false));
}

// A game said to be Chess960 from the ordinary start castles onto its rook, yet plays, counts
// and keys as the same game of ordinary chess.
TEST(Chess960Fen, OrdinaryStartReadAsChess960PlaysAndKeysAlike) {
  const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  const char* moves = "e4 e5 Nf3 Nf6 Bc4 Bc5 O-O O-O";
  int error = 0;
  int64_t position = 1;
  std::unique_ptr<jurnal> shuffled = jurnal::createfromfen(start, error, position, true);
  ASSERT_TRUE(shuffled);
  EXPECT_EQ(shuffled->board->chess960, 1);
  EXPECT_EQ(perft(*shuffled, 3), 8902u);
  std::unique_ptr<jurnal> ordinary = journalFromFen(start);
  ASSERT_EQ(playSan(*shuffled, moves), 8);
  ASSERT_EQ(playSan(*ordinary, moves), 8);
  EXPECT_EQ(shuffled->moves[6].tofile, 8) << "recorded onto the rook";
  EXPECT_EQ(ordinary->moves[6].tofile, 7);
  EXPECT_TRUE(sameBoard(*shuffled->board, *ordinary->board));
  EXPECT_EQ(shuffled->moves[7].san.str(), "O-O");
  TGameKeys a = shuffled->gamekeys(), b = ordinary->gamekeys();
  EXPECT_EQ(a.StartKey, b.StartKey);
  EXPECT_EQ(a.MovesKey, b.MovesKey);
}

}  // namespace
