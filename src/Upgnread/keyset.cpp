#include "Upgnread/keyset.h"

namespace {

// Filled to at most 7 in 8: past that, a lookup that finds nothing walks long runs of slots.
constexpr int64_t kLoadEighths = 7;
constexpr size_t kFirstSlots = 1024;

}  // namespace

size_t TGameKeySet::slotOf(uint64_t startKey, uint64_t movesKey) const {
  // The keys are position hashes already; the multiply spreads games that share a start.
  const uint64_t mixed = (movesKey ^ (startKey * 0x9E3779B97F4A7C15ull)) * 0xD6E8FEB86659FD93ull;
  return static_cast<size_t>(mixed >> 32) & (slots.size() - 1);
}

void TGameKeySet::grow() {
  std::vector<TSlot> old;
  old.swap(slots);
  slots.assign(old.empty() ? kFirstSlots : old.size() * 2, TSlot{});
  for (const TSlot& slot : old) {
    if (slot.start == 0 && slot.moves == 0) continue;
    size_t at = slotOf(slot.start, slot.moves);
    while (slots[at].start != 0 || slots[at].moves != 0) at = (at + 1) & (slots.size() - 1);
    slots[at] = slot;
  }
}

bool TGameKeySet::contains(uint64_t startKey, uint64_t movesKey) const {
  if ((startKey == 0 && movesKey == 0) || slots.empty()) return false;
  for (size_t at = slotOf(startKey, movesKey);; at = (at + 1) & (slots.size() - 1)) {
    const TSlot& slot = slots[at];
    if (slot.start == startKey && slot.moves == movesKey) return true;
    if (slot.start == 0 && slot.moves == 0) return false;
  }
}

bool TGameKeySet::insert(uint64_t startKey, uint64_t movesKey) {
  if (startKey == 0 && movesKey == 0) return true;
  if ((count + 1) * 8 > static_cast<int64_t>(slots.size()) * kLoadEighths) grow();
  size_t at = slotOf(startKey, movesKey);
  for (;; at = (at + 1) & (slots.size() - 1)) {
    TSlot& slot = slots[at];
    if (slot.start == startKey && slot.moves == movesKey) return false;
    if (slot.start == 0 && slot.moves == 0) {
      slot = TSlot{startKey, movesKey};
      ++count;
      return true;
    }
  }
}
