#include "cli/progress.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "cli/progressline.h"
#include "cli/report.h"
#include "cli/stagetexts.h"
#include "cli/terminal.h"
#include "cli/textpaths.h"
#include "pgnlongwork/jobstate.h"

namespace {

std::atomic<bool> interrupted{false};
constexpr auto kPollInterval = std::chrono::milliseconds(100);

void onFirstInterrupt() {
  interrupted = true;
}

TProgressView currentView(bool stopping) {
  TProgressView view;
  const uint8_t now = stage.load(std::memory_order_relaxed);
  view.stageText = stageText(now < kStageCount ? now : uint8_t{kStageDone});
  view.fileName = pathText(currentFileCopy().filename());
  const bool loading = now == kStageLoading;
  view.done = loading ? bytesDone.load(std::memory_order_relaxed)
                      : itemsDone.load(std::memory_order_relaxed);
  view.total = loading ? bytesTotal.load(std::memory_order_relaxed)
                       : itemsTotal.load(std::memory_order_relaxed);
  view.stopping = stopping;
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
    bool stopping = false;
    while (stage.load(std::memory_order_relaxed) != kStageDone) {
      if (!stopping && interruptCount() > before) {
        stopping = true;
        stopRequested = true;
      }
      if (drawLine) draw(progressLine(currentView(stopping), terminalColumns()), shown);
      std::this_thread::sleep_for(kPollInterval);
    }
    clear(shown);
    return stopping ? -1 : 1;
  };
}
