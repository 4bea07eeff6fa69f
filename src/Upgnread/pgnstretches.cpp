#include "Upgnread/pgnstretches.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "Upgnread/gamebase.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"
#include "pgnlongwork/jobstate.h"
#include "platform/platform.h"

int readerThreads = 0;
int64_t stretchBytes = 1024 * 1024;
int64_t blockBytes = 64 * 1024 * 1024;

namespace {

constexpr int kMostThreads = 16;

struct TStretchJob {
  std::string_view text;
  int64_t start = 1;
  int64_t limit = 1;
  bool applyFilters = false;
  const std::filesystem::path* fileName = nullptr;
  TScanStretch result;
};

void readStretch(void* job) {
  auto& stretch = *static_cast<TStretchJob*>(job);
  stretch.result = scanStretch(stretch.text, stretch.start, stretch.limit, stretch.applyFilters,
                               *stretch.fileName);
}

// What the merge has taken so far, and whether the reading of the file is over.
struct TMerged {
  int64_t position = 1;  // in the file
  int code = 0;
  int32_t bad = 0;
  int32_t unreadable = 0;
  bool endedEarly = false;
  bool over = false;
};

// A stretch of the file's text in memory; positions stay file positions.
struct TBlock {
  std::string_view text;
  int64_t offset = 0;  // file position of text[0], less one
  bool last = true;    // the text reaches the end of the file
};

// What the reading of a block needs next.
enum class TBlockEnd { fileDone, moreText };

// Bytes a reader may look past the place where a game ends; a stretch ending nearer the end of
// a block than this is read again with the next block.
constexpr int64_t kLookAhead = 64;

struct TReading {
  bool applyFilters = false;
  int threads = 1;
  std::filesystem::path fileName;
  const TFileStamp* stamp = nullptr;
  TGames* batch = nullptr;
  TMerged merged;
};

// A stretch that ended near the end of a block may have been cut short by it.
bool cutShort(const TBlock& block, const TScanStretch& stretch) {
  return !block.last && stretch.end > textLength(block.text) - kLookAhead;
}

void takeStretch(TScanStretch& stretch, int64_t limit, const TBlock& block, TReading& reading) {
  TMerged& merged = reading.merged;
  {
    TLockHold hold(gameLock());
    for (TGame& game : stretch.games) {
      game.TextStart += block.offset;
      if (reading.stamp) leanenAfterLoading(game, *reading.stamp);
      reading.batch->push_back(std::move(game));
    }
  }
  stretch.games.clear();
  if (stretch.end != stretch.start || stretch.endedEarly) merged.code = stretch.code;
  merged.bad += stretch.bad;
  merged.unreadable += stretch.unreadable;
  merged.position = stretch.end + block.offset;
  merged.endedEarly = stretch.endedEarly;
  // Short of its limit a stretch stops only where the reading of the whole text stops.
  merged.over = stretch.endedEarly || stretch.end < limit;
  bytesDone.store(merged.position, std::memory_order_relaxed);
}

// Cuts the block from the merge's position into one stretch per thread.
std::vector<TStretchJob> cutStretches(const TBlock& block, const TReading& reading) {
  std::vector<TStretchJob> jobs(static_cast<size_t>(reading.threads));
  int64_t cut = reading.merged.position - block.offset;
  const int64_t end = textLength(block.text) + 1;
  for (TStretchJob& job : jobs) {
    job = TStretchJob{block.text, cut, 0, reading.applyFilters, &reading.fileName, {}};
    if (cut < end) cut = nextGameStart(block.text, std::min(cut + stretchBytes, end));
    job.limit = cut;
  }
  return jobs;
}

// One round: stretches read at once, then taken in order. False when a stretch needs text
// beyond the block.
bool readRound(const TBlock& block, TReading& reading) {
  std::vector<TStretchJob> jobs = cutStretches(block, reading);
  std::vector<TThreadHandle> helpers;
  for (size_t k = 1; k < jobs.size(); ++k) {
    if (jobs[k].start >= jobs[k].limit) break;
    TThreadHandle helper = startThread(readStretch, &jobs[k]);
    if (!helper) jobs[k].result.start = -1;  // never read: read below, in order
    helpers.push_back(helper);
  }
  readStretch(&jobs[0]);
  for (TThreadHandle helper : helpers) joinThread(helper);
  TMerged& merged = reading.merged;
  for (TStretchJob& job : jobs) {
    if (merged.over || stopRequested.load(std::memory_order_relaxed)) return true;
    const int64_t local = merged.position - block.offset;
    if (local >= job.limit) continue;  // a game ran over this whole stretch
    if (job.result.start != local)
      job.result =
          scanStretch(block.text, local, job.limit, reading.applyFilters, reading.fileName);
    if (cutShort(block, job.result)) return false;
    takeStretch(job.result, job.limit, block, reading);
  }
  return true;
}

TBlockEnd readBlock(const TBlock& block, TReading& reading) {
  TMerged& merged = reading.merged;
  for (;;) {
    const int64_t local = merged.position - block.offset;
    if (merged.over || stopRequested.load(std::memory_order_relaxed)) return TBlockEnd::fileDone;
    if (atEnd(block.text, local)) return block.last ? TBlockEnd::fileDone : TBlockEnd::moreText;
    if (!isAt(block.text, local, '[')) return TBlockEnd::fileDone;  // text that starts no game
    if (!readRound(block, reading)) return TBlockEnd::moreText;
  }
}

// The merge's code and counters, as the scan of the whole text in one go leaves them.
int finishReading(TReading& reading, bool atFileEnd) {
  TMerged& merged = reading.merged;
  if (!merged.endedEarly && !atFileEnd) merged.code = kNoGameStart;
  gamesSkipped.fetch_add(merged.unreadable + (merged.endedEarly ? 1 : 0),
                         std::memory_order_relaxed);
  bytesDone.store(merged.position, std::memory_order_relaxed);
  return merged.code;
}

// The byte-order mark and the space before the first game, which may run over several blocks.
// False once the first game's "[" (or the end of the file) is in sight.
bool skipFileStart(const TBlock& block, TReading& reading) {
  TLockHold hold(gameLock());
  int64_t position = reading.merged.position - block.offset;
  if (block.offset == 0) {
    reading.batch->clear();
    skipToFirstGame(block.text, position);
  } else {
    std::string dropped;
    skipSpace(block.text, position, dropped);
  }
  reading.merged.position = position + block.offset;
  return !block.last && atEnd(block.text, position);
}

bool readFileBlock(TOsFile& file, int64_t size, int64_t from, int64_t count, std::string& bytes) {
  count = std::min(count, size - from + 1);
  bytes.assign(static_cast<size_t>(std::max<int64_t>(count, 0)), '\0');
  return file.seek(from - 1) && file.read(bytes.data(), count) == count;
}

}  // namespace

int threadsFor(int64_t textBytes) {
  const int wanted = readerThreads > 0 ? readerThreads : processorCount();
  if (textBytes < 2 * stretchBytes) return 1;
  return std::clamp(wanted, 1, kMostThreads);
}

int64_t nextGameStart(std::string_view text, int64_t from) {
  const int64_t end = textLength(text) + 1;
  for (int64_t at = std::max<int64_t>(from, 1); at < end; ++at) {
    const size_t found = text.find("\n[", static_cast<size_t>(at - 1));
    if (found == std::string_view::npos) return end;
    at = static_cast<int64_t>(found) + 1;  // the "\n", 1-based
    const bool emptyLineBefore =
        (at >= 2 && charAt(text, at - 1) == '\n') ||
        (at >= 3 && charAt(text, at - 1) == '\r' && charAt(text, at - 2) == '\n');
    if (emptyLineBefore) return at + 1;
  }
  return end;
}

bool readsInBlocks(int64_t fileBytes) {
  return fileBytes > blockBytes || threadsFor(fileBytes) > 1;
}

int loadInBlocks(TOsFile& file, bool applyFilters, TGames& batch, const TFileStamp* stamp) {
  const int64_t size = file.size();
  TReading reading;
  reading.applyFilters = applyFilters;
  reading.threads = threadsFor(size);
  reading.fileName = currentFileCopy();
  reading.stamp = stamp;
  reading.batch = &batch;
  std::string bytes;
  int64_t from = 1;
  int64_t want = blockBytes;
  bool beforeFirstGame = true;
  for (;;) {
    if (!readFileBlock(file, size, from, want, bytes)) {
      filesUnreadable.fetch_add(1, std::memory_order_relaxed);
      return finishReading(reading, false);
    }
    const TBlock block{bytes, from - 1, from - 1 + textLength(bytes) >= size};
    if (beforeFirstGame) beforeFirstGame = skipFileStart(block, reading);
    if (readBlock(block, reading) == TBlockEnd::fileDone)
      return finishReading(reading, reading.merged.position > size);
    // A block that gave nothing holds one game longer than itself: the next one is larger.
    want = reading.merged.position == from ? want * 2 : blockBytes;
    from = reading.merged.position;
  }
}
