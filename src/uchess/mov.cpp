#include <algorithm>
#include <cstring>
#include <type_traits>

#include "uchess/jurnal.h"

void TSanText::assign(std::string_view text) {
  length = static_cast<uint8_t>(std::min<size_t>(text.size(), kCapacity));
  char filled[kCapacity] = {};
  std::copy_n(text.data(), length, filled);
  std::memcpy(chars, filled, kCapacity);
}

static_assert(sizeof(mov) <= 24, "a move record stays small: games hold millions of them");
static_assert(std::is_trivially_copyable_v<mov>, "lines move their moves as bytes");
