#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "gamesiftwnd/settingsfields_logic.h"
#include "platform/platform.h"

namespace {

class SettingsFields : public ::testing::Test {
 protected:
  SettingsFields() {
    resetOptions();
    buildSettingsFields();
  }
  ~SettingsFields() override {
    resetOptions();
    runMarkWindow = nullptr;
  }
  static TDropDownField& field(TFieldId id) { return settingsField(id); }
};

// One row per handler rule: what a typed text or a picked item leaves in the option.
struct TFieldCase {
  const char* name;
  TFieldId id;
  int32_t pick;  // -1: type the text
  std::u16string typed;
  bool accepted;
  int32_t (*option)();
  int32_t expected;  // the option afterwards (the default when refused)
  int32_t index;     // the field's index afterwards
};

void PrintTo(const TFieldCase& c, std::ostream* out) {
  *out << c.name;
}

int32_t fromYear() {
  return dateYear(dateFrom);
}
int32_t fromMonth() {
  return dateMonth(dateFrom);
}
int32_t fromDay() {
  return dateDay(dateFrom);
}
int32_t toYear() {
  return dateYear(dateTo);
}
int32_t toMonth() {
  return dateMonth(dateTo);
}
int32_t toDay() {
  return dateDay(dateTo);
}
int32_t tags() {
  return tagMode;
}
int32_t ecoLevel() {
  return splitByEco;
}
int32_t dateLevel() {
  return splitByDate;
}
int32_t whiteBands() {
  return whiteEloParts;
}
int32_t blackBands() {
  return blackEloParts;
}
int32_t whiteLow() {
  return whiteEloMin;
}
int32_t whiteHigh() {
  return whiteEloMax;
}
int32_t blackHigh() {
  return blackEloMax;
}
int32_t fewest() {
  return movesMin;
}
int32_t most() {
  return movesMax;
}

class FieldRule : public SettingsFields, public ::testing::WithParamInterface<TFieldCase> {};

TEST_P(FieldRule, StoresTheValueOfItsRow) {
  const TFieldCase& c = GetParam();
  TDropDownField& f = field(c.id);
  const bool accepted = c.pick >= 0 ? pickItem(f, c.pick) : commitTyped(f, c.typed);
  EXPECT_EQ(accepted, c.accepted);
  EXPECT_EQ(c.option(), c.expected);
  EXPECT_EQ(f.index, c.index);
  if (accepted && c.pick < 0) {
    EXPECT_EQ(f.text, c.typed);
  }
  if (!accepted) {
    EXPECT_EQ(f.text, f.items.front());
  }
}

using F = TFieldId;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FieldRule, ::testing::Values(
    TFieldCase{"tags pick none", F::tags, 2, u"", true, tags, 0, 2},
    TFieldCase{"tags pick seven", F::tags, 1, u"", true, tags, 1, 1},
    TFieldCase{"tags typed item", F::tags, -1, u"кроме основных семи", true, tags, 1, 1},
    TFieldCase{"tags typed other", F::tags, -1, u"1", false, tags, 2, 0},
    TFieldCase{"eco level pick", F::splitEco, 3, u"", true, ecoLevel, 3, 3},
    TFieldCase{"eco level typed", F::splitEco, -1, u"a0 - e9", true, ecoLevel, 2, 2},
    TFieldCase{"date level typed number", F::splitDate, -1, u"2", false, dateLevel, 0, 0},
    TFieldCase{"bands pick none", F::whiteBands, 0, u"", true, whiteBands, 1, 0},
    TFieldCase{"bands pick 15", F::whiteBands, 10, u"", true, whiteBands, 15, 10},
    TFieldCase{"bands pick 100", F::blackBands, 20, u"", true, blackBands, 100, 20},
    TFieldCase{"bands typed 255", F::whiteBands, -1, u"255", true, whiteBands, 255, -1},
    TFieldCase{"bands typed 256", F::whiteBands, -1, u"256", false, whiteBands, 1, 0},
    TFieldCase{"bands typed 0", F::whiteBands, -1, u"0", false, whiteBands, 1, 0},
    TFieldCase{"bands typed empty", F::blackBands, -1, u"", false, blackBands, 1, 0},
    TFieldCase{"bands typed word", F::blackBands, -1, u"НЕТ", true, blackBands, 1, 0},
    TFieldCase{"from year pick", F::fromYear, 1, u"", true, fromYear, 1913, 1},
    TFieldCase{"from year pick last", F::fromYear, 100, u"", true, fromYear, 2012, 100},
    TFieldCase{"from year typed", F::fromYear, -1, u"2015", true, fromYear, 2015, -1},
    TFieldCase{"from year any", F::fromYear, -1, u"Любой", true, fromYear, 0, 0},
    TFieldCase{"from year empty", F::fromYear, -1, u"", true, fromYear, 0, -1},
    TFieldCase{"from year 10000", F::fromYear, -1, u"10000", false, fromYear, 0, 0},
    TFieldCase{"from year wraps", F::fromYear, -1, u"4294969311", false, fromYear, 0, 0},
    TFieldCase{"from year 2^32", F::fromYear, -1, u"4294967296", false, fromYear, 0, 0},
    TFieldCase{"from year zeros", F::fromYear, -1, u"0002015", true, fromYear, 2015, -1},
    TFieldCase{"from year sign", F::fromYear, -1, u"-5", false, fromYear, 0, 0},
    TFieldCase{"from month pick", F::fromMonth, 5, u"", true, fromMonth, 5, 5},
    TFieldCase{"from month typed 0", F::fromMonth, -1, u"0", true, fromMonth, 0, -1},
    TFieldCase{"from month 13", F::fromMonth, -1, u"13", false, fromMonth, 0, 0},
    TFieldCase{"from day any", F::fromDay, -1, u"любое", true, fromDay, 0, 0},
    TFieldCase{"from day 31", F::fromDay, -1, u"31", true, fromDay, 31, -1},
    TFieldCase{"from day 32", F::fromDay, -1, u"32", false, fromDay, 0, 0},
    TFieldCase{"to year pick any", F::toYear, 0, u"", true, toYear, 10000, 0},
    TFieldCase{"to year pick", F::toYear, 1, u"", true, toYear, 1950, 1},
    TFieldCase{"to year pick last", F::toYear, 70, u"", true, toYear, 2019, 70},
    TFieldCase{"to year any word", F::toYear, -1, u"ЛЮБОЙ", true, toYear, 10000, 0},
    TFieldCase{"to year typed", F::toYear, -1, u"1999", true, toYear, 1999, -1},
    TFieldCase{"to year empty", F::toYear, -1, u"", false, toYear, 10000, 0},
    TFieldCase{"to year wraps", F::toYear, -1, u"4294969311", false, toYear, 10000, 0},
    TFieldCase{"to month pick any", F::toMonth, 0, u"", true, toMonth, 12, 0},
    TFieldCase{"to month December", F::toMonth, -1, u"Декабрь", true, toMonth, 12, 12},
    TFieldCase{"to month any word", F::toMonth, -1, u"любой", true, toMonth, 12, 0},
    TFieldCase{"to month typed 0", F::toMonth, -1, u"0", true, toMonth, 0, -1},
    TFieldCase{"to month empty", F::toMonth, -1, u"", false, toMonth, 12, 0},
    TFieldCase{"to day pick any", F::toDay, 0, u"", true, toDay, 31, 0},
    TFieldCase{"to day pick 7", F::toDay, 7, u"", true, toDay, 7, 7},
    TFieldCase{"to day empty", F::toDay, -1, u"", false, toDay, 31, 0},
    TFieldCase{"elo low pick 0", F::whiteEloMin, 0, u"", true, whiteLow, 0, 0},
    TFieldCase{"elo low pick 2000", F::whiteEloMin, 4, u"", true, whiteLow, 2000, 4},
    TFieldCase{"elo low empty", F::whiteEloMin, -1, u"", true, whiteLow, 0, -1},
    TFieldCase{"elo low minus", F::whiteEloMin, -1, u"-100", false, whiteLow, 0, 0},
    TFieldCase{"elo low any word", F::whiteEloMin, -1, u"любой", false, whiteLow, 0, 0},
    TFieldCase{"elo high pick 3000", F::whiteEloMax, 14, u"", true, whiteHigh, 3000, 14},
    TFieldCase{"elo high any", F::blackEloMax, -1, u"любой", true, blackHigh, 10000, 0},
    TFieldCase{"elo high 9999", F::blackEloMax, -1, u"9999", true, blackHigh, 9999, -1},
    TFieldCase{"elo high empty", F::whiteEloMax, -1, u"", false, whiteHigh, 10000, 0},
    TFieldCase{"moves low pick 0", F::movesMin, 0, u"", true, fewest, 1, 0},
    TFieldCase{"moves low pick 80", F::movesMin, 13, u"", true, fewest, 80, 13},
    TFieldCase{"moves low 1000", F::movesMin, -1, u"1000", false, fewest, 0, 0},
    TFieldCase{"moves high 140", F::movesMax, 13, u"", true, most, 140, 13},
    TFieldCase{"moves high typed", F::movesMax, -1, u"999", true, most, 999, -1},
    TFieldCase{"moves high 1000", F::movesMax, -1, u"1000", false, most, 100000, 0},
    TFieldCase{"moves high empty", F::movesMax, -1, u"", false, most, 100000, 0}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });
// clang-format on

TEST_F(SettingsFields, DatePartsKeepTheOtherParts) {
  dateFrom = packDate(1990, 5, 17);
  ASSERT_TRUE(commitTyped(field(F::fromYear), u"2015"));
  EXPECT_EQ(dateFrom, packDate(2015, 5, 17));
  ASSERT_TRUE(pickItem(field(F::fromMonth), 11));
  EXPECT_EQ(dateFrom, packDate(2015, 11, 17));
  ASSERT_TRUE(pickItem(field(F::fromDay), 0));
  EXPECT_EQ(dateFrom, packDate(2015, 11, 0));
  ASSERT_TRUE(commitTyped(field(F::toYear), u"любой"));
  EXPECT_EQ(dateTo, kDateAnyAfter);
}

TEST_F(SettingsFields, EcoTakesOnlyItsOwnPrefixes) {
  EXPECT_EQ(field(F::eco).items.size(), 556u);
  EXPECT_TRUE(commitTyped(field(F::eco), u"b2"));
  EXPECT_EQ(ecoFilter, "B2");
  EXPECT_FALSE(commitTyped(field(F::eco), u"F"));
  EXPECT_FALSE(commitTyped(field(F::eco), u"A001"));
  EXPECT_EQ(ecoFilter, "B2");
  EXPECT_TRUE(pickItem(field(F::eco), 0));
  EXPECT_EQ(ecoFilter, "");
  EXPECT_EQ(field(F::eco).items[555], u"E99");
}

TEST_F(SettingsFields, PlayersTakeAnyTextAsTyped) {
  EXPECT_TRUE(commitTyped(field(F::whitePlayer), u"Карпов"));
  EXPECT_EQ(whitePlayer, utf16ToAnsi(u"Карпов"));
  EXPECT_TRUE(commitTyped(field(F::whitePlayer), u"ЛЮБОЙ"));
  EXPECT_EQ(whitePlayer, "");
  field(F::blackPlayer).items = {u"любой", u"Anand"};
  EXPECT_TRUE(pickItem(field(F::blackPlayer), 1));
  EXPECT_EQ(blackPlayer, "Anand");
}

TEST_F(SettingsFields, MarksOpenTheWindowOnlyWhenPicked) {
  static bool saved = false;
  static int opened = 0;
  runMarkWindow = [] {
    ++opened;
    if (saved) keptNags = TNagSet::none();
    return saved;
  };
  TDropDownField& marks = field(F::marks);
  ASSERT_TRUE(pickItem(marks, 1));
  EXPECT_EQ(keptNags, TNagSet::moveMarksOnly());
  EXPECT_FALSE(pickItem(marks, 3));  // closed with Escape or "Отмена"
  EXPECT_EQ(keptNags, TNagSet::moveMarksOnly());
  EXPECT_EQ(marks.index, 1);
  EXPECT_FALSE(commitTyped(marks, kFineTuning));
  EXPECT_EQ(opened, 1);
  saved = true;
  EXPECT_TRUE(pickItem(marks, 3));
  EXPECT_EQ(marks.text, kFineTuning);
  // leaving the field that shows the fine tuning keeps it without a word
  EXPECT_TRUE(commitTyped(marks, kFineTuning));
  EXPECT_EQ(keptNags, TNagSet::none());
  EXPECT_TRUE(commitTyped(marks, u"нет"));  // nothing removed
  EXPECT_EQ(keptNags, TNagSet::all());
}

TEST_F(SettingsFields, ItemListsHaveTheirLengths) {
  EXPECT_EQ(field(F::fromYear).items.size(), 101u);
  EXPECT_EQ(field(F::toYear).items.size(), 71u);
  EXPECT_EQ(field(F::fromYear).items.back(), u"2012");
  EXPECT_EQ(field(F::toYear).items[1], u"1950");
  EXPECT_EQ(field(F::whiteBands).items.size(), 21u);
  EXPECT_EQ(field(F::whiteEloMin).items.size(), 15u);
  EXPECT_EQ(field(F::movesMin).items.size(), 14u);
  EXPECT_EQ(field(F::movesMax).items.size(), 14u);
  EXPECT_EQ(field(F::toDay).items.size(), 32u);
}

}  // namespace
