// xz output through liblzma.

#include <lzma.h>

#include "unpack/encoder.h"

bool packXz(std::string_view text, std::string& packed) {
  const size_t at = packed.size();
  const size_t room = lzma_stream_buffer_bound(text.size());
  packed.resize(at + room);
  size_t written = 0;
  const lzma_ret code = lzma_easy_buffer_encode(
      LZMA_PRESET_DEFAULT, LZMA_CHECK_CRC64, nullptr, reinterpret_cast<const uint8_t*>(text.data()),
      text.size(), reinterpret_cast<uint8_t*>(packed.data() + at), &written, room);
  packed.resize(code == LZMA_OK ? at + written : at);
  return code == LZMA_OK;
}
