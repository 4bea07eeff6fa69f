// zstd output through libzstd.

#include <zstd.h>

#include "unpack/encoder.h"

bool packZstd(std::string_view text, std::string& packed) {
  const size_t at = packed.size();
  const size_t room = ZSTD_compressBound(text.size());
  packed.resize(at + room);
  const size_t size =
      ZSTD_compress(packed.data() + at, room, text.data(), text.size(), ZSTD_CLEVEL_DEFAULT);
  if (ZSTD_isError(size)) {
    packed.resize(at);
    return false;
  }
  packed.resize(at + size);
  return true;
}
