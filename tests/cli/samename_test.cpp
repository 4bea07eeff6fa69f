// A file name met twice in one run (two tag values that become one name) is appended to even with
// --replace: --replace replaces what stood in the file before the run, never what the run itself
// wrote into it a moment before. Through the real program.

#include <gtest/gtest.h>

#include "cliprogram.h"
#include "support/pipeline.h"

namespace {

class SameName : public TPipelineTest {};

TEST_F(SameName, ReplaceKeepsEveryGroupThatEndsUpUnderOneName) {
  const std::string slash = pgnText(gameText("A", "B", "1-0", "1.e4 e5", "2004.01.01", "x/y"));
  const std::string one = pgnText(gameText("E", "F", "1-0", "1.c4 e5", "2004.01.01", "x1"));
  const std::string under = pgnText(gameText("C", "D", "0-1", "1.d4 d5", "2004.01.01", "x_y"));
  const std::filesystem::path input = folder.write("in.pgn", under + one + slash);
  std::filesystem::create_directory(folder / "out");
  folder.write("out/games_tournament=x_y.pgn", "from an earlier run\r\n");
  const TProgramResult run = gamesift(
      {"-q", input.string(), "--split-event", "--replace", "-o", (folder / "out").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  // "x/y" and "x_y" both name the file x_y, with "x1" between them in the written order.
  const std::map<std::string, std::string> expected = {{"games_tournament=x1.pgn", one},
                                                       {"games_tournament=x_y.pgn", slash + under}};
  EXPECT_EQ(filesIn(folder / "out"), expected);
}

}  // namespace
