#include "Upgnread/filters.h"

#include <climits>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "support/gamebuilder.h"

namespace {

// Every test starts from, and leaves behind, the default options.
class FilterTest : public testing::Test {
 protected:
  void SetUp() override { resetOptions(); }
  void TearDown() override { resetOptions(); }
};

TGamesTagArray withResult(std::string_view result) {
  return rosterTags("W", "B", result);
}
TGamesTagArray withDate(std::string_view date) {
  return rosterTags("W", "B", "*", date);
}

TGamesTagArray withRatings(std::string_view white, std::string_view black) {
  TGamesTagArray tags = rosterTags();
  if (!white.empty()) addTag(tags, "WhiteElo", white);
  if (!black.empty()) addTag(tags, "BlackElo", black);
  return tags;
}

// A main line of the given number of half-moves.
std::unique_ptr<jurnal> lineOf(int halfMoves) {
  auto line = sketchLine("");
  for (int i = 0; i < halfMoves; ++i) sketchMove(*line, "a3", i % 2 == 0);
  return line;
}

TGame gameWithEco(std::string_view name, std::string_view code) {
  TGamesTagArray tags = rosterTags();
  addTag(tags, name, code);
  return makeGame(std::move(tags), sketchLine("e4 e5"));
}

}  // namespace

// Result

struct TResultCase {
  uint8_t mask;
  const char* result;
  bool accepted;
};
void PrintTo(const TResultCase& c, std::ostream* out) {
  *out << int(c.mask) << " \"" << c.result << '"';
}

class ResultFilterTest : public FilterTest, public testing::WithParamInterface<TResultCase> {};

TEST_P(ResultFilterTest, LetsThroughTheResultsOfTheMask) {
  resultMask = GetParam().mask;
  EXPECT_EQ(acceptTags(withResult(GetParam().result)), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, ResultFilterTest,
    testing::Values(
        // 31 switches the filter off, even for texts that match no bit
        TResultCase{31, "1-0", true}, TResultCase{31, "draw", true}, TResultCase{31, "", true},
        // without "*" the filter is on for every game
        TResultCase{23, "*", false}, TResultCase{23, "1-0", true}, TResultCase{23, "0-1", true},
        TResultCase{23, "1/2-1/2", true}, TResultCase{23, "1/2", true}, TResultCase{1, "1-0", true},
        TResultCase{1, "0-1", false}, TResultCase{2, "0-1", true}, TResultCase{4, "1/2-1/2", true},
        TResultCase{4, "1/2", false}, TResultCase{8, "*", true}, TResultCase{16, "1-0 ", true},
        TResultCase{16, "", true}, TResultCase{16, "1-0", false}, TResultCase{0, "1-0", false}));

// Date

TEST_F(FilterTest, UnreadableDatePassesOnlyAnUpperBound) {
  TGamesTagArray unreadable = withDate("????.??.??");
  dateTo = packDate(2000, 0, 0);
  EXPECT_TRUE(acceptTags(unreadable));
  dateFrom = packDate(1900, 0, 0);
  EXPECT_FALSE(acceptTags(unreadable));
}

TEST_F(FilterTest, DateBoundsAreInclusive) {
  dateFrom = packDate(2004, 5, 17);
  dateTo = packDate(2004, 5, 18);
  EXPECT_FALSE(acceptTags(withDate("2004.05.16")));
  EXPECT_TRUE(acceptTags(withDate("2004.05.17")));
  EXPECT_TRUE(acceptTags(withDate("2004.05.18")));
  EXPECT_FALSE(acceptTags(withDate("2004.05.19")));
}

TEST_F(FilterTest, UpperBoundInYearTenThousandIsOff) {
  // Year 10000 with a month set is still "no upper bound": even a date beyond it passes.
  dateTo = packDate(10000, 1, 0);
  EXPECT_TRUE(acceptTags(withDate("9999.12.31")));
  EXPECT_TRUE(acceptTags(rosterTags("W", "B", "*", "")));
}

// Players

TEST_F(FilterTest, PlayerNamesMatchExactly) {
  whitePlayer = "Carlsen";
  EXPECT_TRUE(acceptTags(rosterTags("Carlsen", "Anand")));
  EXPECT_FALSE(acceptTags(rosterTags("carlsen", "Anand")));
  EXPECT_FALSE(acceptTags(rosterTags("Carlsen ", "Anand")));
  EXPECT_FALSE(acceptTags(rosterTags("Anand", "Carlsen")));
  blackPlayer = "Anand";
  EXPECT_TRUE(acceptTags(rosterTags("Carlsen", "Anand")));
  EXPECT_FALSE(acceptTags(rosterTags("Carlsen", "Kramnik")));
}

TEST_F(FilterTest, IgnoringColourAcceptsEitherSideAndDropsTheSecondName) {
  whitePlayer = "\xCA\xE0\xF1\xEF\xE0\xF0\xEE\xE2";  // Windows-1251 bytes compare as they are
  blackPlayer = "Nobody";
  ignoreColour = true;
  EXPECT_TRUE(acceptTags(rosterTags(whitePlayer, "Karpov")));
  EXPECT_TRUE(acceptTags(rosterTags("Karpov", whitePlayer)));
  EXPECT_FALSE(acceptTags(rosterTags("Karpov", "Nobody")));
}

TEST_F(FilterTest, SecondNameAloneFiltersBlack) {
  blackPlayer = "Anand";
  EXPECT_TRUE(acceptTags(rosterTags("Anyone", "Anand")));
  EXPECT_FALSE(acceptTags(rosterTags("Anand", "Anyone")));
}

// Ratings

TEST_F(FilterTest, MissingRatingCountsAsZero) {
  TGamesTagArray unrated = withRatings("", "2500");
  whiteEloMax = 2000;
  EXPECT_TRUE(acceptTags(unrated));
  whiteEloMin = 1;
  EXPECT_FALSE(acceptTags(unrated));
}

TEST_F(FilterTest, RatingBoundsApplyToTheirSide) {
  blackEloMin = 2400;
  blackEloMax = 2600;
  EXPECT_TRUE(acceptTags(withRatings("1000", "2400")));
  EXPECT_TRUE(acceptTags(withRatings("", "2600")));
  EXPECT_FALSE(acceptTags(withRatings("2500", "2601")));
  EXPECT_FALSE(acceptTags(withRatings("2500", "")));
}

TEST_F(FilterTest, RatingValuesThatAreNotNumbersKeepTheEarlierOne) {
  TGamesTagArray tags = rosterTags();
  addTag(tags, "WhiteElo", "2500");
  addTag(tags, "WhiteElo", "25OO");
  addTag(tags, "BlackElo", "2400");
  addTag(tags, "BlackElo", "99999999999");  // beyond int32: not a number, not a wrapped value
  addTag(tags, "whiteelo", "100");          // names match exactly
  TRatings ratings = readRatings(tags);
  EXPECT_EQ(ratings.White, 2500);
  EXPECT_EQ(ratings.Black, 2400);
  addTag(tags, "BlackElo", "");
  EXPECT_EQ(readRatings(tags).Black, 0);
}

TEST_F(FilterTest, ReadingRatingsOnlyWidensTheRangesWithinBounds) {
  whiteEloLow = blackEloLow = 100000;
  whiteEloHigh = blackEloHigh = 0;
  whiteEloMax = 2800;
  blackEloMin = 2000;
  readRatings(withRatings("2500", "2100"));
  readRatings(withRatings("2600", "1900"));  // Black below its bound
  readRatings(withRatings("2900", "2300"));  // White above its bound
  readRatings(withRatings("2550", "2200"));
  EXPECT_EQ(whiteEloLow, 2500);
  EXPECT_EQ(whiteEloHigh, 2600);
  EXPECT_EQ(blackEloLow, 2100);
  EXPECT_EQ(blackEloHigh, 2300);
}

// Number of moves

struct TMoveCountCase {
  int32_t min, max;
  int halfMoves;
  bool accepted;
};
void PrintTo(const TMoveCountCase& c, std::ostream* out) {
  *out << c.min << ".." << c.max << " with " << c.halfMoves;
}

class MoveCountFilterTest : public FilterTest,
                            public testing::WithParamInterface<TMoveCountCase> {};

TEST_P(MoveCountFilterTest, CountsHalfMovesOfTheMainLine) {
  movesMin = GetParam().min;
  movesMax = GetParam().max;
  EXPECT_EQ(acceptMoves(lineOf(GetParam().halfMoves).get()), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, MoveCountFilterTest,
    testing::Values(TMoveCountCase{10, 100000, 18, true}, TMoveCountCase{10, 100000, 17, false},
                    TMoveCountCase{0, 40, 80, true}, TMoveCountCase{0, 40, 81, false},
                    TMoveCountCase{1, 100000, 0, true}, TMoveCountCase{0, 0, 0, true},
                    TMoveCountCase{0, 0, 1, false},
                    // doubling such bounds must not wrap around
                    TMoveCountCase{INT32_MAX, 100000, 100, false},
                    TMoveCountCase{INT32_MIN, 9999, 100, true}));

TEST_F(FilterTest, GameWithoutMovesPassesOnlyAnInactiveMoveFilter) {
  movesMax = 10000;
  EXPECT_TRUE(acceptMoves(nullptr));
  movesMax = 9999;
  EXPECT_FALSE(acceptMoves(nullptr));
  EXPECT_TRUE(acceptMoves(lineOf(1).get()));
}

// ECO code

TEST_F(FilterTest, EcoPrefixIsCaseSensitive) {
  ecoFilter = "B2";
  for (char digit = '0'; digit <= '9'; ++digit) {
    TGame upper = gameWithEco("ECO", std::string("B2") + digit);
    TGame lower = gameWithEco("ECO", std::string("b2") + digit);
    EXPECT_TRUE(acceptEco(upper, false)) << digit;
    EXPECT_FALSE(acceptEco(lower, false)) << digit;
  }
  TGame other = gameWithEco("ECO", "B30");
  EXPECT_FALSE(acceptEco(other, false));
  ecoFilter = "B23";
  TGame exact = gameWithEco("Eco", "B23");
  EXPECT_TRUE(acceptEco(exact, false));
}

TEST_F(FilterTest, EcoTestAddsNoTagToAGameWithoutOne) {
  ecoFilter = "A";
  TGame game = makeGame(rosterTags(), sketchLine("e4 e5"));
  acceptEco(game, false);
  EXPECT_EQ(game.Tags.size(), size_t(kRosterTagCount));
}

TEST_F(FilterTest, EmptyEcoFilterLeavesTheTagAlone) {
  TGame game = gameWithEco("ECO", "Z99");
  EXPECT_TRUE(acceptEco(game, true));
  EXPECT_EQ(game.Tags[7].Value, "Z99");
}

TEST_F(FilterTest, GameTestsStopAtTheFirstFailure) {
  // The ECO test, last in line, would rewrite the invalid code; a failing tag test spares it.
  ecoFilter = "C";
  resultMask = kResultWhiteWins;
  TGame game = gameWithEco("ECO", "Z99");
  EXPECT_FALSE(acceptGame(game));
  EXPECT_EQ(game.Tags[7].Value, "Z99");
}

TEST_F(FilterTest, ListKeepsOrderAndSkipsIndicesOutsideTheBase) {
  TGames games;
  for (const char* result : {"1-0", "0-1", "1-0", "*"})
    games.push_back(makeGame(withResult(result), lineOf(4)));
  resultMask = kResultWhiteWins | kResultUnknown;
  EXPECT_EQ(filterList(games, {3, 1, 0, 7, -1, 2}), (TIndexArray{3, 0, 2}));
}

// Dates as text

struct TDateCase {
  const char* text;
  int32_t packed;
};
void PrintTo(const TDateCase& c, std::ostream* out) {
  *out << '"' << c.text << '"';
}

class ParseDateTest : public testing::TestWithParam<TDateCase> {};

TEST_P(ParseDateTest, PacksWhatItCanRead) {
  EXPECT_EQ(parseDate(GetParam().text), GetParam().packed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDateTest,
    testing::Values(TDateCase{"2004.05.17", 2004 * 416 + 5 * 32 + 17},
                    TDateCase{"2004.??.??", 2004 * 416}, TDateCase{"????.??.??", 0},
                    TDateCase{"", 0}, TDateCase{"2004", 2004 * 416}, TDateCase{"200", 200 * 416},
                    TDateCase{"2004.", 2004 * 416}, TDateCase{"2004.5", 2004 * 416 + 5 * 32},
                    TDateCase{"2004.05", 2004 * 416 + 5 * 32},
                    TDateCase{"2004.05.", 2004 * 416 + 5 * 32},
                    TDateCase{"2004.05.1", 2004 * 416 + 5 * 32 + 1},
                    TDateCase{"2004.05.17 and more", 2004 * 416 + 5 * 32 + 17},
                    TDateCase{"2004.12.31", 2004 * 416 + 12 * 32 + 31}, TDateCase{"2004.13.01", 0},
                    TDateCase{"2004.12.32", 0}, TDateCase{"2004.1?.??", 2004 * 416},
                    TDateCase{"2004.?5.??", 2004 * 416 + 5 * 32}, TDateCase{"2004-05-17", 0},
                    TDateCase{"2004.05-17", 0}, TDateCase{"20a4.05.17", 0},
                    TDateCase{"04.05.17", 0}, TDateCase{"2004.0x.17", 0}));
