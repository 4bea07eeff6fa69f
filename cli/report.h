#pragma once
// The end report of a batch run and the program's exit status, from what the jobs counted.

#include <cstdint>
#include <string>

// Exit statuses of the command-line tool.
enum : int {
  kExitDone = 0,           // every input read and every output written
  kExitIncomplete = 1,     // an input could not be read or an output not written
  kExitUsage = 2,          // the command line could not be understood
  kExitInterrupted = 130,  // stopped with Ctrl-C, as shells report an interrupt
};

struct TRunReport {
  int32_t filesRead = 0;
  int32_t gamesAccepted = 0;
  int32_t gamesSkipped = 0;
  int32_t filesUnreadable = 0;
  int32_t gamesAlreadyLoaded = 0;
  int32_t duplicatesDropped = 0;
  int32_t gamesFilteredOut = 0;
  int32_t gamesWritten = 0;
  int32_t outputFilesWritten = 0;
  int32_t writesFailed = 0;
  int32_t gamesNotWritten = 0;  // their moves could not be read again from their files
  bool interrupted = false;
};

// The counters of the job state as they stand after the jobs.
TRunReport collectReport(bool interrupted);

// One "label: number" line per counter (games not written only when there were any), then a line
// on a stop.
std::string reportText(const TRunReport& report);

int exitStatus(const TRunReport& report);
