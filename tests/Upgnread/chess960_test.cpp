// Games from shuffled back ranks through the reader, the writer, the duplicate keys and the ECO
// tag: castling read from either FEN form or a Variant tag, written "O-O" / "O-O-O", read back
// alike, and a castling across an attacked square refused as in ordinary chess.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/ecotag.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/outputbuffer.h"
#include "Upgnread/pgnwriter.h"
#include "Upgnread/variant.h"
#include "pgnlongwork/jobstate.h"
#include "support/pgnreading.h"

namespace {

class Chess960Games : public testing::Test {
 protected:
  void SetUp() override {
    resetOptions();
    resetJobProgress();
    scanned = scanText(readerCase("chess960.pgn"));
  }
  void TearDown() override {
    resetOptions();
    emptyGameBase();
  }
  TScanned scanned;
};

std::string mainLine(const jurnal& line) {
  std::string text;
  for (const mov& m : line.moves) text += (text.empty() ? "" : " ") + m.san.str();
  return text;
}

std::string written(TGames& games) {
  TOutputBuffer buffer;
  for (TGame& game : games) writeGame(game, buffer);
  return std::string(buffer.text());
}

}  // namespace

TEST_F(Chess960Games, CastleOnBothWingsAndRefuseACastlingThroughCheck) {
  ASSERT_EQ(scanned.games.size(), 4u);
  EXPECT_EQ(scanned.badCount, 1) << "round 4 castles across the attacked e1";
  EXPECT_EQ(mainLine(*scanned.games[0].Journal), "O-O O-O-O Rfe1 Rde8");
  EXPECT_EQ(mainLine(*scanned.games[1].Journal), "O-O-O O-O Rde1 Rfe8");
  EXPECT_EQ(mainLine(*scanned.games[2].Journal), "e4 c5 Nf3 Nc6 Be2 e6 O-O Nge7");
  EXPECT_EQ(scanned.games[3].Tags[kTagRound].Value, "5");
  for (const TGame& game : scanned.games) EXPECT_TRUE(isChess960Game(game));
}

TEST_F(Chess960Games, AreWrittenWithTheirTagsAndReadBackAlike) {
  ASSERT_EQ(scanned.games.size(), 4u);
  std::string text = written(scanned.games);
  EXPECT_NE(text.find("[FEN \"rk5r/p2p3p/8/8/8/8/P2P3P/RK5R w HAha - 0 1\"]"), std::string::npos);
  EXPECT_NE(text.find("[Variant \"Fischer Random\"]"), std::string::npos);
  EXPECT_NE(text.find("1.O-O O-O-O 2.Rfe1 Rde8 *"), std::string::npos);
  TScanned again = scanText(text);
  ASSERT_EQ(again.games.size(), 4u);
  EXPECT_EQ(again.badCount, 0);
  for (size_t g = 0; g < 4; ++g)
    EXPECT_EQ(mainLine(*again.games[g].Journal), mainLine(*scanned.games[g].Journal));
  EXPECT_EQ(written(again.games), text);
}

TEST_F(Chess960Games, KeyAlikeInEitherFenFormAndApartFromOtherCastlings) {
  ASSERT_EQ(scanned.games.size(), 4u);
  TGameKeys xfen = scanned.games[0].Journal->gamekeys();
  TGameKeys shredder = scanned.games[3].Journal->gamekeys();
  TGameKeys otherWings = scanned.games[1].Journal->gamekeys();
  EXPECT_EQ(xfen.StartKey, shredder.StartKey);
  EXPECT_EQ(xfen.MovesKey, shredder.MovesKey);
  EXPECT_EQ(xfen.StartKey, otherWings.StartKey);
  EXPECT_NE(xfen.MovesKey, otherWings.MovesKey);
}

TEST_F(Chess960Games, GetNoEcoTag) {
  ASSERT_EQ(scanned.games.size(), 4u);
  for (TGame& game : scanned.games) {
    size_t tags = game.Tags.size();
    EXPECT_EQ(fillEco(game, true), "");
    EXPECT_EQ(game.Tags.size(), tags);
    EXPECT_EQ(findEcoSlot(game.Tags), -1);
  }
}

TEST(Chess960Variant, IsNamedInAnyCaseAndOrdinaryChessIsNot) {
  for (const char* name :
       {"Chess960", "CHESS960", "fischerandom", "FischerRandom", "Fischer Random"}) {
    TGamesTagArray tags = {{"Variant", name}};
    EXPECT_TRUE(isChess960Variant(tags)) << name;
  }
  for (const char* name : {"normal", "Standard", "crazyhouse", "Fischer"}) {
    TGamesTagArray tags = {{"variant", name}};
    EXPECT_FALSE(isChess960Variant(tags)) << name;
  }
  EXPECT_FALSE(isChess960Variant({{"Event", "Chess960"}}));
}
