// The streaming run writes part by part what the whole-base run writes at once: the same files
// with the same bytes, the same counts, wherever the order of the games is the same.

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/keyset.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnstretches.h"
#include "Upgnread/splitting.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/streamrun.h"
#include "support/pipeline.h"
#include "support/testpaths.h"

namespace {

namespace fs = std::filesystem;

const char* const kOpenings[] = {"1.e4 e5 2.Nf3 Nc6 3.", "1.d4 d5 2.c4 e6 3.",
                                 "1.c4 e5 2.Nc3 Nf6 3.", "1.e4 c5 2.Nf3 d6 3.d4 cxd4 4."};
const char* const kNextMoves[] = {"a3", "h3", "a4", "h4", "b3", "g3", "b4"};
const char* const kResults[] = {"1-0", "0-1", "1/2-1/2", "*"};

// Games enough for several parts, with copies of earlier games under other tags, players whose
// names make split names too long to keep whole, and a bad game now and then.
std::string manyGames() {
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    TGameText game = gameText("Player " + std::to_string(i % 37) + std::string(i % 5, 'x'),
                              "Other " + std::to_string(i % 11), kResults[i % 4],
                              kOpenings[i % 4] + std::string(kNextMoves[i % 7]));
    if (i % 23 == 0) game.moves = "1.e4 e5 2.Ke3";
    if (i % 9 == 0) game.white = std::string(120, 'L') + std::to_string(i % 3);
    game.event = "Event " + std::to_string(i % 13);
    text += pgnText(game);
  }
  return text;
}

struct TRunCounts {
  int32_t written = 0, duplicates = 0, alreadyLoaded = 0, accepted = 0, files = 0;
  bool operator==(const TRunCounts&) const = default;
};

TRunCounts countsNow() {
  return {gamesWritten, duplicatesDropped, gamesAlreadyLoaded, gamesAccepted, outputFilesWritten};
}

// File by file, so that a difference names the file rather than printing every game.
void expectSameFiles(const std::map<std::string, std::string>& streamed,
                     const std::map<std::string, std::string>& whole) {
  EXPECT_EQ(streamed.size(), whole.size());
  for (const auto& [name, text] : whole) {
    const auto found = streamed.find(name);
    if (found == streamed.end()) {
      ADD_FAILURE() << name << " not written";
      continue;
    }
    EXPECT_TRUE(found->second == text) << name << ": " << found->second.size() << " bytes, not "
                                       << text.size();
  }
}

class StreamedRun : public TPipelineTest {
 protected:
  int partsWritten = 0;

  void TearDown() override {
    blockBytes = 64 * 1024 * 1024;
    stretchBytes = 1024 * 1024;
    textBufferLength = kDefaultTextBufferLength;
    TPipelineTest::TearDown();
  }

  // Applies the options, as a fresh tool run would.
  void setOptions(const std::map<std::string, int>& edits) {
    resetOptions();
    resetJobReport();
    nameCounter = 0;
    for (const auto& [name, value] : edits) {
      if (name == "duplicates") removeDuplicates = value != 0;
      if (name == "white") splitByWhite = value != 0;
      if (name == "event") splitByEvent = value != 0;
      if (name == "result") splitByResult = value != 0;
      if (name == "mask") resultMask = static_cast<uint8_t>(value);
    }
  }

  void wholeBase(const std::vector<fs::path>& inputs, const fs::path& base) {
    for (const fs::path& input : inputs) loadFileJob(input);
    writeJob(base);
  }

  int32_t streamed(const std::vector<fs::path>& inputs, const fs::path& base) {
    beginStreamedRun(base, {inputs[0]});
    // Many parts from a small input.
    blockBytes = 192 * 1024;
    stretchBytes = 32 * 1024;
    const TBatchSink writePart = loadedPartSink;
    partsWritten = 0;
    loadedPartSink.take = [this, writePart](TGames& batch) {
      ++partsWritten;
      writePart(batch);
    };
    for (const fs::path& input : inputs) {
      startStreamedInput();
      loadFileJob(input);
    }
    return endStreamedRun();
  }
};

TEST_F(StreamedRun, WritesTheBytesAndCountsOfTheWholeBaseRun) {
  std::vector<fs::path> inputs{folder.write("games.pgn", manyGames())};
  inputs.push_back(inputs[0]);  // the same file again: every game already loaded
  const fs::path shared = sharedDataPath("pgn/twic/twic944.pgn");
  if (!shared.empty() && fs::exists(shared)) inputs.push_back(shared);
  fs::create_directories(folder / "whole");
  fs::create_directories(folder / "streamed");
  const std::vector<std::map<std::string, int>> optionSets{
      {},
      {{"duplicates", 1}},
      {{"duplicates", 1}, {"white", 1}, {"result", 1}},
      {{"event", 1}, {"mask", kResultWhiteWins | kResultDraw}},
  };
  for (const auto& options : optionSets) {
    SCOPED_TRACE(::testing::PrintToString(options));
    fs::remove_all(folder / "whole");
    fs::remove_all(folder / "streamed");
    fs::create_directories(folder / "whole");
    fs::create_directories(folder / "streamed");
    setOptions(options);
    ASSERT_TRUE(optionsStream());
    wholeBase(inputs, folder / "whole" / "out");
    const TRunCounts whole = countsNow();
    setOptions(options);
    streamed(inputs, folder / "streamed" / "out");
    EXPECT_EQ(countsNow(), whole);
    EXPECT_GT(whole.written, 0);
    expectSameFiles(filesIn(folder / "streamed"), filesIn(folder / "whole"));
  }
}

// Names too long for the host are cut and numbered in the order the files are planned, which a
// streaming run cannot know: the numbers may differ, but each long name keeps one cut through
// every part, so the files hold the same games.
TEST_F(StreamedRun, CutNamesKeepOneFileEachThroughEveryPart) {
  const fs::path input = folder.write("games.pgn", manyGames());
  fs::create_directories(folder / "whole");
  fs::create_directories(folder / "streamed");
  textBufferLength = static_cast<int32_t>((folder / "whole" / "out").native().size()) + 30;
  setOptions({{"white", 1}});
  wholeBase({input}, folder / "whole" / "out");
  setOptions({{"white", 1}});
  streamed({input}, folder / "streamed" / "out");
  EXPECT_GT(nameCounter, 0);
  EXPECT_GT(partsWritten, 2);
  std::vector<std::string> wholeTexts, streamedTexts;
  for (const auto& [name, text] : filesIn(folder / "whole")) wholeTexts.push_back(text);
  for (const auto& [name, text] : filesIn(folder / "streamed")) streamedTexts.push_back(text);
  std::sort(wholeTexts.begin(), wholeTexts.end());
  std::sort(streamedTexts.begin(), streamedTexts.end());
  EXPECT_EQ(streamedTexts.size(), wholeTexts.size());
  EXPECT_TRUE(streamedTexts == wholeTexts);
}

TEST_F(StreamedRun, SplitsThatSortInsideAFileOrSpanEveryGameDoNotStream) {
  EXPECT_TRUE(optionsStream());
  splitByDate = 1;
  EXPECT_FALSE(optionsStream());
  resetOptions();
  splitByPlayer = true;
  EXPECT_FALSE(optionsStream());
  resetOptions();
  whiteEloParts = 4;
  EXPECT_FALSE(optionsStream());
}

// A file the run may write, under any of its names or through a link, is read by the whole-base
// run, which holds its games before writing over it.
TEST_F(StreamedRun, AnOutputThatMayBeAnInputIsFound) {
  const fs::path input = folder.write("elsewhere.pgn", manyGames().substr(0, 2000));
  fs::create_directories(folder / "out");
  EXPECT_FALSE(outputMayBeInput(folder / "out" / "games", {input}));
  fs::create_hard_link(input, folder / "out" / "games_res=draw.pgn");
  EXPECT_TRUE(outputMayBeInput(folder / "out" / "games", {input}));
  EXPECT_FALSE(outputMayBeInput(folder / "out" / "other", {input}));
  EXPECT_TRUE(outputMayBeInput(folder / "elsewhere", {folder / "out" / ".." / "elsewhere.pgn"}));
}

TEST(GameKeySet, TellsEachKeyPairOnceThroughEveryGrowth) {
  TGameKeySet keys;
  EXPECT_FALSE(keys.contains(1, 2));  // no table yet
  uint64_t state = 88172645463325252ull;
  std::vector<std::pair<uint64_t, uint64_t>> added;
  for (int i = 0; i < 50000; ++i) {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    // Many games share a start; some differ from another only in it.
    if (i % 5 == 0 && i > 0)
      added.push_back({state, added[i / 2].second});
    else
      added.push_back({i % 3 == 0 ? state : 0x463b96181691fc9cull, state * 31});
    EXPECT_EQ(keys.insert(added.back().first, added.back().second), true) << i;
  }
  for (const auto& [start, moves] : added) {
    EXPECT_TRUE(keys.contains(start, moves));
    EXPECT_FALSE(keys.contains(start, moves + 1));
    EXPECT_FALSE(keys.insert(start, moves));
  }
  EXPECT_EQ(keys.size(), 50000);
  EXPECT_TRUE(keys.insert(0, 0));  // no played game has two zero keys: never a copy
  EXPECT_TRUE(keys.insert(0, 0));
  EXPECT_FALSE(keys.contains(0, 0));
  EXPECT_LE(keys.bytes(), 50000 * 16 * 2 * 8 / 7 + 1);
}

}  // namespace
