// The program while it works: the progress line on a terminal, and Ctrl-C.

#include <signal.h>

#include <gtest/gtest.h>

#include "cliprogram.h"
#include "support/pipeline.h"

namespace {

// Enough games that a stop lands while the second file loads, even in an optimised build.
constexpr int kGamesPerFile = 10000;
// Enough that the first poll of the progress finds a job still running.
constexpr int kFewGamesPerFile = 1000;
constexpr int kPatienceMs = 60000;

size_t count(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

int reported(const std::string& report, const std::string& label) {
  const size_t at = report.find(label + ": ");
  return at == std::string::npos ? -1 : std::atoi(report.c_str() + at + label.size() + 2);
}

TProgramOptions onTerminal() {
  TProgramOptions options;
  options.errToTerminal = true;
  options.environment = {{"LC_ALL", "C.UTF-8"}};
  return options;
}

class ProgramAtWork : public TPipelineTest {
 protected:
  // Three files big enough that a job is still loading when the test looks.
  std::filesystem::path bigFolder(int gamesPerFile) {
    std::string games;
    for (int i = 0; i < gamesPerFile; ++i)
      games += pgnText(gameText("W" + std::to_string(i), "B", "1-0",
                                "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 6.Re1 b5"));
    std::filesystem::create_directories(folder / "in");
    for (const char* name : {"part1.pgn", "part2.pgn", "part3.pgn"})
      folder.write(std::filesystem::path("in") / name, games);
    return folder / "in";
  }
  std::vector<std::string> args(int gamesPerFile, std::vector<std::string> extra = {}) {
    extra.insert(extra.begin(),
                 {bigFolder(gamesPerFile).string(), "-o", (folder / "games").string()});
    return extra;
  }
};

TEST_F(ProgramAtWork, DrawsTheStageFileAndPercentOnATerminal) {
  TRunningProgram program(gamesiftProgram(), args(kFewGamesPerFile), onTerminal());
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 0);
  // which file the first poll finds depends on the speed of loading, not on the line
  EXPECT_NE(run.err.find("\rLoading games... part"), std::string::npos);
  EXPECT_NE(run.err.find(".pgn ["), std::string::npos);
  EXPECT_NE(run.err.find("%"), std::string::npos);
  EXPECT_NE(run.err.find("games written: 3000"), std::string::npos);
}

TEST_F(ProgramAtWork, StageTextsAreRussianInARussianLocale) {
  TProgramOptions options = onTerminal();
  options.environment = {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "ru_RU.UTF-8"}};
  TRunningProgram program(gamesiftProgram(), args(kFewGamesPerFile), options);
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("\rЗагрузка базы партий... part"), std::string::npos);
  EXPECT_EQ(run.err.find("Loading"), std::string::npos);
  EXPECT_NE(run.err.find("games written: 3000"), std::string::npos);  // the report stays English
}

TEST_F(ProgramAtWork, QuietDrawsNothingEvenOnATerminal) {
  TRunningProgram program(gamesiftProgram(), args(kFewGamesPerFile, {"--quiet"}), onTerminal());
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
}

TEST_F(ProgramAtWork, NoProgressLineWhenStderrIsAFile) {
  const TProgramResult run = gamesift(args(kFewGamesPerFile));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err.find('\r'), std::string::npos);
  EXPECT_EQ(run.err.find("Loading games"), std::string::npos);
}

TEST_F(ProgramAtWork, CtrlCStopsLoadingAndWritesWhatWasMerged) {
  TRunningProgram program(gamesiftProgram(), args(kGamesPerFile), onTerminal());
  ASSERT_TRUE(program.waitForErr("part2.pgn", kPatienceMs));
  program.signal(SIGINT);
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 130);
  EXPECT_NE(run.err.find("stopped by Ctrl-C"), std::string::npos) << run.err;
  // part1 was merged before the stop; part3 was never started.
  const int accepted = reported(run.err, "games accepted");
  EXPECT_GE(accepted, kGamesPerFile);
  EXPECT_LT(accepted, 3 * kGamesPerFile);
  EXPECT_EQ(reported(run.err, "games written"), accepted);
  EXPECT_EQ(count(folder.read("games.pgn"), "[Event "), static_cast<size_t>(accepted));
}

TEST_F(ProgramAtWork, SecondCtrlCQuitsAtOnce) {
  TRunningProgram program(gamesiftProgram(), args(kGamesPerFile), onTerminal());
  ASSERT_TRUE(program.waitForErr("part1.pgn", kPatienceMs));
  program.signal(SIGINT);
  ASSERT_TRUE(program.waitForErr("stopping, Ctrl-C again quits", kPatienceMs));
  program.signal(SIGINT);
  const TProgramResult run = program.wait();
  EXPECT_EQ(run.status, 130);
  EXPECT_EQ(run.err.find("games written"), std::string::npos) << "no report after quitting";
}

}  // namespace
