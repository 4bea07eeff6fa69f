#include "Upgnread/outputbuffer.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kInitialRoom = 100000;
}

void TOutputBuffer::growRoom(size_t more) {
  const size_t larger = std::max({used + more, 2 * room, kInitialRoom});
  std::unique_ptr<char[]> moved(new char[larger]);
  if (used > 0) std::memcpy(moved.get(), start.get(), used);
  start = std::move(moved);
  room = larger;
}

void TOutputBuffer::grow(std::string_view text) {
  growRoom(text.size());
  std::memcpy(start.get() + used, text.data(), text.size());
  used += text.size();
}
