#include "unpack/bytesource.h"

#include <algorithm>
#include <cstring>

std::string_view TByteSource::peek(size_t count) {
  if (ahead.size() < count && taken == 0) {
    const size_t had = ahead.size();
    ahead.resize(count);
    const int64_t got = file.read(ahead.data() + had, static_cast<int64_t>(count - had));
    ahead.resize(had + static_cast<size_t>(std::max<int64_t>(got, 0)));
  }
  return std::string_view(ahead).substr(0, count);
}

int64_t TByteSource::read(void* data, int64_t count) {
  if (count <= 0) return 0;
  if (aheadGiven < ahead.size()) {
    const size_t give = std::min(ahead.size() - aheadGiven, static_cast<size_t>(count));
    std::memcpy(data, ahead.data() + aheadGiven, give);
    aheadGiven += give;
    taken += static_cast<int64_t>(give);
    return static_cast<int64_t>(give);
  }
  const int64_t got = file.read(data, count);
  if (got > 0) taken += got;
  return got;
}

bool TByteSource::rewind() {
  if (file.isStream() || !file.seek(static_cast<int64_t>(ahead.size()))) return false;
  aheadGiven = 0;
  taken = 0;
  return true;
}
