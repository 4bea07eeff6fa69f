#pragma once
// Copies of a few bytes, as tokens, tag names and values are: two overlapping fixed-size copies
// cost less than a call to memcpy, which a copy of unknown size becomes.

#include <cstddef>
#include <cstring>

template <size_t kPart>
void copyOverlapping(char* to, const char* from, size_t size) {
  char head[kPart], tail[kPart];
  std::memcpy(head, from, kPart);
  std::memcpy(tail, from + size - kPart, kPart);
  std::memcpy(to, head, kPart);
  std::memcpy(to + size - kPart, tail, kPart);
}

inline void copyShort(char* to, const char* from, size_t size) {
  if (size >= 8 && size <= 16) {
    copyOverlapping<8>(to, from, size);
  } else if (size >= 4 && size < 8) {
    copyOverlapping<4>(to, from, size);
  } else if (size > 0 && size < 4) {
    to[0] = from[0];
    to[size / 2] = from[size / 2];
    to[size - 1] = from[size - 1];
  } else if (size > 16) {
    std::memcpy(to, from, size);
  }
}
