// xz files through liblzma.

#include <lzma.h>

#include "unpack/packedchunk.h"

namespace {

class TXzDecoder : public TChunkDecoder {
 public:
  explicit TXzDecoder(TByteSource& source) : TChunkDecoder(source, "xz") { restart(); }
  ~TXzDecoder() override { lzma_end(&stream); }
  TXzDecoder(const TXzDecoder&) = delete;
  TXzDecoder& operator=(const TXzDecoder&) = delete;

 protected:
  TStep step(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) override {
    stream.next_in = reinterpret_cast<const uint8_t*>(in);
    stream.avail_in = inLeft;
    stream.next_out = reinterpret_cast<uint8_t*>(out);
    stream.avail_out = outLeft;
    const lzma_ret code = lzma_code(&stream, LZMA_RUN);
    in += inLeft - stream.avail_in;
    inLeft = stream.avail_in;
    out += outLeft - stream.avail_out;
    outLeft = stream.avail_out;
    if (code == LZMA_STREAM_END) return TStep::streamEnded;
    if (code == LZMA_OK || code == LZMA_BUF_ERROR) return TStep::going;
    damage = code == LZMA_DATA_ERROR     ? "the packed data is corrupt"
             : code == LZMA_FORMAT_ERROR ? "no xz stream"
                                         : "liblzma error " + std::to_string(code);
    return TStep::damaged;
  }
  bool started() const override { return ready; }
  bool beginsStream(unsigned char first) const override { return first == 0xFD; }
  // A fresh decoder per stream: one decoder across streams would also take the padding between
  // them, but reports a cut only when told that the input is finished.
  bool restart() override {
    lzma_end(&stream);
    stream = LZMA_STREAM_INIT;
    ready = lzma_stream_decoder(&stream, UINT64_MAX, 0) == LZMA_OK;
    return ready;
  }

 private:
  lzma_stream stream = LZMA_STREAM_INIT;
  bool ready = false;
};

}  // namespace

std::unique_ptr<TDecoder> newXzDecoder(TByteSource& source) {
  return std::make_unique<TXzDecoder>(source);
}
