#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "pgnlongwork/jobstate.h"

TEST(StageTexts, NineInStageOrder) {
  ASSERT_EQ(std::size(kStageTexts), 9u);
  EXPECT_EQ(kStageTexts[kStageStarting], u"Начало работы...");
  EXPECT_EQ(kStageTexts[kStageLoadingMoves], u"Подгрузка ещё незагрженных партий...");
  EXPECT_EQ(kStageTexts[kStageDone], u"Всё готово");
  for (const std::u16string& text : kStageTexts) EXPECT_FALSE(text.empty());
}

TEST(StageTexts, AreUtf16CodeUnitsNotBytes) {
  // "Всё готово": ten characters, each one UTF-16 unit; "ё" is U+0451.
  EXPECT_EQ(kStageTexts[kStageDone].size(), 10u);
  EXPECT_EQ(kStageTexts[kStageDone][2], u'\u0451');
  EXPECT_EQ(kStageTexts[kStageMerging].size(), 20u);
}

TEST(JobState, ResetClearsProgressButNotPaths) {
  setCurrentFile("in.pgn");
  stopRequested = true;
  stage = kStageDone;
  bytesTotal = 10;
  bytesDone = 5;
  itemsDone = 2;
  itemsTotal = 3;
  gamesSkipped = 4;
  resetJobProgress();
  EXPECT_FALSE(stopRequested);
  EXPECT_EQ(stage, kStageStarting);
  EXPECT_EQ(bytesTotal + bytesDone + itemsDone + itemsTotal, 0);
  EXPECT_EQ(gamesSkipped, 4);
  EXPECT_EQ(currentFileCopy(), "in.pgn");
  resetJobReport();
  EXPECT_EQ(gamesSkipped + filesUnreadable + writesFailed, 0);
}

TEST(JobState, CurrentFileIsNeverSeenHalfWritten) {
  const std::filesystem::path shortName = "a.pgn";
  const std::filesystem::path longName(std::string(300, 'x') + ".pgn");
  setCurrentFile(shortName);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < 20000; ++i) setCurrentFile(i % 2 ? longName : shortName);
    done = true;
  });
  int torn = 0;
  while (!done) {
    const std::filesystem::path seen = currentFileCopy();
    if (seen != shortName && seen != longName) ++torn;
  }
  worker.join();
  EXPECT_EQ(torn, 0);
}

TEST(JobState, CurrentFileWaitsForTheGameLock) {
  setCurrentFile("before.pgn");
  std::atomic<bool> written{false};
  std::thread worker;
  {
    TLockHold hold(gameLock());
    worker = std::thread([&] {
      setCurrentFile("after.pgn");
      written = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(written);
    EXPECT_EQ(currentFile, "before.pgn");
  }
  worker.join();
  EXPECT_EQ(currentFileCopy(), "after.pgn");
}

// The progress display reads the name while the worker holds gameLock for a whole write.
TEST(JobState, TheShownFileIsReadWhileAnotherThreadHoldsTheGameLock) {
  setCurrentFile("writing.pgn");
  std::atomic<bool> holding{false};
  std::atomic<bool> release{false};
  std::thread worker([&] {
    TLockHold hold(gameLock());
    holding = true;
    while (!release) std::this_thread::yield();
  });
  while (!holding) std::this_thread::yield();
  EXPECT_EQ(currentFileShown(), "writing.pgn");
  release = true;
  worker.join();
}
