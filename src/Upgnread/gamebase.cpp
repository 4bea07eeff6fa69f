#include "Upgnread/gamebase.h"

#include "Upgnread/leangame.h"

#include <atomic>
#include <utility>

TGames panelGames;
TIndexArray listOrder;
TBoolArray tickedGames;
THashes gameHashes;
TIndexArray workList;
TIndexArray outputOrder;
int32_t listCursor = -1;

namespace {

// Deliberately never destroyed: a worker still running at exit may hold it.
TRecursiveLock& ownLock() {
  static TRecursiveLock* const lock = newRecursiveLock();
  return *lock;
}

std::atomic<TRecursiveLock*> lockInUse{nullptr};

int32_t gameCount() {
  return static_cast<int32_t>(panelGames.size());
}

// Old game index -> new index, or -1 for a removed game.
TIndexArray survivorNumbers(const TBoolArray& marks, int32_t& removed) {
  TIndexArray numbers(panelGames.size(), -1);
  int32_t next = 0;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i < marks.size() && marks[i]) continue;
    numbers[i] = next++;
  }
  removed = gameCount() - next;
  return numbers;
}

// Keeps the entries naming a surviving game, renumbered; entries naming no game at all go too.
void renumberIndices(TIndexArray& indices, const TIndexArray& numbers) {
  size_t kept = 0;
  for (int32_t index : indices) {
    if (index < 0 || static_cast<size_t>(index) >= numbers.size() || numbers[index] < 0) continue;
    indices[kept++] = numbers[index];
  }
  indices.resize(kept);
}

// Moves the survivors of the per-game arrays down over the removed ones.
void compactGames(const TIndexArray& numbers, bool hashesValid) {
  for (size_t i = 0; i < numbers.size(); ++i) {
    const int32_t to = numbers[i];
    if (to < 0 || static_cast<size_t>(to) == i) continue;
    panelGames[to] = std::move(panelGames[i]);
    tickedGames[to] = tickedGames[i];
    if (hashesValid) {
      gameHashes[to] = gameHashes[i];
      gameHashes[to].GameIndex = to;
    }
  }
}

// The cursor is a row: each removed row above it pulls it up one, so it stays on its game. Rows
// are read before listOrder is renumbered.
void moveCursorForRemoval(const TIndexArray& numbers, int32_t newCount) {
  const int32_t rows = static_cast<int32_t>(listOrder.size());
  const int32_t above = listCursor < rows ? listCursor : rows;
  int32_t removedAbove = 0;
  for (int32_t row = 0; row < above; ++row) {
    const int32_t game = listOrder[row];
    if (game >= 0 && static_cast<size_t>(game) < numbers.size() && numbers[game] < 0)
      ++removedAbove;
  }
  listCursor -= removedAbove;
  if (listCursor >= newCount) --listCursor;
}

}  // namespace

TRecursiveLock& gameLock() {
  TRecursiveLock* host = lockInUse.load(std::memory_order_acquire);
  return host ? *host : ownLock();
}

void useGameLock(TRecursiveLock* hostLock) {
  lockInUse.store(hostLock, std::memory_order_release);
}

bool gameHashesValid() {
  TLockHold hold(gameLock());
  return gameHashes.size() == panelGames.size();
}

void appendBatch(TGames& batch, const THashes* batchHashes, bool keepHashes) {
  TLockHold hold(gameLock());
  const int32_t first = gameCount();
  const size_t hashCount = batchHashes ? batchHashes->size() : 0;
  const bool extendHashes =
      keepHashes && hashCount == batch.size() && gameHashes.size() == panelGames.size();
  const size_t added = batch.size();
  tickedGames.resize(panelGames.size() + added, 0);
  for (size_t k = 0; k < added; ++k) {
    const int32_t index = first + static_cast<int32_t>(k);
    listOrder.push_back(index);
    if (extendHashes) {
      gameHashes.push_back((*batchHashes)[k]);
      gameHashes.back().GameIndex = index;
    }
  }
  panelGames.append(std::move(batch));
  if (!extendHashes) gameHashes.clear();
  if (added > 0) listCursor = static_cast<int32_t>(listOrder.size());
}

int32_t removeMarkedGames(const TBoolArray& marks) {
  TLockHold hold(gameLock());
  int32_t removed = 0;
  const TIndexArray numbers = survivorNumbers(marks, removed);
  if (removed == 0) return 0;
  const int32_t newCount = gameCount() - removed;
  const bool hashesValid = gameHashes.size() == panelGames.size();
  tickedGames.resize(panelGames.size());
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (numbers[i] < 0) panelGames[i].Journal.reset();
  }
  compactGames(numbers, hashesValid);
  panelGames.resize(newCount);
  tickedGames.resize(newCount);
  if (hashesValid) {
    gameHashes.resize(newCount);
  } else {
    gameHashes.clear();
  }
  moveCursorForRemoval(numbers, newCount);
  renumberIndices(listOrder, numbers);
  renumberIndices(workList, numbers);
  renumberIndices(outputOrder, numbers);
  return removed;
}

void emptyGameBase() {
  // Freed after the lock is let go: a part's journals take a while, and readers wait on it.
  TGames gone;
  TLockHold hold(gameLock());
  gone.swap(panelGames);
  tickedGames.clear();
  listOrder.clear();
  gameHashes.clear();
  workList.clear();
  outputOrder.clear();
  restartJournalBudget();
}
