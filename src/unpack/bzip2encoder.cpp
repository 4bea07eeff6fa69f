// bzip2 output through libbz2.

#include <bzlib.h>

#include <limits>

#include "unpack/encoder.h"

bool packBzip2(std::string_view text, std::string& packed) {
  // libbz2 counts in unsigned int; its worst case is 1% and 600 bytes over the text.
  if (text.size() > std::numeric_limits<unsigned int>::max() / 2) return false;
  const size_t at = packed.size();
  unsigned int room = static_cast<unsigned int>(text.size() + text.size() / 100 + 600);
  packed.resize(at + room);
  const int code = BZ2_bzBuffToBuffCompress(packed.data() + at, &room,
                                            const_cast<char*>(text.data()),
                                            static_cast<unsigned int>(text.size()), 9, 0, 0);
  packed.resize(code == BZ_OK ? at + room : at);
  return code == BZ_OK;
}
