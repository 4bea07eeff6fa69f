#include "Upgnread/movenumber.h"

#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "support/pgnreading.h"

namespace {

void collectLines(const jurnal& line, std::vector<const jurnal*>& lines) {
  lines.push_back(&line);
  for (int i = 0; i < line.movecount(); ++i)
    for (const std::unique_ptr<jurnal>& variant : line.variantsAt(i)) collectLines(*variant, lines);
}

// The counted numbers agree with the journal's own count from the start, wherever the lines
// stand and in whatever order they are asked.
TEST(MoveNumbers, AgreeWithTheJournalsOwnCount) {
  const char* texts[] = {
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 *",
      "1. e4 2. d4 d5 3. exd5 -- 4. c4 *",
      "1. e4 e5 (1... c5 2. Nf3 (2. c3 d5 3. exd5) 2... d6) 2. Nf3 -- (2... Nc6 3. Bb5) 3. d4 *",
  };
  std::mt19937 random(7);
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    std::unique_ptr<jurnal> journal;
    ASSERT_EQ(readMoves(text, journal), 0);
    std::vector<const jurnal*> lines;
    collectLines(*journal, lines);
    TMoveNumbers numbers;
    for (int step = 0; step < 400; ++step) {
      jurnal& line = const_cast<jurnal&>(*lines[random() % lines.size()]);
      line.current = static_cast<int>(random() % (line.movecount() + 1));
      if (step % 5 != 0 && line.current < line.movecount()) ++line.current;
      ASSERT_EQ(numbers.next(line), line.nextnumber()) << "current " << line.current;
    }
  }
}

TEST(MoveNumbers, FollowTheLinesStartWhileItHasNoMoves) {
  jurnal line(nullptr, nullptr);
  TMoveNumbers numbers;
  EXPECT_EQ(numbers.next(line), 1);
  line.startnumber = 11;
  line.blackfirst = 1;
  EXPECT_EQ(numbers.next(line), 12);
}

}  // namespace
