// The fuzz target's checks under the normal build: its seed corpus, and pseudo-random bytes,
// token soups and damaged copies of the corpus, all from a fixed seed.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "support/readerexercise.h"
#include "support/testpaths.h"

namespace {

std::vector<std::string> corpus() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(testDataPath("reader"))) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files.push_back(bytes.str());
  }
  return files;
}

constexpr std::string_view kTokens[] = {
    "[Event \"x\"]", "[White \"w\"]", "[SetUp \"1\"]", "[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]",
    "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq e3 0 1\"]", "[ECO \"C20\"]",
    "[", "]", "\"", "\\", "\n", "\r\n", " ", "\t", "1.", "2.", "1...", "...", "1-0", "0-1",
    "1/2-1/2", "*", "e4", "e5", "d4", "d5", "Nf3", "Nc6", "Bb5", "a6", "exd5", "Qxf7#", "O-O",
    "0-0-0", "O-O-O", "e8=Q", "--", "Z0", "$1", "$256", "(", ")", "{", "}", "{c}", ";c\n",
    "\n%x\n", "!", "?", "+", "#", std::string_view("\0", 1), "\xEF\xBB\xBF", "\xC0"};

std::string tokenSoup(std::mt19937& random) {
  std::string text;
  int count = std::uniform_int_distribution<int>(1, 200)(random);
  std::uniform_int_distribution<size_t> pick(0, std::size(kTokens) - 1);
  for (int i = 0; i < count; ++i) {
    text += kTokens[pick(random)];
  }
  return text;
}

std::string randomBytes(std::mt19937& random) {
  std::string text(std::uniform_int_distribution<size_t>(0, 2000)(random), '\0');
  for (char& c : text) c = static_cast<char>(random());
  return text;
}

// A corpus file with bytes changed, cut short or spliced into itself.
std::string damaged(const std::string& original, std::mt19937& random) {
  std::string text = original;
  if (text.empty()) return text;
  std::uniform_int_distribution<size_t> at(0, text.size() - 1);
  for (int i = std::uniform_int_distribution<int>(1, 8)(random); i > 0; --i) {
    switch (random() % 3) {
      case 0: text[at(random) % text.size()] = static_cast<char>(random()); break;
      case 1: text.resize(at(random) % text.size() + 1); break;
      default: text.insert(at(random) % text.size(), text.substr(at(random) % text.size(), 40));
    }
  }
  return text;
}

class ReaderFuzzReplay : public testing::Test {
 protected:
  void SetUp() override { resetOptions(); }
};

TEST_F(ReaderFuzzReplay, CorpusFiles) {
  std::vector<std::string> files = corpus();
  ASSERT_FALSE(files.empty());
  for (const std::string& text : files) EXPECT_EQ(exerciseReader(text), "") << text.substr(0, 80);
}

TEST_F(ReaderFuzzReplay, PseudoRandomInputs) {
  std::vector<std::string> files = corpus();
  std::mt19937 random(20240611);
  for (int round = 0; round < 400; ++round) {
    std::string text;
    switch (round % 3) {
      case 0: text = randomBytes(random); break;
      case 1: text = tokenSoup(random); break;
      default: text = damaged(files[static_cast<size_t>(round) % files.size()], random);
    }
    ASSERT_EQ(exerciseReader(text), "") << "round " << round << ": " << testing::PrintToString(text);
  }
}

TEST_F(ReaderFuzzReplay, EveryPrefixOfAGame) {
  std::string text = "[Event \"x\"]\n[SetUp \"1\"]\n[FEN \"8/4P3/8/8/8/8/8/k6K w - - 0 1\"]\n"
                     "{c} 1. e8=Q+ (1. e8=N $2 {n}) 1... Kb2 2. Qe5+ Ka2 3. O-O 1-0\n";
  for (size_t length = 0; length <= text.size(); ++length)
    ASSERT_EQ(exerciseReader(text.substr(0, length)), "") << length;
}

}  // namespace
