#include "Upgnread/pgnstretches.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
int64_t blockLookAhead = 64 * 1024;

namespace {

constexpr int kMostThreads = 16;

// Stretches a round cuts for each thread. Games per byte vary from stretch to stretch, so with
// one each, one thread would wait for the other at the end of every round; with several, whoever
// is done first takes the next.
constexpr int kStretchesPerThread = 4;

struct TStretchJob {
  std::string_view text;
  TStretchPlace place;
  const TStretchReading* reading = nullptr;
  TScanStretch result;
  bool read = false;
};

void readStretch(TStretchJob& stretch) {
  stretch.result = scanStretch(stretch.text, stretch.place, stretch.reading->applyFilters,
                               stretch.reading->fileName, stretch.reading->takenKeys);
  stretch.read = true;
}

// A round's stretches, each taken by the first thread free for it.
struct TRoundJobs {
  std::vector<TStretchJob>& jobs;
  std::atomic<size_t> next{0};
};

void readStretchesOfRound(void* round) {
  auto& jobs = *static_cast<TRoundJobs*>(round);
  for (size_t k = jobs.next++; k < jobs.jobs.size(); k = jobs.next++) {
    TStretchJob& job = jobs.jobs[k];
    if (job.place.start < job.place.limit) readStretch(job);
  }
}

// Line ends counted 64 bytes a step, in sixteen byte lanes that each count up to 252 before they
// are added up: a whole file's lines are counted as the reading is cut into stretches, and a
// search for each line end in turn costs a call per line.
int64_t newlinesBetween(std::string_view text, int64_t from, int64_t to) {
  using TBytes = uint8_t __attribute__((vector_size(16)));
  constexpr std::ptrdiff_t kStep = 4 * sizeof(TBytes);
  constexpr int kStepsPerCount = 63;  // four a step in a lane, short of the 255 it holds
  const char* at = text.data() + (from - 1);
  const char* end = text.data() + (to - 1);
  int64_t count = 0;
  while (end - at >= kStep) {
    TBytes lanes = {};
    for (int step = 0; step < kStepsPerCount && end - at >= kStep; ++step, at += kStep) {
      for (size_t part = 0; part < 4; ++part) {
        TBytes bytes;
        std::memcpy(&bytes, at + part * sizeof bytes, sizeof bytes);
        lanes -= reinterpret_cast<TBytes>(bytes == '\n');  // all ones where a line ends
      }
    }
    for (size_t lane = 0; lane < sizeof lanes; ++lane) count += lanes[lane];
  }
  for (; at < end; ++at) count += *at == '\n';
  return count;
}

// The line of position, from a position whose line is known.
int64_t lineFrom(std::string_view text, int64_t known, int64_t line, int64_t position) {
  if (position >= known) return line + newlinesBetween(text, known, position);
  return line - newlinesBetween(text, position, known);
}

// What has been taken so far; the cuts' lines are counted on from the last cut, so every line
// of the text is counted once however many rounds it takes.
struct TMerge {
  TStretchSummary summary;
  int64_t lastCut = 1;
  int64_t lastCutLine = 1;
  bool over = false;
};

std::vector<TStretchJob> cutStretches(std::string_view text, TMerge& merge,
                                      const TStretchReading& reading) {
  const int stretches = reading.threads > 1 ? reading.threads * kStretchesPerThread : 1;
  std::vector<TStretchJob> jobs(static_cast<size_t>(stretches));
  int64_t cut = merge.summary.end;
  const int64_t end = textLength(text) + 1;
  for (TStretchJob& job : jobs) {
    merge.lastCutLine = lineFrom(text, merge.lastCut, merge.lastCutLine, cut);
    merge.lastCut = cut;
    job.text = text;
    job.reading = &reading;
    job.place.start = cut;
    job.place.line = merge.lastCutLine;
    job.place.unclosedBrace = reading.unclosedBrace;
    if (cut < end) cut = likelyGameCut(text, std::min(cut + stretchBytes, end));
    job.place.limit = cut;
  }
  return jobs;
}

void moveRecord(TReadRecord& record, int64_t offset) {
  for (TSkippedText& skipped : record.skipped) skipped.position += offset;
  for (TBadGame& bad : record.badGames) bad.position += offset;
}

// A stretch of a block that reached near its end may have been read short by it.
bool nearBlockEnd(std::string_view text, const TScanStretch& stretch,
                  const TStretchReading& reading) {
  return !reading.endsFile && stretch.end > textLength(text) + 1 - blockLookAhead;
}

void takeStretch(std::string_view text, TScanStretch& stretch, int64_t limit, TMerge& merge,
                 const TStretchReading& reading) {
  {
    TLockHold hold(gameLock());
    for (TGame& game : stretch.games) {
      game.TextStart += reading.offset;
      if (reading.stamp) leanenAfterLoading(game, *reading.stamp);
      reading.batch->push_back(std::move(game));
    }
  }
  const int64_t gamesTaken = static_cast<int64_t>(stretch.games.size());
  stretch.games.clear();
  TStretchSummary& summary = merge.summary;
  if (stretch.end != stretch.start) {
    summary.code = stretch.code;
    summary.codeSet = true;
  }
  summary.bad += stretch.bad;
  summary.unreadable += stretch.unreadable;
  summary.leftOut += stretch.leftOut;
  moveRecord(stretch.record, reading.offset);
  appendRecord(summary.record, stretch.record);
  summary.end = stretch.end;
  // Short of its limit a stretch stops only at the end of the text or on a stop.
  merge.over = stretch.end < limit || atEnd(text, stretch.end);
  if (reading.progress)
    reading.progress->store(summary.end + reading.offset, std::memory_order_relaxed);
  gamesScanned.fetch_add(gamesTaken + stretch.unreadable + stretch.leftOut,
                         std::memory_order_relaxed);
}

// The stretch's own result when it began where the reading before it ended; otherwise the
// stretch is read again from there.
TScanStretch& resultFrom(TStretchJob& job, int64_t position) {
  if (job.read && job.result.start == position) return job.result;
  TStretchPlace place = job.place;
  place.line = lineFrom(job.text, place.start, place.line, position);
  place.start = position;
  job.result = scanStretch(job.text, place, job.reading->applyFilters, job.reading->fileName,
                           job.reading->takenKeys);
  return job.result;
}

// One round: stretches read at once, then taken in order.
void readRound(std::string_view text, TMerge& merge, const TStretchReading& reading) {
  std::vector<TStretchJob> jobs = cutStretches(text, merge, reading);
  TRoundJobs round{jobs};
  std::vector<TThreadHandle> helpers;
  for (int k = 1; k < reading.threads && jobs[static_cast<size_t>(k)].place.start <
                                            jobs[static_cast<size_t>(k)].place.limit;
       ++k) {
    TThreadHandle helper = startThread(readStretchesOfRound, &round);
    if (helper) helpers.push_back(helper);  // a stretch no thread took is read below, in order
  }
  readStretchesOfRound(&round);
  for (TThreadHandle helper : helpers) joinThread(helper);
  for (TStretchJob& job : jobs) {
    if (merge.over || stopRequested.load(std::memory_order_relaxed)) return;
    const int64_t position = merge.summary.end;
    if (position >= job.place.limit) continue;  // a game ran over this whole stretch
    TScanStretch& stretch = resultFrom(job, position);
    if (nearBlockEnd(text, stretch, reading)) {
      merge.summary.blockEnded = merge.over = true;
      return;
    }
    takeStretch(text, stretch, job.place.limit, merge, reading);
  }
}

}  // namespace

int threadsFor(int64_t textBytes) {
  const int wanted = readerThreads > 0 ? readerThreads : processorCount();
  if (textBytes < 2 * stretchBytes) return 1;
  return std::clamp(wanted, 1, kMostThreads);
}

int64_t likelyGameCut(std::string_view text, int64_t from) {
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

TStretchSummary readStretches(std::string_view text, int64_t from, const TStretchReading& reading) {
  TMerge merge;
  merge.summary.end = from;
  merge.lastCutLine = reading.firstLine;
  while (!merge.over && !atEnd(text, merge.summary.end) &&
         !stopRequested.load(std::memory_order_relaxed))
    readRound(text, merge, reading);
  merge.summary.endLine = lineFrom(text, merge.lastCut, merge.lastCutLine, merge.summary.end);
  return std::move(merge.summary);
}
