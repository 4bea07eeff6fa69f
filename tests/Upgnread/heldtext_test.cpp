// Held text gives back every stretch of what it was given, across its pieces, whichever piece a
// reader unpacked last.

#include <string>

#include <gtest/gtest.h>

#include "Upgnread/heldtext.h"

namespace {

TEST(HeldText, GivesBackEveryStretchAcrossPiecesAndItsOpenEnd) {
  std::string text;
  uint32_t state = 12345;
  for (int i = 0; i < 150000; ++i) {
    state = state * 1103515245u + 12345u;
    // Mostly game-like bytes, some of them random, so that pieces pack to different lengths.
    text.push_back(i % 7 == 0 ? static_cast<char>(state >> 24) : "1.e4 e5 2.Nf3 "[i % 14]);
  }
  THeldText held;
  for (size_t at = 0; at < text.size(); at += 777) held.append(std::string_view(text).substr(at, 777));
  ASSERT_EQ(held.size(), static_cast<int64_t>(text.size()));
  EXPECT_LT(held.packedBytes(), static_cast<int64_t>(text.size()));
  THeldText::TUnpacked last;
  std::string got;
  for (int64_t start : {1, 2, 16384, 16385, 16386, 40000, 149990, 150000, 150001}) {
    for (int64_t count : {0, 1, 100, 16384, 40000}) {
      ASSERT_TRUE(held.read(start, count, got, last)) << start << " " << count;
      EXPECT_EQ(got, text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)))
          << start << " " << count;
    }
  }
  EXPECT_FALSE(held.read(150002, 10, got, last));
  EXPECT_FALSE(held.read(0, 10, got, last));
}

}  // namespace
