#include "Upgnread/outputbuffer.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kInitialRoom = 100000;
}

void TOutputBuffer::grow(std::string_view text) {
  bytes.resize(std::max({used + text.size(), 2 * bytes.size(), kInitialRoom}));
  std::memcpy(bytes.data() + used, text.data(), text.size());
  used += text.size();
}
