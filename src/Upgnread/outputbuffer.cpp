#include "Upgnread/outputbuffer.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kInitialRoom = 100000;
}

void TOutputBuffer::grow(std::string_view text) {
  const size_t larger = std::max({used + text.size(), 2 * room, kInitialRoom});
  std::unique_ptr<char[]> moved(new char[larger]);
  if (used > 0) std::memcpy(moved.get(), start.get(), used);
  std::memcpy(moved.get() + used, text.data(), text.size());
  start = std::move(moved);
  room = larger;
  used += text.size();
}
