// An output file that is also an input: the lean games read from it must all be written, and a
// run that cannot hold them writes nothing rather than losing them.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/options.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/writteninputs.h"
#include "platform/platform.h"
#include "support/pipeline.h"

namespace {

namespace fs = std::filesystem;

std::string games(int count, const std::string& result) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += pgnText(gameText("W" + std::to_string(i), "B", result, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6"));
  return text;
}

class WrittenInputs : public TPipelineTest {
 protected:
  void SetUp() override {
    TPipelineTest::SetUp();
    journalBudget = 0;  // every game lean: each one depends on its file
    appendToExisting = false;
  }
  void TearDown() override {
    journalBudget = kDefaultJournalBudget;
    memoryLeftForRun = availableMemory;
    TPipelineTest::TearDown();
  }
  void loadAndWrite(const std::vector<fs::path>& inputs, const fs::path& base) {
    for (const fs::path& input : inputs) loadFileJob(input);
    writeJob(base);
  }
};

// Only one file of the split is an input, loaded by another spelling of its name; it is written
// before the games of the input that come after its own are read. Games of that input that the
// filters leave out stay in the base: a later run must find their moves too. (A whole file
// written over itself is tried through the program, on an input past its journal budget.)
TEST_F(WrittenInputs, ASplitFileThatIsAnInputAndGamesLeftOutOfTheRun) {
  const std::string wins = games(10, "1-0");
  const std::string draws = games(6, "1/2-1/2");
  const fs::path mixed = folder.write("out_res=whitewin.pgn", wins + draws);
  const fs::path other = folder.write("other.pgn", games(5, "0-1"));
  splitByResult = true;
  resultMask = kResultWhiteWins | kResultBlackWins;
  fs::create_directory(folder / "sub");
  loadAndWrite({folder / "sub" / ".." / mixed.filename(), other}, folder / "out");
  EXPECT_EQ(gamesNotWritten, 0);
  EXPECT_EQ(folder.read("out_res=whitewin.pgn"), wins);
  EXPECT_EQ(folder.read("out_res=blackwin.pgn"), games(5, "0-1"));
  resultMask = kResultAll;
  splitByResult = false;
  writeJob(folder / "all");
  EXPECT_EQ(gamesNotWritten, 0);
  EXPECT_EQ(gamesWritten, 10 + 5 + 21);
}

TEST_F(WrittenInputs, NoRoomToHoldTheInputWritesNothing) {
  const std::string text = games(30, "1-0");
  const fs::path input = folder.write("in.pgn", text);
  memoryLeftForRun = [] { return uint64_t{1024}; };
  loadAndWrite({input}, folder / "in");
  EXPECT_EQ(folder.read("in.pgn"), text);
  EXPECT_EQ(gamesWritten, 0);
  EXPECT_EQ(writesFailed, 1);
  ASSERT_EQ(problemLines().size(), 1u);
  EXPECT_NE(problemLines()[0].find("in.pgn: is read by this run and also one of its output"),
            std::string::npos);
  // Another output still takes the games.
  writeJob(folder / "elsewhere");
  EXPECT_EQ(folder.read("elsewhere.pgn"), text);
}

}  // namespace
