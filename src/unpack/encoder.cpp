#include "unpack/encoder.h"

#include <cctype>

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

// Every packing a name may ask for, built or not, so that a build lacking one can say so.
constexpr TPacking kStreamPackings[] = {TPacking::gzip, TPacking::bzip2, TPacking::xz,
                                        TPacking::zstd};

const TWrittenPacking* writtenPacking(TPacking packing) {
  for (const TWrittenPacking& written : kWritten)
    if (written.packing == packing && written.pack) return &written;
  return nullptr;
}

}  // namespace

TPacking packingOfName(const std::filesystem::path& name) {
  std::string text = name.filename().string();
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (TPacking packing : kStreamPackings)
    if (text.ends_with(packingEnding(packing))) return packing;
  return TPacking::plain;
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
