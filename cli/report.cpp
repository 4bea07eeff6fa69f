#include "cli/report.h"

#include <utility>

#include "pgnlongwork/jobstate.h"

namespace {

std::string line(const char* label, int32_t value) {
  return std::string(label) + ": " + std::to_string(value) + "\n";
}

}  // namespace

TRunReport collectReport(bool interrupted) {
  TRunReport report;
  report.filesRead = filesRead;
  report.gamesAccepted = gamesAccepted;
  report.gamesSkipped = gamesSkipped;
  report.filesUnreadable = filesUnreadable;
  report.gamesAlreadyLoaded = gamesAlreadyLoaded;
  report.duplicatesDropped = duplicatesDropped;
  report.gamesWritten = gamesWritten;
  report.outputFilesWritten = outputFilesWritten;
  report.writesFailed = writesFailed;
  report.gamesNotWritten = gamesNotWritten;
  report.interrupted = interrupted;
  return report;
}

std::string reportText(const TRunReport& report) {
  std::string text = line("files read", report.filesRead) +
                     line("games accepted", report.gamesAccepted) +
                     line("games skipped as bad", report.gamesSkipped) +
                     line("files that could not be read", report.filesUnreadable) +
                     line("games already loaded", report.gamesAlreadyLoaded) +
                     line("duplicates dropped", report.duplicatesDropped) +
                     line("games left out by the filters", report.gamesFilteredOut) +
                     line("games written", report.gamesWritten) +
                     line("output files written", report.outputFilesWritten) +
                     line("writes that failed", report.writesFailed);
  if (report.gamesNotWritten > 0)
    text += line("games not written: their moves could not be read again", report.gamesNotWritten);
  if (report.interrupted) text += "stopped by Ctrl-C: the output holds the games handled before\n";
  return text;
}

int exitStatus(const TRunReport& report) {
  if (report.interrupted) return kExitInterrupted;
  if (report.filesUnreadable > 0 || report.writesFailed > 0 || report.gamesNotWritten > 0)
    return kExitIncomplete;
  return kExitDone;
}
