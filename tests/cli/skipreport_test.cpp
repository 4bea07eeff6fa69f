// What the program says about text it skipped and games it could not read, and its exit status
// when every file was read to its end or one was not.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "cliprogram.h"
#include "support/pgnreading.h"
#include "support/pipeline.h"

namespace {

bool hasLine(const std::string& text, const std::string& line) {
  return text.find(line + "\n") != std::string::npos;
}

class SkipReport : public TPipelineTest {
 protected:
  // Copies of reader cases, so that the listed paths are the test's own.
  std::filesystem::path input(const std::string& name) { return write(name, readerCase(name)); }
  std::filesystem::path write(const std::string& name, const std::string& text) {
    std::filesystem::create_directories(folder / "in");
    return folder.write("in/" + name, text);
  }
  TProgramResult run(std::vector<std::string> args, const TProgramOptions& options = {}) {
    std::filesystem::create_directories(folder / "out");
    args.insert(args.end(), {"-o", (folder / "out").string() + "/"});
    return gamesift(args, options);
  }
};

TEST_F(SkipReport, StrayTextAndBadGamesAreCountedAndListed) {
  const std::filesystem::path between = input("text_between_games.pgn");
  const std::filesystem::path badToken = input("bad_token.pgn");
  const TProgramResult quiet = run({between.string(), badToken.string()});
  EXPECT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_TRUE(hasLine(quiet.err, "games accepted: 5")) << quiet.err;
  EXPECT_TRUE(hasLine(quiet.err, "games skipped as bad: 1")) << quiet.err;
  EXPECT_TRUE(hasLine(quiet.err, "stretches of text skipped: 2 (58 bytes)")) << quiet.err;
  EXPECT_EQ(quiet.err.find("bad game:"), std::string::npos) << "listed only with --verbose";

  const TProgramResult verbose = run({"--verbose", between.string(), badToken.string()});
  EXPECT_EQ(verbose.status, 0);
  const std::string file = between.string(), bad = badToken.string();
  for (const std::string& line : {file + ":11: skipped 21 bytes: text where a game should begin",
                                  file + ":24: skipped 37 bytes: text where a game should begin",
                                  bad + ":11: bad game: malformed move at line 19"})
    EXPECT_TRUE(hasLine(verbose.err, line)) << line << "\n" << verbose.err;
  // In file order, before the counts.
  EXPECT_LT(verbose.err.find(":11: skipped"), verbose.err.find(":24: skipped"));
  EXPECT_LT(verbose.err.find("bad game:"), verbose.err.find("files read:"));
}

TEST_F(SkipReport, ListsAHundredStretchesAFileAndCountsTheRest) {
  std::string text;
  for (int i = 0; i < 103; ++i)
    text += "heading " + std::to_string(i) + "\n\n[Event \"e\"]\n1. e4 *\n";
  const std::filesystem::path many = write("many.pgn", text);
  const TProgramResult verbose = run({"-v", many.string()});
  EXPECT_EQ(verbose.status, 0);
  EXPECT_TRUE(hasLine(verbose.err, "games accepted: 103")) << verbose.err;
  EXPECT_TRUE(hasLine(verbose.err, "stretches of text skipped: 103 (1023 bytes)")) << verbose.err;
  EXPECT_TRUE(hasLine(verbose.err, many.string() + ":397: skipped 10 bytes: text where a game "
                                                   "should begin"));
  EXPECT_EQ(verbose.err.find(":401: skipped"), std::string::npos);
  EXPECT_TRUE(hasLine(verbose.err, many.string() + ": 3 more stretches of text skipped"));
}

TEST_F(SkipReport, AFileThatCannotBeReadMakesTheStatusOne) {
  std::filesystem::path readable = input("tagless_games.pgn");
  std::filesystem::path shut = input("bad_games.pgn");
  chmod(shut.c_str(), 0);
  std::filesystem::create_directories(folder / "out");
  for (const char* name : {"in", "out"}) chmod((folder / name).c_str(), 0777);
  chmod(folder.path().c_str(), 0777);
  TProgramOptions options;
  options.uid = unprivilegedUid();
  const TProgramResult result = run({(folder / "in").string()}, options);
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_TRUE(hasLine(result.err, "files that could not be read: 1")) << result.err;
  EXPECT_TRUE(hasLine(result.err, "games accepted: 5")) << result.err;
  chmod(shut.c_str(), 0644);
}

}  // namespace
