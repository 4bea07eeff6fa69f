#include "uchess/fileutil.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <new>

#include "platform/platform.h"

std::filesystem::path hostFolder() {
  const std::filesystem::path::string_type text = executablePath().native();
  auto cut = text.find_last_of(std::filesystem::path::preferred_separator);
  if (cut == std::filesystem::path::string_type::npos) return {};
  return std::filesystem::path(text.substr(0, cut + 1));
}

namespace {

// Reads count bytes from the 1-based offset of an open file into bytes; bytes past the end of
// the file stay zero.
bool readOpened(TOsFile& file, int64_t offset, int64_t count, std::string& bytes) {
  // A stale or damaged range may ask for more than the file could ever give; allocating that
  // could exhaust memory, so such a request fails before anything is allocated.
  int64_t size = file.size();
  if (offset < 1 || count < 0 || size < 0 || count > size) return false;
  if (static_cast<uint64_t>(count) > bytes.max_size()) return false;
  // A whole large file may not fit a 32-bit address space: that is a failed read, not a crash.
  // Only the room the string grows by is set first: a string read into again and again (a
  // window of games read again) is not cleared in full each time, the read writes over it.
  try {
    bytes.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!file.seek(offset - 1)) return false;
  const int64_t got = file.read(bytes.data(), count);
  if (got < 0) return false;
  std::fill(bytes.begin() + got, bytes.end(), '\0');
  return true;
}

// Reads a pipe to its end: its size is unknown until then.
bool readStream(TOsFile& file, std::string& bytes) {
  constexpr int64_t kStep = int64_t{1} << 20;
  bytes.clear();
  try {
    for (;;) {
      const size_t used = bytes.size();
      bytes.resize(used + kStep);
      const int64_t got = file.read(bytes.data() + used, kStep);
      if (got < 0) return false;
      bytes.resize(used + static_cast<size_t>(got));
      if (got < kStep) return true;
    }
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

// Files are opened without sharing, so a file another program is writing is not read half-made.
// The string is sized without gameLock: it stays private to the caller until the caller stores it.
bool readFileRange(const std::filesystem::path& path, int64_t offset, int64_t count,
                   std::string& bytes) {
  TOsFile file;
  return file.open(path, TOpenMode::readExclusive) && readOpened(file, offset, count, bytes);
}

bool readWholeFile(const std::filesystem::path& path, std::string& bytes) {
  TOsFile file;
  if (!file.open(path, TOpenMode::readExclusive)) return false;
  return file.isStream() ? readStream(file, bytes) : readOpened(file, 1, file.size(), bytes);
}

std::string intToText(int32_t value) {
  if (value == 0) return "0";
  int64_t rest = value < 0 ? -int64_t{value} : value;
  std::string digits;
  while (rest > 0) {
    digits.insert(digits.begin(), static_cast<char>('0' + rest % 10));
    rest /= 10;
  }
  if (value < 0) digits.insert(digits.begin(), '-');
  return digits;
}

bool textToInt(std::string_view text, int32_t& value) {
  int64_t result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
    // Wrapping would turn a long digit string into an unrelated small number.
    if (result > std::numeric_limits<int32_t>::max()) return false;
  }
  value = static_cast<int32_t>(result);
  return true;
}

bool pointInRect(int32_t x, int32_t y, const TRect& rect) {
  return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}
