// An output file that is also an input, through the program on an input larger than the moves it
// keeps in memory: the games read again from the input must not be read from what this run has
// already written over it.

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "cliprogram.h"
#include "support/pipeline.h"

namespace {

namespace fs = std::filesystem;

// Past the program's 16 MB of game text kept with moves, so most games are read again.
constexpr size_t kInputBytes = 18 * 1024 * 1024;

int gamesIn(const std::string& text) {
  int count = 0;
  for (size_t at = text.find("[Event "); at != std::string::npos; at = text.find("[Event ", at + 1))
    ++count;
  return count;
}

class OutputIsInput : public TPipelineTest {
 protected:
  static void SetUpTestSuite() {
    std::string* text = new std::string;
    for (int i = 0; text->size() < kInputBytes; ++i)
      *text += pgnText(gameText("Player " + std::to_string(i), "Other", i % 3 ? "1-0" : "0-1",
                                "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7"));
    bigText = text;
  }
  static void TearDownTestSuite() {
    delete bigText;
    bigText = nullptr;
  }
  TProgramResult run(std::vector<std::string> args) {
    args.insert(args.begin(), "-q");
    TProgramOptions inFolder;
    inFolder.workDir = folder.path();
    return gamesift(args, inFolder);
  }
  static const std::string* bigText;
};

const std::string* OutputIsInput::bigText = nullptr;

TEST_F(OutputIsInput, WrittenOverWithReplaceOrAppendedToOrThroughALink) {
  const std::string& text = *bigText;
  folder.write("big.pgn", text);
  const TProgramResult replaced = run({"big.pgn", "--replace", "-o", "big"});
  EXPECT_EQ(replaced.status, 0) << replaced.err;
  EXPECT_EQ(replaced.err, "");
  EXPECT_TRUE(folder.read("big.pgn") == text);

  const TProgramResult appended = run({"big.pgn", "-o", "big"});
  EXPECT_EQ(appended.status, 0) << appended.err;
  EXPECT_TRUE(folder.read("big.pgn") == text + text);

  folder.write("big.pgn", text);
  fs::create_symlink(folder / "big.pgn", folder / "link.pgn");
  const TProgramResult linked = run({"./big.pgn", "--replace", "-o", "link"});
  EXPECT_EQ(linked.status, 0) << linked.err;
  EXPECT_TRUE(folder.read("big.pgn") == text);
}

TEST_F(OutputIsInput, OneFileOfASplitIsTheInput) {
  const std::string& text = *bigText;
  folder.write("games_res=whitewin.pgn", text);
  const TProgramResult result =
      run({"games_res=whitewin.pgn", "--split-result", "--replace", "-o", "games"});
  EXPECT_EQ(result.status, 0) << result.err;
  const int total = gamesIn(text);
  const int whiteWins = gamesIn(folder.read("games_res=whitewin.pgn"));
  const int blackWins = gamesIn(folder.read("games_res=blackwin.pgn"));
  EXPECT_EQ(whiteWins + blackWins, total);
  EXPECT_EQ(blackWins, (total + 2) / 3);
}

}  // namespace
