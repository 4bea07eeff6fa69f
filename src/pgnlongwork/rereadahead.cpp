#include "pgnlongwork/rereadahead.h"

#include <algorithm>
#include <utility>

#include "Upgnread/ecotag.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/pgnstretches.h"
#include "pgnlongwork/jobstate.h"

const int32_t kRereadBatchGames = 512;
int32_t rereadBatchGames = kRereadBatchGames;
std::function<void(int32_t)> rereadObserver;

namespace {

// Game text per batch: the journals read but not yet written take several times their text, and
// a few batches per thread may wait, so this bounds the memory they hold.
constexpr int64_t kBatchBytes = 256 * 1024;

// Text between two games of a batch up to which one read taking both pays.
constexpr int64_t kDenseGap = 64 * 1024;

// How far one read from the batch's first game should reach: over the games that follow it
// closely in its file. Games far apart (a player's games in a big file) are read each alone, or
// every read would take in a stretch of text that no game of it needs.
int64_t readAheadFor(const std::vector<TGame>& copies) {
  const TGame* first = nullptr;
  int64_t end = 0;
  for (const TGame& game : copies) {
    if (!isLeanGame(game)) continue;
    if (!first) {
      first = &game;
    } else if (!(game.FileName == first->FileName) || game.TextStart < end ||
               game.TextStart > end + kDenseGap) {
      break;
    }
    end = game.TextStart + game.TextLength;  // a game glued to the next ends where that begins
  }
  return first ? end - (first->TextStart + first->TextLength) : 0;
}

}  // namespace

TRereadGame rereadGame(TGameRereader& rereader, const TGame& game) {
  TRereadGame reread;
  reread.lean = true;
  reread.journal = rereader.read(game, reread.problem);
  reread.fileChanged = !reread.journal && reread.problem.empty();
  return reread;
}

TJournalsAhead::TJournalsAhead(const TIndexArray& order, TRereadWanted wanted, bool classify)
    : order(order), wanted(wanted), classify(classify), lock(newWaitLock()) {
  const int64_t wantedBytes = planBatches();
  if (wantedBytes > 0)
    startThreads(wantedBytes);
  else
    batches.clear();  // no game to read again
}

TJournalsAhead::~TJournalsAhead() {
  {
    TLockHold hold(*lock);
    stopping = true;
    lock->wakeAll();
  }
  for (TThreadHandle thread : threads) joinThread(thread);
}

// The game at a position of the list when it is to be read again, or null; the caller holds
// gameLock.
const TGame* TJournalsAhead::wantedGameAt(int32_t position) const {
  const int32_t game = order[static_cast<size_t>(position)];
  if (game < 0 || game >= static_cast<int32_t>(panelGames.size())) return nullptr;
  const TGame& found = panelGames[static_cast<size_t>(game)];
  return wanted(found) ? &found : nullptr;
}

// Cuts the list into batches of a bounded count and text; answers the text of the games to read.
int64_t TJournalsAhead::planBatches() {
  TLockHold hold(gameLock());
  const int32_t total = static_cast<int32_t>(order.size());
  const int32_t most = std::max(1, rereadBatchGames);
  int64_t wantedBytes = 0;
  int64_t batchBytes = 0;
  for (int32_t position = 0; position < total; ++position) {
    if (batches.empty() || batches.back().end - batches.back().first >= most ||
        batchBytes >= kBatchBytes) {
      batches.emplace_back();
      batches.back().first = batches.back().end = position;
      batchBytes = 0;
    }
    ++batches.back().end;
    if (const TGame* game = wantedGameAt(position)) {
      batchBytes += game->TextLength;
      wantedBytes += game->TextLength;
    }
  }
  return wantedBytes;
}

void TJournalsAhead::startThreads(int64_t wantedBytes) {
  const int count = threadsFor(wantedBytes);
  // Each thread may have a batch read and be reading the next while the writer is on its own.
  mostAhead = 2 * static_cast<size_t>(count) + 1;
  for (int k = 0; k < count; ++k) {
    TThreadHandle thread = startThread(threadBody, this);
    if (thread) threads.push_back(thread);  // without it the writer reads the batches itself
  }
}

void TJournalsAhead::threadBody(void* self) {
  static_cast<TJournalsAhead*>(self)->readAhead();
}

void TJournalsAhead::readAhead() {
  TGameRereader rereader;  // its window serves the thread's next batch when that follows on
  for (;;) {
    const int32_t claimed = claim();
    if (claimed < 0) return;
    TBatch& batch = batches[static_cast<size_t>(claimed)];
    if (rereadObserver) rereadObserver(batch.first);
    const bool read = readBatch(batch, rereader, true);
    settle(batch, read);
    if (!read) return;
  }
}

// The next waiting batch within reach of the writer, once there is one; -1 when there is none
// left or the job is ending.
int32_t TJournalsAhead::claim() {
  TLockHold hold(*lock);
  for (;;) {
    if (quitting()) return -1;
    size_t next = current;
    while (next < batches.size() && batches[next].state != TBatchState::waiting) ++next;
    if (next >= batches.size()) return -1;
    if (next < current + mostAhead) {
      batches[next].state = TBatchState::reading;
      return static_cast<int32_t>(next);
    }
    lock->wait();
  }
}

bool TJournalsAhead::quitting() const {
  return stopping.load(std::memory_order_relaxed) || stopRequested.load(std::memory_order_relaxed);
}

// Reads the batch's lean games from copies taken under gameLock; false when the job ended
// first, and then the batch is left as it was.
bool TJournalsAhead::readBatch(TBatch& batch, TGameRereader& rereader, bool mayQuit) {
  std::vector<TGame> copies(static_cast<size_t>(batch.end - batch.first));
  // The journals of games kept whole, to be classified: nothing else touches them while the
  // writer is before them.
  std::vector<jurnal*> inBase(classify ? copies.size() : 0, nullptr);
  {
    TLockHold hold(gameLock());
    for (int32_t position = batch.first; position < batch.end; ++position) {
      const TGame* game = wantedGameAt(position);
      if (!game) continue;
      const size_t i = static_cast<size_t>(position - batch.first);
      if (isLeanGame(*game))
        copies[i] = rereadCopy(*game);
      else if (classify)
        inBase[i] = game->Journal.get();
    }
  }
  rereader.limitReadAhead(readAheadFor(copies));
  std::vector<TRereadGame> games(copies.size());
  for (size_t i = 0; i < copies.size(); ++i) {
    if (mayQuit && quitting()) return false;
    if (isLeanGame(copies[i])) games[i] = rereadGame(rereader, copies[i]);
  }
  if (classify && !classifyBatch(games, inBase, mayQuit)) return false;
  batch.games = std::move(games);
  return true;
}

bool TJournalsAhead::classifyBatch(std::vector<TRereadGame>& games,
                                   const std::vector<jurnal*>& inBase, bool mayQuit) {
  for (size_t i = 0; i < games.size(); ++i) {
    if (mayQuit && quitting()) return false;
    jurnal* journal = games[i].journal ? games[i].journal.get() : inBase[i];
    if (!journal) continue;
    games[i].eco = mainLineEco(*journal);
    games[i].ecoWorkedOut = true;
  }
  return true;
}

void TJournalsAhead::settle(TBatch& batch, bool read) {
  TLockHold hold(*lock);
  batch.state = read ? TBatchState::read : TBatchState::waiting;
  lock->wakeAll();
}

void TJournalsAhead::retire(TBatch& batch) {
  std::vector<TRereadGame> spent = std::move(batch.games);
  TLockHold hold(*lock);
  batch.state = TBatchState::done;
  ++current;
  lock->wakeAll();
}

TRereadGame TJournalsAhead::take(int32_t position) {
  while (current < batches.size() && position >= batches[current].end) retire(batches[current]);
  if (current >= batches.size() || position < batches[current].first) return {};
  TBatch& batch = batches[current];
  bool readHere = false;
  {
    TLockHold hold(*lock);
    while (batch.state == TBatchState::reading) lock->wait();
    readHere = batch.state == TBatchState::waiting;
    if (readHere) batch.state = TBatchState::reading;
  }
  if (readHere) {
    if (rereadObserver) rereadObserver(batch.first);
    readBatch(batch, writerRereader, false);
    settle(batch, true);
  }
  return std::move(batch.games[static_cast<size_t>(position - batch.first)]);
}
