// zip archives through zlib alone, for builds without libarchive (the Windows ones): the local
// headers are read forward from the first byte, as a pipe gives them, and each *.pgn member
// stored or deflated is given in turn. A member whose packed size its header gives is passed
// over exactly when damaged or not a PGN; one written with its sizes after its data (a zip made
// by streaming) is read to the end of its deflated stream.

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>

#include "unpack/decoder.h"
#include "unpack/packedchunk.h"

namespace {

constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kDescriptor = 0x08074b50;
constexpr size_t kLocalHeaderBytes = 30;
constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
constexpr uint16_t kSizesAfterData = 1u << 3;
constexpr uint16_t kEncrypted = 1u << 0;
constexpr uint32_t kZip64Size = 0xFFFFFFFFu;
constexpr uint32_t kZip64Field = 0x0001;

uint32_t little(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

struct TMemberHeader {
  std::string name;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint64_t packedSize = 0;
  bool sizeKnown = true;
};

// Bytes of the archive taken one by one or in runs, across the chunks the source gives.
class TArchiveBytes {
 public:
  explicit TArchiveBytes(TByteSource& source) : chunk(source) {}
  // count bytes into out; false when the archive ends first.
  bool take(void* out, size_t count) {
    auto* to = static_cast<char*>(out);
    while (count > 0) {
      if (chunk.left() == 0 && !chunk.refill()) return false;
      const size_t piece = std::min(count, chunk.left());
      if (to) std::memcpy(to, chunk.data(), piece), to += piece;
      chunk.take(piece);
      count -= piece;
    }
    return true;
  }
  bool skip(uint64_t count) {
    while (count > 0) {
      const size_t piece = static_cast<size_t>(std::min<uint64_t>(count, 1u << 20));
      if (!take(nullptr, piece)) return false;
      count -= piece;
    }
    return true;
  }
  TPackedChunk chunk;
};

// One member's text: inflated, or copied when stored.
class TMemberDecoder : public TDecoder {
 public:
  TMemberDecoder(TArchiveBytes& bytes, const TMemberHeader& header)
      : bytes(bytes), header(header), packedLeft(header.packedSize) {
    ready = header.method == kStored || inflateInit2(&stream, -MAX_WBITS) == Z_OK;
  }
  ~TMemberDecoder() override {
    if (ready && header.method == kDeflated) inflateEnd(&stream);
  }
  TMemberDecoder(const TMemberDecoder&) = delete;
  TMemberDecoder& operator=(const TMemberDecoder&) = delete;

  int64_t decode(char* text, int64_t count) override {
    if (ended) return 0;
    if (!ready) return fail("damaged zip member: zlib could not start");
    return header.method == kStored ? copyStored(text, count) : inflateSome(text, count);
  }
  // Moves past what is left of the member; false when its end cannot be found.
  bool passOver() {
    if (ended) return true;
    if (!header.sizeKnown) {
      char scratch[64 * 1024];
      int64_t got = 0;
      while ((got = decode(scratch, sizeof scratch)) > 0) {
      }
      return got == 0;
    }
    ended = true;
    return bytes.skip(packedLeft);
  }

 private:
  int64_t copyStored(char* text, int64_t count) {
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(packedLeft, count));
    if (!bytes.take(text, wanted)) return fail("damaged zip member: the archive ends inside it");
    packedLeft -= wanted;
    ended = packedLeft == 0;
    return static_cast<int64_t>(wanted);
  }

  int64_t inflateSome(char* text, int64_t count) {
    stream.next_out = reinterpret_cast<Bytef*>(text);
    stream.avail_out = static_cast<uInt>(std::min<int64_t>(count, UINT_MAX));
    while (stream.avail_out > 0) {
      TPackedChunk& chunk = bytes.chunk;
      if (chunk.left() == 0 && !chunk.refill())
        return fail("damaged zip member: the archive ends inside it");
      const size_t offered = header.sizeKnown
                                 ? static_cast<size_t>(std::min<uint64_t>(chunk.left(), packedLeft))
                                 : chunk.left();
      stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk.data()));
      stream.avail_in = static_cast<uInt>(std::min<size_t>(offered, UINT_MAX));
      const uInt before = stream.avail_in;
      const int code = inflate(&stream, Z_NO_FLUSH);
      chunk.take(before - stream.avail_in);
      packedLeft -= std::min<uint64_t>(packedLeft, before - stream.avail_in);
      if (code == Z_STREAM_END) {
        ended = true;
        break;
      }
      if (code != Z_OK && code != Z_BUF_ERROR)
        return fail(std::string("damaged zip member: ") + (stream.msg ? stream.msg : "zlib error"));
      if (header.sizeKnown && packedLeft == 0 && stream.avail_out > 0)
        return fail("damaged zip member: its deflated data ends too soon");
    }
    if (ended && header.sizeKnown) {
      // Bytes the deflated stream did not need still belong to the member.
      if (!bytes.skip(packedLeft)) return fail("damaged zip member: the archive ends inside it");
      packedLeft = 0;
    }
    return static_cast<int64_t>(stream.next_out - reinterpret_cast<Bytef*>(text));
  }

  TArchiveBytes& bytes;
  TMemberHeader header;
  uint64_t packedLeft;
  z_stream stream{};
  bool ready = false;
  bool ended = false;
};

class TZlibZipInput : public TPackedInput {
 public:
  explicit TZlibZipInput(TByteSource& source) : bytes(source) {}

  TDecoder* next(std::string& member) override {
    while (why.empty() && finishMember()) {
      TMemberHeader header;
      if (!readHeader(header)) return nullptr;
      lastName = header.name;
      if (readable(header)) {
        member = header.name;
        current = std::make_unique<TMemberDecoder>(bytes, header);
        return current.get();
      }
      if (namesPgnFile(header.name) && unread.empty())
        unread = "zip member " + header.name + " is encrypted or packed by method " +
                 std::to_string(header.method) + ", which this build cannot read";
      if (!header.sizeKnown && header.method != kDeflated) {
        why = "zip member " + header.name + " gives no size, so the members after it cannot be found";
        return nullptr;
      }
      current = std::make_unique<TMemberDecoder>(bytes, header);
    }
    return nullptr;
  }
  std::string problem() const override { return why.empty() ? unread : why; }

 private:
  static bool readable(const TMemberHeader& header) {
    return namesPgnFile(header.name) && !(header.flags & kEncrypted) &&
           (header.method == kStored ? header.sizeKnown : header.method == kDeflated);
  }

  // Past the member given last (read or not) and its data descriptor.
  bool finishMember() {
    if (!current) return true;
    const bool passed = current->passOver();
    current.reset();
    if (!passed) {
      why = "damaged zip archive: the end of member " + lastName + " cannot be found";
      return false;
    }
    return !lastSizesAfter || skipDescriptor();
  }

  // The crc and sizes after a member's data, with or without their signature; the sizes take
  // 8 bytes each in a member marked for large sizes.
  bool skipDescriptor() {
    unsigned char word[4];
    if (!bytes.take(word, 4)) return false;
    if (little(word, 4) == kDescriptor && !bytes.take(word, 4)) return false;
    return bytes.skip(lastZip64 ? 16 : 8);
  }

  static bool hasZip64Field(std::string_view extra) {
    const auto* at = reinterpret_cast<const unsigned char*>(extra.data());
    for (size_t i = 0; i + 4 <= extra.size(); i += 4 + little(at + i + 2, 2))
      if (little(at + i, 2) == kZip64Field) return true;
    return false;
  }

  // The next local header; false at the central directory, the end, or a damage.
  bool readHeader(TMemberHeader& header) {
    unsigned char fixed[kLocalHeaderBytes];
    if (!bytes.take(fixed, 4) || little(fixed, 4) != kLocalHeader) return false;
    if (!bytes.take(fixed + 4, kLocalHeaderBytes - 4)) {
      why = "damaged zip archive: it ends inside a member's header";
      return false;
    }
    header.flags = static_cast<uint16_t>(little(fixed + 6, 2));
    header.method = static_cast<uint16_t>(little(fixed + 8, 2));
    header.packedSize = little(fixed + 18, 4);
    const size_t nameBytes = little(fixed + 26, 2), extraBytes = little(fixed + 28, 2);
    header.name.resize(nameBytes);
    std::string extra(extraBytes, '\0');
    if (!bytes.take(header.name.data(), nameBytes) || !bytes.take(extra.data(), extraBytes)) {
      why = "damaged zip archive: it ends inside a member's header";
      return false;
    }
    lastSizesAfter = (header.flags & kSizesAfterData) != 0;
    lastZip64 = hasZip64Field(extra);
    header.sizeKnown = !lastSizesAfter && header.packedSize != kZip64Size;
    return true;
  }

  TArchiveBytes bytes;
  std::unique_ptr<TMemberDecoder> current;
  bool lastSizesAfter = false;
  bool lastZip64 = false;
  std::string lastName;
  std::string why;
  std::string unread;  // the first PGN member passed over unread
};

}  // namespace

std::unique_ptr<TPackedInput> newZlibZipInput(TByteSource& source) {
  return std::make_unique<TZlibZipInput>(source);
}
