// Stepping over what lies between PGN tokens: blanks, escape lines and comments.

#include <string>
#include <string_view>

#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"

namespace {

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
