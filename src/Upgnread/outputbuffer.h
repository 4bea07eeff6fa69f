#pragma once
// The 8-bit text that an output run fills with games and writes to a file at each file change.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "plugcommon/shortcopy.h"

struct TOutputBuffer {
  size_t used = 0;  // the bytes written so far; the rest of the room is not set

  // Grows geometrically, so filling a buffer costs linear time however many games it holds.
  // Most texts fit in the room there is: that case is inline.
  void append(std::string_view text) {
    if (text.size() <= room - used) {
      copyInto(start.get() + used, text.data(), text.size());
      used += text.size();
    } else {
      grow(text);
    }
  }
  void append(char c) {
    if (used < room)
      start[used++] = c;
    else
      grow(std::string_view(&c, 1));
  }
  // A token and the character after it: one look at the room for both.
  void append(std::string_view text, char after) {
    if (text.size() < room - used) {
      copyInto(start.get() + used, text.data(), text.size());
      used += text.size();
      start[used++] = after;
    } else {
      grow(text);
      append(after);
    }
  }
  char& operator[](size_t index) { return start[index]; }
  // Room for more bytes past used, to be written through data() and counted into used.
  void reserve(size_t more) {
    if (more > room - used) growRoom(more);
  }
  char* data() { return start.get(); }
  // The bytes it holds without growing.
  size_t capacity() const { return room; }
  std::string_view text() const { return {start.get(), used}; }
  // Starts over for the next file; the room already taken is kept for it.
  void clear() { used = 0; }

  // A copy of a few bytes, as a token's.
  static void copyInto(char* to, const char* from, size_t size) { copyShort(to, from, size); }

 private:
  void grow(std::string_view text);
  void growRoom(size_t more);

  // Room that is never filled before it is written: a string's would be set to zeros first,
  // megabytes at each doubling.
  std::unique_ptr<char[]> start;
  size_t room = 0;
};
