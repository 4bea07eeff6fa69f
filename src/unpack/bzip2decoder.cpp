// bzip2 files through libbz2.

#include <bzlib.h>

#include <algorithm>
#include <climits>

#include "unpack/packedchunk.h"

namespace {

class TBzip2Decoder : public TChunkDecoder {
 public:
  explicit TBzip2Decoder(TByteSource& source) : TChunkDecoder(source, "bzip2") { begin(); }
  ~TBzip2Decoder() override { end(); }
  TBzip2Decoder(const TBzip2Decoder&) = delete;
  TBzip2Decoder& operator=(const TBzip2Decoder&) = delete;

 protected:
  TStep step(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) override {
    stream.next_in = const_cast<char*>(in);
    stream.avail_in = static_cast<unsigned>(std::min<size_t>(inLeft, UINT_MAX));
    stream.next_out = out;
    stream.avail_out = static_cast<unsigned>(std::min<size_t>(outLeft, UINT_MAX));
    const unsigned inBefore = stream.avail_in, outBefore = stream.avail_out;
    const int code = BZ2_bzDecompress(&stream);
    in += inBefore - stream.avail_in;
    inLeft -= inBefore - stream.avail_in;
    out += outBefore - stream.avail_out;
    outLeft -= outBefore - stream.avail_out;
    if (code == BZ_STREAM_END) return TStep::streamEnded;
    if (code == BZ_OK) return TStep::going;
    damage = "libbz2 error " + std::to_string(code);
    return TStep::damaged;
  }
  bool started() const override { return ready; }
  bool beginsStream(unsigned char first) const override { return first == 'B'; }
  bool restart() override {
    end();
    return begin();
  }

 private:
  bool begin() {
    stream = bz_stream{};
    ready = BZ2_bzDecompressInit(&stream, 0, 0) == BZ_OK;
    return ready;
  }
  void end() {
    if (ready) BZ2_bzDecompressEnd(&stream);
    ready = false;
  }

  bz_stream stream{};
  bool ready = false;
};

}  // namespace

std::unique_ptr<TDecoder> newBzip2Decoder(TByteSource& source) {
  return std::make_unique<TBzip2Decoder>(source);
}
