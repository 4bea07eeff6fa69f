// gzip files (and zlib streams) through zlib.

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <string>

#include "unpack/packedchunk.h"

namespace {

class TGzipDecoder : public TChunkDecoder {
 public:
  explicit TGzipDecoder(TByteSource& source) : TChunkDecoder(source, "gzip") {
    // 32 added to the window bits: a gzip or a zlib header, told by the header itself.
    ready = inflateInit2(&stream, 15 + 32) == Z_OK;
  }
  ~TGzipDecoder() override {
    if (ready) inflateEnd(&stream);
  }
  TGzipDecoder(const TGzipDecoder&) = delete;
  TGzipDecoder& operator=(const TGzipDecoder&) = delete;

 protected:
  TStep step(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) override {
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in));
    stream.avail_in = static_cast<uInt>(std::min<size_t>(inLeft, UINT_MAX));
    stream.next_out = reinterpret_cast<Bytef*>(out);
    stream.avail_out = static_cast<uInt>(std::min<size_t>(outLeft, UINT_MAX));
    const uInt inBefore = stream.avail_in, outBefore = stream.avail_out;
    const int code = inflate(&stream, Z_NO_FLUSH);
    in += inBefore - stream.avail_in;
    inLeft -= inBefore - stream.avail_in;
    out += outBefore - stream.avail_out;
    outLeft -= outBefore - stream.avail_out;
    if (code == Z_STREAM_END) return TStep::streamEnded;
    if (code == Z_OK || code == Z_BUF_ERROR) return TStep::going;
    damage = stream.msg ? stream.msg : "zlib error " + std::to_string(code);
    return TStep::damaged;
  }
  bool started() const override { return ready; }
  bool beginsStream(unsigned char first) const override { return first == 0x1F; }
  bool restart() override { return ready && inflateReset(&stream) == Z_OK; }

 private:
  z_stream stream{};
  bool ready = false;
};

}  // namespace

std::unique_ptr<TDecoder> newGzipDecoder(TByteSource& source) {
  return std::make_unique<TGzipDecoder>(source);
}
