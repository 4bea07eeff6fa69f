#include <climits>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/filters.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/sorting.h"
#include "Upgnread/splitting.h"
#include "support/outputgames.h"
#include "support/tempfolder.h"

namespace {

struct TPlannedFile {
  std::string name;
  TIndexArray games;
};

// Walks outputOrder as the writing loop does: the files it would write and their games.
std::vector<TPlannedFile> plannedFiles(const std::filesystem::path& base = "out") {
  resetGroupCursor();
  std::vector<TPlannedFile> files;
  for (int32_t p = 0; p < static_cast<int32_t>(outputOrder.size()); ++p) {
    if (startsNewFile(p)) files.push_back({outputFileName(base, p).string(), {}});
    files.back().games.push_back(outputOrder[p]);
  }
  return files;
}

std::vector<std::string> namesOf(const std::vector<TPlannedFile>& files) {
  std::vector<std::string> names;
  for (const TPlannedFile& file : files) names.push_back(file.name);
  return names;
}

using Splitting = OutputRunTest;

TEST_F(Splitting, WithoutSplitEveryGameGoesToTheBaseName) {
  addTaggedGame("A", "B", "1-0", "2001.01.01", "One");
  addTaggedGame("C", "D", "0-1", "2002.02.02", "Two");
  workOnAllGames();
  sortForOutput();
  const auto files = plannedFiles();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].name, "out.pgn");
  EXPECT_EQ(files[0].games, (TIndexArray{0, 1}));
}

TEST_F(Splitting, DatePartsShowMissingYearMonthAndDay) {
  struct TCase {
    uint8_t level;
    const char* date;
    const char* name;
  };
  const TCase cases[] = {
      {1, "????.??.??", "out_date=yyyy.pgn"},    {1, "2004.05.17", "out_date=2004.pgn"},
      {2, "2004.05.17", "out_date=2004_05.pgn"}, {2, "2004.??.??", "out_date=2004_mm.pgn"},
      {3, "5", "out_date=0005_mm_dd.pgn"},       {3, "0987.11.03", "out_date=0987_11_03.pgn"},
  };
  for (const TCase& test : cases) {
    emptyGameBase();
    addTaggedGame("A", "B", "*", test.date);
    workOnAllGames();
    splitByDate = test.level;
    sortForOutput();
    EXPECT_EQ(namesOf(plannedFiles()), std::vector<std::string>{test.name}) << test.date;
  }
}

TEST_F(Splitting, DateLevelDecidesWhichDatesShareAFile) {
  for (const char* date : {"2004.05.17", "2004.05.18", "2004.06.01", "2005.01.01"})
    addTaggedGame("A", "B", "*", date);
  workOnAllGames();
  for (uint8_t level : {1, 2, 3}) {
    splitByDate = level;
    sortForOutput();
    EXPECT_EQ(plannedFiles().size(), std::vector<size_t>({2, 3, 4})[level - 1]);
  }
}

TEST_F(Splitting, ThreeWhiteRatingParts) {
  for (const char* rating : {"1500", "1901", "2300", "2301", "2700"})
    addGameTag(addTaggedGame("A", "B"), "WhiteElo", rating);
  workOnAllGames();
  whiteEloParts = 3;
  sortForOutput();
  const auto files = plannedFiles();
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].name, "out_welo=1500-1901.pgn");
  EXPECT_EQ(files[1].name, "out_welo=1901-2301.pgn");
  EXPECT_EQ(files[2].name, "out_welo=2301-2701.pgn");
  EXPECT_EQ(files[0].games, (TIndexArray{0}));
  EXPECT_EQ(files[1].games, (TIndexArray{1, 2}));
  EXPECT_EQ(files[2].games, (TIndexArray{3, 4}));
}

TEST_F(Splitting, NarrowRangeGetsOnePartPerRating) {
  addGameTag(addTaggedGame("A", "B"), "BlackElo", "2001");
  addGameTag(addTaggedGame("A", "B"), "BlackElo", "2000");
  workOnAllGames();
  blackEloParts = 2;
  sortForOutput();
  EXPECT_EQ(blackEloBounds, (std::vector<int32_t>{2000, 2001, 2002}));
  EXPECT_EQ(namesOf(plannedFiles()),
            (std::vector<std::string>{"out_belo=2000-2001.pgn", "out_belo=2001-2002.pgn"}));
}

TEST_F(Splitting, RatingsBeyondTheRangeJoinTheOuterParts) {
  const std::vector<int32_t> bounds = {1500, 1901, 2301, 2701};
  EXPECT_EQ(ratingPart(1499, bounds), 0);
  EXPECT_EQ(ratingPart(1500, bounds), 1);
  EXPECT_EQ(ratingPart(2301, bounds), 3);
  EXPECT_EQ(ratingPart(12000, bounds), 3);
  // A rating above the filter's own range (no bound set) lands in the top part's file.
  addGameTag(addTaggedGame("A", "B"), "WhiteElo", "2000");
  addGameTag(addTaggedGame("A", "B"), "WhiteElo", "2100");
  addGameTag(addTaggedGame("A", "B"), "WhiteElo", "12000");
  workOnAllGames();
  whiteEloParts = 2;
  sortForOutput();
  EXPECT_EQ(namesOf(plannedFiles()),
            (std::vector<std::string>{"out_welo=2000-2051.pgn", "out_welo=2051-2101.pgn"}));
}

TEST_F(Splitting, NoRatingInsideTheFilterBoundsMakesOnePart) {
  EXPECT_EQ(ratingBounds(3, 100000, 0), (std::vector<int32_t>{0, INT_MAX}));
  addTaggedGame("A", "B");
  addGameTag(addTaggedGame("A", "B"), "WhiteElo", "1200");
  workOnAllGames();
  whiteEloParts = 4;
  blackEloParts = 2;
  whiteEloMin = 2000;
  sortForOutput();
  EXPECT_EQ(namesOf(plannedFiles()),
            (std::vector<std::string>{"out_welo=0-2147483647_belo=0-1.pgn"}));
  workList.clear();
  sortForOutput();
  EXPECT_TRUE(outputOrder.empty());
}

TEST_F(Splitting, ResultAndEcoLetter) {
  addGameTag(addTaggedGame("A", "B", "1/2-1/2"), "ECO", "B20");
  addGameTag(addTaggedGame("A", "B", "1-0"), "ECO", "C42");
  addGameTag(addTaggedGame("A", "B", "0-1"), "ECO", "B99");
  addGameTag(addTaggedGame("A", "B", "*"), "ECO", "A00");
  addGameTag(addTaggedGame("A", "B", "1/2-1/2"), "ECO", "B33");
  workOnAllGames();
  splitByResult = true;
  splitByEco = 1;
  sortForOutput();
  const auto files = plannedFiles();
  EXPECT_EQ(namesOf(files),
            (std::vector<std::string>{"out_res=blackwin_eco=B.pgn", "out_res=draw_eco=B.pgn",
                                      "out_res=whitewin_eco=C.pgn", "out_res=unknown_eco=A.pgn"}));
  EXPECT_EQ(files[1].games, (TIndexArray{0, 4}));
}

TEST_F(Splitting, NamePartsStandInTheirOrder) {
  const int32_t game = addTaggedGame("Anna", "Boris", "1-0", "2004.05.17", "Open");
  addGameTag(game, "WhiteElo", "2400");
  addGameTag(game, "BlackElo", "2300");
  addGameTag(game, "ECO", "B20");
  workOnAllGames();
  splitByWhite = splitByBlack = splitByEvent = splitByResult = true;
  splitByDate = 2;
  whiteEloParts = blackEloParts = 2;
  splitByEco = 3;
  sortForOutput();
  EXPECT_EQ(namesOf(plannedFiles()),
            (std::vector<std::string>{"out_white=Anna_black=Boris_date=2004_05_tournament=Open"
                                      "_welo=2400-2401_belo=2300-2301_res=whitewin_eco=B20.pgn"}));
}

TEST_F(Splitting, WhiteAndBlackNamesChangeFiles) {
  addTaggedGame("Anna", "Boris");
  addTaggedGame("Anna", "Clara");
  addTaggedGame("Anna", "Boris");
  workOnAllGames();
  splitByBlack = true;
  sortForOutput();
  const auto files = plannedFiles();
  ASSERT_EQ(namesOf(files),
            (std::vector<std::string>{"out_black=Boris.pgn", "out_black=Clara.pgn"}));
  EXPECT_EQ(files[0].games, (TIndexArray{0, 2}));
}

TEST_F(Splitting, PlayerFilesHoldEveryGameOfThePlayer) {
  addTaggedGame("Anna", "Boris");
  addTaggedGame("Boris", "Anna");
  addTaggedGame("Clara", "Boris");
  workOnAllGames();
  splitByPlayer = true;
  sortForOutput();
  const auto files = plannedFiles();
  ASSERT_EQ(namesOf(files), (std::vector<std::string>{"out_player=Anna.pgn", "out_player=Boris.pgn",
                                                      "out_player=Clara.pgn"}));
  EXPECT_EQ(files[0].games, (TIndexArray{0, 1}));
  // Boris had White in game 1 and Black in games 0 and 2.
  ASSERT_EQ(files[1].games.size(), 3u);
  EXPECT_EQ(files[1].games[0], 1);
  EXPECT_EQ(std::set<int32_t>(files[1].games.begin() + 1, files[1].games.end()),
            (std::set<int32_t>{0, 2}));
  EXPECT_EQ(files[2].games, (TIndexArray{2}));
}

// Another key may start a file inside a player's group or at its first game; the name must
// still be the group's player.
TEST_F(Splitting, PlayerNameFollowsTheGroupWhenTheDateStartsTheFile) {
  addTaggedGame("Anna", "Xena", "*", "2000.01.01");
  addTaggedGame("Anna", "Yuri", "*", "2000.01.01");
  addTaggedGame("Anna", "Zoe", "*", "2001.01.01");
  addTaggedGame("Boris", "Xena", "*", "2002.01.01");
  workOnAllGames();
  splitByPlayer = true;
  splitByDate = 1;
  sortForOutput();
  const auto names = namesOf(plannedFiles());
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[0], "out_player=Anna_date=2000.pgn");
  EXPECT_EQ(names[1], "out_player=Anna_date=2001.pgn");
  EXPECT_EQ(names[2], "out_player=Boris_date=2002.pgn");
}

TEST_F(Splitting, SingleGameGroupFollowedByADateChange) {
  addTaggedGame("Anna", "Xena", "*", "2000.01.01");
  addTaggedGame("Boris", "Yuri", "*", "2001.01.01");
  workOnAllGames();
  splitByPlayer = true;
  splitByDate = 1;
  sortForOutput();
  EXPECT_EQ(
      namesOf(plannedFiles()),
      (std::vector<std::string>{"out_player=Anna_date=2000.pgn", "out_player=Boris_date=2001.pgn",
                                "out_player=Xena_date=2000.pgn", "out_player=Yuri_date=2001.pgn"}));
}

class LongNames : public OutputRunTest {
 protected:
  std::string nameFor(size_t eventLength) {
    emptyGameBase();
    addTaggedGame("A", "B", "*", "2004.05.17", std::string(eventLength, 'e'));
    workOnAllGames();
    splitByEvent = true;
    sortForOutput();
    return plannedFiles("base").at(0).name;
  }
};

TEST_F(LongNames, AreCutToTheHostsBufferWithARisingCounter) {
  textBufferLength = 60;
  const int32_t before = nameCounter;
  const std::string first = nameFor(200);
  const std::string second = nameFor(300);
  EXPECT_EQ(first.size(), 60u);
  EXPECT_EQ(second.size(), 60u);
  EXPECT_EQ(first.substr(first.size() - 4 - std::to_string(before + 1).size()),
            std::to_string(before + 1) + ".pgn");
  EXPECT_EQ(second.substr(second.size() - 4 - std::to_string(before + 2).size()),
            std::to_string(before + 2) + ".pgn");
  EXPECT_EQ(first.rfind("base_tournament=eee", 0), 0u);
  EXPECT_EQ(nameCounter, before + 2);
}

TEST_F(LongNames, CutStartsFourCharactersBeforeTheLimit) {
  textBufferLength = 60;
  const size_t prefix = std::string("base_tournament=").size();
  const int32_t before = nameCounter;
  EXPECT_EQ(nameFor(60 - 5 - prefix),
            "base_tournament=" + std::string(60 - 5 - prefix, 'e') + ".pgn");
  EXPECT_EQ(nameCounter, before);
  EXPECT_EQ(nameFor(60 - 4 - prefix).size(), 60u);
  EXPECT_EQ(nameCounter, before + 1);
}

TEST_F(LongNames, TinyBufferStillGivesAName) {
  textBufferLength = 2;
  const std::string name = nameFor(10);
  EXPECT_EQ(name, std::to_string(nameCounter) + ".pgn");
}

TEST(NameParts, WindowsRulesReplaceRefusedCharacters) {
  std::string part = "a<b>c:d\"e/f\\g|h?i*j\x01k\x1f.";
  makeNamePartSafe(part, TNameRules::windows);
  EXPECT_EQ(part, "a_b_c_d_e_f_g_h_i_j_k__");
  std::string spaced = "Round 1 ";
  makeNamePartSafe(spaced, TNameRules::windows);
  EXPECT_EQ(spaced, "Round 1_");
  std::u16string wide = u"\u0410?\u0411.\u0412";
  makeNamePartSafe(wide, TNameRules::windows);
  EXPECT_EQ(wide, u"\u0410_\u0411.\u0412");
  std::string cyrillic = "\xC0\xC1\xFF";  // Windows-1251 bytes stay as they are
  makeNamePartSafe(cyrillic, TNameRules::windows);
  EXPECT_EQ(cyrillic, "\xC0\xC1\xFF");
}

TEST(NameParts, PosixRulesReplaceOnlySlashAndNul) {
  std::string part = std::string("a?b:c/d") + '\0' + "e. ";
  makeNamePartSafe(part, TNameRules::posix);
  EXPECT_EQ(part, "a?b:c_d_e. ");
}

TEST_F(Splitting, TagValuesNeverLeaveTheOutputFolder) {
  TTempFolder folder;
  addTaggedGame("../../etc", "B", "*", "2004.05.17", "?");
  addTaggedGame("Anna", "B", "*", "2004.05.17", "Open/Cup");
  workOnAllGames();
  splitByWhite = splitByEvent = true;
  sortForOutput();
  for (const TPlannedFile& file : plannedFiles(folder / "games")) {
    const std::filesystem::path path = file.name;
    EXPECT_EQ(path.parent_path(), folder.path()) << file.name;
    std::ofstream(path) << "x";
    EXPECT_TRUE(std::filesystem::exists(path)) << file.name;
  }
}

TEST_F(Splitting, PlayerNamesInEitherEncodingNameFilesReadably) {
  const std::string utf8 = "\xD0\x9A\xD0\xB0\xD1\x80\xD0\xBF\xD0\xBE\xD0\xB2";  // "Карпов"
  addTaggedGame("\xCA\xE0\xF0\xEF\xEE\xE2", "B");  // the same name in Windows-1251
  addTaggedGame(utf8, "B");
  workOnAllGames();
  splitByWhite = true;
  sortForOutput();
  const auto files = plannedFiles();
  ASSERT_EQ(files.size(), 2u);  // the tags differ byte for byte, so the games do not share a file
  for (const TPlannedFile& file : files) EXPECT_EQ(file.name, "out_white=" + utf8 + ".pgn");
}

}  // namespace
