// The output job end to end: games read from real files, written by the worker, and every file
// of the output folder compared byte for byte with the games it should hold.

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/output.h"
#include "platform/platform.h"
#include "support/pipeline.h"
#include "support/stopper.h"
#include "support/testpaths.h"

namespace {

using TFiles = std::map<std::string, std::string>;

TGameText game(std::string white, std::string black, std::string result, std::string date,
               std::string event, std::string eco, int whiteElo, std::string moves) {
  TGameText text = gameText(std::move(white), std::move(black), std::move(result), std::move(moves),
                            std::move(date), std::move(event));
  text.extraTags = tagLine("ECO", eco) + tagLine("WhiteElo", std::to_string(whiteElo));
  return text;
}

// Four games whose split keys differ in every way the tests need; each player has at most one
// game with each colour, so a player's file has one order only.
const std::string g1 = pgnText(
    game("Adams", "Brown", "1-0", "2004.05.17", "Open", "C20", 2500, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6"));
const std::string g2 =
    pgnText(game("Brown", "Clark", "0-1", "2005.01.02", "Cup", "D30", 2400, "1.d4 d5 2.c4 e6"));
const std::string g3 = pgnText(game("Clark", "Adams", "1/2-1/2", "2004.07.01", "Open", "C50", 2300,
                                    "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5"));
const std::string g4 =
    pgnText(game("Evans", "Evans", "1-0", "2005.03.04", "Cup", "B20", 2200, "1.e4 c5"));

class OutputRun : public TPipelineTest {
 protected:
  void SetUp() override {
    TPipelineTest::SetUp();
    std::filesystem::create_directory(folder / "in");
    std::filesystem::create_directory(folder / "out");
    loadFileJob(folder.write("in/games.pgn", g1 + g2 + g3 + g4));
    ASSERT_EQ(panelGames.size(), 4u);
  }
  std::filesystem::path base() const { return folder / "out" / "base"; }
  TFiles written() const { return filesIn(folder / "out"); }
};

TEST_F(OutputRun, WithoutSplitEveryGameGoesToOneFileInListOrder) {
  listOrder = {2, 0, 3, 1};
  writeJob(base());
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(written(), (TFiles{{"base.pgn", g3 + g1 + g4 + g2}}));
  EXPECT_EQ(outputBase, base());
  EXPECT_EQ(gamesWritten, 4);
  EXPECT_EQ(outputFilesWritten, 1);
  EXPECT_EQ(writesFailed, 0);
}

struct TSplitCase {
  const char* name;
  void (*set)();
  TFiles files;
};

class OutputSplit : public OutputRun, public ::testing::WithParamInterface<TSplitCase> {};

TEST_P(OutputSplit, WritesEachGroupToItsOwnFile) {
  GetParam().set();
  writeJob(base());
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(written(), GetParam().files);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OutputSplit,
    ::testing::Values(
        TSplitCase{"Result",
                   [] { splitByResult = true; },
                   {{"base_res=blackwin.pgn", g2},
                    {"base_res=draw.pgn", g3},
                    {"base_res=whitewin.pgn", g1 + g4}}},
        TSplitCase{"White",
                   [] { splitByWhite = true; },
                   {{"base_white=Adams.pgn", g1},
                    {"base_white=Brown.pgn", g2},
                    {"base_white=Clark.pgn", g3},
                    {"base_white=Evans.pgn", g4}}},
        TSplitCase{"Black",
                   [] { splitByBlack = true; },
                   {{"base_black=Adams.pgn", g3},
                    {"base_black=Brown.pgn", g1},
                    {"base_black=Clark.pgn", g2},
                    {"base_black=Evans.pgn", g4}}},
        TSplitCase{"Event",
                   [] { splitByEvent = true; },
                   {{"base_tournament=Cup.pgn", g2 + g4}, {"base_tournament=Open.pgn", g1 + g3}}},
        TSplitCase{"Year",
                   [] { splitByDate = 1; },
                   {{"base_date=2004.pgn", g1 + g3}, {"base_date=2005.pgn", g2 + g4}}},
        TSplitCase{"Month",
                   [] { splitByDate = 2; },
                   {{"base_date=2004_05.pgn", g1},
                    {"base_date=2004_07.pgn", g3},
                    {"base_date=2005_01.pgn", g2},
                    {"base_date=2005_03.pgn", g4}}},
        TSplitCase{"EcoLetter",
                   [] { splitByEco = 1; },
                   {{"base_eco=B.pgn", g4}, {"base_eco=C.pgn", g1 + g3}, {"base_eco=D.pgn", g2}}},
        TSplitCase{"EcoCode",
                   [] { splitByEco = 3; },
                   {{"base_eco=B20.pgn", g4},
                    {"base_eco=C20.pgn", g1},
                    {"base_eco=C50.pgn", g3},
                    {"base_eco=D30.pgn", g2}}},
        TSplitCase{"WhiteRating",
                   [] { whiteEloParts = 2; },
                   {{"base_welo=2200-2351.pgn", g4 + g3}, {"base_welo=2351-2501.pgn", g2 + g1}}},
        // Every game between two players stands in both players' files.
        TSplitCase{"Player",
                   [] { splitByPlayer = true; },
                   {{"base_player=Adams.pgn", g1 + g3},
                    {"base_player=Brown.pgn", g2 + g1},
                    {"base_player=Clark.pgn", g3 + g2},
                    {"base_player=Evans.pgn", g4}}},
        TSplitCase{"ResultAndEco",
                   [] {
                     splitByResult = true;
                     splitByEco = 1;
                   },
                   {{"base_res=blackwin_eco=D.pgn", g2},
                    {"base_res=draw_eco=C.pgn", g3},
                    {"base_res=whitewin_eco=B.pgn", g4},
                    {"base_res=whitewin_eco=C.pgn", g1}}},
        TSplitCase{"DateAndEvent",
                   [] {
                     splitByDate = 1;
                     splitByEvent = true;
                   },
                   {{"base_date=2004_tournament=Open.pgn", g1 + g3},
                    {"base_date=2005_tournament=Cup.pgn", g2 + g4}}},
        TSplitCase{"PlayerAndResult",
                   [] {
                     splitByPlayer = true;
                     splitByResult = true;
                   },
                   {{"base_player=Adams_res=whitewin.pgn", g1},
                    {"base_player=Adams_res=draw.pgn", g3},
                    {"base_player=Brown_res=blackwin.pgn", g2},
                    {"base_player=Brown_res=whitewin.pgn", g1},
                    {"base_player=Clark_res=draw.pgn", g3},
                    {"base_player=Clark_res=blackwin.pgn", g2},
                    {"base_player=Evans_res=whitewin.pgn", g4}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OutputRun, AppendDoublesEachFileReplaceRewritesIt) {
  splitByResult = true;
  appendToExisting = true;
  writeJob(base());
  writeJob(base());
  EXPECT_EQ(written(), (TFiles{{"base_res=blackwin.pgn", g2 + g2},
                               {"base_res=draw.pgn", g3 + g3},
                               {"base_res=whitewin.pgn", g1 + g4 + g1 + g4}}));
  appendToExisting = false;
  writeJob(base());
  EXPECT_EQ(written(), (TFiles{{"base_res=blackwin.pgn", g2},
                               {"base_res=draw.pgn", g3},
                               {"base_res=whitewin.pgn", g1 + g4}}));
}

// Two events that the file system's rules turn into the same name: replacing must not throw
// away what this very run wrote to that name a moment before.
TEST_F(OutputRun, ReplaceKeepsEverythingARunWritesUnderOneName) {
  emptyGameBase();
  const std::string slash = pgnText(gameText("A", "B", "1-0", "1.e4 e5", "2004.01.01", "x/y"));
  const std::string under = pgnText(gameText("C", "D", "0-1", "1.d4 d5", "2004.01.01", "x_y"));
  loadFileJob(folder.write("in/names.pgn", slash + under));
  splitByEvent = true;
  appendToExisting = false;
  writeJob(base());
  EXPECT_EQ(written(), (TFiles{{"base_tournament=x_y.pgn", slash + under}}));
  EXPECT_EQ(outputFilesWritten, 1);
  EXPECT_EQ(gamesWritten, 2);
}

// With appending off, a file name met a second time in one run is appended to, also
// when another file came between. What stood in the file before the run is replaced all the
// same; only what the run itself wrote a moment before is kept.
TEST_F(OutputRun, ReplaceReplacesEarlierFilesButAppendsToANameMetAgainInTheRun) {
  emptyGameBase();
  const std::string slash = pgnText(gameText("A", "B", "1-0", "1.e4 e5", "2004.01.01", "x/y"));
  const std::string one = pgnText(gameText("E", "F", "1-0", "1.c4 e5", "2004.01.01", "x1"));
  const std::string under = pgnText(gameText("C", "D", "0-1", "1.d4 d5", "2004.01.01", "x_y"));
  // Sorted by event, "x/y" < "x1" < "x_y": the name x_y comes, then x1, then x_y again.
  loadFileJob(folder.write("in/names.pgn", under + one + slash));
  folder.write("out/base_tournament=x_y.pgn", "from an earlier run\r\n");
  folder.write("out/base_tournament=x1.pgn", "from an earlier run\r\n");
  splitByEvent = true;
  appendToExisting = false;
  writeJob(base());
  EXPECT_EQ(written(),
            (TFiles{{"base_tournament=x1.pgn", one}, {"base_tournament=x_y.pgn", slash + under}}));
  EXPECT_EQ(outputFilesWritten, 2);
  EXPECT_EQ(gamesWritten, 3);
  // The next run with appending off replaces the file again: the rule holds within one run only.
  writeJob(base());
  EXPECT_EQ(written(),
            (TFiles{{"base_tournament=x1.pgn", one}, {"base_tournament=x_y.pgn", slash + under}}));
}

TEST_F(OutputRun, FiltersDecideWhichGamesAreWritten) {
  resultMask = kResultWhiteWins | kResultDraw;
  writeJob(base());
  EXPECT_EQ(written(), (TFiles{{"base.pgn", g1 + g3 + g4}}));
}

TEST_F(OutputRun, GamesListedWithoutMovesAreReadFromTheirFileFirst) {
  panelGames[1].Journal.reset();
  panelGames[3].Journal.reset();
  writeJob(base());
  EXPECT_EQ(written(), (TFiles{{"base.pgn", g1 + g2 + g3 + g4}}));
}

TEST_F(OutputRun, GameWhoseFileIsGoneIsLeftOut) {
  panelGames[2].Journal.reset();
  std::filesystem::remove(folder / "in" / "games.pgn");
  writeJob(base());
  EXPECT_EQ(written(), (TFiles{{"base.pgn", g1 + g2 + g4}}));
}

TEST_F(OutputRun, FailedWritesAreCountedAndTheRunGoesOn) {
  splitByResult = true;
  writeJob(folder / "no such folder" / "base");
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(writesFailed, 3);
  EXPECT_EQ(gamesWritten, 0);
  EXPECT_TRUE(written().empty());
}

// Stops before writing: the run ends in stage 8 and writes nothing.
class OutputStopBeforeWriting : public OutputRun, public ::testing::WithParamInterface<uint8_t> {};

TEST_P(OutputStopBeforeWriting, WritesNothing) {
  panelGames[0].Journal.reset();
  stopWhen(GetParam());
  writeJob(base());
  EXPECT_EQ(stage, kStageDone);
  EXPECT_TRUE(written().empty());
  // Stage 5 does not look at the stop: the moves it was asked for are there.
  EXPECT_NE(panelGames[0].Journal, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Stages, OutputStopBeforeWriting,
                         ::testing::Values(kStageStarting, kStageLoadingMoves, kStageSorting,
                                           kStageFiltering, kStageWriting));

// Order written with the result split: g2, g3, then g1 and g4 into the same file.
TEST_F(OutputRun, StopWhileWritingStillWritesTheGamesGatheredForTheOpenFile) {
  splitByResult = true;
  stopWhen(kStageWriting, 1, 3);
  writeJob(base());
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(written(), (TFiles{{"base_res=blackwin.pgn", g2},
                               {"base_res=draw.pgn", g3},
                               {"base_res=whitewin.pgn", g1}}));
  EXPECT_EQ(gamesWritten, 3);
}

TEST_F(OutputRun, StopRightAfterAFileChangeLeavesNoEmptyFile) {
  splitByResult = true;
  stopWhen(kStageWriting, 1, 1);
  writeJob(base());
  EXPECT_EQ(written(), (TFiles{{"base_res=blackwin.pgn", g2}}));
}

class ChooseGames : public OutputRun {
 protected:
  TIndexArray choose(TAnswer answer, int* asked = nullptr) {
    chooseGames([=] {
      if (asked) ++*asked;
      return answer;
    });
    return workList;
  }
};

TEST_F(ChooseGames, NoTickTakesEveryRowInRowOrder) {
  listOrder = {3, 1, 0, 2};
  int asked = 0;
  EXPECT_EQ(choose(TAnswer::cancel, &asked), (TIndexArray{3, 1, 0, 2}));
  EXPECT_EQ(asked, 0);
}

TEST_F(ChooseGames, OneTickAsksWhetherToTakeThatGameOrAll) {
  listOrder = {3, 1, 0, 2};
  tickedGames[0] = 1;
  EXPECT_EQ(choose(TAnswer::yes), (TIndexArray{0}));
  EXPECT_EQ(choose(TAnswer::no), (TIndexArray{3, 1, 0, 2}));
  EXPECT_TRUE(choose(TAnswer::cancel).empty());
}

TEST_F(ChooseGames, SeveralTicksTakeThoseGamesInRowOrder) {
  listOrder = {3, 1, 0, 2};
  tickedGames[0] = tickedGames[3] = tickedGames[2] = 1;
  int asked = 0;
  EXPECT_EQ(choose(TAnswer::cancel, &asked), (TIndexArray{3, 0, 2}));
  EXPECT_EQ(asked, 0);
}

TEST_F(ChooseGames, OnlyTheChosenGamesAreWritten) {
  tickedGames[1] = tickedGames[3] = 1;
  choose(TAnswer::cancel);
  setCurrentFile(base());
  ASSERT_TRUE(startJob(kJobWriteOutput, [] { return 1; }));
  EXPECT_EQ(written(), (TFiles{{"base.pgn", g2 + g4}}));
}

}  // namespace

namespace {

// Real games through the whole pipeline twice: what was written once reads back and writes out
// byte for byte the same, across many growths of the output buffer.
class OutputRoundTrip : public TPipelineTest {};

TEST_F(OutputRoundTrip, RealGamesWrittenReadAndWrittenAgainAreUnchanged) {
  const std::filesystem::path source = sharedDataPath("pgn/players/Bird.pgn");
  SKIP_WITHOUT_SHARED_DATA(source);
  loadFileJob(source);
  const size_t games = panelGames.size();
  ASSERT_GT(games, 300u);
  writeJob(folder / "first");
  const std::string first = folder.read("first.pgn");
  ASSERT_GT(first.size(), 200000u);

  resetPipeline();
  loadFileJob(folder / "first.pgn");
  EXPECT_EQ(panelGames.size(), games);
  writeJob(folder / "second");
  EXPECT_EQ(folder.read("second.pgn"), first);
  EXPECT_EQ(gamesWritten, static_cast<int32_t>(games));
}

}  // namespace

// A full disk: every write fails once this many more bytes went out; lifted at the end.
class FullDisk : public OutputRun {
 protected:
  void TearDown() override {
    limitWritesForTests(-1);
    OutputRun::TearDown();
  }

  // Runs the write job over an earlier output with room for 100 bytes only: the earlier file
  // must come through unchanged and the failure counted once.
  void writeOntoAFullDisk() {
    folder.write("out/base.pgn", "earlier\r\n");
    limitWritesForTests(100);
    writeJob(base());
    limitWritesForTests(-1);
    EXPECT_EQ(written(), (TFiles{{"base.pgn", "earlier\r\n"}}));
    EXPECT_EQ(writesFailed, 1);
  }
};

TEST_F(FullDisk, AppendingKeepsTheFileAsItWasWithoutHalfAGame) {
  writeOntoAFullDisk();
  EXPECT_EQ(gamesWritten, 0);
  EXPECT_EQ(stage, kStageDone);
}

TEST_F(FullDisk, ReplacingKeepsTheOldFileUntilTheNewOneIsWhole) {
  appendToExisting = false;
  writeOntoAFullDisk();
  // With room again the same run replaces it.
  writeJob(base());
  EXPECT_EQ(written(), (TFiles{{"base.pgn", g1 + g2 + g3 + g4}}));
}

TEST_F(FullDisk, FilesWrittenBeforeTheFaultStayWhole) {
  splitByResult = true;
  // Room for the first file (g2) and the second (g3), not the third.
  limitWritesForTests(static_cast<int64_t>(g2.size() + g3.size() + 10));
  writeJob(base());
  limitWritesForTests(-1);
  EXPECT_EQ(written(), (TFiles{{"base_res=blackwin.pgn", g2}, {"base_res=draw.pgn", g3}}));
  EXPECT_EQ(writesFailed, 1);
  EXPECT_EQ(gamesWritten, 2);
}

TEST_F(OutputRun, AnOutputNameTakenByAFolderFailsOnlyThatFile) {
  // Root writes anywhere; a folder in the file's place stops even root.
  splitByResult = true;
  std::filesystem::create_directories(folder / "out" / "base_res=draw.pgn");
  writeJob(base());
  EXPECT_EQ(writesFailed, 1);
  EXPECT_EQ(gamesWritten, 3);
  EXPECT_EQ(folder.read("out/base_res=blackwin.pgn"), g2);
  EXPECT_EQ(folder.read("out/base_res=whitewin.pgn"), g1 + g4);
}
