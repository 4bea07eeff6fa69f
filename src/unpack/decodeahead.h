#pragma once
// A decoder run on a thread of its own, a bounded stretch of text ahead of its reader: the next
// block is decoded while the one before is read, so that unpacking costs little more wall time
// than reading plain text where a core is free.

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "unpack/bytesource.h"
#include "unpack/decoder.h"

class TDecodeAhead : public TDecoder {
 public:
  // decoder and source are used only by the thread from here on; progress, when given, follows
  // the packed bytes the decoder has taken. Only a source that never waits long (a regular file)
  // may be read ahead: the end of the reading waits for the thread's decode under way.
  TDecodeAhead(TDecoder& decoder, const TByteSource& source, std::atomic<int64_t>* progress,
               int64_t aheadBytes);
  ~TDecodeAhead() override;
  TDecodeAhead(const TDecodeAhead&) = delete;
  TDecodeAhead& operator=(const TDecodeAhead&) = delete;

  int64_t decode(char* text, int64_t count) override;

 private:
  static void run(void* self);
  void decodeAhead();
  bool pushPiece(std::string& piece, int64_t got);
  int64_t decodeHere(char* text, int64_t count);
  int64_t endOfText();

  TDecoder& decoder;
  const TByteSource& source;
  std::atomic<int64_t>* progress;
  const int64_t aheadBytes;
  std::unique_ptr<TWaitLock> lock;
  // Under the lock: the text decoded and not yet given, and how the text ended.
  std::deque<std::string> pieces;
  size_t frontGiven = 0;
  int64_t waiting = 0;  // bytes in pieces not yet given
  bool ended = false;
  int64_t endCode = 0;
  std::string endProblem;
  bool quit = false;
  TThreadHandle thread = nullptr;
};
