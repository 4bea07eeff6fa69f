#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "plugcommon/chunkedarray.h"

namespace {

// Owns heap memory and counts the live ones, so a leak, a double destruction or a copy where a
// move was due shows.
struct TCounted {
  static inline int live = 0;
  TCounted() : value(std::make_unique<int>(-1)) { ++live; }
  explicit TCounted(int v) : value(std::make_unique<int>(v)) { ++live; }
  TCounted(TCounted&& other) noexcept : value(std::move(other.value)) { ++live; }
  TCounted& operator=(TCounted&& other) noexcept {
    value = std::move(other.value);
    return *this;
  }
  ~TCounted() { --live; }
  int get() const { return value ? *value : -100; }
  std::unique_ptr<int> value;
};

using TSmall = TChunkedArray<TCounted, 4>;

TSmall numbered(int from, int count) {
  TSmall array;
  for (int i = 0; i < count; ++i) array.emplace_back(from + i);
  return array;
}

std::vector<int> valuesOf(const TSmall& array) {
  std::vector<int> values;
  for (const TCounted& item : array) values.push_back(item.get());
  return values;
}

std::vector<int> range(int from, int count) {
  std::vector<int> values(static_cast<size_t>(count));
  std::iota(values.begin(), values.end(), from);
  return values;
}

class ChunkedArray : public ::testing::Test {
 protected:
  void SetUp() override { TCounted::live = 0; }
  void TearDown() override { EXPECT_EQ(TCounted::live, 0); }
};

TEST_F(ChunkedArray, ElementsStayWhereTheyWereAsTheArrayGrows) {
  TSmall array = numbered(0, 3);
  const TCounted* third = &array[2];
  for (int i = 3; i < 40; ++i) array.emplace_back(i);
  EXPECT_EQ(&array[2], third);
  EXPECT_EQ(valuesOf(array), range(0, 40));
  EXPECT_EQ(TCounted::live, 40);
}

TEST_F(ChunkedArray, ResizeMakesAndDestroysOnlyTheElementsInRange) {
  TSmall array = numbered(0, 10);
  array.resize(5);
  EXPECT_EQ(TCounted::live, 5);
  array.resize(7);
  EXPECT_EQ(valuesOf(array), (std::vector<int>{0, 1, 2, 3, 4, -1, -1}));
  array.clear();
  EXPECT_TRUE(array.empty());
  EXPECT_EQ(TCounted::live, 0);
  array.emplace_back(9);  // usable again after clearing
  EXPECT_EQ(array.back().get(), 9);
}

// Sizes on and off a chunk boundary on either side: whole chunks handed over, or moved one by one.
TEST_F(ChunkedArray, AppendMovesEveryElementInOrderAndEmptiesTheOther) {
  for (int mine : {0, 3, 4, 8, 9}) {
    for (int theirs : {0, 1, 4, 6, 13}) {
      TSmall array = numbered(0, mine);
      TSmall other = numbered(mine, theirs);
      array.append(std::move(other));
      EXPECT_EQ(valuesOf(array), range(0, mine + theirs)) << mine << " + " << theirs;
      EXPECT_TRUE(other.empty());
      EXPECT_EQ(TCounted::live, mine + theirs);
      other.emplace_back(99);  // the emptied array takes new elements
      array.emplace_back(mine + theirs);
      EXPECT_EQ(valuesOf(other), std::vector<int>{99});
      EXPECT_EQ(valuesOf(array), range(0, mine + theirs + 1));
    }
  }
}

TEST_F(ChunkedArray, EraseIfKeepsTheOrderOfTheRest) {
  TSmall array = numbered(0, 11);
  EXPECT_EQ(erase_if(array, [](const TCounted& item) { return item.get() % 3 == 0; }), 4u);
  EXPECT_EQ(valuesOf(array), (std::vector<int>{1, 2, 4, 5, 7, 8, 10}));
  EXPECT_EQ(TCounted::live, 7);
}

TEST_F(ChunkedArray, IteratorsServeStandardAlgorithms) {
  TSmall array = numbered(0, 10);
  std::reverse(array.begin(), array.end());
  EXPECT_EQ(array.front().get(), 9);
  const auto found = std::find_if(array.begin(), array.end(),
                                  [](const TCounted& item) { return item.get() == 4; });
  EXPECT_EQ(found - array.begin(), 5);
  EXPECT_EQ(found[1].get(), 3);
  TSmall moved(std::move(array));
  EXPECT_TRUE(array.empty());
  EXPECT_EQ(moved.size(), 10u);
}

}  // namespace
