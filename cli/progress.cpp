#include "cli/progress.h"

#include <atomic>
#include <chrono>
#include <string>

#include "cli/progressline.h"
#include "cli/report.h"
#include "cli/stagetexts.h"
#include "cli/terminal.h"
#include "cli/textpaths.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"

namespace {

std::atomic<bool> interrupted{false};
constexpr int kPollMilliseconds = 100;

void onFirstInterrupt() {
  interrupted = true;
}

using TClock = std::chrono::steady_clock;

// When the stage on show began, for its rate and the time it has left.
struct TStageClock {
  uint8_t stage = kStageCount;
  TClock::time_point since;
};

// Games are what the loading and writing stages go through one by one.
int64_t gamesOfStage(uint8_t now) {
  if (now == kStageLoading) return gamesScanned.load(std::memory_order_relaxed);
  if (now == kStageWriting || now == kStageLoadingMoves)
    return itemsDone.load(std::memory_order_relaxed);
  return -1;
}

// A rate needs a second of history, a forecast two: before that they jump about.
void addFigures(TProgressView& view, uint8_t now, TStageClock& clock) {
  if (clock.stage != now) clock = {now, TClock::now()};
  const double seconds = std::chrono::duration<double>(TClock::now() - clock.since).count();
  view.games = gamesOfStage(now);
  if (view.games >= 0 && seconds >= 1) view.gamesPerSecond = static_cast<int64_t>(view.games / seconds);
  if (view.total > 0 && view.done > 0 && view.done < view.total && seconds >= 2)
    view.secondsLeft =
        static_cast<int64_t>(seconds * static_cast<double>(view.total - view.done) / view.done);
}

TProgressView currentView(bool stopping, TStageClock& clock) {
  TProgressView view;
  const uint8_t now = stage.load(std::memory_order_relaxed);
  view.stageText = stageText(now < kStageCount ? now : uint8_t{kStageDone});
  // Never gameLock here: the worker holds it for the whole of a write.
  view.fileName = pathText(currentFileShown().filename());
  const bool loading = now == kStageLoading;
  view.done = loading ? bytesDone.load(std::memory_order_relaxed)
                      : itemsDone.load(std::memory_order_relaxed);
  view.total = loading ? bytesTotal.load(std::memory_order_relaxed)
                       : itemsTotal.load(std::memory_order_relaxed);
  view.stopping = stopping;
  addFigures(view, now, clock);
  return view;
}

// Redraws the line over the last one, only when it changed.
void draw(const std::string& line, std::string& shown) {
  if (line == shown) return;
  // Cyrillic stage texts take two bytes a column: pad by columns, or the line would wrap.
  std::string text = "\r" + line;
  const int shorter = textColumns(shown) - textColumns(line);
  if (shorter > 0) text += std::string(shorter, ' ') + "\r" + line;
  writeStderr(text.data(), static_cast<int>(text.size()));
  shown = line;
}

void clear(std::string& shown) {
  if (shown.empty()) return;
  const std::string text = "\r" + std::string(textColumns(shown), ' ') + "\r";
  writeStderr(text.data(), static_cast<int>(text.size()));
  shown.clear();
}

}  // namespace

void installInterruptHandler() {
  installInterruptHandler(onFirstInterrupt, kExitInterrupted);
}

int interruptCount() {
  return interrupted ? 1 : 0;
}

TWaitForJob progressWaiter(bool drawLine) {
  return [drawLine] {
    const int before = interruptCount();
    std::string shown;
    TStageClock clock;
    bool stopping = false;
    while (stage.load(std::memory_order_relaxed) != kStageDone) {
      if (!stopping && interruptCount() > before) {
        stopping = true;
        stopRequested = true;
      }
      if (drawLine) draw(progressLine(currentView(stopping, clock), terminalColumns()), shown);
      waitForStageDone(kPollMilliseconds);
    }
    clear(shown);
    return stopping ? -1 : 1;
  };
}
