// The program's streaming run: a pipe of repeated games kept once, and the bytes of the run that
// reads everything first.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cliprogram.h"
#include "support/pipeline.h"
#include "support/tempfolder.h"

namespace {

namespace fs = std::filesystem;

TEST(Streaming, APipeOfRepeatedGamesKeepsOneCopyOfEach) {
  TTempFolder folder;
  const std::string classics = examplesPath("classics.pgn").string();
  const TProgramResult repeated = runProgram(
      "/bin/sh", {"-c", "cat \"$1\" \"$1\" \"$1\" | exec \"$0\" - --drop-duplicates -o \"$2\"",
                  gamesiftProgram().string(), classics, (folder / "repeated").string()});
  const TProgramResult once =
      gamesift({classics, "--drop-duplicates", "-o", (folder / "once").string()});
  ASSERT_EQ(repeated.status, 0) << repeated.err;
  ASSERT_EQ(once.status, 0) << once.err;
  const int kept = reported(once.err, "games written");
  EXPECT_GT(kept, 0);
  EXPECT_EQ(reported(repeated.err, "duplicates dropped"),
            reported(once.err, "duplicates dropped") + 2 * (kept + reported(once.err, "duplicates dropped")));
  EXPECT_EQ(folder.read("repeated.pgn"), folder.read("once.pgn"));
}

// The games go out in the order they were read, whichever way the run goes.
TEST(Streaming, InputsOutOfNameOrderGiveTheBytesOfTheRunThatReadsEverythingFirst) {
  TTempFolder folder;
  const fs::path a = folder / "a.pgn";
  const fs::path b = folder / "b.pgn";
  fs::copy_file(examplesPath("classics.pgn"), a);
  fs::copy_file(examplesPath("studies.pgn"), b);
  fs::create_directories(folder / "streamed");
  fs::create_directories(folder / "whole");
  // A link to an input among the names a run may write: that run reads everything first.
  fs::create_hard_link(a, folder / "whole" / "games_input.pgn");
  for (const char* split : {"--split-eco=none", "--split-eco=letter"}) {
    const std::vector<std::string> options{b.string(), a.string(), "--replace", split, "-o"};
    std::vector<std::string> streamedArgs = options, wholeArgs = options;
    streamedArgs.push_back((folder / "streamed" / "games").string());
    wholeArgs.push_back((folder / "whole" / "games").string());
    ASSERT_EQ(gamesift(streamedArgs).status, 0);
    ASSERT_EQ(gamesift(wholeArgs).status, 0);
  }
  fs::remove(folder / "whole" / "games_input.pgn");
  EXPECT_EQ(filesIn(folder / "streamed"), filesIn(folder / "whole"));
  EXPECT_TRUE(folder.read("streamed/games.pgn").starts_with(folder.read("b.pgn").substr(0, 20)));
}

}  // namespace
