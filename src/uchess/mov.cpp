#include <algorithm>
#include <cstring>

#include "uchess/jurnal.h"

void TSanText::assign(std::string_view text) {
  length = static_cast<uint8_t>(std::min<size_t>(text.size(), kCapacity));
  char filled[kCapacity] = {};
  std::copy_n(text.data(), length, filled);
  std::memcpy(chars, filled, kCapacity);
}

static_assert(sizeof(mov) <= 32, "a move record stays small: games hold millions of them");

mov::mov(const mov& other)
    : piece(other.piece),
      fromfile(other.fromfile),
      fromrank(other.fromrank),
      tofile(other.tofile),
      torank(other.torank),
      special(other.special),
      captured(other.captured),
      changes(other.changes),
      mark(other.mark),
      san(other.san) {
  if (!other.comment().empty()) setComment(other.comment());
}

mov& mov::operator=(const mov& other) {
  if (&other == this) return *this;
  mov copy(other);
  // the variations of this record are given up, as a fresh copy would have none
  *this = std::move(copy);
  return *this;
}

const std::string& mov::noComment() {
  static const std::string kNone;
  return kNone;
}

void mov::setComment(std::string text) {
  if (text.empty() && !extras) return;
  if (!extras) extras = std::make_unique<TMoveExtras>();
  extras->comment = std::move(text);
  if (extras->comment.empty() && extras->variants.empty()) extras.reset();
}

const std::vector<std::unique_ptr<jurnal>>& mov::noVariants() {
  static const std::vector<std::unique_ptr<jurnal>> kNone;
  return kNone;
}

std::vector<std::unique_ptr<jurnal>>& mov::mutableVariants() {
  if (!extras) extras = std::make_unique<TMoveExtras>();
  return extras->variants;
}
