#include "uchess/ecobase.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "btfile/bytefile.h"
#include "platform/platform.h"
#include "uchess/fileutil.h"

namespace {

ecoinfar base;
// One bit per value of a key's low 16 bits, set for the keys of the base: most positions of a
// game are in no opening, and the bit tells so before any search.
constexpr size_t kFilterBits = 1 << 16;
uint64_t keyFilter[kFilterBits / 64];

size_t filterBit(int64_t key) {
  return static_cast<size_t>(static_cast<uint64_t>(key) & (kFilterBits - 1));
}

void fillKeyFilter() {
  std::fill(std::begin(keyFilter), std::end(keyFilter), 0);
  for (const ecoinfo& entry : base) {
    size_t bit = filterBit(entry.key);
    keyFilter[bit / 64] |= uint64_t{1} << (bit % 64);
  }
}

bool mayHoldKey(int64_t key) {
  size_t bit = filterBit(key);
  return (keyFilter[bit / 64] >> (bit % 64)) & 1;
}
// Loading may be asked for from the worker and from the interface thread; lookups happen only
// once a load has finished.
TRecursiveLock& loading() {
  static std::unique_ptr<TRecursiveLock> lock(newRecursiveLock());
  return *lock;
}

bool keyLess(const ecoinfo& a, const ecoinfo& b) {
  return a.key < b.key;
}

ecoinfo readRecord(bytefile& file) {
  ecoinfo entry;
  uint64_t high = static_cast<uint32_t>(file.readint());
  uint64_t low = static_cast<uint32_t>(file.readint());
  entry.key = static_cast<int64_t>((high << 32) | low);
  for (int i = 0; i < 3; ++i) entry.code += static_cast<char>(file.readbyte());
  return entry;
}

bool loadLocked(const std::filesystem::path& path) {
  base.clear();
  bytefile file(path, true);
  if (file.failed) return false;
  // A shorter tail after the last whole record is ignored.
  int64_t count = std::min<int64_t>(file.size() / kEcoRecordSize, INT32_MAX);
  base.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) base.push_back(readRecord(file));
  // The search needs ascending keys; a base written in another order would miss most positions.
  if (!std::is_sorted(base.begin(), base.end(), keyLess))
    std::stable_sort(base.begin(), base.end(), keyLess);
  fillKeyFilter();
  return true;
}

}  // namespace

const ecoinfar& ecoBase() {
  return base;
}

void loadeco() {
  loadecoFrom(hostFolder() / "plugins" / "ecos.dat");
}

bool loadecoFrom(const std::filesystem::path& file) {
  TLockHold hold(loading());
  return loadLocked(file);
}

bool ensureEcoBase() {
  TLockHold hold(loading());
  if (base.empty()) loadLocked(hostFolder() / "plugins" / "ecos.dat");
  return !base.empty();
}

void clearEcoBase() {
  TLockHold hold(loading());
  ecoinfar().swap(base);
}

int findeco(int64_t key) {
  if (!mayHoldKey(key) || base.empty() || base.front().key > key) return -1;
  if (base.front().key == key) return 0;
  int last = static_cast<int>(base.size()) - 1;
  if (last == 0 || base[last].key < key) return -1;
  if (base[last].key == key) return last;
  int lo = 0, hi = last;
  while (hi > lo + 1) {
    int mid = (lo + hi) / 2;
    if (key < base[mid].key) {
      hi = mid;
    } else if (key == base[mid].key) {
      return mid;
    } else {
      lo = mid;
    }
  }
  return -1;
}
