#include "unpack/decoder.h"

#include <utility>

#include "unpack/packingbuilt.h"

namespace {

bool startsWith(std::string_view head, std::string_view magic) {
  return head.substr(0, magic.size()) == magic;
}

// A zstd file may begin with a skippable frame: 0x184D2A50..5F, little-endian.
bool zstdSkippable(std::string_view head) {
  return head.size() >= 4 && (static_cast<unsigned char>(head[0]) & 0xF0) == 0x50 &&
         startsWith(head.substr(1), "\x2A\x4D\x18");
}

// Text that is not packed goes through as it is.
class TPlainDecoder : public TDecoder {
 public:
  explicit TPlainDecoder(TByteSource& source) : source(source) {}
  int64_t decode(char* text, int64_t count) override {
    const int64_t got = source.read(text, count);
    return got < 0 ? fail("could not be read on") : got;
  }

 private:
  TByteSource& source;
};

// One stream, one text.
class TStreamInput : public TPackedInput {
 public:
  explicit TStreamInput(std::unique_ptr<TDecoder> decoder) : decoder(std::move(decoder)) {}
  TDecoder* next(std::string& member) override {
    member.clear();
    if (given) return nullptr;
    given = true;
    return decoder.get();
  }

 private:
  std::unique_ptr<TDecoder> decoder;
  bool given = false;
};

std::unique_ptr<TDecoder> newStreamDecoder(TPacking packing, TByteSource& source) {
  switch (packing) {
    case TPacking::plain:
      return std::make_unique<TPlainDecoder>(source);
#if GAMESIFT_HAVE_ZLIB
    case TPacking::gzip:
      return newGzipDecoder(source);
#endif
#if GAMESIFT_HAVE_BZIP2
    case TPacking::bzip2:
      return newBzip2Decoder(source);
#endif
#if GAMESIFT_HAVE_LZMA
    case TPacking::xz:
      return newXzDecoder(source);
#endif
#if GAMESIFT_HAVE_ZSTD
    case TPacking::zstd:
      return newZstdDecoder(source);
#endif
    default:
      return nullptr;
  }
}

struct TPackingNames {
  TPacking packing;
  const char* name;
  const char* ending;  // of the files a folder run takes
  bool built;
};

constexpr TPackingNames kPackings[] = {
    {TPacking::gzip, "gzip", ".pgn.gz", GAMESIFT_HAVE_ZLIB},
    {TPacking::bzip2, "bzip2", ".pgn.bz2", GAMESIFT_HAVE_BZIP2},
    {TPacking::xz, "xz", ".pgn.xz", GAMESIFT_HAVE_LZMA},
    {TPacking::zstd, "zstd", ".pgn.zst", GAMESIFT_HAVE_ZSTD},
    {TPacking::zip, "zip", ".zip", GAMESIFT_HAVE_LIBARCHIVE || GAMESIFT_HAVE_ZLIB},
};

}  // namespace

TPacking packingOf(std::string_view head) {
  if (startsWith(head, "\x1F\x8B")) return TPacking::gzip;
  if (startsWith(head, "BZh") && head.size() > 3 && head[3] >= '1' && head[3] <= '9')
    return TPacking::bzip2;
  if (startsWith(head, std::string_view("\xFD" "7zXZ\0", 6))) return TPacking::xz;
  if (startsWith(head, "\x28\xB5\x2F\xFD") || zstdSkippable(head)) return TPacking::zstd;
  if (startsWith(head, "PK\x03\x04") || startsWith(head, "PK\x05\x06")) return TPacking::zip;
  return TPacking::plain;
}

const char* packingName(TPacking packing) {
  for (const TPackingNames& names : kPackings)
    if (names.packing == packing) return names.name;
  return "plain";
}

const char* packingEnding(TPacking packing) {
  for (const TPackingNames& names : kPackings)
    if (names.packing == packing) return names.ending;
  return ".pgn";
}

bool packingBuilt(TPacking packing) {
  if (packing == TPacking::plain) return true;
  for (const TPackingNames& names : kPackings)
    if (names.packing == packing) return names.built;
  return false;
}

std::string packingsBuiltText() {
  std::string text;
  for (const TPackingNames& names : kPackings) {
    if (!packingBuilt(names.packing)) continue;
    if (!text.empty()) text += ", ";
    text += names.name;
  }
  return text.empty() ? "none" : text;
}

bool namesPgnFile(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return name.ends_with(".pgn");
}

std::vector<std::string> inputEndings() {
  std::vector<std::string> endings{".pgn"};
  for (const TPackingNames& names : kPackings)
    if (packingBuilt(names.packing)) endings.emplace_back(names.ending);
  return endings;
}

std::unique_ptr<TPackedInput> openPacked(TPacking packing, TByteSource& source) {
#if GAMESIFT_HAVE_LIBARCHIVE
  if (packing == TPacking::zip) {
    if (std::unique_ptr<TPackedInput> input = newZipInput(source)) return input;
    return newZlibZipInput(source);
  }
#elif GAMESIFT_HAVE_ZLIB
  if (packing == TPacking::zip) return newZlibZipInput(source);
#endif
  std::unique_ptr<TDecoder> decoder = newStreamDecoder(packing, source);
  if (!decoder) return nullptr;
  return std::make_unique<TStreamInput>(std::move(decoder));
}

#if !GAMESIFT_HAVE_ZLIB
std::unique_ptr<TPackedInput> newZlibZipInput(TByteSource&) {
  return nullptr;
}
#endif
