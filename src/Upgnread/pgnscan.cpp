// The scan of a PGN text for games: each game's tags, journal and place in the file.

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "Upgnread/blocksource.h"
#include "Upgnread/filters.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/keyset.h"
#include "Upgnread/leangame.h"
#include "Upgnread/movetext.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgnstreams.h"
#include "Upgnread/pgnstretches.h"
#include "Upgnread/pgntext.h"
#include "Upgnread/variant.h"
#include "pgnlongwork/jobstate.h"
#include "uchess/fileutil.h"

int32_t capacityStep = 1024;
thread_local std::string pendingComment;

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

// Line numbers of positions met in increasing order, counted once; a stretch's counter starts
// from the line its first position is on.
class TLineCounter {
 public:
  explicit TLineCounter(std::string_view text, int64_t from = 1, int64_t line = 1)
      : text_(text), seedPosition_(from), seedLine_(line), counted_(from), line_(line) {}
  int64_t lineAt(int64_t position) {
    position = std::clamp<int64_t>(position, 1, textLength(text_) + 1);
    if (position < counted_) restart(position);
    auto from = text_.begin() + (counted_ - 1), to = text_.begin() + (position - 1);
    line_ += std::count(from, to, '\n');
    counted_ = position;
    return line_;
  }

 private:
  void restart(int64_t position) {
    const bool afterSeed = position >= seedPosition_;
    counted_ = afterSeed ? seedPosition_ : 1;
    line_ = afterSeed ? seedLine_ : 1;
  }

  std::string_view text_;
  int64_t seedPosition_;
  int64_t seedLine_;
  int64_t counted_;
  int64_t line_;
};

struct TScan {
  TScan(std::string_view scanned, int64_t from, int64_t line)
      : text(scanned), position(from), lines(scanned, from, line) {}
  std::string_view text;
  int64_t position = 1;
  int64_t limit = 0;  // no game is started at or past it
  bool applyFilters = false;
  bool worker = true;                 // reading into the worker's batch: lock, progress, leanness
  const TFileStamp* stamp = nullptr;  // of the file the text came from, when it came from one
  TSharedPath fileName;               // given to every game read
  TReadRecord* record = nullptr;
  std::atomic<int64_t>* progress = &bytesDone;  // takes the text position reached, when given
  TLineCounter lines;
  int64_t unclosedBrace = 0;
  int code = kReadOk;
  int32_t bad = 0;
  int32_t unreadable = 0;  // bad for a code of their own, not for a filter
  int32_t leftOut = 0;     // read, and refused by a filter
  const TBatchSink* sink = nullptr;  // takes each block's games as soon as they are read
  const TGameKeySet* takenKeys = nullptr;  // see TBatchSink
};

// A game that could not be read: counted, and listed with where it begins and where it broke.
void noteBadGame(TScan& scan, int64_t start, TReadPhase phase) {
  ++scan.bad;
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
    ++scan.bad;  // refused by a filter on its moves or its opening
    ++scan.leftOut;
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
  TScanLock hold(scan.worker);
  int fenError = 0;
  game.Journal = startJournal(fen, fenError, isChess960Variant(game.Tags));
  if (fenError != 0) {
    scan.code = fenError;
    return skipBadGameText(scan, game, start, TReadPhase::fen);
  }
  scan.code = readMovetext(scan.text, scan.position, *game.Journal);
  if (scan.code == kReadOk) keepEcoOnceRead(game);
  bool accepted = scan.code == kReadOk && (!scan.applyFilters || acceptMoves(game.Journal.get())) &&
                  acceptEco(game, true);
  if (!accepted) return skipBadGameText(scan, game, start, TReadPhase::moves);
  keepKeysOnceRead(game);
  if (scan.takenKeys && game.KeysKnown && scan.takenKeys->contains(game.StartKey, game.MovesKey))
    game.Journal.reset();
  game.TextStart = start;
  game.TextLength = scan.position - start;
  game.FileName = scan.fileName;
  return TGameOutcome::Accepted;
}

// The tags of a game: its tag section, or the defaults when its movetext comes first.
int readGameTags(TScan& scan, TGame& game, std::string& fen) {
  TScanLock hold(scan.worker);
  if (isAt(scan.text, scan.position, '['))
    return readTags(scan.text, scan.position, true, fen, game.Tags);
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
    TScanLock hold(scan.worker);
    tagsPass = acceptTags(game.Tags);
  }
  if (!tagsPass) {
    ++scan.leftOut;
    skipBadGame(scan.text, scan.position);  // filtered out, not bad
    return TGameOutcome::Skipped;
  }
  TGameOutcome outcome = readGameMoves(scan, game, fen, start);
  if (outcome == TGameOutcome::Accepted && tagless) {
    TScanLock hold(scan.worker);
    game.Tags.setValue(kTagResult, resultBefore(scan.text, scan.position));
    // The result is known only now: the tag filter looks at it after the moves.
    if (scan.applyFilters && !acceptTags(game.Tags)) {
      game.Journal.reset();
      ++scan.leftOut;
      outcome = TGameOutcome::LeftOut;
    }
  }
  return outcome;
}

// The "{" that no "}" closes, or 0: the first "{" after the last "}". Found going forward from
// each "{" to the "}" after it, as a search for one byte is quick that way and a search backwards
// for the last "}" goes byte by byte through the whole of a file without comments.
int64_t findUnclosedBrace(std::string_view text) {
  for (size_t from = 0;;) {
    const size_t open = text.find('{', from);
    if (open == std::string_view::npos) return 0;
    const size_t close = text.find('}', open + 1);
    if (close == std::string_view::npos) return static_cast<int64_t>(open) + 1;
    from = close + 1;
  }
}

// Blanks, comments and results written again after a game ("* *") are stepped over before the
// next "[" (and before the first). A "{" that is never closed is stray text, not a comment that
// would hide every game after it.
void skipAfterGame(TScan& scan) {
  TScanLock hold(scan.worker);
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

void growBatch(const TScan& scan, TGames& batch, size_t needed) {
  TScanLock hold(scan.worker);
  if (needed > batch.size()) batch.resize(batch.size() + batchStep());
}

// The worker's games drop their journals as soon as they are in; a stretch's games do when
// they are taken in file order.
void keepAccepted(const TScan& scan, TGame& game) {
  if (!scan.worker || !scan.stamp) return;
  TLockHold hold(gameLock());
  leanenAfterLoading(game, *scan.stamp);
}

// The games from scan.position until the text ends, a stop, or the limit, with the stray text
// between them passed over.
void scanLoop(TScan& scan, TGames& batch) {
  int64_t last = -1;
  while (scan.position < scan.limit && !atEnd(scan.text, scan.position) &&
         !stopRequested.load(std::memory_order_relaxed)) {
    if (!atGameStart(scan)) {
      skipStrayText(scan);
      continue;
    }
    ++last;
    growBatch(scan, batch, static_cast<size_t>(last) + 1);
    TGame& game = batch[static_cast<size_t>(last)];
    TGameOutcome outcome = readGame(scan, game);
    if (scan.worker) {
      if (scan.progress) scan.progress->store(scan.position, std::memory_order_relaxed);
      gamesScanned.fetch_add(1, std::memory_order_relaxed);
    }
    if (outcome == TGameOutcome::Accepted)
      keepAccepted(scan, game);
    else
      --last;
    if (outcome != TGameOutcome::Skipped) skipAfterGame(scan);
  }
  TScanLock hold(scan.worker);
  batch.resize(static_cast<size_t>(last + 1));
}

// The games of stretches read on other threads, taken into the batch in file order.
void readOnThreads(TScan& scan, TGames& batch, int threads) {
  {
    TLockHold hold(gameLock());
    batch.clear();
  }
  TStretchReading reading{scan.applyFilters, threads,    scan.unclosedBrace,
                          scan.fileName,     scan.stamp, &batch};
  reading.progress = scan.progress;
  TStretchSummary summary = readStretches(scan.text, scan.position, reading);
  scan.position = summary.end;
  if (summary.codeSet) scan.code = summary.code;
  scan.bad = summary.bad;
  scan.unreadable = summary.unreadable;
  scan.leftOut = summary.leftOut;
  if (scan.record) {
    appendRecord(*scan.record, summary.record);
  }
}

int scanText(std::string_view text, int64_t& position, TGames& batch, TScan& scan, int threads) {
  {
    TLockHold hold(gameLock());
    batch.clear();
    batch.resize(batchStep());
    skipByteOrderMark(text, position);
  }
  scan.position = position;
  scan.limit = textLength(text) + 1;
  scan.unclosedBrace = findUnclosedBrace(text);
  skipAfterGame(scan);
  if (threads > 1)
    readOnThreads(scan, batch, threads);
  else
    scanLoop(scan, batch);
  position = scan.position;
  if (!atEnd(text, position)) {
    scan.code = kNoGameStart;  // a stop came first
    if (scan.record) scan.record->readToEnd = false;
  }
  gamesSkipped.fetch_add(scan.unreadable, std::memory_order_relaxed);
  gamesLeftOutLoading.fetch_add(scan.leftOut, std::memory_order_relaxed);
  if (scan.progress) scan.progress->store(position, std::memory_order_relaxed);
  return scan.code;
}

// Whether the text before a block leaves a "{" open after its last "}".
bool braceLeftOpen(std::string_view taken, bool openBefore) {
  if (findUnclosedBrace(taken) != 0) return true;
  return openBefore && taken.find('}') == std::string_view::npos;
}

// The unclosed "{" of the whole file, as a place in its last block: none when it lies before it.
int64_t lastBlockBrace(std::string_view text, bool openBefore) {
  if (openBefore && text.find('}') == std::string_view::npos) return 0;
  return findUnclosedBrace(text);
}

// A text read a block at a time; each block begins where the reading taken so far ended.
struct TBlocks {
  TBlockSource& source;
  int threads = 1;
  int64_t next = 1;  // the text position the next block begins at
  int64_t line = 1;  // and its line
  bool braceOpen = false;
  bool first = true;
};

enum class TBlockOutcome { fileDone, moreText, tooShort, unreadable };

void addSummary(TScan& scan, const TStretchSummary& summary) {
  if (summary.codeSet) scan.code = summary.code;
  scan.bad += summary.bad;
  scan.unreadable += summary.unreadable;
  scan.leftOut += summary.leftOut;
  if (scan.record) appendRecord(*scan.record, summary.record);
}

// Reads the games of one block of count bytes, all of it when it reaches the text's end, else
// up to near its end, into text. tooShort: nothing could be taken from it, a longer block is
// needed.
TBlockOutcome scanBlock(TBlocks& blocks, int64_t count, TScan& scan, TGames& batch,
                        std::string& text) {
  bool last = false;
  if (!blocks.source.read(blocks.next, count, text, last)) return TBlockOutcome::unreadable;
  TScan local(text, 1, blocks.line);
  local.limit = textLength(text) + 1;
  local.unclosedBrace = last ? lastBlockBrace(text, blocks.braceOpen) : 0;
  if (blocks.first) {
    skipByteOrderMark(text, local.position);
    skipAfterGame(local);
    // Space or comments running to the block's end may go on after it.
    if (!last && local.position > local.limit - blockLookAhead) return TBlockOutcome::tooShort;
  }
  TStretchReading reading{scan.applyFilters, blocks.threads,  local.unclosedBrace,
                          scan.fileName,     scan.stamp,      &batch,
                          blocks.line,       blocks.next - 1, last};
  reading.progress = scan.progress;
  reading.takenKeys = scan.sink ? scan.sink->takenKeys : nullptr;
  const TStretchSummary summary = readStretches(text, local.position, reading);
  addSummary(scan, summary);
  if (summary.end == 1) return last ? TBlockOutcome::fileDone : TBlockOutcome::tooShort;
  blocks.braceOpen =
      braceLeftOpen(std::string_view(text).substr(0, summary.end - 1), blocks.braceOpen);
  blocks.next += summary.end - 1;
  blocks.line = summary.endLine;
  blocks.first = false;
  return summary.blockEnded ? TBlockOutcome::moreText : TBlockOutcome::fileDone;
}

// The games of a text too long to hold whole, read as one text would be; answers where the
// reading ended and its code.
TTextPlace scanInBlocks(TBlockSource& source, int threads, TScan& scan, TGames& batch) {
  {
    TLockHold hold(gameLock());
    batch.clear();
  }
  TBlocks blocks{source, threads};
  // Nothing keeps a view of a block past its reading, so its room serves the next: a fresh
  // string per block would take fresh pages and clear them before each read.
  std::string text;
  int64_t count = blockBytes;
  TBlockOutcome outcome = TBlockOutcome::moreText;
  while (outcome != TBlockOutcome::fileDone && outcome != TBlockOutcome::unreadable &&
         !stopRequested.load(std::memory_order_relaxed)) {
    count = outcome == TBlockOutcome::tooShort ? count * 2 : blockBytes;
    outcome = scanBlock(blocks, count, scan, batch, text);
    if (scan.sink && !batch.empty()) (*scan.sink)(batch);
  }
  if (!source.finishedAt(blocks.next)) {
    scan.code = kNoGameStart;  // a stop came first, or the file could not be read on
    if (scan.record) scan.record->readToEnd = false;
  }
  gamesSkipped.fetch_add(scan.unreadable, std::memory_order_relaxed);
  gamesLeftOutLoading.fetch_add(scan.leftOut, std::memory_order_relaxed);
  if (scan.progress) scan.progress->store(blocks.next, std::memory_order_relaxed);
  return TTextPlace{blocks.next, blocks.line, scan.code};
}

}  // namespace

void appendRecord(TReadRecord& record, const TReadRecord& more) {
  record.skipped.insert(record.skipped.end(), more.skipped.begin(), more.skipped.end());
  record.badGames.insert(record.badGames.end(), more.badGames.begin(), more.badGames.end());
}

TScanStretch scanStretch(std::string_view text, const TStretchPlace& place, bool applyFilters,
                         const TSharedPath& fileName, const TGameKeySet* takenKeys) {
  TScanStretch stretch;
  TScan scan(text, place.start, place.line);
  scan.limit = place.limit;
  scan.applyFilters = applyFilters;
  scan.worker = false;
  scan.fileName = fileName;
  scan.record = &stretch.record;
  scan.unclosedBrace = place.unclosedBrace;
  scan.takenKeys = takenKeys;
  stretch.start = place.start;
  scanLoop(scan, stretch.games);
  stretch.end = scan.position;
  stretch.code = scan.code;
  stretch.bad = scan.bad;
  stretch.unreadable = scan.unreadable;
  stretch.leftOut = scan.leftOut;
  return stretch;
}

int scanGames(std::string_view text, int64_t& position, bool applyFilters, int32_t& badCount,
              TGames& batch, TReadRecord* record) {
  TScan scan(text, 1, 1);
  scan.applyFilters = applyFilters;
  scan.record = record;
  scan.fileName = currentFileCopy();
  int code = scanText(text, position, batch, scan, 1);
  badCount = scan.bad;
  return code;
}

namespace {

void showLoadingOf(int64_t bytes) {
  TLockHold hold(gameLock());
  bytesTotal.store(bytes, std::memory_order_relaxed);
  bytesDone.store(1, std::memory_order_relaxed);
}

int loadWhole(const std::filesystem::path& path, const TFileStamp& stamp, bool applyFilters,
              TGames& batch, TReadRecord& record) {
  std::string text;
  bool opened = readWholeFile(path, text);
  if (!opened) {
    text.clear();
    filesUnreadable.fetch_add(1, std::memory_order_relaxed);
  }
  showLoadingOf(textLength(text));
  int64_t position = 1;
  TScan scan(text, 1, 1);
  scan.applyFilters = applyFilters;
  scan.record = &record;
  scan.stamp = &stamp;
  scan.fileName = TSharedPath(currentFileCopy(), stamp.size, stamp.time);
  int code = scanText(text, position, batch, scan, threadsFor(textLength(text)));
  record.unopened = !opened;
  record.readToEnd = record.readToEnd && opened;
  return code;
}

int loadInBlocks(const std::filesystem::path& path, const TFileStamp& stamp, bool applyFilters,
                 TGames& batch, TReadRecord& record, const TBatchSink* sink) {
  std::string probe;
  if (!readFileRange(path, 1, 0, probe)) return loadWhole(path, stamp, applyFilters, batch, record);
  showLoadingOf(stamp.size);
  TScan scan({}, 1, 1);
  scan.applyFilters = applyFilters;
  scan.record = &record;
  scan.stamp = &stamp;
  scan.fileName = TSharedPath(currentFileCopy(), stamp.size, stamp.time);
  scan.sink = sink;
  TFileBlocks source(path, stamp.size);
  scanInBlocks(source, threadsFor(std::min(stamp.size, blockBytes)), scan, batch);
  return scan.code;
}

}  // namespace

TTextPlace scanStream(TBlockSource& source, const TSharedPath& name, bool applyFilters,
                      TGames& batch, TReadRecord& record, const TBatchSink* sink) {
  // No stamp can be re-read: the games keep their journals, unless their text is held.
  static const TFileStamp kNoStamp;
  TScan scan({}, 1, 1);
  scan.applyFilters = applyFilters;
  scan.record = &record;
  scan.stamp = &kNoStamp;
  scan.fileName = name;
  scan.progress = nullptr;
  scan.sink = sink;
  return scanInBlocks(source, threadsFor(blockBytes), scan, batch);
}

int loadPgnFile(const std::filesystem::path& path, bool applyFilters, TGames& batch,
                const TBatchSink* sink) {
  stage.store(kStageLoading, std::memory_order_relaxed);
  bytesTotal.store(0, std::memory_order_relaxed);
  TStreamInput stream;
  if (openAsStream(path, stream)) return loadStream(path, stream, applyFilters, batch, sink);
  // Taken before the text: a file changed while it is read then differs when games are read again.
  const TFileStamp stamp = fileStamp(path);
  TFileRecord file{path, {}};
  // Only a regular file has a size, and only one longer than a block is worth reading in blocks.
  const int code = stamp.size > blockBytes
                       ? loadInBlocks(path, stamp, applyFilters, batch, file.record, sink)
                       : loadWhole(path, stamp, applyFilters, batch, file.record);
  if (sink && !batch.empty()) (*sink)(batch);
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
