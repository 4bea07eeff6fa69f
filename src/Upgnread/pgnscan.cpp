// The scan of a PGN text for games: each game's tags, journal and place in the file.

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "Upgnread/filters.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/movetext.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"
#include "Upgnread/variant.h"
#include "pgnlongwork/jobstate.h"
#include "uchess/fileutil.h"

int32_t capacityStep = 1024;
std::string pendingComment;

namespace {

enum class TGameOutcome { Accepted, Skipped, ScanEnds };

// A capacity of 0 from the host would never let the batch grow.
size_t batchStep() { return static_cast<size_t>(std::max<int32_t>(capacityStep, 1)); }

// Editors on Windows put a UTF-8 byte-order mark before the first "["; the positions stay file
// positions, so the mark is only stepped over.
void skipByteOrderMark(std::string_view text, int64_t& position) {
  if (position == 1 && startsAt(text, 1, "\xEF\xBB\xBF")) position = 4;
}

struct TScan {
  std::string_view text;
  int64_t& position;
  bool applyFilters;
  int32_t& badCount;
  int code = kReadOk;
  int32_t unreadable = 0;  // bad for a code of their own, not for a filter
};

TGameOutcome skipBadGame(TScan& scan, TGame& game) {
  ++scan.badCount;
  if (scan.code != kReadOk) ++scan.unreadable;
  skipToGame(scan.text, scan.position);
  game.Journal.reset();
  return TGameOutcome::Skipped;
}

// Reads the moves into the game's journal and decides whether the game stays.
TGameOutcome readGameMoves(TScan& scan, TGame& game, const std::string& fen, int64_t start) {
  TLockHold hold(gameLock());
  int fenError = 0;
  game.Journal = startJournal(fen, fenError, isChess960Variant(game.Tags));
  if (fenError != 0) {
    scan.code = fenError;
    return skipBadGame(scan, game);
  }
  scan.code = readMovetext(scan.text, scan.position, *game.Journal);
  if (scan.code > kLastGameCode) {
    game.Journal.reset();
    return TGameOutcome::ScanEnds;
  }
  bool accepted = scan.code == kReadOk &&
                  (!scan.applyFilters || acceptMoves(game.Journal.get())) &&
                  acceptEco(game, true);
  if (!accepted) return skipBadGame(scan, game);
  game.TextStart = start;
  game.TextLength = scan.position - start;
  game.FileName = currentFileCopy();
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
    TLockHold hold(gameLock());
    tagsPass = acceptTags(game.Tags);
  }
  if (!tagsPass) {
    skipToGame(scan.text, scan.position);  // filtered out, not bad
    return TGameOutcome::Skipped;
  }
  return readGameMoves(scan, game, fen, start);
}

// Results written again after a game ("* *") are stepped over before the next "[".
void skipAfterGame(std::string_view text, int64_t& position) {
  TLockHold hold(gameLock());
  std::string dropped;
  for (;;) {
    skipSpace(text, position, dropped);
    if (!isAt(text, position, '*')) return;
    ++position;
  }
}

}  // namespace

int scanGames(std::string_view text, int64_t& position, bool applyFilters, int32_t& badCount,
              TGames& batch) {
  int64_t last = -1;
  std::string dropped;
  {
    TLockHold hold(gameLock());
    batch.clear();
    batch.resize(batchStep());
    skipByteOrderMark(text, position);
    skipSpace(text, position, dropped);
  }
  badCount = 0;
  TScan scan{text, position, applyFilters, badCount};
  bool endedEarly = false;
  while (isAt(text, position, '[') && !stopRequested.load(std::memory_order_relaxed)) {
    ++last;
    {
      TLockHold hold(gameLock());
      if (static_cast<size_t>(last) >= batch.size()) batch.resize(batch.size() + batchStep());
    }
    TGameOutcome outcome = readGame(scan, batch[static_cast<size_t>(last)]);
    bytesDone.store(position, std::memory_order_relaxed);
    if (outcome != TGameOutcome::Accepted) --last;
    if (outcome == TGameOutcome::ScanEnds) {
      endedEarly = true;
      break;
    }
    if (outcome == TGameOutcome::Accepted) skipAfterGame(text, position);
  }
  if (!endedEarly && !atEnd(text, position)) scan.code = kNoGameStart;
  // A game that ended the scan is lost with the rest of the file: report it with the bad ones.
  gamesSkipped.fetch_add(scan.unreadable + (endedEarly ? 1 : 0), std::memory_order_relaxed);
  bytesDone.store(position, std::memory_order_relaxed);
  TLockHold hold(gameLock());
  batch.resize(static_cast<size_t>(last + 1));
  return scan.code;
}

int loadPgnFile(const std::filesystem::path& path, bool applyFilters, TGames& batch) {
  stage.store(kStageLoading, std::memory_order_relaxed);
  bytesTotal.store(0, std::memory_order_relaxed);
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
  return scanGames(text, position, applyFilters, badCount, batch);
}

std::unique_ptr<jurnal> startJournal(const std::string& fen, int& error, bool chess960) {
  error = 0;
  if (fen.empty()) return std::make_unique<jurnal>(nullptr, nullptr);
  int64_t fenPosition = 1;
  std::unique_ptr<jurnal> journal = jurnal::createfromfen(fen, error, fenPosition, chess960);
  if (error == 0 && !journal) error = 10;
  if (error != 0) journal.reset();
  return journal;
}
