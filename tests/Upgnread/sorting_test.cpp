#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/sorting.h"
#include "Upgnread/splitting.h"
#include "pgnlongwork/jobstate.h"
#include "support/outputgames.h"

namespace {

std::vector<std::string> tagsAlong(const TIndexArray& order, int tag) {
  std::vector<std::string> values;
  for (int32_t index : order) values.emplace_back(tagValue(panelGames[index], tag));
  return values;
}

bool samePositions(TIndexArray a, TIndexArray b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

// The same games in a plain stable sort by the comparison: where it decides, any correct sort
// agrees.
TIndexArray referenceOrder(TIndexArray list, TSortPass pass) {
  std::stable_sort(list.begin(), list.end(),
                   [pass](int32_t x, int32_t y) { return comesBefore(x, y, pass); });
  return list;
}

using SortForOutput = OutputRunTest;

TEST_F(SortForOutput, WithoutSplitKeepsTheWorkListOrder) {
  for (int i = 0; i < 5; ++i) addTaggedGame("W" + std::to_string(4 - i), "B", "1-0");
  workList = {3, 1, 4, 0, 2};
  sortForOutput();
  EXPECT_EQ(outputOrder, workList);
}

TEST_F(SortForOutput, ResultSplitOrdersBlackWinsDrawsWhiteWinsUnknownThenOthers) {
  const char* results[] = {"1-0", "abc", "0-1", "*", "1/2-1/2", "0-1", "1-0", "", "*"};
  for (const char* result : results) addTaggedGame("W", "B", result);
  workList = {8, 7, 6, 5, 4, 3, 2, 1, 0};
  splitByResult = true;
  sortForOutput();
  // Within a result, and among the other texts, the games stay in index order.
  EXPECT_EQ(outputOrder, (TIndexArray{2, 5, 4, 0, 6, 3, 8, 1, 7}));
}

TEST_F(SortForOutput, WhiteAndDateSplitOrderByNameThenWholeDate) {
  addTaggedGame("Smith", "X", "*", "2004.05.18");
  addTaggedGame("Jones", "X", "*", "2004.05.17");
  addTaggedGame("Smith", "X", "*", "2004.05.17");
  addTaggedGame("Jones", "X", "*", "2003.12.31");
  workOnAllGames();
  splitByWhite = true;
  splitByDate = 1;  // years in the names, the whole date in the order
  sortForOutput();
  EXPECT_EQ(outputOrder, (TIndexArray{3, 1, 2, 0}));
}

TEST_F(SortForOutput, NamesCompareAsUnsignedBytes) {
  addTaggedGame("\xC0\xEB\xE5\xEA\xF1\xE5\xE9", "X");  // Cyrillic in Windows-1251
  addTaggedGame("Zeta", "X");
  addTaggedGame("alpha", "X");
  workOnAllGames();
  splitByWhite = true;
  sortForOutput();
  EXPECT_EQ(tagsAlong(outputOrder, kTagWhite),
            (std::vector<std::string>{"Zeta", "alpha", "\xC0\xEB\xE5\xEA\xF1\xE5\xE9"}));
}

TEST_F(SortForOutput, RatingPartComesFromTheFirstPartsWidth) {
  const char* ratings[] = {"2700", "2301", "1500", "2302", "1901", "2300"};
  for (const char* rating : ratings) addGameTag(addTaggedGame("W", "B", "1-0"), "WhiteElo", rating);
  panelGames[1].Tags.setValue(kTagResult, "0-1");
  panelGames[3].Tags.setValue(kTagResult, "0-1");
  workOnAllGames();
  whiteEloParts = 3;  // parts 1500-1901, 1901-2301, 2301-2701
  splitByResult = true;
  sortForOutput();
  ASSERT_EQ(whiteEloBounds, (std::vector<int32_t>{1500, 1901, 2301, 2701}));
  // 2301 belongs to the third part by name but sorts in the second, where its result puts it
  // first; 2302 is in the third part either way.
  EXPECT_EQ(outputOrder, (TIndexArray{2, 1, 4, 5, 3, 0}));
}

TEST_F(SortForOutput, PlayerSplitListsAGameInBothPlayersGroups) {
  const int32_t ab = addTaggedGame("Anna", "Boris");
  const int32_t bc = addTaggedGame("Boris", "Clara");
  const int32_t aa = addTaggedGame("Anna", "Anna");  // listed once
  const int32_t ca = addTaggedGame("Clara", "Anna");
  workOnAllGames();
  splitByPlayer = true;
  sortForOutput();
  ASSERT_EQ(outputOrder.size(), 7u);
  EXPECT_EQ(playerGroupStarts, (TIndexArray{0, 3, 5}));
  EXPECT_EQ(playerGroupNames, (std::vector<std::string>{"Anna", "Boris", "Clara"}));
  // A player's White games first (in any order), then the Black ones.
  EXPECT_EQ(std::set<int32_t>(outputOrder.begin(), outputOrder.begin() + 2),
            (std::set<int32_t>{ab, aa}));
  EXPECT_EQ(outputOrder[2], ca);
  EXPECT_EQ((TIndexArray{outputOrder[3], outputOrder[4]}), (TIndexArray{bc, ab}));
  EXPECT_EQ((TIndexArray{outputOrder[5], outputOrder[6]}), (TIndexArray{ca, bc}));
}

TEST_F(SortForOutput, PlayerGroupsSortByTheOtherKeysAcrossBothColours) {
  const int32_t late = addTaggedGame("Anna", "Boris", "*", "2005.01.01");
  const int32_t early = addTaggedGame("Clara", "Anna", "*", "2001.01.01");
  const int32_t middle = addTaggedGame("Anna", "Dora", "*", "2003.01.01");
  workOnAllGames();
  splitByPlayer = true;
  splitByDate = 1;
  sortForOutput();
  ASSERT_EQ(playerGroupNames.front(), "Anna");
  EXPECT_EQ((TIndexArray(outputOrder.begin(), outputOrder.begin() + 3)),
            (TIndexArray{early, middle, late}));
}

TEST_F(SortForOutput, PlayerSplitOnlyPlayersWithBlackStillGetGroups) {
  addTaggedGame("Zed", "Adam");
  addTaggedGame("Zed", "Bert");
  workOnAllGames();
  splitByPlayer = true;
  sortForOutput();
  EXPECT_EQ(playerGroupNames, (std::vector<std::string>{"Adam", "Bert", "Zed"}));
  EXPECT_EQ(playerGroupStarts, (TIndexArray{0, 1, 2}));
  ASSERT_EQ(outputOrder.size(), 4u);
  EXPECT_EQ((TIndexArray{outputOrder[0], outputOrder[1]}), (TIndexArray{0, 1}));
  EXPECT_EQ(std::set<int32_t>(outputOrder.begin() + 2, outputOrder.end()),
            (std::set<int32_t>{0, 1}));
}

TEST_F(SortForOutput, StopRequestedReturnsAtOnce) {
  for (int i = 0; i < 100; ++i) addTaggedGame("W" + std::to_string(99 - i), "B");
  workOnAllGames();
  splitByWhite = true;
  stopRequested = true;
  sortForOutput();
  EXPECT_EQ(outputOrder, workList);

  splitByWhite = false;
  splitByPlayer = true;
  sortForOutput();
  EXPECT_TRUE(playerGroupStarts.empty());
}

TEST_F(SortForOutput, ProgressReachesTheNumberOfGames) {
  for (int i = 0; i < 1000; ++i) addTaggedGame("W" + std::to_string(i * 7919 % 1000), "B");
  workOnAllGames();
  splitByWhite = true;
  sortForOutput();
  EXPECT_EQ(itemsTotal.load(), 1000);
  EXPECT_EQ(itemsDone.load(), 1000);
}

using GameEco = OutputRunTest;

TEST_F(GameEco, TakesAValidTagWhateverTheCaseOfItsName) {
  const int32_t game = addTaggedGame("W", "B");
  addGameTag(game, "eco", "c42");
  EXPECT_EQ(gameEco(panelGames[game]), "c42");
}

TEST_F(GameEco, FillsAnInvalidOrMissingCode) {
  const int32_t invalid = addTaggedGame("W", "B");
  addGameTag(invalid, "ECO", "Z99");
  const int32_t missing = addTaggedGame("W", "B");
  // Without moves there is nothing to classify: the tag is there but empty.
  EXPECT_EQ(gameEco(panelGames[invalid]), "");
  EXPECT_EQ(panelGames[invalid].Tags[7].Value, "");
  EXPECT_EQ(gameEco(panelGames[missing]), "");
  ASSERT_EQ(panelGames[missing].Tags.size(), 8u);
  EXPECT_EQ(panelGames[missing].Tags[7].Name, "ECO");
}

TEST_F(GameEco, RunKeepsTheCodeTheSortTook) {
  const char* codes[] = {"B22", "B20", "A00"};
  for (const char* code : codes) addGameTag(addTaggedGame("W", "B"), "ECO", code);
  workOnAllGames();
  splitByEco = 3;
  sortForOutput();
  EXPECT_EQ(outputOrder, (TIndexArray{2, 1, 0}));
  // Writing may refill a tag; the file changes still follow the order the sort made.
  panelGames[1].Tags.setValue(7, "B22");
  EXPECT_TRUE(startsNewFile(2));
  EXPECT_EQ(runEco(1), "B20");
}

// Random games over few values, so that most keys tie and the later keys decide.
class SortDifferential : public OutputRunTest {
 protected:
  void addRandomGames(std::mt19937& random, int count) {
    const char* names[] = {"Anna", "Boris", "Clara", "anna", "\xC0\xED\xED\xE0"};
    const char* results[] = {"1-0", "0-1", "1/2-1/2", "*", "?", ""};
    const char* codes[] = {"A00", "B20", "B29", "C42", "E99"};
    auto pick = [&random](int n) { return static_cast<int>(random() % n); };
    for (int i = 0; i < count; ++i) {
      const std::string date = std::to_string(2000 + pick(3)) + ".0" + std::to_string(1 + pick(3)) +
                               ".1" + std::to_string(pick(3));
      const int32_t game =
          addTaggedGame(names[pick(5)], names[pick(5)], results[pick(6)], date, names[pick(3)]);
      addGameTag(game, "ECO", codes[pick(5)]);
      if (pick(4) != 0) addGameTag(game, "WhiteElo", std::to_string(2000 + pick(400)));
      if (pick(4) != 0) addGameTag(game, "BlackElo", std::to_string(2000 + pick(40)));
    }
  }
  void randomOptions(std::mt19937& random) {
    resetOptions();
    splitByWhite = random() % 2;
    splitByBlack = random() % 2;
    splitByDate = random() % 4;
    splitByEvent = random() % 2;
    whiteEloParts = random() % 2 ? 1 + random() % 6 : 1;
    blackEloParts = random() % 2 ? 1 + random() % 60 : 1;
    splitByResult = random() % 2;
    splitByEco = random() % 4;
  }
};

TEST_F(SortDifferential, MatchesAStableSortWhereTheComparisonDecides) {
  std::mt19937 random(20240517);
  for (int round = 0; round < 200; ++round) {
    emptyGameBase();
    addRandomGames(random, 1 + random() % 300);
    randomOptions(random);
    workOnAllGames();
    std::shuffle(workList.begin(), workList.end(), random);
    sortForOutput();
    const TIndexArray expected =
        keysActive(TSortPass::white) ? referenceOrder(workList, TSortPass::white) : workList;
    ASSERT_EQ(outputOrder, expected) << "round " << round;
  }
}

TEST_F(SortDifferential, PlayerPassesGroupEqualNamesInNameOrder) {
  std::mt19937 random(417);
  for (int round = 0; round < 50; ++round) {
    emptyGameBase();
    addRandomGames(random, 2 + random() % 300);
    randomOptions(random);
    splitByWhite = splitByBlack = false;
    splitByPlayer = true;
    workOnAllGames();
    std::shuffle(workList.begin(), workList.end(), random);
    for (TSortPass pass : {TSortPass::white, TSortPass::black}) {
      TIndexArray list = workList;
      sortPositions(list, 0, list.size(), pass);
      const int tag = pass == TSortPass::white ? kTagWhite : kTagBlack;
      ASSERT_TRUE(std::is_sorted(list.begin(), list.end(),
                                 [pass](int32_t x, int32_t y) { return comesBefore(x, y, pass); }));
      const std::vector<std::string> names = tagsAlong(list, tag);
      ASSERT_TRUE(std::is_sorted(names.begin(), names.end()));
      ASSERT_TRUE(samePositions(list, workList));
    }
  }
}

// Sorted, reversed and all-equal inputs of 100000 games: the order a naive quicksort takes
// quadratic time and a deep stack on.
class LargeSort : public OutputRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(LargeSort, CompletesAndMatchesTheReference) {
  constexpr int kGames = 100000;
  for (int i = 0; i < kGames; ++i) addTaggedGame("Same", "Other", "1-0");
  workOnAllGames();
  TSortPass pass = TSortPass::white;
  switch (GetParam()) {
    case 0:  // already in index order
      splitByResult = true;
      break;
    case 1:  // reversed
      splitByResult = true;
      std::reverse(workList.begin(), workList.end());
      break;
    case 2:  // organ pipe
      splitByResult = true;
      std::reverse(workList.begin() + kGames / 2, workList.end());
      break;
    default:  // every game equal in the player split
      splitByPlayer = true;
      break;
  }
  TIndexArray list = workList;
  sortPositions(list, 0, list.size(), pass);
  if (splitByPlayer) {
    EXPECT_TRUE(samePositions(list, workList));
  } else {
    EXPECT_EQ(list, referenceOrder(workList, pass));
  }
}

INSTANTIATE_TEST_SUITE_P(Patterns, LargeSort, ::testing::Values(0, 1, 2, 3));

}  // namespace
