// Finding where the next game begins after text that is no game: a heading between games, a
// game that could not be read, NUL bytes, the byte-order marks of files joined into one.
// Everything here depends only on the text and the position it starts from.

#include <string>
#include <string_view>

#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What a line may hold besides a game's first characters, and still be blank.
bool isFiller(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\0';
}

// The start of the line after the one holding position, or past the end.
int64_t nextLineStart(std::string_view text, int64_t position) {
  size_t found = text.find('\n', static_cast<size_t>(position - 1));
  return found == std::string_view::npos ? textLength(text) + 1 : static_cast<int64_t>(found) + 2;
}

// The first character of the line from lineStart on that is neither filler nor a byte-order mark.
int64_t lineContentStart(std::string_view text, int64_t lineStart) {
  int64_t position = lineStart;
  while (!atEnd(text, position)) {
    if (isFiller(charAt(text, position)))
      ++position;
    else if (startsAt(text, position, kByteOrderMark))
      position += static_cast<int64_t>(kByteOrderMark.size());
    else
      break;
  }
  return position;
}

// "[", a tag name and the opening quote of its value, blanks allowed between them.
bool opensTagPair(std::string_view text, int64_t position) {
  if (!isAt(text, position, '[')) return false;
  auto skipBlanks = [&](int64_t p) {
    while (isAt(text, p, ' ') || isAt(text, p, '\t')) ++p;
    return p;
  };
  int64_t p = skipBlanks(position + 1);
  int64_t nameStart = p;
  while (!atEnd(text, p) && isNameChar(charAt(text, p))) ++p;
  return p > nameStart && isAt(text, skipBlanks(p), '"');
}

// The line before lineStart holds only filler; the text's first line counts as following one.
bool followsBlankLine(std::string_view text, int64_t lineStart) {
  for (int64_t p = lineStart - 2; p >= 1; --p) {
    char c = charAt(text, p);
    if (c == '\n') return true;
    if (!isFiller(c)) return false;
  }
  return true;
}

// Where a game begins on the line from lineStart, or 0: a tag pair (when asked for), or a
// movetext-only game after a blank line.
int64_t gameOnLine(std::string_view text, int64_t lineStart, bool tagPairs) {
  int64_t content = lineContentStart(text, lineStart);
  if (atEnd(text, content)) return 0;
  if (tagPairs && opensTagPair(text, content)) return content;
  if (startsMovetextGame(text, content) && followsBlankLine(text, lineStart)) return content;
  return 0;
}

// The line that position lies on when only filler and marks stand before it there, else the
// next line.
int64_t firstLineFrom(std::string_view text, int64_t position) {
  const int64_t markLength = static_cast<int64_t>(kByteOrderMark.size());
  int64_t p = position;
  for (;;) {
    if (p > 1 && isFiller(charAt(text, p - 1)))
      --p;
    else if (p > markLength && startsAt(text, p - markLength, kByteOrderMark))
      p -= markLength;
    else
      break;
  }
  if (p == 1 || charAt(text, p - 1) == '\n') return p;
  return nextLineStart(text, position);
}

}  // namespace

bool startsMovetextGame(std::string_view text, int64_t position) {
  return startsAt(text, position, "1.") && !isAt(text, position + 2, '.');
}

bool beginsGameAfterBlankLine(std::string_view text, int64_t position) {
  int64_t line = firstLineFrom(text, position);
  return line <= position && gameOnLine(text, line, false) == position;
}

int64_t nextGameStart(std::string_view text, int64_t position) {
  if (atEnd(text, position)) return textLength(text) + 1;
  for (int64_t line = firstLineFrom(text, position); !atEnd(text, line);
       line = nextLineStart(text, line)) {
    if (int64_t found = gameOnLine(text, line, true)) return found;
  }
  return textLength(text) + 1;
}

namespace {

// On to the next "[" outside comments; with movetextGames, also to a game without tags that
// opens a line after a blank line.
void skipToNextGame(std::string_view text, int64_t& position, bool movetextGames) {
  const char* stops = movetextGames ? "[;{%\n" : "[;{%";
  while (!atEnd(text, position)) {
    char c = charAt(text, position);
    if (c == '[') return;
    if (c == ';' || startsEscapeLine(text, position)) {
      position = lineEndFrom(text, position);
    } else if (c == '{') {
      position = braceCommentEnd(text, position);
    } else if (c == '\n' && movetextGames) {
      ++position;
      if (atEnd(text, position)) return;
      if (int64_t found = gameOnLine(text, position, false)) {
        position = found;
        return;
      }
    } else {
      // Jump to the next character that can matter rather than stepping one by one.
      size_t next = text.find_first_of(stops, static_cast<size_t>(position));
      position =
          next == std::string_view::npos ? textLength(text) + 1 : static_cast<int64_t>(next) + 1;
    }
  }
}

}  // namespace

void skipToGame(std::string_view text, int64_t& position) {
  skipToNextGame(text, position, false);
}

void skipBadGame(std::string_view text, int64_t& position) {
  skipToNextGame(text, position, true);
}

void skipBrokenTagSection(std::string_view text, int64_t& position) {
  int64_t line = nextLineStart(text, position);
  while (!atEnd(text, line) && isAt(text, lineContentStart(text, line), '['))
    line = nextLineStart(text, line);
  position = line;
  std::string dropped;
  skipSpace(text, position, dropped);
  skipBadGame(text, position);
}
