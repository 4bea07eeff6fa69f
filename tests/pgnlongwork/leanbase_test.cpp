// A lean base (journals dropped after loading, read again from the file when written) must write
// exactly what a base that keeps every journal writes, and must never write a game whose file
// changed since it was loaded.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/options.h"
#include "pgnlongwork/jobstate.h"
#include "support/ecofile.h"
#include "support/fifo.h"
#include "support/gamebuilder.h"
#include "support/pipeline.h"
#include "support/testpaths.h"
#include "uchess/ecobase.h"
#include "unpack/decoder.h"

namespace {

namespace fs = std::filesystem;
using TFiles = std::map<std::string, std::string>;

int64_t keyAfter(std::string_view moves, bool blackToMove) {
  doska board;
  auto line = playLine(board, moves);
  return static_cast<int64_t>(board.poskey(blackToMove));
}

class LeanBase : public TPipelineTest {
 protected:
  void SetUp() override {
    TPipelineTest::SetUp();
    std::vector<std::pair<int64_t, std::string>> entries = {{keyAfter("e2e4", true), "B00"},
                                                            {keyAfter("d2d4", true), "A40"},
                                                            {keyAfter("e2e4 c7c5", false), "B20"},
                                                            {keyAfter("e2e4 e7e5", false), "C20"}};
    std::sort(entries.begin(), entries.end());
    ASSERT_TRUE(loadecoFrom(folder.write("ecos.dat", ecoFile(entries))));
  }
  void TearDown() override {
    clearEcoBase();
    journalBudget = kDefaultJournalBudget;
    TPipelineTest::TearDown();
  }

  // Loads the inputs with the given budget, writes every game and answers the files written.
  // With optionsLate the options are set only after loading, as a user of the panel may.
  TFiles run(const std::vector<fs::path>& inputs, int64_t budget,
             const std::function<void()>& setOptions, const std::string& name,
             bool optionsLate = false) {
    resetPipeline();
    if (!optionsLate) setOptions();
    journalBudget = budget;
    for (const fs::path& input : inputs) {
      if (fs::is_directory(input))
        loadFolderJob(input);
      else
        loadFileJob(input);
    }
    if (optionsLate) setOptions();
    const fs::path out = folder / name;
    fs::create_directory(out);
    writeJob(out / "games");
    return filesIn(out);
  }

  // The same run kept whole and kept lean; both must write the same bytes.
  void expectSameOutput(const std::vector<fs::path>& inputs, const std::function<void()>& options,
                        const std::string& label, bool optionsLate = false) {
    const TFiles kept = run(inputs, -1, options, label + "-kept", optionsLate);
    const int32_t keptWritten = gamesWritten;
    const TFiles lean = run(inputs, 0, options, label + "-lean", optionsLate);
    EXPECT_EQ(gamesNotWritten, 0) << label;
    EXPECT_EQ(gamesWritten, keptWritten) << label;
    ASSERT_EQ(lean.size(), kept.size()) << label;
    for (const auto& [file, bytes] : kept) {
      ASSERT_EQ(lean.count(file), 1u) << label << ": " << file;
      EXPECT_TRUE(lean.at(file) == bytes) << label << ": " << file << " differs";
    }
  }
};

const std::map<std::string, std::function<void()>> kOptionSets = {
    {"plain", [] {}},
    {"stripped", [] { removeComments = true; }},
    {"deduplicated", [] { removeDuplicates = true; }},
    {"eco-letters",
     [] {
       addEcoNames = true;
       splitByEco = 1;
     }},
    {"eco-filter-and-length",
     [] {
       ecoFilter = "B";
       movesMin = 20;
       movesMax = 60;
     }},
};

TEST_F(LeanBase, WritesTheSameBytesAsAKeptBaseForRealFiles) {
  const fs::path data = sharedDataPath("pgn");
  SKIP_WITHOUT_SHARED_DATA(data);
  const std::vector<fs::path> inputs = {data / "players" / "Anderssen.pgn", data / "annotated",
                                        data / "engine" / "TCEC_Season_24_-_Dfrc_2_Final.pgn"};
  for (const auto& [label, options] : kOptionSets) expectSameOutput(inputs, options, label);
}

TEST_F(LeanBase, EcoCodesAskedForOnlyAfterLoadingComeOutTheSame) {
  const fs::path data = sharedDataPath("pgn");
  SKIP_WITHOUT_SHARED_DATA(data);
  const std::vector<fs::path> inputs = {data / "players" / "Anderssen.pgn", data / "annotated"};
  for (const char* label : {"eco-letters", "eco-filter-and-length"})
    expectSameOutput(inputs, kOptionSets.at(label), std::string(label) + "-late", true);
  // Codes worked out while loading and codes worked out ahead of the writer. (A filter asked
  // for before a folder is loaded applies as it loads, and so is left out here.)
  const auto& letters = kOptionSets.at("eco-letters");
  EXPECT_TRUE(run(inputs, -1, letters, "eco-letters-early", false) ==
              run(inputs, -1, letters, "eco-letters-kept-late", true));
}

TEST_F(LeanBase, WritesTheSameBytesForGamesGluedTogetherFromPositionsAndChess960) {
  const std::string fromPosition =
      "[Event \"E\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n\n1.e4 Kd7 *\n";
  const std::string glued =
      "[Event \"A\"]\n\n1.e4 e5 {a comment} 2.Nf3 (2.f4) 1-0[Event \"B\"]\n"
      "\n1.d4 d5 0-1";
  // A shuffled back rank has no ECO code, however its moves begin.
  const std::string chess960 =
      "\n\n[Event \"C\"]\n[Variant \"Chess960\"]\n[SetUp \"1\"]\n"
      "[FEN \"bqnbrkrn/pppppppp/8/8/8/8/PPPPPPPP/BQNBRKRN w GEge - 0 1\"]\n\n1.e4 e5 *\n";
  const fs::path file = folder.write("odd.pgn", fromPosition + glued + chess960);
  for (const auto& [label, options] : kOptionSets) expectSameOutput({file}, options, label);
}

// Packed files cannot be read again by place: their text is held in memory, packed, and their
// games turn lean like those of a plain file. Each zip member holds a text of its own.
TEST_F(LeanBase, GamesOfPackedFilesTurnLeanAndComeOutTheSame) {
  if (std::system("gzip --version >/dev/null 2>&1 && zip -v >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "gzip or zip is not installed";
  const char* const results[] = {"1-0", "0-1", "1/2-1/2"};
  std::string games;
  for (int i = 0; i < 250; ++i)
    games += "[Event \"E" + std::to_string(i) + "\"]\n\n1.e4 e5 {" + std::string(i % 50, 'c') +
             "} 2.Nf3 (2.f4 exf4) Nc6 3.Bb5 a6 " + results[i % 3] + "\n\n";
  const fs::path plain = folder.write("games.pgn", games);
  folder.write("more.pgn", games.substr(games.size() / 3));
  const std::string here = folder.path().string();
  ASSERT_EQ(std::system(("cd '" + here + "' && gzip -c games.pgn >games.pgn.gz && " +
                         "zip -q both.zip games.pgn more.pgn").c_str()),
            0);
  for (const fs::path& packed : {folder / "games.pgn.gz", folder / "both.zip"}) {
    if (!packingBuilt(packed.extension() == ".gz" ? TPacking::gzip : TPacking::zip)) continue;
    for (const auto& [label, options] : kOptionSets)
      expectSameOutput({packed}, options, packed.filename().string() + "-" + label);
    int32_t lean = 0;
    for (size_t i = 0; i < panelGames.size(); ++i) lean += isLeanGame(panelGames[i]) ? 1 : 0;
    EXPECT_EQ(lean, static_cast<int32_t>(panelGames.size())) << packed;
  }
}

class ChangedFile : public LeanBase {
 protected:
  // Loads two games (lean past the budget), lets change alter the file, then writes.
  TFiles loadChangeWrite(const std::function<void(const fs::path&)>& change, int64_t budget = 0) {
    journalBudget = budget;
    const fs::path file =
        folder.write("two.pgn", pgnText(gameText("A", "B", "1-0", "1.e4 e5 2.Nf3")) +
                                    pgnText(gameText("C", "D", "0-1", "1.d4 d5 2.c4")));
    loadFileJob(file);
    EXPECT_EQ(panelGames.size(), 2u);
    for (const TGame& game : panelGames) EXPECT_TRUE(budget > 0 || isLeanGame(game));
    change(file);
    fs::create_directory(folder / "out");
    writeJob(folder / "out" / "games");
    return filesIn(folder / "out");
  }

  static void expectOneProblemLine(const std::string& holding) {
    const std::vector<std::string> lines = problemLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(holding), std::string::npos) << lines[0];
  }
};

TEST_F(ChangedFile, GrownFileWritesNoGameAndSaysWhy) {
  loadChangeWrite([this](const fs::path& file) { folder.write(file, folder.read(file) + "\n"); });
  EXPECT_EQ(gamesWritten, 0);
  EXPECT_EQ(gamesNotWritten, 2);
  // One line for the file, however many of its games it costs, naming where they were.
  expectOneProblemLine(
      "two.pgn: changed or removed since it was read; 2 of its games not written "
      "(at bytes 1, ");
}

TEST_F(ChangedFile, GamesWithinTheBudgetAreWrittenFromMemoryAfterTheFileIsCut) {
  // The first game's text fits the budget, the second does not.
  const int64_t firstGame =
      static_cast<int64_t>(pgnText(gameText("A", "B", "1-0", "1.e4 e5 2.Nf3")).size()) - 1;
  const TFiles files =
      loadChangeWrite([](const fs::path& file) { fs::resize_file(file, 10); }, firstGame);
  EXPECT_EQ(gamesWritten, 1);
  EXPECT_EQ(gamesNotWritten, 1);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_NE(files.begin()->second.find("2.Nf3"), std::string::npos);
  expectOneProblemLine(
      "two.pgn: changed or removed since it was read; 1 of its games not written "
      "(at byte ");
}

TEST_F(ChangedFile, RemovedFilesAreNamedOnALineEach) {
  journalBudget = 0;
  std::string many;
  for (int i = 0; i < 7; ++i)
    many += pgnText(gameText("W" + std::to_string(i), "B", "1-0", "1.e4"));
  const fs::path first = folder.write("first.pgn", many);
  const fs::path second = folder.write("second.pgn", pgnText(gameText("X", "Y", "0-1", "1.d4")));
  loadFileJob(first);
  loadFileJob(second);
  fs::remove(first);
  fs::remove(second);
  fs::create_directory(folder / "out");
  writeJob(folder / "out" / "games");
  EXPECT_EQ(gamesWritten, 0);
  EXPECT_EQ(gamesNotWritten, 8);
  const std::vector<std::string> lines = problemLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("first.pgn: changed or removed since it was read; 7 of its games"),
            std::string::npos)
      << lines[0];
  EXPECT_NE(lines[0].find(" and 2 more)"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("second.pgn"), std::string::npos) << lines[1];
}

TEST_F(LeanBase, GamesFromAPipeAreWrittenWhateverTheBudget) {
  // A pipe cannot be read a second time: its games are written from the text held for it.
  TFifo pipe(folder / "pipe.pgn");
  const std::string text = pgnText(gameText("A", "B", "1-0", "1.e4 e5 2.Nf3")) +
                           pgnText(gameText("C", "D", "0-1", "1.d4 d5 2.c4"));
  std::thread feeder([&] { EXPECT_TRUE(pipe.feed(text)); });
  const TFiles files = run(
      {pipe.path()}, 0, [] {}, "piped");
  feeder.join();
  EXPECT_EQ(gamesNotWritten, 0);
  EXPECT_EQ(gamesWritten, 2);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_NE(files.begin()->second.find("2.Nf3"), std::string::npos);
  EXPECT_NE(files.begin()->second.find("2.c4"), std::string::npos);
}

TEST_F(ChangedFile, SameSizeAndTimeButOtherMovesIsNotWritten) {
  // Another game of the same length, with the old modification time put back: only the moves
  // read again can tell.
  const TFiles files = loadChangeWrite([this](const fs::path& file) {
    const auto time = fs::last_write_time(file);
    const std::string other = pgnText(gameText("A", "B", "1-0", "1.e4 e5 2.Nc3")) +
                              pgnText(gameText("C", "D", "0-1", "1.d4 d5 2.c4"));
    folder.write(file, other);
    fs::last_write_time(file, time);
  });
  EXPECT_EQ(gamesWritten, 1);
  EXPECT_EQ(gamesNotWritten, 1);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files.begin()->second.find("Nc3"), std::string::npos);
  EXPECT_NE(files.begin()->second.find("2.c4"), std::string::npos);
}

}  // namespace
