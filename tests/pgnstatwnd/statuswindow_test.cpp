#include "pgnstatwnd/statuswindow_logic.h"

#include <gtest/gtest.h>

#include "pgnlongwork/jobstate.h"

namespace {

TEST(StatusWindow, LoadingSetsItsRangeOnEveryTickInThousands) {
  TStatusShown shown;
  TJobSnapshot job;
  job.stage = kStageLoading;
  job.bytesTotal = 100'000'000;  // more than 65,535 steps
  job.bytesDone = 99'999'999;
  job.file = u"C:\\games\\big.pgn";
  TStatusTick tick = statusTick(shown, job);
  EXPECT_TRUE(tick.changed);
  EXPECT_TRUE(tick.setRange);
  EXPECT_EQ(tick.rangeMax, 100'000);
  EXPECT_EQ(tick.position, 99'999);
  tick = statusTick(shown, job);
  EXPECT_FALSE(tick.changed);
  EXPECT_TRUE(tick.setRange);
  job.file = u"C:\\games\\next.pgn";
  EXPECT_TRUE(statusTick(shown, job).changed);
}

TEST(StatusWindow, ItemStagesSetTheirRangeOnlyWhenTheStageChanges) {
  TStatusShown shown;
  TJobSnapshot job;
  job.stage = kStageSorting;
  job.itemsTotal = 100'000;
  job.itemsDone = 5;
  TStatusTick tick = statusTick(shown, job);
  EXPECT_TRUE(tick.setRange);
  EXPECT_EQ(tick.rangeMax, 100'000);
  job.itemsDone = 6;
  tick = statusTick(shown, job);
  EXPECT_FALSE(tick.setRange);
  EXPECT_EQ(tick.position, 6);
  job.stage = kStageFiltering;
  tick = statusTick(shown, job);
  EXPECT_TRUE(tick.changed);
  EXPECT_FALSE(tick.setRange);
  EXPECT_FALSE(tick.setPosition);
}

TEST(StatusWindow, ClosesAtTheLastStageRefreshingOnlyAfterLoads) {
  for (uint8_t mode : {kJobLoadFile, kJobLoadFolder, kJobWriteOutput}) {
    TStatusShown shown;
    TJobSnapshot job;
    job.stage = kStageDone;
    job.mode = mode;
    const TStatusTick tick = statusTick(shown, job);
    EXPECT_TRUE(tick.close);
    EXPECT_EQ(tick.refreshPanel, mode != kJobWriteOutput);
  }
}

TEST(StatusWindow, ShowsTheFileNameWithoutItsFolderInFileStages) {
  const std::filesystem::path file(std::u16string(u"C:\\a\\b\\games.pgn\0\0", 18));
  EXPECT_EQ(shownFileName(kStageLoading, file), u"games.pgn");
  EXPECT_EQ(shownFileName(kStageWriting, std::filesystem::path(u"out")), u"out");
  EXPECT_EQ(shownFileName(kStageSorting, file), u"");
  EXPECT_EQ(statusWidth(200, 3, 4), 377);
  EXPECT_EQ(statusWidth(400, 0, 0), 420);
}

}  // namespace
