#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "gamesiftwnd/settingsboxes_logic.h"
#include "gamesiftwnd/settingsfields_logic.h"
#include "gamesiftwnd/showoptions_logic.h"

namespace {

class ShowOptions : public ::testing::Test {
 protected:
  ShowOptions() {
    resetOptions();
    buildSettingsFields();
    buildSettingsBoxes();
  }
  ~ShowOptions() override { resetOptions(); }
  static void expectShown(TFieldId id, std::u16string_view text, int32_t index) {
    EXPECT_EQ(settingsField(id).text, text);
    EXPECT_EQ(settingsField(id).index, index);
  }
};

TEST_F(ShowOptions, DefaultsShowAsAny) {
  resetOptionsInControls();
  expectShown(TFieldId::fromYear, u"любой", 0);
  expectShown(TFieldId::toYear, u"любой", -1);
  expectShown(TFieldId::fromMonth, u"любой", 0);
  expectShown(TFieldId::toMonth, u"любой", 12);
  expectShown(TFieldId::fromDay, u"любое", 0);
  expectShown(TFieldId::toDay, u"любое", 31);
  expectShown(TFieldId::whiteEloMin, u"0", -1);
  expectShown(TFieldId::blackEloMax, u"любой", -1);
  expectShown(TFieldId::movesMin, u"1", -1);
  expectShown(TFieldId::movesMax, u"любой", -1);
  expectShown(TFieldId::tags, u"Нет", 0);  // no tag removed
  expectShown(TFieldId::marks, u"Нет", 0);
  expectShown(TFieldId::whiteBands, u"Нет", 0);
  EXPECT_EQ(movesMin, 1);
  EXPECT_EQ(dateTo, kDateAnyAfter);
  EXPECT_EQ(settingsBox(TBoxId::oldEco).state, kOptionOn);
  EXPECT_EQ(settingsBox(TBoxId::comments).state, kOptionOff);
  EXPECT_EQ(settingsBox(TBoxId::resultUnknown).state, kOptionOn);
}

TEST_F(ShowOptions, DamagedValuesAreCorrectedAndKept) {
  tagMode = 7;
  splitByEco = 9;
  whiteEloParts = 0;
  blackEloParts = 1;
  dateFrom = -5;
  dateTo = packDate(2000, 0, 0);
  whiteEloMin = -300;
  blackEloMax = 20000;
  ecoFilter = "B123";
  movesMin = -4;
  movesMax = -1;
  putOptionsIntoControls();
  EXPECT_EQ(tagMode, 1);
  expectShown(TFieldId::tags, u"Кроме основных семи", 1);
  EXPECT_EQ(splitByEco, 3);
  EXPECT_EQ(whiteEloParts, 1);
  EXPECT_EQ(blackEloParts, 1);
  expectShown(TFieldId::whiteBands, u"Нет", 0);
  EXPECT_EQ(dateFrom, 0);
  EXPECT_EQ(dateTo, packDate(2000, 1, 1));
  expectShown(TFieldId::toYear, u"2000", -1);
  expectShown(TFieldId::toMonth, u"январь", 1);
  expectShown(TFieldId::toDay, u"1", 1);
  EXPECT_EQ(whiteEloMin, 0);
  expectShown(TFieldId::whiteEloMin, u"0", -1);
  EXPECT_EQ(blackEloMax, 10000);
  EXPECT_EQ(ecoFilter, "B12");
  expectShown(TFieldId::eco, u"B12", -1);
  EXPECT_EQ(movesMin, 1);
  EXPECT_EQ(movesMax, 0);
  expectShown(TFieldId::movesMax, u"0", -1);
}

TEST_F(ShowOptions, MarkPresetsShowTheirItems) {
  keptNags = TNagSet::moveMarksOnly();
  putOptionsIntoControls();
  expectShown(TFieldId::marks, u"Кроме основных (! ? !! ?? !? ?!)", 1);
  keptNags.add(7);
  putOptionsIntoControls();
  expectShown(TFieldId::marks, kFineTuning, 3);
  keptNags = TNagSet::none();
  putOptionsIntoControls();
  expectShown(TFieldId::marks, u"Все", 2);
}

TEST_F(ShowOptions, ARefusedTextRestoresTheShownOption) {
  whiteEloMax = 2500;
  putOptionsIntoControls();
  TDropDownField& high = settingsField(TFieldId::whiteEloMax);
  EXPECT_FALSE(commitTyped(high, u"abc"));
  EXPECT_EQ(high.text, u"2500");
  EXPECT_EQ(whiteEloMax, 2500);
}

TEST_F(ShowOptions, DatesAndNamesShowAsText) {
  dateFrom = packDate(1980, 3, 9);
  dateTo = packDate(2001, 12, 31);
  whitePlayer = "Anand";
  putOptionsIntoControls();
  expectShown(TFieldId::fromYear, u"1980", -1);
  expectShown(TFieldId::fromMonth, u"март", 3);
  expectShown(TFieldId::fromDay, u"9", 9);
  expectShown(TFieldId::toMonth, u"любой", 12);
  expectShown(TFieldId::whitePlayer, u"Anand", -1);
  expectShown(TFieldId::blackPlayer, u"любой", -1);
}

class SettingsBoxes : public ShowOptions {
 protected:
  static void click(TBoxId id) {
    TOptionBox& box = settingsBox(id);
    box.state = box.state == kOptionOn ? kOptionOff : kOptionOn;
    box.handler();
  }
};

TEST_F(SettingsBoxes, PlayerSplitsExcludeEachOther) {
  static int redrawn = 0;
  redrawBox = [](TOptionBox&) { ++redrawn; };
  click(TBoxId::splitWhite);
  EXPECT_TRUE(splitByWhite);
  click(TBoxId::splitPlayer);
  EXPECT_TRUE(splitByPlayer);
  EXPECT_FALSE(splitByWhite);
  EXPECT_EQ(settingsBox(TBoxId::splitWhite).state, kOptionOff);
  EXPECT_EQ(redrawn, 1);
  click(TBoxId::splitBlack);
  EXPECT_TRUE(splitByBlack);
  EXPECT_FALSE(splitByPlayer);
  EXPECT_EQ(redrawn, 2);
  redrawBox = nullptr;
}

TEST_F(SettingsBoxes, ResultBoxesFlipOnlyTheirBit) {
  click(TBoxId::resultUnknown);
  EXPECT_EQ(resultMask, 23);
  click(TBoxId::resultDraw);
  EXPECT_EQ(resultMask, 19);
  click(TBoxId::resultUnknown);
  EXPECT_EQ(resultMask, 27);
  click(TBoxId::comments);
  EXPECT_TRUE(removeComments);
}

TEST(RowHeight, TakesTheTallerOfTextAndBox) {
  EXPECT_EQ(rowHeightOf(16, 13), 27);
  EXPECT_EQ(rowHeightOf(12, 20), 30);
}

}  // namespace
