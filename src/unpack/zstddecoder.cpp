// zstd files through libzstd.

#include <zstd.h>

#include "unpack/packedchunk.h"

namespace {

class TZstdDecoder : public TChunkDecoder {
 public:
  explicit TZstdDecoder(TByteSource& source)
      : TChunkDecoder(source, "zstd"), context(ZSTD_createDCtx()) {}
  ~TZstdDecoder() override { ZSTD_freeDCtx(context); }
  TZstdDecoder(const TZstdDecoder&) = delete;
  TZstdDecoder& operator=(const TZstdDecoder&) = delete;

 protected:
  TStep step(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) override {
    ZSTD_inBuffer input{in, inLeft, 0};
    ZSTD_outBuffer output{out, outLeft, 0};
    const size_t code = ZSTD_decompressStream(context, &output, &input);
    in += input.pos;
    inLeft -= input.pos;
    out += output.pos;
    outLeft -= output.pos;
    if (ZSTD_isError(code)) {
      damage = ZSTD_getErrorName(code);
      return TStep::damaged;
    }
    // 0: a frame ended and all its text is out.
    return code == 0 ? TStep::streamEnded : TStep::going;
  }
  bool started() const override { return context != nullptr; }
  bool beginsStream(unsigned char first) const override {
    return first == 0x28 || (first & 0xF0) == 0x50;
  }
  bool restart() override { return context != nullptr; }

 private:
  ZSTD_DCtx* context;
};

}  // namespace

std::unique_ptr<TDecoder> newZstdDecoder(TByteSource& source) {
  return std::make_unique<TZstdDecoder>(source);
}
