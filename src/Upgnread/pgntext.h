#pragma once
// Reading a PGN text by 1-based positions, the way every position in the reader is counted.
// A position beyond the length means the end has been reached; nothing here reads past it.

#include <cstdint>
#include <string_view>

inline int64_t textLength(std::string_view text) {
  return static_cast<int64_t>(text.size());
}

inline bool atEnd(std::string_view text, int64_t position) {
  return position > textLength(text);
}

// The character at a position that is known to lie inside the text.
inline char charAt(std::string_view text, int64_t position) {
  return text[static_cast<size_t>(position - 1)];
}

inline bool isAt(std::string_view text, int64_t position, char wanted) {
  return position >= 1 && !atEnd(text, position) && charAt(text, position) == wanted;
}

// True when the text at the position starts with the given characters.
inline bool startsAt(std::string_view text, int64_t position, std::string_view wanted) {
  return position >= 1 &&
         textLength(text) - (position - 1) >= static_cast<int64_t>(wanted.size()) &&
         text.substr(static_cast<size_t>(position - 1), wanted.size()) == wanted;
}

inline bool isLineEnd(char c) {
  return c == '\n' || c == '\r';
}
inline bool isBlank(char c) {
  return c == ' ' || c == '\t' || isLineEnd(c);
}
constexpr bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Letters, digits, "_" and every byte from 0x80 on: what a tag name is made of.
constexpr bool isNameChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '_' || u >= 0x80;
}

// A "%" counts as an escape only as the first character of a line, the text's first line too.
inline bool startsEscapeLine(std::string_view text, int64_t position) {
  return charAt(text, position) == '%' && (position == 1 || isLineEnd(charAt(text, position - 1)));
}

// The position of the next line feed or carriage return at or after position, or past the end.
inline int64_t lineEndFrom(std::string_view text, int64_t position) {
  size_t found = text.find_first_of("\r\n", static_cast<size_t>(position - 1));
  return found == std::string_view::npos ? textLength(text) + 1 : static_cast<int64_t>(found) + 1;
}

// The position just past the "}" that closes the comment opened at position, or past the end.
inline int64_t braceCommentEnd(std::string_view text, int64_t position) {
  size_t found = text.find('}', static_cast<size_t>(position));
  return found == std::string_view::npos ? textLength(text) + 1 : static_cast<int64_t>(found) + 2;
}
