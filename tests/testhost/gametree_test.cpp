#include <gtest/gtest.h>

#include <string>

#include "Upgnread/pgnscan.h"
#include "gametree_logic.h"
#include "plugcommon/hostgame.h"
#include "support/pgnreading.h"
#include "support/testpaths.h"
#include "uchess/fileutil.h"

namespace {

// The plug-in's view of the host's games: each call goes to the service of the same meaning.
class TServedGame : public THostGame {
 public:
  explicit TServedGame(THostGames& games) : host(games) {}
  std::string lineText(bool beforeFirstMove) override { return host.lineText(beforeFirstMove); }
  void enterVariation(int n) override { host.enterVariation(n); }
  void leaveVariation() override { host.leaveVariation(); }
  const TMove* moveRecord(int index) override { return host.moveRecord(index); }
  void setPosition(int n) override { host.setPosition(n); }
  int lineMoveCount() override { return host.lineMoveCount(); }
  int plyNumber() override { return host.moveNumber(); }
  std::string resultText() override { return host.resultText(); }

 private:
  THostGames& host;
};

// The start numbers of every variation, in the order the tree text lists them.
void collectNumbers(const jurnal& line, std::string& out) {
  for (int i = 0; i < line.movecount(); ++i)
    for (const std::unique_ptr<jurnal>& variant : line.variantsAt(i)) {
      out += std::to_string(variant->startnumber) + " ";
      collectNumbers(*variant, out);
    }
}

std::string numbersOf(const jurnal& line) {
  std::string out;
  collectNumbers(line, out);
  return out;
}

// Loads every game of the list through the services and compares it with the game read from the
// text: moves, texts, marks, variations and their numbering must survive the trip.
void expectRoundTrip(TGames& games) {
  THostGames host;
  host.load(games, true);
  TServedGame served(host);
  for (int32_t i = 0; i < host.count(); ++i) {
    const jurnal& source = *games[i].Journal;
    host.selectGame(i);
    jurnal loaded(nullptr, nullptr);
    loaded.loadfromhost(served);
    SCOPED_TRACE("game " + std::to_string(i));
    EXPECT_EQ(treeText(loaded), treeText(source));
    EXPECT_EQ(numbersOf(loaded), numbersOf(source));
    EXPECT_EQ(loaded.result, games[i].Tags[kTagResult].Value);
    EXPECT_EQ(loaded.precomment, source.precomment);
    EXPECT_EQ(host.depth(), 0);
    EXPECT_EQ(host.currentMove(), 0);
  }
}

constexpr std::string_view kAnnotated =
    "[Event \"e\"]\n[Site \"s\"]\n[Date \"2001.01.01\"]\n[Round \"1\"]\n[White \"w\"]\n"
    "[Black \"b\"]\n[Result \"1-0\"]\n\n{opening} 1. e4 $1 e5 {main} (1... c5 2. Nf3 (2. c3 d5 "
    "(2... Nf6)) 2... d6) (1... e6 $2) 2. Nf3 Nc6 (2... d6 3. d4) 3. Bb5 1-0\n\n"
    "[Event \"f\"]\n[Site \"s\"]\n[Date \"2001.01.01\"]\n[Round \"1\"]\n[White \"w\"]\n"
    "[Black \"b\"]\n[Result \"*\"]\n[SetUp \"1\"]\n"
    "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n\n30... Kd7 (30... Kf7 31. e4) 31. e4 Kc6 *\n";

TEST(HostGameTree, ServesTheReadersTreesBack) {
  TScanned scanned = scanText(kAnnotated);
  ASSERT_EQ(scanned.games.size(), 2u);
  expectRoundTrip(scanned.games);
}

TEST(HostGameTree, ServesRealAnnotatedGamesBack) {
  std::filesystem::path path = sharedDataPath("pgn/annotated/chess-informant-sample.pgn");
  SKIP_WITHOUT_SHARED_DATA(path);
  std::string text;
  ASSERT_TRUE(readWholeFile(path, text));
  TScanned scanned = scanText(text);
  ASSERT_FALSE(scanned.games.empty());
  expectRoundTrip(scanned.games);
}

TEST(HostGameTree, NumbersAVariationFromTheMoveItReplaces) {
  TScanned scanned = scanText(kAnnotated);
  THostGames host;
  host.load(scanned.games, true);
  host.setPosition(1);
  EXPECT_EQ(host.moveNumber(), 1);  // 1... e5 is still move one
  host.enterVariation(1);
  EXPECT_TRUE(host.inVariation());
  host.setPosition(1);
  EXPECT_EQ(host.moveNumber(), 2);  // 2. Nf3 inside (1... c5 2. Nf3)
  host.selectGame(1);
  EXPECT_FALSE(host.inVariation());
  EXPECT_EQ(host.moveNumber(), 30);  // Black's 30th move starts the FEN game
}

TEST(HostGameTree, RefusesOutOfRangeRequests) {
  TScanned scanned = scanText(kAnnotated);
  THostGames host;
  host.load(scanned.games, true);
  EXPECT_EQ(host.moveRecord(-1), nullptr);
  EXPECT_EQ(host.moveRecord(host.lineMoveCount()), nullptr);
  host.setPosition(2);
  host.enterVariation(1);  // 2. Nf3 has no variation
  EXPECT_FALSE(host.inVariation());
  host.leaveVariation();  // nothing to leave
  EXPECT_EQ(host.currentMove(), 2);
  host.setPosition(1000);
  EXPECT_EQ(host.currentMove(), host.lineMoveCount());
  host.selectGame(7);
  EXPECT_EQ(host.lineMoveCount(), 0);
  EXPECT_STREQ(host.resultText(), "*");
  EXPECT_STREQ(host.lineText(true), "");
}

TEST(HostGameTree, ListsRecordsWithOrWithoutMoves) {
  TScanned scanned = scanText(kAnnotated);
  THostGames host;
  host.load(scanned.games, false);
  const THostGameList* list = host.list();
  ASSERT_EQ(list->Count, 2);
  EXPECT_EQ(list->Games[0].Journal, nullptr);
  ASSERT_EQ(list->Games[1].TagCount, 9);
  EXPECT_STREQ(list->Games[1].Tags[8].Name, "FEN");
  EXPECT_EQ(list->Games[1].TextStart, scanned.games[1].TextStart);
  EXPECT_EQ(host.lineMoveCount(), 0);
  const int32_t* rows = *host.rowOrderCell();
  EXPECT_EQ(rows[0], 0);
  EXPECT_EQ(rows[1], 1);
  host.load(scanned.games, true);
  EXPECT_NE(host.list()->Games[0].Journal, nullptr);
  EXPECT_EQ(host.currentLine(), reinterpret_cast<intptr_t>(host.list()->Games[0].Journal));
}

}  // namespace
