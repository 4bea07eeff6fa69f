// The scan of a PGN text for games: each game's tags, journal and place in the file.

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

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

// LeftOut: read to its end, then refused by the tag filter.
enum class TGameOutcome { Accepted, Skipped, LeftOut };

// A capacity of 0 from the host would never let the batch grow.
size_t batchStep() {
  return static_cast<size_t>(std::max<int32_t>(capacityStep, 1));
}

// Editors on Windows put a UTF-8 byte-order mark before the first "["; the positions stay file
// positions, so the mark is only stepped over.
void skipByteOrderMark(std::string_view text, int64_t& position) {
  if (position == 1 && startsAt(text, 1, "\xEF\xBB\xBF")) position = 4;
}

// Line numbers of positions met in increasing order, counted once.
class TLineCounter {
 public:
  explicit TLineCounter(std::string_view text) : text_(text) {}
  int64_t lineAt(int64_t position) {
    position = std::clamp<int64_t>(position, 1, textLength(text_) + 1);
    if (position < counted_) counted_ = line_ = 1;
    auto from = text_.begin() + (counted_ - 1), to = text_.begin() + (position - 1);
    line_ += std::count(from, to, '\n');
    counted_ = position;
    return line_;
  }

 private:
  std::string_view text_;
  int64_t counted_ = 1;
  int64_t line_ = 1;
};

struct TScan {
  std::string_view text;
  int64_t& position;
  bool applyFilters;
  int32_t& badCount;
  TReadRecord* record;
  TLineCounter lines;
  int64_t unclosedBrace = 0;
  int code = kReadOk;
  int32_t unreadable = 0;  // bad for a code of their own, not for a filter
};

// A game that could not be read: counted, and listed with where it begins and where it broke.
void noteBadGame(TScan& scan, int64_t start, TReadPhase phase) {
  ++scan.badCount;
  ++scan.unreadable;
  if (!scan.record) return;
  TBadGame bad;
  bad.line = scan.lines.lineAt(start);
  bad.position = start;
  bad.errorLine = scan.lines.lineAt(scan.position);
  bad.reason = scan.code;
  bad.phase = phase;
  scan.record->badGames.push_back(bad);
}

// Moves past a game that could not be read. A code above 100 leaves no sure end of the game,
// so the reading goes on at the next line where a game begins.
TGameOutcome skipBadGameText(TScan& scan, TGame& game, int64_t start, TReadPhase phase) {
  if (scan.code != kReadOk) {
    noteBadGame(scan, start, phase);
  } else {
    ++scan.badCount;  // refused by a filter on its moves or its opening
  }
  if (scan.code == kBrokenTagLine && phase == TReadPhase::tags)
    skipBrokenTagSection(scan.text, scan.position);
  else if (scan.code > kLastGameCode)
    scan.position = nextGameStart(scan.text, scan.position);
  else
    skipBadGame(scan.text, scan.position);
  game.Journal.reset();
  return TGameOutcome::Skipped;
}

// The result token that ended a game without tags, for its Result tag.
std::string resultBefore(std::string_view text, int64_t position) {
  std::string_view read = text.substr(0, static_cast<size_t>(std::max<int64_t>(position - 1, 0)));
  for (std::string_view result : {"1-0", "0-1", "1/2-1/2", "*"})
    if (read.ends_with(result)) return std::string(result);
  if (read.ends_with(kDrawSign) || read.ends_with(kDrawSignLatin1)) return "1/2-1/2";
  return "*";
}

// Reads the moves into the game's journal and decides whether the game stays.
TGameOutcome readGameMoves(TScan& scan, TGame& game, const std::string& fen, int64_t start) {
  TLockHold hold(gameLock());
  int fenError = 0;
  game.Journal = startJournal(fen, fenError, isChess960Variant(game.Tags));
  if (fenError != 0) {
    scan.code = fenError;
    return skipBadGameText(scan, game, start, TReadPhase::fen);
  }
  scan.code = readMovetext(scan.text, scan.position, *game.Journal);
  bool accepted = scan.code == kReadOk && (!scan.applyFilters || acceptMoves(game.Journal.get())) &&
                  acceptEco(game, true);
  if (!accepted) return skipBadGameText(scan, game, start, TReadPhase::moves);
  game.TextStart = start;
  game.TextLength = scan.position - start;
  game.FileName = currentFileCopy();
  return TGameOutcome::Accepted;
}

// The tags of a game: its tag section, or the defaults when its movetext comes first.
int readGameTags(TScan& scan, TGame& game, std::string& fen) {
  if (isAt(scan.text, scan.position, '['))
    return readTags(scan.text, scan.position, true, fen, game.Tags);
  TLockHold hold(gameLock());
  setDefaultRoster(game.Tags);
  pendingComment.clear();
  return kReadOk;
}

TGameOutcome readGame(TScan& scan, TGame& game) {
  int64_t start = scan.position;
  bool tagless = !isAt(scan.text, start, '[');
  std::string fen;
  scan.code = readGameTags(scan, game, fen);
  if (scan.code != kReadOk) return skipBadGameText(scan, game, start, TReadPhase::tags);
  bool tagsPass = true;
  if (scan.applyFilters && !tagless) {
    TLockHold hold(gameLock());
    tagsPass = acceptTags(game.Tags);
  }
  if (!tagsPass) {
    skipBadGame(scan.text, scan.position);  // filtered out, not bad
    return TGameOutcome::Skipped;
  }
  TGameOutcome outcome = readGameMoves(scan, game, fen, start);
  if (outcome == TGameOutcome::Accepted && tagless) {
    TLockHold hold(gameLock());
    game.Tags[kTagResult].Value = resultBefore(scan.text, scan.position);
    // The result is known only now: the tag filter looks at it after the moves.
    if (scan.applyFilters && !acceptTags(game.Tags)) {
      game.Journal.reset();
      outcome = TGameOutcome::LeftOut;
    }
  }
  return outcome;
}

// The "{" that no "}" closes, or 0: the first "{" after the last "}".
int64_t findUnclosedBrace(std::string_view text) {
  size_t lastClose = text.rfind('}');
  size_t open = text.find('{', lastClose == std::string_view::npos ? 0 : lastClose);
  return open == std::string_view::npos ? 0 : static_cast<int64_t>(open) + 1;
}

// Blanks, comments and results written again after a game ("* *") are stepped over before the
// next "[" (and before the first). A "{" that is never closed is stray text, not a comment that
// would hide every game after it.
void skipAfterGame(TScan& scan) {
  TLockHold hold(gameLock());
  std::string dropped;
  int64_t from = scan.position;
  for (;;) {
    skipSpace(scan.text, scan.position, dropped);
    if (!isAt(scan.text, scan.position, '*')) break;
    ++scan.position;
  }
  if (atEnd(scan.text, scan.position) && scan.unclosedBrace >= from)
    scan.position = scan.unclosedBrace;
}

// Text where a game should begin is passed over up to the next line where one does, and noted.
void skipStrayText(TScan& scan) {
  int64_t from = scan.position;
  scan.position = nextGameStart(scan.text, from);
  scan.code = kNoGameStart;
  if (!scan.record) return;
  int64_t end = scan.position;
  while (end > from && isBlank(charAt(scan.text, end - 1))) --end;
  scan.record->skipped.push_back(
      TSkippedText{scan.lines.lineAt(from), from, end - from, kNoGameStart});
}

bool atGameStart(const TScan& scan) {
  return isAt(scan.text, scan.position, '[') || startsMovetextGame(scan.text, scan.position);
}

}  // namespace

int scanGames(std::string_view text, int64_t& position, bool applyFilters, int32_t& badCount,
              TGames& batch, TReadRecord* record) {
  int64_t last = -1;
  {
    TLockHold hold(gameLock());
    batch.clear();
    batch.resize(batchStep());
    skipByteOrderMark(text, position);
  }
  badCount = 0;
  TScan scan{text,   position,           applyFilters,           badCount,
             record, TLineCounter(text), findUnclosedBrace(text)};
  skipAfterGame(scan);
  while (!atEnd(text, position) && !stopRequested.load(std::memory_order_relaxed)) {
    if (!atGameStart(scan)) {
      skipStrayText(scan);
      continue;
    }
    ++last;
    {
      TLockHold hold(gameLock());
      if (static_cast<size_t>(last) >= batch.size()) batch.resize(batch.size() + batchStep());
    }
    TGameOutcome outcome = readGame(scan, batch[static_cast<size_t>(last)]);
    bytesDone.store(position, std::memory_order_relaxed);
    if (outcome != TGameOutcome::Accepted) --last;
    if (outcome != TGameOutcome::Skipped) skipAfterGame(scan);
  }
  if (!atEnd(text, position)) {
    scan.code = kNoGameStart;  // a stop came first
    if (record) record->readToEnd = false;
  }
  gamesSkipped.fetch_add(scan.unreadable, std::memory_order_relaxed);
  bytesDone.store(position, std::memory_order_relaxed);
  TLockHold hold(gameLock());
  batch.resize(static_cast<size_t>(last + 1));
  return scan.code;
}

int loadPgnFile(const std::filesystem::path& path, bool applyFilters, TGames& batch) {
  stage.store(kStageLoading, std::memory_order_relaxed);
  bytesTotal.store(0, std::memory_order_relaxed);
  std::string text;
  bool opened = readWholeFile(path, text);
  if (!opened) {
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
  TFileRecord file{path, {}};
  int code = scanGames(text, position, applyFilters, badCount, batch, &file.record);
  file.record.unopened = !opened;
  file.record.readToEnd = file.record.readToEnd && opened;
  TLockHold hold(gameLock());
  fileRecords.push_back(std::move(file));
  return code;
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
