#pragma once
// The jobs of the worker thread: load one PGN file, load every PGN file of a folder, write the
// chosen games as PGN output. One job runs at a time; the caller waits for it.

#include <cstdint>
#include <functional>

#include "Upgnread/pgnscan.h"
#include "plugcommon/gamerecords.h"

// What startJob's caller does while the worker runs: the status window, a progress display, or a
// plain wait. It answers 1 when the job was left to end by itself and -1 when the user cancelled,
// which asks the worker to stop.
using TWaitForJob = std::function<int()>;

// When set, the load jobs hand every part of a file to it as soon as it is read, instead of
// merging the file's games into the base; the streaming run writes them from there.
extern TBatchSink loadedPartSink;

// Runs job `mode` (kJobLoadFile, kJobLoadFolder, kJobWriteOutput) on a worker thread while
// waitForJob waits, and returns once the worker has ended, in stage 8. currentFile, sourceFolder
// and workList are the job's input, set before. False when no thread could be started.
bool startJob(uint8_t mode, const TWaitForJob& waitForJob);
// True from the start of startJob until it returns. The interface thread's commands that would
// touch the game base, the options or the lock while a worker runs (a menu reached while the
// status window is up) do nothing then.
bool jobRunning();

// The worker's body: the job of jobMode, ending in stage 8 on every path.
void runJob();

// Drops the games of a freshly read batch that the base already holds and, with
// removeDuplicates, the duplicates; the rest join the base. The batch ends empty.
void mergeBatch(TGames& batch);
// The same merge for games the interface thread gathered (transfers from the host); the job's
// stage is left alone.
void mergeWithoutStages(TGames& batch);

// Stages

// Moves the job to a stage and tells workerObserver.
void enterStage(uint8_t next);
// Sleeps until the job reaches its last stage or the time passes; answers whether it has. A
// waiter that polls with it sees the end at once, not at its next look.
bool waitForStageDone(int milliseconds);
// Called on the worker thread at every stage it enters (item -1) and before each game it writes
// (item = the game's position in outputOrder). Tests stop a job at a chosen point through it; set
// it only while no job runs.
extern std::function<void(uint8_t stage, int32_t item)> workerObserver;
void observeWorker(uint8_t stageNow, int32_t item);
