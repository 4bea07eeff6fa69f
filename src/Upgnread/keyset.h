#pragma once
// The keys of every game a streaming run has let through, to tell a later copy from the first:
// 16 bytes a game in one flat table, where the whole-base run holds the games themselves.

#include <cstddef>
#include <cstdint>
#include <vector>

class TGameKeySet {
 public:
  // Adds the keys; false when the set held them already. Two zero keys belong to no played game
  // and are never held: a game without keys is never a copy.
  bool insert(uint64_t startKey, uint64_t movesKey);
  bool contains(uint64_t startKey, uint64_t movesKey) const;
  int64_t size() const { return count; }
  // The bytes the table takes.
  int64_t bytes() const { return static_cast<int64_t>(slots.capacity() * sizeof(TSlot)); }

 private:
  struct TSlot {
    uint64_t start = 0;
    uint64_t moves = 0;
  };
  void grow();
  size_t slotOf(uint64_t startKey, uint64_t movesKey) const;

  std::vector<TSlot> slots;
  int64_t count = 0;
};
