#pragma once
// The 8-bit text that an output run fills with games and writes to a file at each file change.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

struct TOutputBuffer {
  std::string bytes;  // only the first used bytes are meaningful; the rest is room to grow
  size_t used = 0;

  // Grows geometrically, so filling a buffer costs linear time however many games it holds.
  // Most texts fit in the room there is: that case is inline.
  void append(std::string_view text) {
    if (text.size() <= bytes.size() - used) {
      if (!text.empty()) std::memcpy(bytes.data() + used, text.data(), text.size());
      used += text.size();
    } else {
      grow(text);
    }
  }
  void append(char c) {
    if (used < bytes.size())
      bytes[used++] = c;
    else
      grow(std::string_view(&c, 1));
  }
  std::string_view text() const { return {bytes.data(), used}; }
  // Starts over for the next file; the room already taken is kept for it.
  void clear() { used = 0; }

 private:
  void grow(std::string_view text);
};
