#pragma once
// The one line of progress the command-line tool draws while a job runs: what the job does, on
// which file, how far. Pure text work, so it can be tested without a terminal.

#include <cstdint>
#include <string>
#include <string_view>

// What the line shows, taken from the job state.
struct TProgressView {
  std::string stageText;  // UTF-8
  std::string fileName;   // the name only, no folder
  int64_t done = 0;
  int64_t total = 0;      // 0 or less: the stage has no measure, the line shows no bar
  bool stopping = false;  // Ctrl-C was pressed; the job is winding down
  // Beside the bar, each when known (else -1): games the stage has been through, at what rate,
  // and the time it still needs at the rate it has kept so far.
  int64_t games = -1;
  int64_t gamesPerSecond = -1;
  int64_t secondsLeft = -1;
};

// "1234 games, 567/s, 1:05 left", the parts known.
std::string progressFigures(const TProgressView& view);

// The line in at most width - 1 columns, so that the terminal never wraps it.
std::string progressLine(const TProgressView& view, int width);

// The whole percentage of done in total, 0 to 100; -1 when total gives no measure.
int progressPercent(int64_t done, int64_t total);

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// Columns a UTF-8 text takes, one per code point (no wide characters appear in our texts).
int textColumns(std::string_view text);
