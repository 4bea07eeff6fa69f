#include "Upgnread/heldtext.h"

#include <algorithm>

#if GAMESIFT_HAVE_ZLIB
#include <zlib.h>
#endif

namespace {

// A game read again out of order unpacks the piece it lies in alone: small pieces keep that
// quick, at a little of the packing's gain.
constexpr int64_t kPieceBytes = 16 * 1024;

}  // namespace

void THeldText::append(std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t room = static_cast<size_t>(kPieceBytes) - open.size();
    const size_t taken = std::min(room, bytes.size());
    open.append(bytes.substr(0, taken));
    bytes.remove_prefix(taken);
    if (static_cast<int64_t>(open.size()) == kPieceBytes) closePiece();
  }
}

THeldText::~THeldText() {
#if GAMESIFT_HAVE_ZLIB
  if (packer) {
    deflateEnd(static_cast<z_stream*>(packer));
    delete static_cast<z_stream*>(packer);
  }
#endif
}

bool THeldText::packInto(TPiece& piece) {
#if GAMESIFT_HAVE_ZLIB
  if (!packer) {
    auto* stream = new z_stream{};
    // The fastest level: the text is packed as it is read, on the reading's thread.
    if (deflateInit(stream, 1) != Z_OK) {
      delete stream;
      return false;
    }
    packer = stream;
  }
  auto* stream = static_cast<z_stream*>(packer);
  if (deflateReset(stream) != Z_OK) return false;
  piece.bytes.resize(deflateBound(stream, static_cast<uLong>(open.size())));
  stream->next_in = reinterpret_cast<Bytef*>(open.data());
  stream->avail_in = static_cast<uInt>(open.size());
  stream->next_out = reinterpret_cast<Bytef*>(piece.bytes.data());
  stream->avail_out = static_cast<uInt>(piece.bytes.size());
  if (deflate(stream, Z_FINISH) != Z_STREAM_END) return false;
  piece.bytes.resize(stream->total_out);
  piece.bytes.shrink_to_fit();
  return true;
#else
  (void)piece;
  return false;
#endif
}

void THeldText::closePiece() {
  TPiece piece;
  piece.length = static_cast<int64_t>(open.size());
  piece.packed = packInto(piece);
  if (!piece.packed) piece.bytes = open;
  heldBytes += piece.length;
  pieces.push_back(std::move(piece));
  open.clear();
}

bool THeldText::unpack(const TPiece& piece, std::string& text) const {
  if (!piece.packed) {
    text = piece.bytes;
    return true;
  }
#if GAMESIFT_HAVE_ZLIB
  text.resize(static_cast<size_t>(piece.length));
  uLongf length = static_cast<uLongf>(piece.length);
  return uncompress(reinterpret_cast<Bytef*>(text.data()), &length,
                    reinterpret_cast<const Bytef*>(piece.bytes.data()),
                    static_cast<uLong>(piece.bytes.size())) == Z_OK &&
         static_cast<int64_t>(length) == piece.length;
#else
  return false;
#endif
}

bool THeldText::read(int64_t start, int64_t count, std::string& text, TUnpacked& last) const {
  text.clear();
  if (start < 1 || start > size() + 1) return false;
  int64_t at = start - 1;  // 0-based
  const int64_t end = std::min(at + std::max<int64_t>(count, 0), size());
  while (at < end) {
    const int64_t index = at / kPieceBytes;
    const int64_t pieceStart = index * kPieceBytes;
    std::string_view bytes;
    if (index < static_cast<int64_t>(pieces.size())) {
      if (last.index != index) {
        last.index = -1;
        if (!unpack(pieces[static_cast<size_t>(index)], last.text)) return false;
        last.index = index;
      }
      bytes = last.text;
    } else {
      bytes = open;
    }
    const int64_t from = at - pieceStart;
    const int64_t taken = std::min(end - at, static_cast<int64_t>(bytes.size()) - from);
    if (taken <= 0) return false;
    text.append(bytes.substr(static_cast<size_t>(from), static_cast<size_t>(taken)));
    at += taken;
  }
  return true;
}

int64_t THeldText::packedBytes() const {
  int64_t bytes = static_cast<int64_t>(open.capacity());
  for (const TPiece& piece : pieces) bytes += static_cast<int64_t>(piece.bytes.capacity());
  return bytes;
}
