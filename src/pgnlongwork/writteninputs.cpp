#include "pgnlongwork/writteninputs.h"

#include <algorithm>

#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/rereadahead.h"
#include "platform/platform.h"

uint64_t (*memoryLeftForRun)() = availableMemory;

namespace {

struct TWrittenInputs {
  TIndexArray games;  // lean games of the base whose file is written, in base order
  uint64_t textBytes = 0;
  std::filesystem::path firstFile;  // to name in the report
};

std::vector<TFileIdentity> identitiesOf(const std::vector<std::filesystem::path>& files) {
  std::vector<TFileIdentity> identities;
  for (const std::filesystem::path& file : files) {
    const TFileIdentity identity = fileIdentity(file);
    if (identity.known) identities.push_back(identity);
  }
  return identities;
}

// The caller holds gameLock. Games of one file share their name, so a file is looked at once
// for each run of its games.
TWrittenInputs findWrittenInputs(const std::vector<TFileIdentity>& written) {
  TWrittenInputs found;
  TSharedPath lastFile;
  bool lastWritten = false;
  bool looked = false;
  for (size_t i = 0; i < panelGames.size(); ++i) {
    const TGame& game = panelGames[i];
    if (!isLeanGame(game)) continue;
    if (!looked || !(game.FileName == lastFile)) {
      lastFile = game.FileName;
      looked = true;
      const TFileIdentity identity = fileIdentity(*game.FileName);
      lastWritten = std::find(written.begin(), written.end(), identity) != written.end();
      if (lastWritten && found.games.empty()) found.firstFile = *game.FileName;
    }
    if (!lastWritten) continue;
    found.games.push_back(static_cast<int32_t>(i));
    found.textBytes += static_cast<uint64_t>(game.TextLength);
  }
  return found;
}

// A game that cannot be read again keeps its place and stays lean: the writer reports it.
void readMovesBack(const TIndexArray& games) {
  TJournalsAhead ahead(games);
  itemsTotal = static_cast<int32_t>(games.size());
  for (size_t i = 0; i < games.size() && !stopRequested; ++i) {
    itemsDone = static_cast<int32_t>(i);
    TRereadGame reread = ahead.take(static_cast<int32_t>(i));
    if (!reread.journal) continue;
    TLockHold hold(gameLock());
    TGame& game = panelGames[games[i]];
    if (isLeanGame(game)) game.Journal = std::move(reread.journal);
  }
  itemsDone = itemsTotal.load();
}

}  // namespace

std::string inputTooLargeText(const std::filesystem::path& input, uint64_t needed,
                              uint64_t available) {
  constexpr uint64_t kMegabyte = 1024 * 1024;
  return input.string() +
         ": is read by this run and also one of its output files; its games' moves would have "
         "to be held in memory before it is written over (about " +
         std::to_string(needed / kMegabyte) + " MB, " + std::to_string(available / kMegabyte) +
         " MB free), so nothing is written: write to another file";
}

bool holdGamesOfWrittenInputs(const std::vector<std::filesystem::path>& outputs) {
  const std::vector<TFileIdentity> written = identitiesOf(outputs);
  if (written.empty()) return true;  // no output exists yet, so none is an input
  TWrittenInputs inputs;
  {
    TLockHold hold(gameLock());
    inputs = findWrittenInputs(written);
  }
  if (inputs.games.empty()) return true;
  const uint64_t needed = inputs.textBytes * kJournalBytesPerTextByte;
  // Half of what is free: the writing that follows needs its own room.
  const uint64_t available = memoryLeftForRun();
  if (available > 0 && needed > available / 2) {
    noteProblem(inputTooLargeText(inputs.firstFile, needed, available));
    ++writesFailed;
    return false;
  }
  enterStage(kStageLoadingMoves);
  readMovesBack(inputs.games);
  return !stopRequested;
}
