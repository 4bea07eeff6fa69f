#include "unpack/decodeahead.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr int64_t kPieceBytes = 1 << 20;

}  // namespace

TDecodeAhead::TDecodeAhead(TDecoder& decoder, const TByteSource& source,
                           std::atomic<int64_t>* progress, int64_t aheadBytes)
    : decoder(decoder),
      source(source),
      progress(progress),
      aheadBytes(std::max(aheadBytes, kPieceBytes)),
      lock(newWaitLock()) {
  thread = startThread(&TDecodeAhead::run, this);
}

TDecodeAhead::~TDecodeAhead() {
  {
    TLockHold hold(*lock);
    quit = true;
    lock->wakeAll();
  }
  joinThread(thread);
}

void TDecodeAhead::run(void* self) { static_cast<TDecodeAhead*>(self)->decodeAhead(); }

void TDecodeAhead::decodeAhead() {
  for (;;) {
    {
      TLockHold hold(*lock);
      while (!quit && waiting >= aheadBytes) lock->wait();
      if (quit) return;
    }
    std::string piece;
    int64_t got = -1;
    try {
      piece.resize(static_cast<size_t>(kPieceBytes));
      got = decoder.decode(piece.data(), kPieceBytes);
    } catch (const std::bad_alloc&) {
      got = -2;  // no memory for the piece: the text ends here as if it broke off
    }
    if (progress) progress->store(source.bytesRead(), std::memory_order_relaxed);
    if (!pushPiece(piece, got)) return;
  }
}

// Hands the piece to the reader, or the end of the text; false once the text has ended.
bool TDecodeAhead::pushPiece(std::string& piece, int64_t got) {
  TLockHold hold(*lock);
  lock->wakeAll();
  if (got > 0) {
    piece.resize(static_cast<size_t>(got));
    waiting += got;
    pieces.push_back(std::move(piece));
    return true;
  }
  ended = true;
  endCode = got < 0 ? -1 : 0;
  endProblem = got == -2 ? "no memory was left to unpack the text into" : decoder.problem();
  return false;
}

// Without a thread of its own the decoder is asked directly, as a reader without this would.
int64_t TDecodeAhead::decodeHere(char* text, int64_t count) {
  const int64_t got = decoder.decode(text, count);
  if (progress) progress->store(source.bytesRead(), std::memory_order_relaxed);
  if (got <= 0 && !decoder.problem().empty()) fail(decoder.problem());
  return got;
}

int64_t TDecodeAhead::endOfText() {
  if (!endProblem.empty()) fail(endProblem);
  return endCode;
}

int64_t TDecodeAhead::decode(char* text, int64_t count) {
  if (!thread) return decodeHere(text, count);
  TLockHold hold(*lock);
  int64_t given = 0;
  while (given < count) {
    while (pieces.empty() && !ended) lock->wait();
    if (pieces.empty()) break;
    const std::string& front = pieces.front();
    const size_t part = std::min(front.size() - frontGiven, static_cast<size_t>(count - given));
    std::memcpy(text + given, front.data() + frontGiven, part);
    given += static_cast<int64_t>(part);
    frontGiven += part;
    waiting -= static_cast<int64_t>(part);
    if (frontGiven == front.size()) {
      pieces.pop_front();
      frontGiven = 0;
    }
    lock->wakeAll();
  }
  return given > 0 ? given : endOfText();
}
