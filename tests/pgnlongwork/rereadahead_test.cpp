// Lean games read again on several threads ahead of the writer must give exactly what one thread
// gives: the bytes written, the counts and the report lines in their order, also when files
// change while the output is written and when the user stops it.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnstretches.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/rereadahead.h"
#include "support/pipeline.h"

namespace {

namespace fs = std::filesystem;
using TFiles = std::map<std::string, std::string>;

// A door the reading threads wait at until the test opens it.
class TGate {
 public:
  void pass() {
    std::unique_lock<std::mutex> hold(mutex);
    opened.wait(hold, [this] { return open; });
  }
  void openUp() {
    std::lock_guard<std::mutex> hold(mutex);
    open = true;
    opened.notify_all();
  }

 private:
  std::mutex mutex;
  std::condition_variable opened;
  bool open = false;
};

struct TRunReport {
  TFiles files;
  int32_t written = 0;
  int32_t notWritten = 0;
  std::vector<std::string> problems;
};

std::string numberedGames(const std::string& who, int count, const std::string& moves) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += pgnText(gameText(who + std::to_string(i), "Rival" + std::to_string(i % 3),
                             i % 2 ? "1-0" : "0-1", moves));
  return text;
}

class RereadAhead : public TPipelineTest {
 protected:
  void SetUp() override {
    TPipelineTest::SetUp();
    stretchBytes = 64;  // small inputs count as long enough for every thread asked for
    fs::create_directory(folder / "in");
  }
  void TearDown() override {
    stretchBytes = 1024 * 1024;
    readerThreads = 0;
    TPipelineTest::TearDown();
  }

  std::string moreGames;  // a fourth file, when given

  // Three files: a with a game that cannot be read at all, b and c whose games turn lean.
  void writeInputs() {
    folder.write("in/a.pgn", numberedGames("A", 3, "1.e4 e5 2.Nf3") +
                                 pgnText(gameText("Bad", "Game", "1-0", "1.e4 e5 2.Ke3")) +
                                 numberedGames("AA", 2, "1.d4 d5 2.c4"));
    folder.write("in/b.pgn", numberedGames("B", 4, "1.c4 e5 2.Nc3"));
    folder.write("in/c.pgn", numberedGames("C", 5, "1.e4 c5 2.Nf3"));
    if (!moreGames.empty()) folder.write("in/d.pgn", moreGames);
  }

  // c.pgn's third game gets other moves of the same length; size and time stay as they were.
  void alterThirdGameOfC() {
    const fs::path file = folder / "in" / "c.pgn";
    const auto time = fs::last_write_time(file);
    std::string text = folder.read(file);
    const size_t third = text.find("[White \"C2\"]");
    text.replace(text.find("2.Nf3", third), 5, "2.Nc3");
    folder.write(file, text);
    fs::last_write_time(file, time);
  }

  void changeBAndC() {
    folder.write(folder / "in" / "b.pgn", folder.read(folder / "in" / "b.pgn") + "\n");
    alterThirdGameOfC();
  }

  // Loads the inputs lean, lets setUp set hooks, writes everything on the given threads.
  TRunReport run(int threads, const std::function<void()>& options,
                 const std::function<void()>& setUp, const std::string& name) {
    resetPipeline();
    rereadBatchGames = 1;  // every position a batch of its own: a hold falls between any two
    writeInputs();
    options();
    journalBudget = 0;
    loadFolderJob(folder / "in");
    for (const TGame& game : panelGames) EXPECT_TRUE(isLeanGame(game));
    readerThreads = threads;
    setUp();
    const fs::path out = folder / name;
    fs::create_directory(out);
    writeJob(out / "games");
    return {filesIn(out), gamesWritten, gamesNotWritten, problemLines()};
  }

  static void expectSameReports(const TRunReport& one, const TRunReport& many,
                                const std::string& label) {
    EXPECT_EQ(many.written, one.written) << label;
    EXPECT_EQ(many.notWritten, one.notWritten) << label;
    EXPECT_EQ(many.problems, one.problems) << label;
    EXPECT_TRUE(many.files == one.files) << label << ": the files written differ";
  }
  // Runs on one thread and on three, holding the reading of every batch from position from on
  // until the writer gets there and change has altered the inputs; both must report the same.
  // Threads may have taken those batches already, but read them only after the change.
  std::vector<TRunReport> runHeldAt(int32_t from, const std::function<void()>& change,
                                    const std::string& label) {
    std::vector<TRunReport> reports;
    for (int threads : {1, 3}) {
      TGate gate;
      const auto hold = [&] {
        rereadObserver = [&gate, from](int32_t first) {
          if (first >= from) gate.pass();
        };
        workerObserver = [&gate, &change, from](uint8_t stageNow, int32_t item) {
          if (stageNow != kStageWriting || item != from) return;
          change();
          gate.openUp();
        };
      };
      reports.push_back(run(
          threads, [] {}, hold, label + "-" + std::to_string(threads)));
      rereadObserver = nullptr;  // the gate goes with this round
      workerObserver = nullptr;
    }
    expectSameReports(reports[0], reports[1], label);
    return reports;
  }
};

const std::map<std::string, std::function<void()>> kOptionSets = {
    {"plain", [] {}},
    {"player-split", [] { splitByPlayer = true; }},  // positions jump between files and repeat
    {"eco-letters",
     [] {
       addEcoNames = true;
       splitByEco = 1;
     }},
};

TEST_F(RereadAhead, ManyThreadsWriteAndReportWhatOneThreadDoes) {
  for (const auto& [label, options] : kOptionSets) {
    const auto change = [this] {
      fs::remove(folder / "in" / "b.pgn");
      alterThirdGameOfC();
    };
    const TRunReport one = run(1, options, change, label + "-1");
    const TRunReport many = run(3, options, change, label + "-3");
    expectSameReports(one, many, label);
    // The player split writes each game twice, so each loss counts twice too.
    const int32_t times = label == "player-split" ? 2 : 1;
    EXPECT_EQ(one.written, times * 9) << label;
    EXPECT_EQ(one.notWritten, times * 5) << label;
    ASSERT_EQ(one.problems.size(), static_cast<size_t>(times + 1)) << label;
    EXPECT_NE(one.problems[0].find("no longer gives the game loaded"), std::string::npos);
    EXPECT_NE(one.problems.back().find("b.pgn: changed or removed since it was read; " +
                                       std::to_string(times * 4) + " of its games"),
              std::string::npos)
        << one.problems.back();
  }
}

TEST_F(RereadAhead, FilesChangedWhileThePoolIsHeldGiveOneThreadsReport) {
  const int32_t firstOfB = 5;  // a's five good games come first
  const std::vector<TRunReport> reports = runHeldAt(
      firstOfB, [this] { changeBAndC(); }, "held");
  EXPECT_EQ(reports[0].written, 5 + 4);
  EXPECT_EQ(reports[0].notWritten, 4 + 1);
  ASSERT_EQ(reports[0].problems.size(), 2u);
  EXPECT_NE(reports[0].problems[0].find("c.pgn at byte "), std::string::npos);
  EXPECT_NE(reports[0].problems[1].find("b.pgn: changed or removed since it was read; 4 of its "
                                        "games not written (at bytes 1, "),
            std::string::npos)
      << reports[0].problems[1];
}

TEST_F(RereadAhead, AFileChangedPartWayLosesTheGamesReadAfterTheChange) {
  // Text added at the end leaves c's games where they were, but it is no longer the file they
  // were loaded from: those read after the change are refused, whichever thread reads them.
  const int32_t thirdOfC = 5 + 4 + 2;
  const std::vector<TRunReport> reports = runHeldAt(
      thirdOfC,
      [this] {
        folder.write(folder / "in" / "c.pgn", folder.read(folder / "in" / "c.pgn") + "\n");
      },
      "partway");
  EXPECT_EQ(reports[0].written, 5 + 4 + 2);
  ASSERT_EQ(reports[0].problems.size(), 1u);
  EXPECT_NE(reports[0].problems[0].find("c.pgn: changed or removed since it was read; 3 of its"),
            std::string::npos)
      << reports[0].problems[0];
}

TEST_F(RereadAhead, AStopEndsThePoolWithoutReadingTheRestAndWritesWhatWasGathered) {
  constexpr int32_t kStopAt = 4;
  constexpr int kThreads = 3;
  std::atomic<int32_t> batchesBegun{0};
  std::atomic<int32_t> writerAt{0};
  std::atomic<int32_t> farthestAhead{0};
  TGate gate;
  moreGames = numberedGames("Many", 60, "1.e4 e5 2.Nf3 Nc6 3.Bb5");
  const TRunReport report = run(
      kThreads, [] {},
      [&] {
        rereadObserver = [&](int32_t first) {
          ++batchesBegun;
          const int32_t ahead = first - writerAt.load();
          int32_t seen = farthestAhead.load();
          while (ahead > seen && !farthestAhead.compare_exchange_weak(seen, ahead)) {
          }
          if (first >= 2 * kStopAt) gate.pass();  // held there until the stop
        };
        workerObserver = [&](uint8_t stageNow, int32_t item) {
          if (stageNow != kStageWriting || item < 0) return;
          writerAt = item;
          if (item != kStopAt) return;
          stopRequested = true;
          gate.openUp();
        };
      },
      "stopped");
  EXPECT_EQ(stage, kStageDone);
  EXPECT_EQ(report.written, kStopAt);
  ASSERT_EQ(report.files.size(), 1u);
  EXPECT_EQ(report.files.begin()->second,
            numberedGames("A", 3, "1.e4 e5 2.Nf3") + numberedGames("AA", 1, "1.d4 d5 2.c4"));
  // The threads stay within a few batches of the writer and take none after the stop.
  EXPECT_LE(farthestAhead.load(), 2 * kThreads);
  EXPECT_LE(batchesBegun.load(), kStopAt + 2 * kThreads + 1);
}

}  // namespace
