// The program while it works: the progress line on a terminal, Ctrl-C, and inputs that change
// under it. Each test holds the job where it needs it with a named pipe among the inputs (the
// program waits at it until the test feeds it), so nothing depends on how fast the program is.

#include <signal.h>

#include <gtest/gtest.h>

#include "cliprogram.h"
#include "support/fifo.h"
#include "support/pipeline.h"

namespace {

constexpr int kGamesPerFile = 200;
constexpr int kPatienceMs = 60000;

size_t count(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

TProgramOptions onTerminal() {
  TProgramOptions options;
  options.errToTerminal = true;
  options.environment = {{"LC_ALL", "C.UTF-8"}};
  return options;
}

std::string games(const std::string& white, int number) {
  std::string text;
  for (int i = 0; i < number; ++i)
    text += pgnText(gameText(white + std::to_string(i), "B", "1-0",
                             "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 6.Re1 b5"));
  return text;
}

// part1.pgn, then the pipe hold.pgn, then part3.pgn: the job waits at the pipe.
class ProgramAtWork : public TPipelineTest {
 protected:
  void SetUp() override {
    TPipelineTest::SetUp();
    part1 = folder.write("part1.pgn", games("P", kGamesPerFile));
    part3 = folder.write("part3.pgn", games("T", kGamesPerFile));
  }
  std::vector<std::string> args(std::vector<std::string> extra = {}) {
    extra.insert(extra.begin(), {part1.string(), hold.path().string(), part3.string(), "-o",
                                 (folder / "games").string()});
    return extra;
  }
  std::filesystem::path part1, part3;
  TFifo hold{folder / "hold.pgn"};
};

// The bar and percent of a file being read are the progress line's own tests; here the program
// draws the line on a real terminal while the job waits at the pipe.
TEST_F(ProgramAtWork, DrawsTheStageAndFileOnATerminal) {
  TRunningProgram program(gamesiftProgram(), args(), onTerminal());
  ASSERT_TRUE(program.waitForErr("\rLoading games... hold.pgn", kPatienceMs));
  ASSERT_TRUE(hold.feed(games("H", kGamesPerFile)));
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("games written: 600"), std::string::npos) << run.err;
  EXPECT_EQ(count(folder.read("games.pgn"), "[Event "), 600u);
}

TEST_F(ProgramAtWork, StageTextsAreRussianInARussianLocale) {
  TProgramOptions options = onTerminal();
  options.environment = {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "ru_RU.UTF-8"}};
  TRunningProgram program(gamesiftProgram(), args(), options);
  ASSERT_TRUE(program.waitForErr("\rЗагрузка базы партий... hold.pgn", kPatienceMs));
  ASSERT_TRUE(hold.feed(games("H", kGamesPerFile)));
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err.find("Loading"), std::string::npos);
  EXPECT_NE(run.err.find("games written: 600"), std::string::npos);  // the report stays English
}

TEST_F(ProgramAtWork, QuietDrawsNothingEvenOnATerminal) {
  TRunningProgram program(gamesiftProgram(), args({"--quiet"}), onTerminal());
  ASSERT_TRUE(hold.feed(games("H", 1)));
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
}

TEST_F(ProgramAtWork, NoProgressLineWhenStderrIsAFile) {
  TRunningProgram program(gamesiftProgram(), args());
  ASSERT_TRUE(hold.feed(games("H", 1)));
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err.find('\r'), std::string::npos);
  EXPECT_EQ(run.err.find("Loading games"), std::string::npos);
}

TEST_F(ProgramAtWork, CtrlCStopsLoadingAndWritesWhatWasMerged) {
  TRunningProgram program(gamesiftProgram(), args(), onTerminal());
  ASSERT_TRUE(program.waitForErr("hold.pgn", kPatienceMs));
  program.signal(SIGINT);
  ASSERT_TRUE(program.waitForErr("stopping, Ctrl-C again quits", kPatienceMs));
  ASSERT_TRUE(hold.feed(games("H", kGamesPerFile)));
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 130);
  EXPECT_NE(run.err.find("stopped by Ctrl-C"), std::string::npos) << run.err;
  // part1 was merged before the stop; the pipe's games came after it and part3 never started.
  EXPECT_EQ(reported(run.err, "games accepted"), kGamesPerFile) << run.err;
  EXPECT_EQ(reported(run.err, "games written"), kGamesPerFile);
  EXPECT_EQ(count(folder.read("games.pgn"), "[White \"P"), size_t{kGamesPerFile});
  EXPECT_EQ(count(folder.read("games.pgn"), "[Event "), size_t{kGamesPerFile});
}

TEST_F(ProgramAtWork, SecondCtrlCQuitsAtOnce) {
  TRunningProgram program(gamesiftProgram(), args(), onTerminal());
  ASSERT_TRUE(program.waitForErr("hold.pgn", kPatienceMs));
  program.signal(SIGINT);
  ASSERT_TRUE(program.waitForErr("stopping, Ctrl-C again quits", kPatienceMs));
  program.signal(SIGINT);
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 130);
  EXPECT_EQ(run.err.find("games written"), std::string::npos) << "no report after quitting";
}

TEST_F(ProgramAtWork, InputsChangedWhileTheJobRunsLoseNothingAlreadyRead) {
  TRunningProgram program(gamesiftProgram(), args(), onTerminal());
  ASSERT_TRUE(program.waitForErr("hold.pgn", kPatienceMs));
  // part1 is read and merged: cutting it now must not cost any of its games; part3 is not read
  // yet: deleting it is an input that cannot be read.
  std::filesystem::resize_file(part1, 10);
  std::filesystem::remove(part3);
  ASSERT_TRUE(hold.feed(games("H", kGamesPerFile)));
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("part3.pgn"), std::string::npos) << run.err;
  const std::string written = folder.read("games.pgn");
  EXPECT_EQ(count(written, "[White \"P"), size_t{kGamesPerFile});
  EXPECT_EQ(count(written, "[White \"H"), size_t{kGamesPerFile});
  EXPECT_EQ(written, games("P", kGamesPerFile) + games("H", kGamesPerFile));
}

}  // namespace
