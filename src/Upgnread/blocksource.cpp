#include "Upgnread/blocksource.h"

#include <algorithm>
#include <new>

#include "Upgnread/pgntext.h"
#include "uchess/fileutil.h"

bool TFileBlocks::read(int64_t next, int64_t count, std::string& text, bool& last) {
  count = std::min(count, size - (next - 1));
  last = next - 1 + count >= size;
  return readFileRange(path, next, count, text);
}

namespace {

constexpr size_t kDecodeStep = 1 << 20;
constexpr const char* kTooLong = "holds more text without a game start than memory can take";

// The line before the one at lineStart ends in "]": it is a tag line of the same game.
bool followsTagLine(std::string_view text, size_t lineStart) {
  size_t end = lineStart - 1;  // the "\n" ending the line before
  while (end > 0 && text[end - 1] == '\r') --end;
  return end > 0 && text[end - 1] == ']';
}

}  // namespace

size_t lastGameStart(std::string_view text) {
  for (size_t at = text.rfind("\n["); at != std::string_view::npos && at > 0;
       at = text.rfind("\n[", at - 1)) {
    if (!followsTagLine(text, at + 1)) return at + 1;
  }
  return 0;
}

void TStreamBlocks::decodeUpTo(size_t count) {
  while (!ended && pending.size() < count) {
    const size_t used = pending.size();
    const size_t room = std::max(kDecodeStep, count - used);
    // Text with no game start for gigabytes is asked for in ever longer blocks: running out of
    // memory ends the text there rather than the program.
    try {
      pending.resize(used + room);
    } catch (const std::bad_alloc&) {
      ownProblem = kTooLong;
      ended = broken = true;
      dropBrokenGame();
      return;
    }
    const int64_t got = decoder.decode(pending.data() + used, static_cast<int64_t>(room));
    pending.resize(used + static_cast<size_t>(std::max<int64_t>(got, 0)));
    if (held && got > 0) held->append(std::string_view(pending).substr(used));
    if (progress) progress->store(source.bytesRead(), std::memory_order_relaxed);
    if (got > 0) continue;
    ended = true;
    broken = got < 0;
    if (broken) dropBrokenGame();
  }
}

// The text pending always begins where a block's reading stopped, at a game or between games.
void TStreamBlocks::dropBrokenGame() {
  pending.resize(lastGameStart(pending));
}

bool TStreamBlocks::read(int64_t next, int64_t count, std::string& text, bool& last) {
  const int64_t passed = std::clamp<int64_t>(next - pendingStart, 0, textLength(pending));
  pending.erase(0, static_cast<size_t>(passed));
  pendingStart += passed;
  decodeUpTo(static_cast<size_t>(std::max<int64_t>(count, 0)));
  const size_t given = std::min(pending.size(), static_cast<size_t>(std::max<int64_t>(count, 0)));
  try {
    text.assign(pending, 0, given);
  } catch (const std::bad_alloc&) {
    ownProblem = kTooLong;
    broken = true;
    return false;
  }
  last = ended && given == pending.size();
  return true;
}
