#include "cli/report.h"

#include <algorithm>
#include <utility>

#include "Upgnread/gamebase.h"
#include "cli/textpaths.h"
#include "pgnlongwork/jobstate.h"

namespace {

std::string line(const char* label, int64_t value) {
  return std::string(label) + ": " + std::to_string(value) + "\n";
}

void countSkips(TRunReport& report) {
  TLockHold hold(gameLock());
  for (const TFileRecord& file : fileRecords) {
    report.stretchesSkipped += static_cast<int64_t>(file.record.skipped.size());
    report.bytesSkipped += skippedBytes(file.record);
    if (!file.record.problem.empty()) {
      if (!file.record.unopened) ++report.filesNotReadToEnd;
      report.incompleteFiles.push_back(pathText(file.path) + ": " + file.record.problem);
    } else if (file.record.unopened) {
      report.incompleteFiles.push_back(pathText(file.path) + ": could not be read");
    } else if (!file.record.readToEnd) {
      // A file that could not be opened is counted as unreadable already.
      ++report.filesNotReadToEnd;
      report.incompleteFiles.push_back(pathText(file.path) + ": not read to its end");
    }
  }
}

std::string place(const TFileRecord& file, int64_t lineNumber) {
  return pathText(file.path) + ":" + std::to_string(lineNumber) + ": ";
}

std::string stretchLine(const TFileRecord& file, const TSkippedText& stretch) {
  return place(file, stretch.line) + "skipped " + std::to_string(stretch.length) +
         " bytes: " + readReasonText(stretch.reason, TReadPhase::between) + "\n";
}

std::string badGameLine(const TFileRecord& file, const TBadGame& game) {
  std::string text =
      place(file, game.line) + "bad game: " + readReasonText(game.reason, game.phase);
  if (game.errorLine != game.line) text += " at line " + std::to_string(game.errorLine);
  return text + "\n";
}

// One file's stretches and bad games merged by their place in the file.
std::string fileListing(const TFileRecord& file) {
  const std::vector<TSkippedText>& stretches = file.record.skipped;
  const std::vector<TBadGame>& games = file.record.badGames;
  const size_t listed = std::min(stretches.size(), kStretchesListed);
  std::string text;
  size_t s = 0, g = 0;
  while (s < listed || g < games.size()) {
    if (g == games.size() || (s < listed && stretches[s].position < games[g].position))
      text += stretchLine(file, stretches[s++]);
    else
      text += badGameLine(file, games[g++]);
  }
  if (stretches.size() > listed)
    text += pathText(file.path) + ": " + std::to_string(stretches.size() - listed) +
            " more stretches of text skipped\n";
  return text;
}

}  // namespace

TRunReport collectReport(bool interrupted) {
  TRunReport report;
  report.filesRead = filesRead;
  report.gamesAccepted = gamesAccepted;
  report.gamesSkipped = gamesSkipped;
  report.filesUnreadable = filesUnreadable;
  report.gamesAlreadyLoaded = gamesAlreadyLoaded;
  report.gamesLeftOutLoading = gamesLeftOutLoading;
  report.gamesFilteredOut = gamesLeftOutLoading;
  report.duplicatesDropped = duplicatesDropped;
  report.gamesWritten = gamesWritten;
  report.outputFilesWritten = outputFilesWritten;
  report.writesFailed = writesFailed;
  report.gamesNotWritten = gamesNotWritten;
  report.interrupted = interrupted;
  countSkips(report);
  return report;
}

namespace {

int64_t gamesAcceptedOf(const TRunReport& report) {
  return int64_t(report.gamesAccepted) + report.duplicatesDropped + report.gamesAlreadyLoaded +
         report.gamesLeftOutLoading;
}

// What became of the games accepted: each is written, dropped, left out, or not written.
std::string fatesOfAccepted(const TRunReport& report) {
  const int64_t accounted = int64_t(report.gamesWritten) + report.duplicatesDropped +
                            report.gamesAlreadyLoaded + report.gamesFilteredOut +
                            report.gamesNotWritten;
  const int64_t unwritten = std::max<int64_t>(0, gamesAcceptedOf(report) - accounted);
  std::string text = line("    games written", report.gamesWritten) +
                     line("    duplicates dropped", report.duplicatesDropped) +
                     line("    games already loaded", report.gamesAlreadyLoaded) +
                     line("    games left out by the filters", report.gamesFilteredOut);
  if (report.gamesNotWritten > 0)
    text += line("    games not written: their moves could not be read again",
                 report.gamesNotWritten);
  if (unwritten > 0) {
    const char* why = report.interrupted ? "    games not written: the run was stopped"
                                         : "    games not written: their write failed";
    text += line(why, unwritten);
  }
  return text;
}

}  // namespace

std::string reportText(const TRunReport& report) {
  std::string text;
  for (const std::string& file : report.incompleteFiles) text += file + "\n";
  const int64_t accepted = gamesAcceptedOf(report);
  text += line("files read", report.filesRead) +
          line("games read", accepted + report.gamesSkipped) +
          line("  games skipped as bad", report.gamesSkipped) +
          line("  games accepted", accepted) + fatesOfAccepted(report) +
          "stretches of text skipped: " + std::to_string(report.stretchesSkipped) + " (" +
          std::to_string(report.bytesSkipped) + " bytes)\n" +
          line("files that could not be read", report.filesUnreadable) +
          line("output files written", report.outputFilesWritten) +
          line("writes that failed", report.writesFailed);
  if (report.interrupted) text += "stopped by Ctrl-C: the output holds the games handled before\n";
  return text;
}


int exitStatus(const TRunReport& report) {
  if (report.interrupted) return kExitInterrupted;
  if (report.filesUnreadable > 0 || report.filesNotReadToEnd > 0 || report.writesFailed > 0 ||
      report.gamesNotWritten > 0)
    return kExitIncomplete;
  return kExitDone;
}

std::string skipListing(const std::vector<TFileRecord>& files) {
  std::string text;
  for (const TFileRecord& file : files) text += fileListing(file);
  return text;
}
