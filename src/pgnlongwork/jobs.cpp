#include "pgnlongwork/jobs.h"

#include <atomic>

#include "Upgnread/duplicates.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnscan.h"
#include "gamesiftwnd/gamelist_logic.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/output.h"
#include "platform/platform.h"
#include "unpack/decoder.h"

std::function<void(uint8_t stage, int32_t item)> workerObserver;
TBatchSink loadedPartSink;

namespace {

// Reads one file into the batch; a file that could not be opened is not counted as read.
void loadFile(const std::filesystem::path& path, bool applyFilters, TGames& batch) {
  enterStage(kStageLoading);
  const int32_t unreadableBefore = filesUnreadable.load(std::memory_order_relaxed);
  loadPgnFile(path, applyFilters, batch, loadedPartSink ? &loadedPartSink : nullptr);
  if (filesUnreadable.load(std::memory_order_relaxed) == unreadableBefore) ++filesRead;
}

// Job 0 reads without the tag and move-count filters: they apply again when writing.
void loadOneFile() {
  TGames batch;
  loadFile(currentFileCopy(), false, batch);
  if (!stopRequested) mergeBatch(batch);
}

// Job 1: every *.pgn file (and packed one this build reads) of sourceFolder in name order, each merged before the next is read,
// so a stop keeps every file merged before it.
void loadFolder() {
  std::filesystem::path folder;
  {
    TLockHold hold(gameLock());
    folder = sourceFolder;
  }
  for (const std::filesystem::path& name : findFilesEnding(folder, inputEndings())) {
    setCurrentFile(folder / name);
    if (stopRequested) break;
    TGames batch;
    loadFile(currentFileCopy(), true, batch);
    if (stopRequested) break;
    mergeBatch(batch);
  }
}

void writeOutput() {
  std::filesystem::path base;
  {
    TLockHold hold(gameLock());
    outputBase = currentFile;
    base = outputBase;
  }
  runOutput(base);
}

}  // namespace

void observeWorker(uint8_t stageNow, int32_t item) {
  if (workerObserver) workerObserver(stageNow, item);
}

namespace {

// Made on first use and kept: a waiter may still leave it while the program ends.
TWaitLock& stageDoneLock() {
  static TWaitLock* const lock = newWaitLock();
  return *lock;
}

}  // namespace

void enterStage(uint8_t next) {
  stage.store(next, std::memory_order_relaxed);
  observeWorker(next, -1);
  if (next != kStageDone) return;
  TWaitLock& lock = stageDoneLock();
  TLockHold hold(lock);
  lock.wakeAll();
}

bool waitForStageDone(int milliseconds) {
  TWaitLock& lock = stageDoneLock();
  TLockHold hold(lock);
  if (stage.load(std::memory_order_relaxed) != kStageDone) lock.waitUpTo(milliseconds);
  return stage.load(std::memory_order_relaxed) == kStageDone;
}

namespace {

// The merge itself; the worker reports its stages, the interface thread does not.
void mergeSteps(TGames& batch, bool reportStages) {
  if (reportStages) enterStage(kStageDuplicates);
  gamesAlreadyLoaded += dropLoaded(batch);
  // Read once: the option may only change between jobs, and the hashes must match the choice.
  const bool dedupe = removeDuplicates;
  THashes hashes;
  if (dedupe) {
    duplicatesDropped += refreshHashes();
    duplicatesDropped += dropDuplicates(batch, hashes);
  }
  if (reportStages) enterStage(kStageMerging);
  gamesAccepted += static_cast<int32_t>(batch.size());
  // The list goes into the file order before new games join it at its end, so no
  // header keeps the sort mark of an order the new rows do not follow, and a click on the column
  // sorted before sorts again. Both under one hold: the panel never sees the sort without them.
  TLockHold hold(gameLock());
  if (!batch.empty()) sortList(kSortFileOrder);
  appendBatch(batch, dedupe ? &hashes : nullptr, dedupe);
}

}  // namespace

void mergeBatch(TGames& batch) {
  mergeSteps(batch, true);
}

void mergeWithoutStages(TGames& batch) {
  mergeSteps(batch, false);
}

void runJob() {
  enterStage(kStageStarting);
  switch (jobMode.load(std::memory_order_relaxed)) {
    case kJobLoadFile:
      loadOneFile();
      break;
    case kJobLoadFolder:
      loadFolder();
      break;
    case kJobWriteOutput:
      writeOutput();
      break;
    default:
      break;
  }
  enterStage(kStageDone);
}

namespace {

std::atomic<bool> jobActive{false};

// Marks the job as running for as long as startJob has not returned, on every path.
class TJobActive {
 public:
  TJobActive() { jobActive = true; }
  ~TJobActive() { jobActive = false; }
  TJobActive(const TJobActive&) = delete;
  TJobActive& operator=(const TJobActive&) = delete;
};

}  // namespace

bool jobRunning() {
  return jobActive;
}

bool startJob(uint8_t mode, const TWaitForJob& waitForJob) {
  const TJobActive active;
  jobMode = mode;
  resetJobProgress();
  const TThreadHandle worker = startThread(runJob);
  if (!worker) {
    enterStage(kStageDone);
    return false;
  }
  if (waitForJob && waitForJob() < 0) stopRequested = true;
  joinThread(worker);
  return true;
}
