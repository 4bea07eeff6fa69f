// The load jobs on the real worker thread over real files: what reaches the game base, in which
// order, what a repeated load or a duplicate adds, and where a stop leaves the base.

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "gamesiftwnd/gamelist_logic.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "uchess/ecobase.h"
#include "support/ecofile.h"
#include "support/gamebuilder.h"
#include "support/pipeline.h"
#include "support/stopper.h"

namespace {

const TGameText kRuy = gameText("Adams", "Brown", "1-0", "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6");
const TGameText kGambit = gameText("Brown", "Clark", "0-1", "1. d4 d5 2. c4 e6");
const TGameText kSicilian = gameText("Clark", "Adams", "1/2-1/2", "1. e4 c5 2. Nf3 d6");

TGameText withPlayers(TGameText game, std::string white, std::string black) {
  game.white = std::move(white);
  game.black = std::move(black);
  return game;
}

TGameText fromPosition(std::string fen, std::string moves) {
  TGameText game = gameText("Study", "Solver", "*", std::move(moves));
  game.extraTags = tagLine("SetUp", "1") + tagLine("FEN", fen);
  return game;
}

int32_t baseSize() {
  TLockHold hold(gameLock());
  return static_cast<int32_t>(panelGames.size());
}

std::vector<std::string> baseWhites() {
  std::vector<std::string> names;
  TLockHold hold(gameLock());
  for (const TGame& game : panelGames) names.emplace_back(game.Tags[kTagWhite].Value);
  return names;
}

// The base as whole files: each entry a file's name and how many of its games are in the base.
std::vector<std::pair<std::string, int>> gamesPerFile() {
  std::vector<std::pair<std::string, int>> files;
  for (const auto& [name, start] : baseLocations()) {
    const std::string file = std::filesystem::path(name).filename().string();
    if (files.empty() || files.back().first != file) files.emplace_back(file, 0);
    ++files.back().second;
  }
  return files;
}

class LoadJobs : public TPipelineTest {
 protected:
  std::filesystem::path threeGames() {
    return folder.write("three.pgn", pgnText(kRuy) + pgnText(kGambit) + pgnText(kSicilian));
  }
};

TEST_F(LoadJobs, FileJobAppendsGamesInFileOrderAndEndsInStageEight) {
  loadFileJob(threeGames());
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(baseWhites(), (std::vector<std::string>{"Adams", "Brown", "Clark"}));
  EXPECT_EQ(listOrder, (TIndexArray{0, 1, 2}));
  EXPECT_EQ(listCursor, 3);
  const auto locations = baseLocations();
  EXPECT_EQ(locations[0].second, 1);
  EXPECT_EQ(locations[1].second, int64_t(pgnText(kRuy).size()) + 1);
  EXPECT_EQ(filesRead, 1);
  EXPECT_EQ(gamesAccepted, 3);
}

TEST_F(LoadJobs, UnreadableFileLoadsNothingAndIsNotCountedAsRead) {
  loadFileJob(folder / "missing.pgn");
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(baseSize(), 0);
  EXPECT_EQ(filesRead, 0);
  EXPECT_EQ(filesUnreadable, 1);
}

TEST_F(LoadJobs, SameFileTwiceAddsItsGamesOnceWithOrWithoutDuplicateRemoval) {
  for (bool dedupe : {false, true}) {
    resetPipeline();
    removeDuplicates = dedupe;
    const auto file = threeGames();
    loadFileJob(file);
    loadFileJob(file);
    EXPECT_EQ(baseSize(), 3) << "removeDuplicates " << dedupe;
    EXPECT_EQ(gamesAlreadyLoaded, 3);
    EXPECT_EQ(duplicatesDropped, 0);
  }
}

TEST_F(LoadJobs, FileJobIgnoresTagFiltersFolderJobAppliesThem) {
  threeGames();
  resultMask = kResultWhiteWins;
  loadFileJob(folder / "three.pgn");
  EXPECT_EQ(baseSize(), 3);
  emptyGameBase();
  loadFolderJob(folder.path());
  EXPECT_EQ(baseWhites(), (std::vector<std::string>{"Adams"}));
}

// After a sort by a column the list goes into the file order before new games join it:
// no header keeps the mark, the new games stand at the end, and a click on the column sorted
// before sorts again.
TEST_F(LoadJobs, AMergeSortsTheListByFileOrderFirst) {
  const auto first = folder.write(
      "b.pgn", pgnText(withPlayers(kRuy, "Zoe", "x")) + pgnText(withPlayers(kGambit, "Abe", "x")));
  loadFileJob(first);
  sortList(kSortWhite);
  EXPECT_EQ(listOrder, (TIndexArray{1, 0}));  // Abe, Zoe
  loadFileJob(folder.write("a.pgn", pgnText(withPlayers(kSicilian, "Max", "x"))));
  EXPECT_EQ(sortColumn.load(), kSortFileOrder);
  EXPECT_EQ(listOrder, (TIndexArray{0, 1, 2})) << "b.pgn in its order, then the new game";
  EXPECT_EQ(listCursor, 3);
  sortList(kSortWhite);
  EXPECT_EQ(sortColumn.load(), kSortWhite);
  EXPECT_EQ(listOrder, (TIndexArray{1, 2, 0}));  // Abe, Max, Zoe

  // A load that adds nothing leaves the order the user chose.
  loadFileJob(first);
  EXPECT_EQ(sortColumn.load(), kSortWhite);
  EXPECT_EQ(listOrder, (TIndexArray{1, 2, 0}));
}

// The transfer's merge on the interface thread does the same.
TEST_F(LoadJobs, AMergeOfTransferredGamesSortsByFileOrderFirst) {
  loadFileJob(folder.write(
      "b.pgn", pgnText(withPlayers(kRuy, "Zoe", "x")) + pgnText(withPlayers(kGambit, "Abe", "x"))));
  sortList(kSortBlack);
  sortList(kSortWhite);
  TGames batch(1);
  batch[0].FileName = folder / "a.pgn";
  batch[0].TextStart = 1;
  mergeWithoutStages(batch);
  EXPECT_EQ(sortColumn.load(), kSortFileOrder);
  EXPECT_EQ(listOrder, (TIndexArray{0, 1, 2}));
}

// The interface thread's commands do nothing while a job runs; they ask jobRunning.
TEST_F(LoadJobs, AJobCountsAsRunningUntilStartJobReturns) {
  EXPECT_FALSE(jobRunning());
  std::atomic<int> seenRunning{0};
  workerObserver = [&](uint8_t, int32_t) {
    if (jobRunning()) ++seenRunning;
  };
  bool runningWhileWaiting = false;
  setCurrentFile(threeGames());
  startJob(kJobLoadFile, [&] {
    runningWhileWaiting = jobRunning();
    return 1;  // startJob joins the worker itself
  });
  workerObserver = nullptr;
  EXPECT_TRUE(runningWhileWaiting);
  EXPECT_GT(seenRunning.load(), 0);
  EXPECT_FALSE(jobRunning());
}

// The waiter sleeps for an hour at a time: only the worker's wake at the end lets this test end.
TEST_F(LoadJobs, AWaiterIsWokenWhenTheJobEnds) {
  constexpr int kHour = 60 * 60 * 1000;
  std::atomic<bool> waiting{false};
  workerObserver = [&](uint8_t stageNow, int32_t) {
    if (stageNow == kStageLoading)
      while (!waiting) std::this_thread::yield();
  };
  setCurrentFile(threeGames());
  startJob(kJobLoadFile, [&] {
    waiting = true;
    while (!waitForStageDone(kHour)) {
    }
    return 1;
  });
  workerObserver = nullptr;
  EXPECT_EQ(stage.load(), kStageDone);
  EXPECT_EQ(baseSize(), 3);
}

class FolderJob : public TPipelineTest {
 protected:
  // Three files, written out of name order, with one game each from a different player.
  void writeFiles() {
    folder.write("c.pgn", pgnText(withPlayers(kSicilian, "C1", "x")) +
                              pgnText(withPlayers(kGambit, "C2", "x")));
    folder.write("a.pgn", pgnText(withPlayers(kRuy, "A1", "x")));
    folder.write("b.pgn",
                 pgnText(withPlayers(kGambit, "B1", "x")) + pgnText(withPlayers(kRuy, "B2", "x")));
  }
};

TEST_F(FolderJob, ReadsOnlyPgnFilesInNameOrder) {
  writeFiles();
  folder.write("notes.txt", pgnText(kRuy));
  folder.write("upper.PGN", pgnText(withPlayers(kRuy, "U1", "x")));
  std::filesystem::create_directory(folder / "folder.pgn");
  loadFolderJob(folder.path());
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(baseWhites(), (std::vector<std::string>{"A1", "B1", "B2", "C1", "C2", "U1"}));
  EXPECT_EQ(filesRead, 4);
}

TEST_F(FolderJob, EmptyOrMissingFolderLoadsNothing) {
  loadFolderJob(folder.path());
  EXPECT_EQ(stage, kStageDone);
  loadFolderJob(folder / "nowhere");
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(baseSize(), 0);
}

// A folder's load applies the ECO filter as it reads; a game read into the place of one left out
// must be judged by its own moves.
TEST_F(FolderJob, EcoFilterJudgesEachGameByItsOwnMoves) {
  auto keyAfter = [](std::string_view moves, bool blackToMove) {
    doska board;
    playLine(board, moves);
    return static_cast<int64_t>(board.poskey(blackToMove));
  };
  std::vector<std::pair<int64_t, std::string>> entries = {{keyAfter("e2e4", true), "B00"},
                                                          {keyAfter("e2e4 c7c5", false), "B20"}};
  std::sort(entries.begin(), entries.end());
  ASSERT_TRUE(loadecoFrom(folder.write("ecos.dat", ecoFile(entries))));
  folder.write("a.pgn", pgnText(withPlayers(kSicilian, "S1", "x")) +
                            pgnText(withPlayers(kRuy, "R1", "x")) +
                            pgnText(withPlayers(kGambit, "G1", "x")) +
                            pgnText(withPlayers(kRuy, "R2", "x")));
  ecoFilter = "B0";
  loadFolderJob(folder.path());
  clearEcoBase();
  EXPECT_EQ(baseWhites(), (std::vector<std::string>{"R1", "R2"}));
}

TEST_F(FolderJob, SameFolderTwiceAddsNothing) {
  writeFiles();
  loadFolderJob(folder.path());
  loadFolderJob(folder.path());
  EXPECT_EQ(baseSize(), 5);
  EXPECT_EQ(gamesAlreadyLoaded, 5);
}

// A base filled out of name order is no sorted list of locations; repeats must still be found.
TEST_F(FolderJob, FilesLoadedOutOfNameOrderAreRecognisedWhenLoadedAgain) {
  writeFiles();
  for (const char* name : {"c.pgn", "a.pgn", "b.pgn"}) loadFileJob(folder / name);
  ASSERT_EQ(baseSize(), 5);
  loadFolderJob(folder.path());
  loadFileJob(folder / "a.pgn");
  EXPECT_EQ(baseSize(), 5);
  EXPECT_EQ(baseWhites(), (std::vector<std::string>{"C1", "C2", "A1", "B1", "B2"}));
}

TEST_F(FolderJob, RepeatsFoundAfterGamesWereRemovedFromTheBase) {
  writeFiles();
  loadFolderJob(folder.path());
  removeMarkedGames(TBoolArray{0, 1});  // B1 goes; the others move down
  loadFolderJob(folder.path());
  EXPECT_EQ(baseWhites(), (std::vector<std::string>{"A1", "B2", "C1", "C2", "B1"}));
}

// A stop lands where the worker polls; whatever was merged before it stays, whole.
struct TStopCase {
  uint8_t at;
  int occurrence;
  std::vector<std::pair<std::string, int>> kept;
};

class FolderJobStop : public FolderJob, public ::testing::WithParamInterface<TStopCase> {};

TEST_P(FolderJobStop, EndsInStageEightKeepingEveryFileMergedBefore) {
  writeFiles();
  stopWhen(GetParam().at, GetParam().occurrence);
  loadFolderJob(folder.path());
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(gamesPerFile(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Stages, FolderJobStop,
    ::testing::Values(TStopCase{kStageStarting, 1, {}}, TStopCase{kStageLoading, 1, {}},
                      TStopCase{kStageDuplicates, 1, {{"a.pgn", 1}}},
                      TStopCase{kStageLoading, 2, {{"a.pgn", 1}}},
                      TStopCase{kStageMerging, 2, {{"a.pgn", 1}, {"b.pgn", 2}}},
                      TStopCase{kStageLoading, 3, {{"a.pgn", 1}, {"b.pgn", 2}}}));

TEST_F(LoadJobs, StopWhileReadingTheOneFileMergesNothing) {
  stopWhen(kStageLoading);
  loadFileJob(threeGames());
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(baseSize(), 0);
}

TEST_F(FolderJob, CancelFromTheWaitingSideLeavesOnlyWholeFiles) {
  std::string tenGames;
  for (int k = 0; k < 10; ++k) tenGames += pgnText(withPlayers(kRuy, "P" + std::to_string(k), "x"));
  for (int f = 0; f < 30; ++f) folder.write("f" + std::to_string(100 + f) + ".pgn", tenGames);
  sourceFolder = folder.path();
  ASSERT_TRUE(startJob(kJobLoadFolder, [] { return -1; }));
  EXPECT_TRUE(stopRequested);
  EXPECT_EQ(stage, kStageDone);
  const auto files = gamesPerFile();
  for (size_t f = 0; f < files.size(); ++f) {
    EXPECT_EQ(files[f].first, "f" + std::to_string(100 + f) + ".pgn");
    EXPECT_EQ(files[f].second, 10);
  }
}

class DuplicateRemoval : public TPipelineTest {};

TEST_F(DuplicateRemoval, SameMovesUnderOtherTagsInAnotherFile) {
  folder.write("a.pgn", pgnText(kRuy) + pgnText(kGambit));
  folder.write("b.pgn", pgnText(withPlayers(kRuy, "Other", "Names")) + pgnText(kSicilian));
  for (bool dedupe : {false, true}) {
    resetPipeline();
    removeDuplicates = dedupe;
    loadFolderJob(folder.path());
    if (dedupe) {
      EXPECT_EQ(baseWhites(), (std::vector<std::string>{"Adams", "Brown", "Clark"}));
      EXPECT_EQ(duplicatesDropped, 1);
      EXPECT_EQ(gameHashes.size(), 3u);
    } else {
      EXPECT_EQ(baseWhites(), (std::vector<std::string>{"Adams", "Brown", "Other", "Clark"}));
      EXPECT_TRUE(gameHashes.empty());
    }
  }
}

TEST_F(DuplicateRemoval, TranspositionsAndAnnotationsAreDuplicatesOtherStartsAreNot) {
  const std::string kStartA = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1";
  const std::string kStartB = "4k3/8/8/8/8/8/3P4/4K3 w - - 0 1";
  folder.write(
      "mixed.pgn",
      pgnText(withPlayers(gameText("", "", "*", "1. e4 e5 2. Nf3 Nc6"), "Plain", "x")) +
          pgnText(withPlayers(gameText("", "", "*", "1. Nf3 Nc6 2. e4 e5"), "Trans", "x")) +
          pgnText(
              withPlayers(gameText("", "", "*", "1. e4 e5 2. Nf3 {the usual} Nc6 (2... d6 3. d4)"),
                          "Notes", "x")) +
          pgnText(withPlayers(fromPosition(kStartA, "1. Kf2 Kf7"), "FromA", "x")) +
          pgnText(withPlayers(fromPosition(kStartB, "1. Kf2 Kf7"), "FromB", "x")) +
          pgnText(withPlayers(fromPosition(kStartB, "1. Kf2 Kf7"), "AgainB", "x")));
  removeDuplicates = true;
  loadFileJob(folder / "mixed.pgn");
  EXPECT_EQ(baseWhites(), (std::vector<std::string>{"Plain", "FromA", "FromB"}));
  EXPECT_EQ(duplicatesDropped, 3);
}

TEST_F(DuplicateRemoval, TurningItOnRemovesLaterCopiesAlreadyInTheBase) {
  folder.write("a.pgn", pgnText(kRuy) + pgnText(withPlayers(kRuy, "Copy", "x")) + pgnText(kGambit));
  folder.write("b.pgn", pgnText(withPlayers(kGambit, "Late", "x")) + pgnText(kSicilian));
  loadFileJob(folder / "a.pgn");
  ASSERT_EQ(baseSize(), 3);
  removeDuplicates = true;
  loadFileJob(folder / "b.pgn");
  EXPECT_EQ(baseWhites(), (std::vector<std::string>{"Adams", "Brown", "Clark"}));
  EXPECT_EQ(listOrder, (TIndexArray{0, 1, 2}));
  EXPECT_EQ(duplicatesDropped, 2);
  EXPECT_EQ(gameHashes.size(), 3u);
  // Off again: the next merge stops keeping keys.
  removeDuplicates = false;
  loadFileJob(folder / "b.pgn");
  EXPECT_TRUE(gameHashes.empty());
}

}  // namespace
