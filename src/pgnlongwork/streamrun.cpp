#include "pgnlongwork/streamrun.h"

#include <map>
#include <memory>
#include <set>
#include <utility>

#include "Upgnread/duplicates.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/keyset.h"
#include "Upgnread/leangame.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnstretches.h"
#include "Upgnread/splitting.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/output.h"
#include "platform/platform.h"

namespace {

using TNames = std::set<std::filesystem::path::string_type>;

// A part is read whole before any of it is written: 16 MB of text keeps the journals of a part
// near 100 MB, and still gives every core stretches of its own.
constexpr int64_t kStreamedPartBytes = 16 * 1024 * 1024;

struct TStreamedRun {
  std::filesystem::path base;
  TStreamedOutput output;
  TGameKeySet keys;
  TNames namesBefore;  // files earlier inputs read
  TNames namesNow;     // files the input being loaded has read so far
  TNames readAgain;    // inputs given more than once
  std::map<std::filesystem::path::string_type, std::set<int64_t>> keptPlaces;  // of their games
  int64_t blockBytesBefore = 0;
  int64_t journalBudgetBefore = 0;
};

std::unique_ptr<TStreamedRun> streamedRun;

// The input a game's file belongs to: the file itself, or the archive holding it as a member.
bool ofInputReadAgain(const std::filesystem::path::string_type& name, const TNames& readAgain) {
  if (readAgain.empty()) return false;
  if (readAgain.count(name) > 0) return true;
  const size_t colon = name.rfind(':');
  return colon != name.npos && readAgain.count(name.substr(0, colon)) > 0;
}

// The games whose place in their file an earlier input kept, as the whole-base run drops a game
// whose place the base holds.
int32_t dropAlreadyRead(TGames& batch, TStreamedRun& run) {
  int32_t dropped = 0;
  size_t kept = 0;
  // A part's games come from one file, or a few members of one archive: the names are looked up
  // once for each run of games from one file, not for every game.
  std::filesystem::path::string_type lastName;
  bool named = false;
  const std::set<int64_t>* placesKept = nullptr;
  for (size_t k = 0; k < batch.size(); ++k) {
    const auto& name = batch[k].FileName->native();
    if (!named || lastName != name) {
      lastName = name;
      named = true;
      run.namesNow.insert(name);
      const auto places = run.namesBefore.count(name) > 0 ? run.keptPlaces.find(name)
                                                          : run.keptPlaces.end();
      placesKept = places != run.keptPlaces.end() ? &places->second : nullptr;
    }
    if (placesKept && placesKept->count(batch[k].TextStart) > 0) {
      ++dropped;
      continue;
    }
    if (kept != k) batch[kept] = std::move(batch[k]);
    ++kept;
  }
  batch.resize(kept);
  return dropped;
}

void rememberPlaces(const TGames& batch, TStreamedRun& run) {
  for (const TGame& game : batch)
    if (ofInputReadAgain(game.FileName->native(), run.readAgain))
      run.keptPlaces[game.FileName->native()].insert(game.TextStart);
}

// Of equal games the one read first is kept, as in the whole-base run.
int32_t dropCopies(TGames& batch, TGameKeySet& keys) {
  int32_t dropped = 0;
  size_t kept = 0;
  for (size_t k = 0; k < batch.size(); ++k) {
    const THashEntry entry = gameEntry(batch[k], 0);
    if (hasKeys(entry) && !keys.insert(entry.StartKey, entry.MovesKey)) {
      ++dropped;
      continue;
    }
    if (kept != k) batch[kept] = std::move(batch[k]);
    ++kept;
  }
  batch.resize(kept);
  return dropped;
}

// The load jobs' sink: the part's games pass the checks of a merge, are written, and go.
void writePart(TGames& batch) {
  TStreamedRun& run = *streamedRun;
  // A stop drops the part it cut short, as the whole-base run drops the file it cut short.
  if (stopRequested) {
    TLockHold hold(gameLock());
    batch.clear();
    return;
  }
  {
    TLockHold hold(gameLock());
    gamesAlreadyLoaded += dropAlreadyRead(batch, run);
    if (removeDuplicates) duplicatesDropped += dropCopies(batch, run.keys);
    rememberPlaces(batch, run);
    gamesAccepted += static_cast<int32_t>(batch.size());
    appendBatch(batch, nullptr, false);
  }
  batch.clear();
  writeStreamedPart(run.base, run.output);
  emptyGameBase();
}

}  // namespace

bool optionsStream() {
  return !splitByPlayer && splitByDate < 1 && whiteEloParts <= 1 && blackEloParts <= 1;
}

bool outputMayBeInput(const std::filesystem::path& base,
                      const std::vector<std::filesystem::path>& inputFiles) {
  std::set<std::pair<uint64_t, uint64_t>> inputs;
  for (const std::filesystem::path& input : inputFiles) {
    const TFileIdentity identity = fileIdentity(input);
    if (identity.known) inputs.insert({identity.volume, identity.index});
  }
  if (inputs.empty()) return false;
  // Every name the run can write begins with the base's name and lies in its folder.
  const std::filesystem::path folder = base.has_parent_path() ? base.parent_path() : ".";
  const auto stem = base.filename().native();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const auto name = entry.path().filename().native();
    if (name.compare(0, stem.size(), stem) != 0) continue;
    const TFileIdentity identity = fileIdentity(entry.path());
    if (identity.known && inputs.count({identity.volume, identity.index}) > 0) return true;
  }
  return false;
}

void beginStreamedRun(const std::filesystem::path& base,
                      const std::vector<std::filesystem::path>& readAgain) {
  // Each part's games are all the base holds while they are written.
  emptyGameBase();
  streamedRun = std::make_unique<TStreamedRun>();
  streamedRun->base = base;
  for (const std::filesystem::path& input : readAgain) streamedRun->readAgain.insert(input.native());
  streamedRun->blockBytesBefore = blockBytes;
  streamedRun->journalBudgetBefore = journalBudget;
  blockBytes = kStreamedPartBytes;
  // Every game is written moments after it is read: none is made lean to be read again.
  journalBudget = -1;
  loadedPartSink = TBatchSink(writePart);
  loadedPartSink.takenKeys = &streamedRun->keys;
}

void startStreamedInput() {
  if (!streamedRun) return;
  streamedRun->namesBefore.merge(streamedRun->namesNow);
  streamedRun->namesNow.clear();
}

int32_t endStreamedRun() {
  if (!streamedRun) return 0;
  loadedPartSink = TBatchSink();
  blockBytes = streamedRun->blockBytesBefore;
  journalBudget = streamedRun->journalBudgetBefore;
  const int32_t filteredOut = streamedRun->output.filteredOut;
  streamedRun.reset();
  return filteredOut;
}
