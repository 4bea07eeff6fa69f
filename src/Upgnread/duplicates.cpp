#include "Upgnread/duplicates.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Upgnread/gamebase.h"
#include "platform/platform.h"

namespace {

using TStartsByFile =
    std::unordered_map<std::filesystem::path::string_type, std::unordered_set<int64_t>>;

// The starts the base holds in each file the batch came from. An exact lookup: the base is in no
// particular order once files were loaded out of name order or games were removed.
TStartsByFile loadedStarts(const TGames& batch) {
  TStartsByFile starts;
  TLockHold hold(gameLock());
  for (const TGame& game : batch)
    if (!game.FileName->empty()) starts.try_emplace(game.FileName->native());
  if (starts.empty()) return starts;
  for (const TGame& game : panelGames) {
    const auto found = starts.find(game.FileName->native());
    if (found != starts.end()) found->second.insert(game.TextStart);
  }
  return starts;
}

// Marks every entry that repeats the keys of an entry before it, among the unmarked entries
// that have keys; so of equal games the one earliest in the array survives.
int32_t markLaterCopies(const THashes& entries, TBoolArray& marks) {
  std::vector<uint32_t> order;
  order.reserve(entries.size());  // sized once: a doubling copy of millions would add to the peak
  for (size_t i = 0; i < entries.size(); ++i)
    if (!marks[i] && hasKeys(entries[i])) order.push_back(static_cast<uint32_t>(i));
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    if (keyLess(entries[a], entries[b])) return true;
    if (keyLess(entries[b], entries[a])) return false;
    return a < b;
  });
  int32_t marked = 0;
  for (size_t j = 1; j < order.size(); ++j) {
    if (!sameKeys(entries[order[j]], entries[order[j - 1]])) continue;
    marks[order[j]] = 1;
    ++marked;
  }
  return marked;
}

// Keys of every game of the base, the lock taken per game: keys replay whole games.
THashes keysOfBase() {
  THashes entries;
  for (size_t i = 0;; ++i) {
    TLockHold hold(gameLock());
    if (i >= panelGames.size()) break;
    entries.push_back(gameEntry(panelGames[i], static_cast<int32_t>(i)));
  }
  return entries;
}

// The base's keys in key order; none while gameHashes is stale.
THashes sortedBaseKeys() {
  THashes sorted;
  {
    TLockHold hold(gameLock());
    if (gameHashes.size() != panelGames.size()) return sorted;
    sorted.reserve(gameHashes.size());
    for (const THashEntry& entry : gameHashes)
      if (hasKeys(entry)) sorted.push_back(entry);
  }
  std::sort(sorted.begin(), sorted.end(), keyLess);
  return sorted;
}

// Keeps the unmarked games and entries, in order.
void keepUnmarked(TGames& batch, THashes& hashes, const TBoolArray& marks) {
  TLockHold hold(gameLock());
  size_t kept = 0;
  for (size_t k = 0; k < batch.size(); ++k) {
    if (marks[k]) continue;
    if (kept != k) {
      batch[kept] = std::move(batch[k]);
      hashes[kept] = hashes[k];
    }
    ++kept;
  }
  batch.resize(kept);
  hashes.resize(kept);
}

}  // namespace

bool sameKeys(const THashEntry& a, const THashEntry& b) {
  return a.MovesKey == b.MovesKey && a.StartKey == b.StartKey;
}

bool keyLess(const THashEntry& a, const THashEntry& b) {
  const auto movesA = static_cast<int64_t>(a.MovesKey);
  const auto movesB = static_cast<int64_t>(b.MovesKey);
  if (movesA != movesB) return movesA < movesB;
  return static_cast<int64_t>(a.StartKey) < static_cast<int64_t>(b.StartKey);
}

bool hasKeys(const THashEntry& entry) {
  return entry.StartKey != 0 || entry.MovesKey != 0;
}

THashEntry gameEntry(const TGame& game, int32_t index) {
  THashEntry entry;
  entry.GameIndex = index;
  if (game.KeysKnown) {
    entry.StartKey = game.StartKey;
    entry.MovesKey = game.MovesKey;
  } else if (game.Journal) {
    const TGameKeys keys = game.Journal->gamekeys();
    entry.StartKey = keys.StartKey;
    entry.MovesKey = keys.MovesKey;
  }
  return entry;
}

int compareLocation(const TGame& a, const TGame& b) {
  const int names = compareLocale(*a.FileName, *b.FileName);
  if (names != 0) return names;
  return (a.TextStart > b.TextStart) - (a.TextStart < b.TextStart);
}

int32_t dropLoaded(TGames& batch) {
  const TStartsByFile starts = loadedStarts(batch);
  if (starts.empty()) return 0;
  const auto isLoaded = [&](const TGame& game) {
    if (game.FileName->empty()) return false;
    const auto found = starts.find(game.FileName->native());
    return found != starts.end() && found->second.count(game.TextStart) > 0;
  };
  TLockHold hold(gameLock());
  return static_cast<int32_t>(erase_if(batch, isLoaded));
}

int32_t refreshHashes() {
  if (gameHashesValid()) return 0;
  THashes rebuilt = keysOfBase();
  TBoolArray marks(rebuilt.size(), 0);
  const int32_t later = markLaterCopies(rebuilt, marks);
  TLockHold hold(gameLock());
  // The base may have changed while the keys were computed: they would name other games.
  if (rebuilt.size() != panelGames.size()) return 0;
  gameHashes = std::move(rebuilt);
  if (later == 0) return 0;
  return removeMarkedGames(marks);
}

int32_t dropDuplicates(TGames& batch, THashes& hashes) {
  const THashes base = sortedBaseKeys();
  hashes.clear();
  TBoolArray marks;
  {
    // Sized once: growing by doubling would hold an old and a new copy of millions of entries.
    TLockHold hold(gameLock());
    hashes.reserve(batch.size());
    marks.reserve(batch.size());
  }
  for (size_t k = 0;; ++k) {
    TLockHold hold(gameLock());
    if (k >= batch.size()) break;
    const THashEntry entry = gameEntry(batch[k], static_cast<int32_t>(k));
    hashes.push_back(entry);
    marks.push_back(hasKeys(entry) && std::binary_search(base.begin(), base.end(), entry, keyLess));
  }
  int32_t dropped = static_cast<int32_t>(std::count(marks.begin(), marks.end(), 1));
  dropped += markLaterCopies(hashes, marks);
  if (dropped > 0) keepUnmarked(batch, hashes, marks);
  return dropped;
}
