#include "unpack/packedchunk.h"

bool TPackedChunk::refill() {
  if (left() > 0) return true;
  used = filled = 0;
  const int64_t got = source.read(bytes.data(), static_cast<int64_t>(bytes.size()));
  if (got < 0) readFailed = true;
  if (got <= 0) return false;
  filled = static_cast<size_t>(got);
  return true;
}

bool TPackedChunk::exhausted() {
  return left() == 0 && !refill();
}

#include <algorithm>

namespace {

// One call hands out at most this much, whatever it is asked for.
constexpr size_t kMostOut = size_t{1} << 30;

}  // namespace

bool TChunkDecoder::startNextStream() {
  betweenStreams = false;
  if (!beginsStream(static_cast<unsigned char>(*chunk.data()))) {
    foreignTail = true;
    brokenWhy = std::string("holds bytes after its ") + packing + " data that are not " + packing;
    return false;
  }
  if (restart()) return true;
  brokenWhy = std::string("the ") + packing + " library could not go on to the next stream";
  return false;
}

bool TChunkDecoder::advance(char*& out, size_t& outLeft) {
  if (!started()) {
    brokenWhy = std::string("the ") + packing + " library could not start";
    return false;
  }
  if (chunk.exhausted()) {
    if (chunk.failed())
      brokenWhy = "could not be read on";
    else if (!betweenStreams)
      brokenWhy = std::string("ends inside its ") + packing + " data: the file is cut short";
    ended = betweenStreams && !chunk.failed();
    return false;
  }
  if (betweenStreams && !startNextStream()) return false;
  const char* in = chunk.data();
  size_t inLeft = chunk.left();
  const size_t outBefore = outLeft;
  const TStep result = step(in, inLeft, out, outLeft);
  const size_t used = chunk.left() - inLeft;
  chunk.take(used);
  if (result == TStep::damaged || (used == 0 && outLeft == outBefore && result == TStep::going)) {
    brokenWhy = "damaged " + std::string(packing) + " data" + (damage.empty() ? "" : ": " + damage);
    return false;
  }
  betweenStreams = result == TStep::streamEnded;
  return true;
}

int64_t TChunkDecoder::decode(char* text, int64_t count) {
  const size_t wanted = std::min(static_cast<size_t>(std::max<int64_t>(count, 0)), kMostOut);
  char* out = text;
  size_t outLeft = wanted;
  // As much as there is room for: a break met on the way is told by the next call, so the text
  // before it is handed out first.
  while (outLeft > 0 && !ended && brokenWhy.empty() && advance(out, outLeft)) {
  }
  if (outLeft < wanted) return static_cast<int64_t>(wanted - outLeft);
  // A text whose end is whole but which has foreign bytes after it ends with a note.
  if (ended || brokenWhy.empty()) return 0;
  if (foreignTail) {
    ended = true;
    fail(brokenWhy);
    return 0;
  }
  return fail(brokenWhy);
}
