#include "cli/progressline.h"

#include <algorithm>

namespace {

constexpr int kWidestBar = 30;
constexpr int kNarrowestBar = 10;
constexpr int kNameShare = 20;  // columns a long file name keeps before the bar shrinks
constexpr std::string_view kStoppingNote = " - stopping, Ctrl-C again quits";

bool isContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The first columns code points of text.
std::string_view headColumns(std::string_view text, int columns) {
  size_t end = 0;
  for (int seen = 0; end < text.size(); ++end) {
    if (isContinuation(text[end])) continue;
    if (seen++ == columns) break;
  }
  return text.substr(0, end);
}

// The last columns code points of text.
std::string_view tailColumns(std::string_view text, int columns) {
  size_t start = text.size();
  for (int seen = 0; start > 0 && seen < columns;) {
    --start;
    if (!isContinuation(text[start])) ++seen;
  }
  return text.substr(start);
}

// A long name keeps its end, where the distinguishing part of a file name usually is.
std::string fitName(std::string_view name, int room) {
  if (textColumns(name) <= room) return std::string(name);
  if (room < 4) return {};
  return "..." + std::string(tailColumns(name, room - 3));
}

std::string bar(int64_t done, int64_t total, int width) {
  const int64_t clamped = std::clamp<int64_t>(done, 0, total);
  const int filled = static_cast<int>(clamped * width / total);
  return " [" + std::string(filled, '#') + std::string(width - filled, '-') + "]";
}

void appendCodePoint(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

int progressPercent(int64_t done, int64_t total) {
  if (total <= 0) return -1;
  return static_cast<int>(std::clamp<int64_t>(done, 0, total) * 100 / total);
}

int textColumns(std::string_view text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](char c) { return !isContinuation(c); }));
}

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = text[i];
    const bool high = cp >= 0xD800 && cp <= 0xDBFF;
    const bool pairs =
        high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (pairs) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    appendCodePoint(out, cp);
  }
  return out;
}

std::string progressFigures(const TProgressView& view) {
  std::string text;
  const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
  if (view.games >= 0) add(std::to_string(view.games) + (view.games == 1 ? " game" : " games"));
  if (view.gamesPerSecond >= 0) add(std::to_string(view.gamesPerSecond) + "/s");
  if (view.secondsLeft >= 0) {
    const int64_t minutes = view.secondsLeft / 60;
    const int64_t seconds = view.secondsLeft % 60;
    const std::string hours = minutes >= 60 ? std::to_string(minutes / 60) + ":" : "";
    const int64_t shownMinutes = minutes >= 60 ? minutes % 60 : minutes;
    const std::string minuteText = (minutes >= 60 && shownMinutes < 10 ? "0" : "") +
                                   std::to_string(shownMinutes);
    add(hours + minuteText + (seconds < 10 ? ":0" : ":") + std::to_string(seconds) + " left");
  }
  return text;
}

namespace {

std::string percentText(int percent) {
  if (percent < 0) return {};
  return std::string(percent < 10 ? 3 : percent < 100 ? 2 : 1, ' ') + std::to_string(percent) +
         "%";
}

// The line with the given text after the bar; the bar shrinks first, then the name.
std::string lineWithNote(const TProgressView& view, int room, const std::string& note) {
  const int percent = progressPercent(view.done, view.total);
  const std::string percentShown = percentText(percent);
  const int fixed = textColumns(view.stageText) + textColumns(percentShown) + textColumns(note);
  const int nameWish =
      view.fileName.empty() ? 0 : 1 + std::min(textColumns(view.fileName), kNameShare);
  int barWidth = percent < 0 ? 0 : std::min(room - fixed - nameWish - 3, kWidestBar);
  if (barWidth < kNarrowestBar) barWidth = 0;
  const std::string barText = barWidth > 0 ? bar(view.done, view.total, barWidth) : std::string();
  std::string line = view.stageText;
  const int nameRoom = room - fixed - textColumns(barText) - 1;
  const std::string name = fitName(view.fileName, nameRoom);
  if (!name.empty()) line += " " + name;
  return line + barText + percentShown + note;
}

}  // namespace

std::string progressLine(const TProgressView& view, int width) {
  const int room = std::max(width - 1, 0);
  const std::string stopping(view.stopping ? kStoppingNote : "");
  const std::string figures = progressFigures(view);
  const std::string plain = lineWithNote(view, room, stopping);
  if (figures.empty()) return std::string(headColumns(plain, room));
  const std::string full = lineWithNote(view, room, " " + figures + stopping);
  // On a narrow terminal the figures go before the bar does.
  const bool barLost = full.find(" [") == std::string::npos && plain.find(" [") != std::string::npos;
  const bool fits = textColumns(full) <= room;
  return std::string(headColumns(fits && !barLost ? full : plain, room));
}
