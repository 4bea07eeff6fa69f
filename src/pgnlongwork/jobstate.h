#pragma once
// What the worker reports while a job runs, polled by the status window and the command-line
// progress display. Numbers and flags are read without the lock; currentFile only under gameLock.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Upgnread/readrecord.h"

enum : uint8_t { kJobLoadFile = 0, kJobLoadFolder = 1, kJobWriteOutput = 2 };

enum : uint8_t {
  kStageStarting = 0,
  kStageLoading = 1,
  kStageDuplicates = 2,
  kStageWriting = 3,
  kStageSorting = 4,
  kStageLoadingMoves = 5,
  kStageFiltering = 6,
  kStageMerging = 7,
  kStageDone = 8,
  kStageCount = 9,
};

extern const std::u16string kStageTexts[kStageCount];

extern std::atomic<uint8_t> jobMode;
extern std::atomic<bool> stopRequested;
extern std::atomic<uint8_t> stage;
extern std::filesystem::path currentFile;  // under gameLock
extern std::filesystem::path sourceFolder;
extern std::filesystem::path outputBase;
extern std::atomic<int64_t> bytesTotal;
extern std::atomic<int64_t> bytesDone;
extern std::atomic<int32_t> itemsDone;
extern std::atomic<int32_t> itemsTotal;
extern std::atomic<int64_t> gamesScanned;  // games the load jobs have been through, bad ones too

// Our own counters for reporting; the command-line tool prints them.
extern std::atomic<int32_t> gamesSkipped;
extern std::atomic<int32_t> filesUnreadable;
extern std::atomic<int32_t> writesFailed;
extern std::atomic<int32_t> filesRead;           // input files opened and scanned by the load jobs
extern std::atomic<int32_t> gamesAccepted;       // games the load jobs added to the base
extern std::atomic<int32_t> gamesLeftOutLoading; // games a folder's load kept out by the filters
extern std::atomic<int32_t> gamesAlreadyLoaded;  // games dropped because the base held their place
extern std::atomic<int32_t> duplicatesDropped;   // games dropped as equal to another game
extern std::atomic<int32_t> gamesWritten;        // games in output writes that succeeded
extern std::atomic<int32_t> outputFilesWritten;  // distinct output files written by a run
extern std::atomic<int32_t> gamesNotWritten;     // games whose moves could not be read again

// What went wrong with single games during the jobs since the report was reset, one line each
// (the first kProblemLinesKept of them; the counters keep the full numbers).
constexpr size_t kProblemLinesKept = 1000;
void noteProblem(const std::string& line);
std::vector<std::string> problemLines();
extern std::vector<TFileRecord> fileRecords;  // per file read, in order; under gameLock

// currentFile copied or replaced under gameLock.
std::filesystem::path currentFileCopy();
void setCurrentFile(const std::filesystem::path& path);
// The last name setCurrentFile gave, read under a lock of its own that is never held for long:
// a progress display must not wait while the worker holds gameLock for a whole write.
std::filesystem::path currentFileShown();

// Before a job starts: no stop asked, stage 0, the four progress counters at 0.
void resetJobProgress();
// The reporting counters back to 0; the command-line tool sums them over its jobs otherwise.
void resetJobReport();
