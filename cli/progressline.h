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
};

// The line in at most width - 1 columns, so that the terminal never wraps it.
std::string progressLine(const TProgressView& view, int width);

// The whole percentage of done in total, 0 to 100; -1 when total gives no measure.
int progressPercent(int64_t done, int64_t total);

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// Columns a UTF-8 text takes, one per code point (no wide characters appear in our texts).
int textColumns(std::string_view text);
