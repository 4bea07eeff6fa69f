#pragma once
// Packed bytes read ahead of a stream decoder, a chunk at a time.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "unpack/bytesource.h"

class TPackedChunk {
 public:
  explicit TPackedChunk(TByteSource& source) : source(source), bytes(kChunkBytes) {}

  // Reads the next chunk once this one is used up; false when nothing more comes (the end, or an
  // error of the system, which failed() then tells).
  bool refill();
  const char* data() const { return bytes.data() + used; }
  size_t left() const { return filled - used; }
  void take(size_t count) { used += count; }
  bool failed() const { return readFailed; }
  // No byte is left here and none can come: what a decoder checks before a stream's end.
  bool exhausted();

 private:
  static constexpr size_t kChunkBytes = 256 * 1024;

  TByteSource& source;
  std::vector<char> bytes;
  size_t used = 0;
  size_t filled = 0;
  bool readFailed = false;
};

#include <string>

#include "unpack/decoder.h"

// The loop of a stream decoder over its packed chunks; each packing gives one step of its
// library. Streams written one after another (as "cat a.gz b.gz" makes) are read as one text.
class TChunkDecoder : public TDecoder {
 public:
  int64_t decode(char* text, int64_t count) final;

 protected:
  TChunkDecoder(TByteSource& source, const char* packing) : chunk(source), packing(packing) {}

  enum class TStep { going, streamEnded, damaged };
  // Decodes from in into out, moving both on; damaged sets damage to the library's words.
  virtual TStep step(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) = 0;
  // Whether the library could set up its state.
  virtual bool started() const = 0;
  // Whether a byte can begin another stream after one ended.
  virtual bool beginsStream(unsigned char first) const = 0;
  // Makes the library ready for another stream; false when it could not.
  virtual bool restart() = 0;

  std::string damage;

 private:
  // Turns the next packed bytes into text; false when the text ended or broke.
  bool advance(char*& out, size_t& outLeft);
  bool startNextStream();

  TPackedChunk chunk;
  const char* packing;
  bool betweenStreams = false;
  bool ended = false;
  bool foreignTail = false;  // the text is whole, but other bytes follow its last stream
  std::string brokenWhy;  // given once the text read before it has been handed out
};
