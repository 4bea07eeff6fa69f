#pragma once
// The end report of a batch run and the program's exit status, from what the jobs counted.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Upgnread/readrecord.h"

// Exit statuses of the command-line tool.
enum : int {
  kExitDone = 0,           // every input read and every output written
  kExitIncomplete = 1,     // an input could not be read to its end or an output not written
  kExitUsage = 2,          // the command line could not be understood
  kExitInterrupted = 130,  // stopped with Ctrl-C, as shells report an interrupt
};

struct TRunReport {
  int32_t filesRead = 0;
  int32_t gamesAccepted = 0;
  int32_t gamesSkipped = 0;
  int32_t filesUnreadable = 0;
  int32_t filesNotReadToEnd = 0;  // opened, but left before their end
  int64_t stretchesSkipped = 0;
  int64_t bytesSkipped = 0;
  int32_t gamesAlreadyLoaded = 0;
  int32_t duplicatesDropped = 0;
  int32_t gamesFilteredOut = 0;     // by the load of a folder or by the output run
  int32_t gamesLeftOutLoading = 0;  // those of them a folder's load kept out of the base
  int32_t gamesWritten = 0;
  int32_t outputFilesWritten = 0;
  int32_t writesFailed = 0;
  int32_t gamesNotWritten = 0;  // their moves could not be read again from their files
  bool interrupted = false;
  // "FILE: could not be read" and "FILE: not read to its end", so a user learns which ones
  std::vector<std::string> incompleteFiles;
};

// The counters of the job state as they stand after the jobs.
TRunReport collectReport(bool interrupted);

// One "label: number" line per counter, indented under the count they are part of so that the
// games read and the games accepted visibly add up; the games not written only when there were
// any; then a line on a stop.
std::string reportText(const TRunReport& report);

int exitStatus(const TRunReport& report);

// Stretches of text listed per file at most; the rest are counted in one line.
constexpr size_t kStretchesListed = 100;

// "FILE:LINE: skipped N bytes: REASON" and "FILE:LINE: bad game: REASON", in file order.
std::string skipListing(const std::vector<TFileRecord>& files);
