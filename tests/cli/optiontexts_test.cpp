#include "cli/optiontexts.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionTexts, ChoicesIgnoreCaseAndListTheWordsOnError) {
  uint8_t value = 9;
  EXPECT_EQ(readChoice("Seven", kTagChoices, value), "");
  EXPECT_EQ(value, 1);
  EXPECT_EQ(readChoice("digit", kEcoSplitChoices, value), "");
  EXPECT_EQ(value, 2);
  EXPECT_EQ(readChoice("weekly", kDateSplitChoices, value),
            "'weekly' is not one of none, year, month, day");
  EXPECT_EQ(value, 2);
}

TEST(OptionTexts, NumbersStayWithinTheirBounds) {
  int32_t value = 7;
  EXPECT_EQ(readNumber("255", 1, 255, value), "");
  EXPECT_EQ(value, 255);
  for (const char* bad : {"0", "256", "", "-1", "1e3", "12x", "99999999999999"})
    EXPECT_NE(readNumber(bad, 1, 255, value), "") << bad;
  EXPECT_EQ(value, 255);
}

TEST(OptionTexts, MarksPresetsAndLists) {
  TNagSet marks = TNagSet::none();
  EXPECT_EQ(readMarks("all", marks), "");
  EXPECT_EQ(marks, TNagSet::all());
  EXPECT_EQ(readMarks("MOVES", marks), "");
  EXPECT_EQ(marks, TNagSet::moveMarksOnly());
  EXPECT_EQ(readMarks("1-3,$10,255,0", marks), "");
  for (int code = 0; code < 256; ++code)
    EXPECT_EQ(marks.has(code), code <= 3 || code == 10 || code == 255) << code;
}

TEST(OptionTexts, BadMarkListLeavesTheMarksAlone) {
  TNagSet marks = TNagSet::moveMarksOnly();
  for (const char* bad : {"256", "5-2", "1,,2", "", "x", "1-", "$"})
    EXPECT_NE(readMarks(bad, marks), "") << bad;
  EXPECT_EQ(marks, TNagSet::moveMarksOnly());
}

TEST(OptionTexts, ResultsBuildTheMask) {
  uint8_t mask = 0;
  EXPECT_EQ(readResults("1-0,1/2-1/2", mask), "");
  EXPECT_EQ(mask, kResultWhiteWins | kResultDraw);
  EXPECT_EQ(readResults("*,other,0-1", mask), "");
  EXPECT_EQ(mask, kResultUnknown | kResultOther | kResultBlackWins);
  EXPECT_EQ(readResults("all", mask), "");
  EXPECT_EQ(mask, kResultAll);
  EXPECT_NE(readResults("1-0,draw", mask), "");
  EXPECT_EQ(mask, kResultAll);
}

TEST(OptionTexts, DateBoundsOpenTowardTheirSide) {
  int32_t date = 0;
  EXPECT_EQ(readDateBound("1990", false, date), "");
  EXPECT_EQ(date, packDate(1990, 0, 0));
  EXPECT_EQ(readDateBound("1990", true, date), "");
  EXPECT_EQ(date, packDate(1990, 12, 31));
  EXPECT_EQ(readDateBound("1990.05", true, date), "");
  EXPECT_EQ(date, packDate(1990, 5, 31));
  EXPECT_EQ(readDateBound("1990-05-17", false, date), "");
  EXPECT_EQ(date, packDate(1990, 5, 17));
  EXPECT_EQ(readDateBound("????.??.??", true, date), "");
  EXPECT_EQ(date, kDateAnyAfter);
}

TEST(OptionTexts, BadDatesAreRefused) {
  int32_t date = 5;
  for (const char* bad : {"", "1990.13", "1990.01.32", "19x0", "1990.1.1.1", "10000", "1990/01"})
    EXPECT_NE(readDateBound(bad, false, date), "") << bad;
  EXPECT_EQ(date, 5);
}

TEST(OptionTexts, EcoPrefixGetsACapitalLetter) {
  std::string prefix;
  EXPECT_EQ(readEcoPrefix("b1", prefix), "");
  EXPECT_EQ(prefix, "B1");
  for (const char* bad : {"", "F", "B123", "BB", "B1x"})
    EXPECT_NE(readEcoPrefix(bad, prefix), "") << bad;
  EXPECT_EQ(prefix, "B1");
}

}  // namespace
