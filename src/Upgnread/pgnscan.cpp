// The scan of a PGN text for games: each game's tags, journal and place in the file.

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "Upgnread/filters.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/movetext.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgnstretches.h"
#include "Upgnread/pgntext.h"
#include "pgnlongwork/jobstate.h"
#include "uchess/fileutil.h"

int32_t capacityStep = 1024;
thread_local std::string pendingComment;

namespace {

enum class TGameOutcome { Accepted, Skipped, ScanEnds };

// A capacity of 0 from the host would never let the batch grow.
size_t batchStep() {
  return static_cast<size_t>(std::max<int32_t>(capacityStep, 1));
}

// Holds gameLock while the worker reads into its own batch; the readers of stretches on other
// threads hold games nobody else can see yet, and would only wait on each other.
class TScanLock {
 public:
  explicit TScanLock(bool take) : lock(take ? &gameLock() : nullptr) {
    if (lock) lock->enter();
  }
  ~TScanLock() {
    if (lock) lock->leave();
  }
  TScanLock(const TScanLock&) = delete;
  TScanLock& operator=(const TScanLock&) = delete;

 private:
  TRecursiveLock* lock;
};

struct TScan {
  std::string_view text;
  int64_t position = 1;
  int64_t limit = 0;  // no game is started at or past it
  bool applyFilters = false;
  bool worker = true;                 // reading into the worker's batch: lock, progress, leanness
  const TFileStamp* stamp = nullptr;  // of the file the text came from, when it came from one
  std::filesystem::path fileName;
  int code = kReadOk;
  int32_t bad = 0;
  int32_t unreadable = 0;   // bad for a code of their own, not for a filter
  bool endedEarly = false;  // a game ended the reading of the rest of the text
};

TGameOutcome skipBadGame(TScan& scan, TGame& game) {
  ++scan.bad;
  if (scan.code != kReadOk) ++scan.unreadable;
  skipToGame(scan.text, scan.position);
  game.Journal.reset();
  return TGameOutcome::Skipped;
}

// Reads the moves into the game's journal and decides whether the game stays.
TGameOutcome readGameMoves(TScan& scan, TGame& game, const std::string& fen, int64_t start) {
  TScanLock hold(scan.worker);
  int fenError = 0;
  game.Journal = startJournal(fen, fenError);
  if (fenError != 0) {
    scan.code = fenError;
    return skipBadGame(scan, game);
  }
  scan.code = readMovetext(scan.text, scan.position, *game.Journal);
  if (scan.code > kLastGameCode) {
    game.Journal.reset();
    return TGameOutcome::ScanEnds;
  }
  bool accepted = scan.code == kReadOk && (!scan.applyFilters || acceptMoves(game.Journal.get())) &&
                  acceptEco(game, true);
  if (!accepted) return skipBadGame(scan, game);
  game.TextStart = start;
  game.TextLength = scan.position - start;
  game.FileName = scan.fileName;
  if (scan.worker && scan.stamp) leanenAfterLoading(game, *scan.stamp);
  return TGameOutcome::Accepted;
}

TGameOutcome readGame(TScan& scan, TGame& game) {
  int64_t start = scan.position;
  std::string fen;
  scan.code = readTags(scan.text, scan.position, true, fen, game.Tags);
  if (scan.code > kLastGameCode) return TGameOutcome::ScanEnds;
  if (scan.code != kReadOk) return skipBadGame(scan, game);
  bool tagsPass = true;
  if (scan.applyFilters) {
    TScanLock hold(scan.worker);
    tagsPass = acceptTags(game.Tags);
  }
  if (!tagsPass) {
    skipToGame(scan.text, scan.position);  // filtered out, not bad
    return TGameOutcome::Skipped;
  }
  return readGameMoves(scan, game, fen, start);
}

// Results written again after a game ("* *") are stepped over before the next "[".
void skipAfterGame(TScan& scan) {
  TScanLock hold(scan.worker);
  std::string dropped;
  for (;;) {
    skipSpace(scan.text, scan.position, dropped);
    if (!isAt(scan.text, scan.position, '*')) return;
    ++scan.position;
  }
}

void growBatch(const TScan& scan, TGames& batch, size_t needed) {
  TScanLock hold(scan.worker);
  if (needed > batch.size()) batch.resize(batch.size() + batchStep());
}

// The games from scan.position until the text ends, stops making sense, or reaches the limit.
void scanLoop(TScan& scan, TGames& batch) {
  int64_t last = -1;
  while (scan.position < scan.limit && isAt(scan.text, scan.position, '[') &&
         !stopRequested.load(std::memory_order_relaxed)) {
    ++last;
    growBatch(scan, batch, static_cast<size_t>(last) + 1);
    TGameOutcome outcome = readGame(scan, batch[static_cast<size_t>(last)]);
    if (scan.worker) bytesDone.store(scan.position, std::memory_order_relaxed);
    if (outcome != TGameOutcome::Accepted) --last;
    if (outcome == TGameOutcome::ScanEnds) {
      scan.endedEarly = true;
      break;
    }
    if (outcome == TGameOutcome::Accepted) skipAfterGame(scan);
  }
  TScanLock hold(scan.worker);
  batch.resize(static_cast<size_t>(last + 1));
}

int scanText(std::string_view text, int64_t& position, bool applyFilters, int32_t& badCount,
             TGames& batch, const TFileStamp* stamp) {
  TScan scan;
  scan.text = text;
  scan.limit = textLength(text) + 1;
  scan.applyFilters = applyFilters;
  scan.stamp = stamp;
  scan.fileName = currentFileCopy();
  {
    TLockHold hold(gameLock());
    batch.clear();
    batch.resize(batchStep());
    skipToFirstGame(text, position);
  }
  scan.position = position;
  scanLoop(scan, batch);
  position = scan.position;
  badCount = scan.bad;
  if (!scan.endedEarly && !atEnd(text, position)) scan.code = kNoGameStart;
  // A game that ended the scan is lost with the rest of the file: report it with the bad ones.
  gamesSkipped.fetch_add(scan.unreadable + (scan.endedEarly ? 1 : 0), std::memory_order_relaxed);
  bytesDone.store(position, std::memory_order_relaxed);
  return scan.code;
}

}  // namespace

// Editors on Windows put a UTF-8 byte-order mark before the first "["; the positions stay file
// positions, so the mark is only stepped over.
void skipToFirstGame(std::string_view text, int64_t& position) {
  if (position == 1 && startsAt(text, 1, "\xEF\xBB\xBF")) position = 4;
  std::string dropped;
  skipSpace(text, position, dropped);
}

TScanStretch scanStretch(std::string_view text, int64_t start, int64_t limit, bool applyFilters,
                         const std::filesystem::path& fileName) {
  TScan scan;
  scan.text = text;
  scan.position = start;
  scan.limit = limit;
  scan.applyFilters = applyFilters;
  scan.worker = false;
  scan.fileName = fileName;
  TScanStretch stretch;
  stretch.start = start;
  scanLoop(scan, stretch.games);
  stretch.end = scan.position;
  stretch.code = scan.code;
  stretch.bad = scan.bad;
  stretch.unreadable = scan.unreadable;
  stretch.endedEarly = scan.endedEarly;
  return stretch;
}

int scanGames(std::string_view text, int64_t& position, bool applyFilters, int32_t& badCount,
              TGames& batch) {
  return scanText(text, position, applyFilters, badCount, batch, nullptr);
}

int loadPgnFile(const std::filesystem::path& path, bool applyFilters, TGames& batch) {
  stage.store(kStageLoading, std::memory_order_relaxed);
  bytesTotal.store(0, std::memory_order_relaxed);
  // Taken before the text: a file changed while it is read then differs when games are read again.
  const TFileStamp stamp = fileStamp(path);
  {
    TOsFile file;
    if (file.open(path, TOpenMode::readExclusive) && readsInBlocks(file.size())) {
      bytesTotal.store(file.size(), std::memory_order_relaxed);
      bytesDone.store(1, std::memory_order_relaxed);
      return loadInBlocks(file, applyFilters, batch, &stamp);
    }
  }
  std::string text;
  if (!readWholeFile(path, text)) {
    text.clear();
    filesUnreadable.fetch_add(1, std::memory_order_relaxed);
  }
  {
    TLockHold hold(gameLock());
    bytesTotal.store(textLength(text), std::memory_order_relaxed);
    bytesDone.store(1, std::memory_order_relaxed);
  }
  int64_t position = 1;
  int32_t badCount = 0;
  return scanText(text, position, applyFilters, badCount, batch, &stamp);
}

std::unique_ptr<jurnal> startJournal(const std::string& fen, int& error) {
  error = 0;
  if (fen.empty()) return std::make_unique<jurnal>(nullptr, nullptr);
  int64_t fenPosition = 1;
  std::unique_ptr<jurnal> journal = jurnal::createfromfen(fen, error, fenPosition);
  if (error == 0 && !journal) error = 10;
  if (error != 0) journal.reset();
  return journal;
}
