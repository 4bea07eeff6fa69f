#pragma once
// Packed inputs: which packing a stream of bytes has (told by its first bytes, never by its
// name), and the decoders that give its text. A build has only the packings whose libraries it
// found; the others are named in its answers so that a user learns what is missing.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "unpack/bytesource.h"

enum class TPacking { plain, gzip, bzip2, xz, zstd, zip };

// Bytes packingOf needs to see.
constexpr size_t kPackingHeadBytes = 6;
TPacking packingOf(std::string_view head);
const char* packingName(TPacking packing);
bool packingBuilt(TPacking packing);
// The ending of the packing's files, lower case: ".pgn.gz", ".zip"; ".pgn" for plain text.
const char* packingEnding(TPacking packing);
// "gzip, bzip2, xz, zstd, zip" as far as this build reads them; "none" without any.
std::string packingsBuiltText();
// The lower-case name endings a folder run takes: ".pgn" and those of the packings built.
std::vector<std::string> inputEndings();

// One stream of text decoded from packed bytes.
class TDecoder {
 public:
  virtual ~TDecoder() = default;
  // Up to count bytes of text; 0 at the end of the stream; -1 when the packed bytes are damaged
  // or end too soon, and problem() then tells how. A text that ended whole may still leave a
  // problem (bytes after it that are no stream): nothing of the text is lost then.
  virtual int64_t decode(char* text, int64_t count) = 0;
  const std::string& problem() const { return problemText; }

 protected:
  int64_t fail(std::string why) {
    problemText = std::move(why);
    return -1;
  }

 private:
  std::string problemText;
};

// Whether an archive's member is read: its name ends in ".pgn", in any letter case.
bool namesPgnFile(std::string name);

// The texts of an input: one for a stream, one per *.pgn member of an archive.
class TPackedInput {
 public:
  virtual ~TPackedInput() = default;
  // The next text and its member's name (empty for a stream); null when none is left. The
  // decoder lasts until the next call.
  virtual TDecoder* next(std::string& member) = 0;
  // Why the input broke off outside any text (an archive's damaged directory); empty if it did
  // not.
  virtual std::string problem() const { return {}; }
};

// The input's texts; null when this build lacks the packing.
std::unique_ptr<TPackedInput> openPacked(TPacking packing, TByteSource& source);

// Each built packing has its decoder, made in its own file.
std::unique_ptr<TDecoder> newGzipDecoder(TByteSource& source);
std::unique_ptr<TDecoder> newBzip2Decoder(TByteSource& source);
std::unique_ptr<TDecoder> newXzDecoder(TByteSource& source);
std::unique_ptr<TDecoder> newZstdDecoder(TByteSource& source);
// Through libarchive, loaded with the first zip: null where it cannot be loaded.
std::unique_ptr<TPackedInput> newZipInput(TByteSource& source);
// The same through zlib alone, for builds and systems without libarchive.
std::unique_ptr<TPackedInput> newZlibZipInput(TByteSource& source);
