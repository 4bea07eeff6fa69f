// Stepping over what lies between PGN tokens: blanks, escape lines and comments.

#include <string>
#include <string_view>

#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"

namespace {

// A "%" counts as an escape only as the first character of a line, the text's first line too.
bool startsEscapeLine(std::string_view text, int64_t position) {
  return charAt(text, position) == '%' &&
         (position == 1 || isLineEnd(charAt(text, position - 1)));
}

// The position of the next line feed or carriage return at or after position, or past the end.
int64_t lineEndFrom(std::string_view text, int64_t position) {
  size_t found = text.find_first_of("\r\n", static_cast<size_t>(position - 1));
  return found == std::string_view::npos ? textLength(text) + 1 : static_cast<int64_t>(found) + 1;
}

// The position just past the "}" that closes the comment opened at position, or past the end.
int64_t braceCommentEnd(std::string_view text, int64_t position) {
  size_t found = text.find('}', static_cast<size_t>(position));
  return found == std::string_view::npos ? textLength(text) + 1 : static_cast<int64_t>(found) + 2;
}

std::string_view slice(std::string_view text, int64_t from, int64_t to) {
  return text.substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from));
}

}  // namespace

void skipSpace(std::string_view text, int64_t& position, std::string& comments) {
  comments.clear();
  while (!atEnd(text, position)) {
    char c = charAt(text, position);
    if (isBlank(c)) {
      ++position;
    } else if (startsEscapeLine(text, position)) {
      position = lineEndFrom(text, position);
    } else if (c == ';') {
      int64_t end = lineEndFrom(text, position);
      comments += slice(text, position, end);
      position = end;
    } else if (c == '{') {
      int64_t end = braceCommentEnd(text, position);
      comments += slice(text, position, end);
      position = end;
    } else {
      return;
    }
  }
}

void skipToGame(std::string_view text, int64_t& position) {
  while (!atEnd(text, position)) {
    char c = charAt(text, position);
    if (c == '[') return;
    if (c == ';' || startsEscapeLine(text, position)) {
      position = lineEndFrom(text, position);
    } else if (c == '{') {
      position = braceCommentEnd(text, position);
    } else {
      // Jump to the next character that can matter rather than stepping one by one.
      size_t next = text.find_first_of("[;{%", static_cast<size_t>(position));
      position = next == std::string_view::npos ? textLength(text) + 1
                                                : static_cast<int64_t>(next) + 1;
    }
  }
}
