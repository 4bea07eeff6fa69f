#include "Upgnread/options.h"

#include <tuple>

#include <gtest/gtest.h>

namespace {

// Every option in one comparable value.
auto optionValues() {
  return std::make_tuple(removeComments, tagMode, removeVariations, keptNags.bits, removeDuplicates,
                         addEcoNames, removeOldEco, appendToExisting, splitByEco, splitByWhite,
                         splitByBlack, splitByPlayer, splitByDate, splitByEvent, whiteEloParts,
                         blackEloParts, splitByResult, resultMask, dateFrom, dateTo, whitePlayer,
                         blackPlayer, ignoreColour, whiteEloMin, whiteEloMax, blackEloMin,
                         blackEloMax, ecoFilter, movesMin, movesMax);
}

// Taken before main runs: the option set must hold its defaults before any code could set it.
const auto valuesAtLoad = optionValues();

void changeEveryOption() {
  removeComments = true;
  tagMode = 0;
  removeVariations = true;
  keptNags = TNagSet::none();
  removeDuplicates = true;
  addEcoNames = true;
  removeOldEco = false;
  appendToExisting = false;
  splitByEco = 3;
  splitByWhite = splitByBlack = splitByPlayer = true;
  splitByDate = 2;
  splitByEvent = true;
  whiteEloParts = 4;
  blackEloParts = 5;
  splitByResult = true;
  resultMask = 23;
  dateFrom = packDate(2000, 1, 1);
  dateTo = packDate(2001, 0, 0);
  whitePlayer = "Carlsen";
  blackPlayer = "\xCA\xE0\xF1\xEF\xE0\xF0\xEE\xE2";  // a Cyrillic name in Windows-1251
  ignoreColour = true;
  whiteEloMin = blackEloMin = 2000;
  whiteEloMax = blackEloMax = 2800;
  ecoFilter = "B2";
  movesMin = 10;
  movesMax = 40;
}

}  // namespace

TEST(BatchOptions, ResetRestoresTheValuesHeldAtLoad) {
  changeEveryOption();
  ASSERT_NE(optionValues(), valuesAtLoad);
  resetOptions();
  EXPECT_EQ(optionValues(), valuesAtLoad);
}

// Together with the test above, this pins the values the option set holds from load.
TEST(BatchOptions, DefaultsLetEveryGameThroughUnchanged) {
  changeEveryOption();
  resetOptions();
  EXPECT_EQ(dateFrom, 0);
  EXPECT_EQ(dateTo, 4160415);
  EXPECT_EQ(resultMask, 31);
  EXPECT_EQ(keptNags, TNagSet::all());
  EXPECT_EQ(tagMode, 2);
  EXPECT_FALSE(removeComments || removeVariations || removeDuplicates || addEcoNames);
  EXPECT_TRUE(removeOldEco);
  EXPECT_TRUE(appendToExisting);
  EXPECT_EQ(whiteEloParts, 1);
  EXPECT_EQ(blackEloParts, 1);
  EXPECT_EQ(whiteEloMin, 0);
  EXPECT_EQ(whiteEloMax, 10000);
  EXPECT_EQ(blackEloMax, 10000);
  EXPECT_EQ(movesMin, 0);
  EXPECT_EQ(movesMax, 100000);
  EXPECT_TRUE(whitePlayer.empty() && blackPlayer.empty() && ecoFilter.empty());
}

// Packed dates

class PackedDateTest : public testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(PackedDateTest, DecodesWhatWasPacked) {
  auto [year, month, day] = GetParam();
  int32_t packed = packDate(year, month, day);
  EXPECT_EQ(dateYear(packed), year);
  EXPECT_EQ(dateMonth(packed), month);
  EXPECT_EQ(dateDay(packed), day);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, PackedDateTest,
                         testing::Values(std::make_tuple(0, 0, 0), std::make_tuple(0, 0, 31),
                                         std::make_tuple(0, 12, 0), std::make_tuple(1, 0, 0),
                                         std::make_tuple(2004, 5, 17),
                                         std::make_tuple(10000, 12, 31)));

TEST(PackedDate, OrdersLikeTheCalendar) {
  EXPECT_LT(packDate(2004, 12, 31), packDate(2005, 0, 0));
  EXPECT_LT(packDate(2004, 5, 31), packDate(2004, 6, 0));
  EXPECT_EQ(packDate(2004, 5, 17), 2004 * 416 + 5 * 32 + 17);
}

// Annotation-mark sets

TEST(NagSet, PresetsHoldExactlyTheirMembers) {
  TNagSet all = TNagSet::all(), moveMarks = TNagSet::moveMarksOnly(), none = TNagSet::none();
  for (int code = 0; code < 256; ++code) {
    EXPECT_TRUE(all.has(code)) << code;
    EXPECT_EQ(moveMarks.has(code), code >= 1 && code <= 6) << code;
    EXPECT_FALSE(none.has(code)) << code;
  }
}

TEST(NagSet, MemberIsBitOfItsByte) {
  // The settings file stores the 32 bytes as they are, so the layout is part of its format.
  TNagSet set;
  set.add(0);
  set.add(9);
  set.add(255);
  EXPECT_EQ(set.bits[0], 0x01);
  EXPECT_EQ(set.bits[1], 0x02);
  EXPECT_EQ(set.bits[31], 0x80);
  set.remove(9);
  EXPECT_EQ(set.bits[1], 0x00);
  EXPECT_TRUE(set.has(0));
  EXPECT_TRUE(set.has(255));
  EXPECT_EQ(TNagSet::moveMarksOnly().bits[0], 0x7E);
}
