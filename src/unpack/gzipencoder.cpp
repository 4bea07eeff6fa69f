// gzip output through zlib.

#include <zlib.h>

#include <limits>

#include "unpack/encoder.h"

bool packGzip(std::string_view text, std::string& packed) {
  // zlib counts in 32 bits; the writer hands over a few megabytes at a time.
  if (text.size() > std::numeric_limits<uInt>::max() / 2) return false;
  z_stream stream{};
  // 15 bits of window, and 16 more for the gzip wrapper rather than zlib's own.
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK)
    return false;
  const size_t at = packed.size();
  const uLong room = deflateBound(&stream, static_cast<uLong>(text.size()));
  packed.resize(at + room);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(packed.data() + at);
  stream.avail_out = static_cast<uInt>(room);
  const bool whole = deflate(&stream, Z_FINISH) == Z_STREAM_END;
  packed.resize(whole ? at + room - stream.avail_out : at);
  deflateEnd(&stream);
  return whole;
}
