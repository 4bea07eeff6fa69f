#pragma once
// The 8-bit text that an output run fills with games and writes to a file at each file change.

#include <cstddef>
#include <string>
#include <string_view>

struct TOutputBuffer {
  std::string bytes;  // only the first used bytes are meaningful; the rest is room to grow
  size_t used = 0;

  // Grows geometrically, so filling a buffer costs linear time however many games it holds.
  void append(std::string_view text);
  void append(char c) { append(std::string_view(&c, 1)); }
  std::string_view text() const { return {bytes.data(), used}; }
  // Starts over for the next file; the room already taken is kept for it.
  void clear() { used = 0; }
};
