#include "unpack/encoder.h"

#include <cctype>
#include <utility>

#include "unpack/packingbuilt.h"

namespace {

struct TWrittenPacking {
  TPacking packing;
  bool (*pack)(std::string_view, std::string&);
};

constexpr TWrittenPacking kWritten[] = {
#if GAMESIFT_HAVE_ZLIB
    {TPacking::gzip, packGzip},
#endif
#if GAMESIFT_HAVE_BZIP2
    {TPacking::bzip2, packBzip2},
#endif
#if GAMESIFT_HAVE_LZMA
    {TPacking::xz, packXz},
#endif
#if GAMESIFT_HAVE_ZSTD
    {TPacking::zstd, packZstd},
#endif
    {TPacking::plain, nullptr},
};

// Every ending a name may ask for, built or not, so that a build lacking one can say so.
constexpr std::pair<TPacking, std::string_view> kEndings[] = {
    {TPacking::gzip, ".pgn.gz"},
    {TPacking::bzip2, ".pgn.bz2"},
    {TPacking::xz, ".pgn.xz"},
    {TPacking::zstd, ".pgn.zst"},
};

const TWrittenPacking* writtenPacking(TPacking packing) {
  for (const TWrittenPacking& written : kWritten)
    if (written.packing == packing && written.pack) return &written;
  return nullptr;
}

}  // namespace

TPacking packingOfName(const std::filesystem::path& name) {
  std::string text = name.filename().string();
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const auto& [packing, ending] : kEndings)
    if (text.ends_with(ending)) return packing;
  return TPacking::plain;
}

std::string pgnEnding(TPacking packing) {
  for (const auto& [known, ending] : kEndings)
    if (known == packing) return std::string(ending);
  return ".pgn";
}

bool packingWritten(TPacking packing) {
  return packing == TPacking::plain || writtenPacking(packing) != nullptr;
}

std::string packingsWrittenText() {
  std::string text;
  for (const TWrittenPacking& written : kWritten) {
    if (!written.pack) continue;
    if (!text.empty()) text += ", ";
    text += packingName(written.packing);
  }
  return text.empty() ? "none" : text;
}

bool packText(TPacking packing, std::string_view text, std::string& packed) {
  if (packing == TPacking::plain) {
    packed.append(text);
    return true;
  }
  const TWrittenPacking* written = writtenPacking(packing);
  return written && written->pack(text, packed);
}
