#pragma once
// The packed bytes of an input as they are read, from a file or standard input: the first bytes
// can be looked at before a decoder takes them, which a pipe would not allow.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

class TByteSource {
 public:
  explicit TByteSource(TOsFile& file) : file(file) {}

  // The first count bytes (fewer when the input is shorter), read once and given again by read.
  std::string_view peek(size_t count);
  // Bytes read, 0 at the end, -1 on an error of the system.
  int64_t read(void* data, int64_t count);
  // The packed bytes taken so far: the progress of the input.
  int64_t bytesRead() const { return taken; }
  // Starts again from the first byte; false for a pipe or device, which cannot.
  bool rewind();

 private:
  TOsFile& file;
  std::string ahead;
  size_t aheadGiven = 0;
  int64_t taken = 0;
};
