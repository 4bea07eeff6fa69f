// Reading a file's text in stretches on several threads must find exactly what one thread finds:
// the same games at the same places with the same moves, the same codes and the same counts,
// also where a cut falls inside a game.

#include "Upgnread/pgnstretches.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "Upgnread/outputbuffer.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgnwriter.h"
#include "pgnlongwork/jobstate.h"
#include "support/tempfolder.h"
#include "support/testpaths.h"

namespace {

namespace fs = std::filesystem;

// What a load of one file gave, as a text to compare: each game written with its place.
struct TLoadResult {
  int code = 0;
  int32_t skipped = 0;
  int64_t stoppedAt = 0;
  std::string games;
  std::string record;  // skipped text and bad games, with their lines
};

std::string recordText(const TReadRecord& record) {
  std::string text = record.readToEnd ? "to the end\n" : "stopped\n";
  for (const TSkippedText& skipped : record.skipped)
    text += "skipped " + std::to_string(skipped.line) + " " + std::to_string(skipped.position) +
            "+" + std::to_string(skipped.length) + "\n";
  for (const TBadGame& bad : record.badGames)
    text += "bad " + std::to_string(bad.line) + " " + std::to_string(bad.position) + " " +
            std::to_string(bad.errorLine) + " " + std::to_string(bad.reason) + "\n";
  return text;
}

TLoadResult load(const fs::path& file, int threads, bool applyFilters = false) {
  readerThreads = threads;
  gamesSkipped = 0;
  fileRecords.clear();
  setCurrentFile(file);
  TGames batch;
  TLoadResult result;
  result.code = loadPgnFile(file, applyFilters, batch);
  result.skipped = gamesSkipped;
  result.stoppedAt = bytesDone;
  if (!fileRecords.empty()) result.record = recordText(fileRecords.back().record);
  TOutputBuffer buffer;
  for (TGame& game : batch) {
    buffer.append(std::to_string(game.TextStart) + "+" + std::to_string(game.TextLength) + "\n");
    writeGame(game, buffer);
  }
  result.games = std::string(buffer.text());
  return result;
}

class Stretches : public testing::Test {
 protected:
  void SetUp() override {
    resetOptions();
    stretchBytes = 200;  // small files are cut into many stretches
  }
  void TearDown() override {
    readerThreads = 0;
    stretchBytes = 1024 * 1024;
    blockBytes = kBlockBytes;
    blockLookAhead = kBlockLookAhead;
    fileRecords.clear();
    setCurrentFile({});
    resetOptions();
  }

  void expectSameWithThreads(const fs::path& file, bool applyFilters = false,
                             const std::vector<int>& threadCounts = {1, 2, 3, 5}) {
    const TLoadResult one = load(file, 1, applyFilters);
    for (int threads : threadCounts) {
      const TLoadResult many = load(file, threads, applyFilters);
      EXPECT_EQ(many.code, one.code) << file << " with " << threads << " threads";
      EXPECT_EQ(many.skipped, one.skipped) << file << " with " << threads << " threads";
      EXPECT_EQ(many.stoppedAt, one.stoppedAt) << file << " with " << threads << " threads";
      EXPECT_TRUE(many.games == one.games) << file << " with " << threads << " threads";
      EXPECT_EQ(many.record, one.record) << file << " with " << threads << " threads";
    }
  }

  // A file read in blocks of several lengths (some shorter than a game, so a block must grow)
  // gives what its whole text gives.
  void expectSameInBlocks(const fs::path& file, const std::vector<int64_t>& lengths,
                          const std::vector<int>& threadCounts = {1, 3}) {
    const TLoadResult whole = load(file, 1);
    blockLookAhead = 100;
    for (int64_t length : lengths) {
      blockBytes = length;
      for (int threads : threadCounts) {
        const TLoadResult blocks = load(file, threads);
        const std::string label = file.filename().string() + " in blocks of " +
                                  std::to_string(length) + " on " + std::to_string(threads) +
                                  " threads";
        EXPECT_EQ(blocks.code, whole.code) << label;
        EXPECT_EQ(blocks.skipped, whole.skipped) << label;
        EXPECT_EQ(blocks.stoppedAt, whole.stoppedAt) << label;
        EXPECT_TRUE(blocks.games == whole.games) << label;
        EXPECT_EQ(blocks.record, whole.record) << label;
      }
    }
    blockBytes = kBlockBytes;
  }

  const int64_t kBlockBytes = blockBytes;
  const int64_t kBlockLookAhead = blockLookAhead;
  TTempFolder folder;
};

std::string game(const std::string& white, const std::string& movetext) {
  return "[Event \"E\"]\n[White \"" + white + "\"]\n[Black \"B\"]\n[Result \"*\"]\n\n" + movetext +
         "\n\n";
}

std::string manyGames(int count, const std::string& middle) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += game("P" + std::to_string(i), "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 *");
    if (i == count / 2) text += middle;
  }
  return text;
}

TEST_F(Stretches, CutsOnlyAtALineOpeningWithABracketAfterAnEmptyLine) {
  const std::string text = "[A \"1\"]\n1.e4 [x]\n\n [y]\n\n[B \"2\"]\r\n\r\n[C \"3\"]";
  EXPECT_EQ(likelyGameCut(text, 1), static_cast<int64_t>(text.find("[B") + 1));
  EXPECT_EQ(likelyGameCut(text, static_cast<int64_t>(text.find("[B") + 2)),
            static_cast<int64_t>(text.find("[C") + 1));
  EXPECT_EQ(likelyGameCut(text, static_cast<int64_t>(text.size())),
            static_cast<int64_t>(text.size() + 1));
}

TEST_F(Stretches, CutInsideACommentThatHoldsATagLineIsReadAgainInOrder) {
  // Every game's comment holds what looks like a game start, so many cuts fall inside games.
  std::string text;
  for (int i = 0; i < 40; ++i)
    text += game("P" + std::to_string(i),
                 "1.e4 {a game quoted:\n\n[Event \"Quoted\"]\n\n1.d4 d5 *\n} e5 2.Nf3 *");
  const fs::path file = folder.write("quoted.pgn", text);
  // Stretches of every length between half a game and two games put cuts everywhere.
  for (stretchBytes = 50; stretchBytes <= 250; stretchBytes += 10) expectSameWithThreads(file);
  // Forty games and no quoted one among them.
  const std::string games = load(file, 3).games;
  size_t found = 0;
  for (size_t at = games.find("[White \"P"); at != std::string::npos;
       at = games.find("[White \"P", at + 1))
    ++found;
  EXPECT_EQ(found, 40u);
}

TEST_F(Stretches, BadGamesStrayTextAndFileEndingCodesLandAsInOneThread) {
  const std::vector<std::pair<std::string, std::string>> middles = {
      {"bad-move", game("Bad", "1.e4 e5 2.Ke3 *")},
      {"stray-text", "some words that start no game\n\n"},
      {"broken-tags", "[Event \"no end\n\n"},
      {"empty-variation", game("Empty", "1.e4 () e5 *")},
      {"glued", "[Event \"G\"]\n\n1.e4 *[Event \"H\"]\n\n1.d4 *\n\n"},
      {"bare-result", "* * *\n\n"},
      {"longer-than-a-block", game("Long", "1.e4 {" + std::string(5000, 'x') + "} e5 *")},
      {"file-ending-code", "[Event \"E\"]\n\n1.e4 (( e5 *\n\n"},
      {"tagless", "1.e4 e5 2.Nf3 1-0\n\n1.d4 d5 *\n\n"},
      {"stray-brackets", "[not a tag]\n\nwords\n\n"},
  };
  for (const auto& [name, middle] : middles)
    expectSameWithThreads(folder.write(name + ".pgn", manyGames(30, middle)));
}

TEST_F(Stretches, AnUnclosedBraceAtTheEndIsStrayTextAsInOneThread) {
  const fs::path file = folder.write("unclosed.pgn", manyGames(30, "") + "{ never closed\n[Event");
  expectSameWithThreads(file);
  EXPECT_NE(load(file, 3).record.find("skipped"), std::string::npos);
}

TEST_F(Stretches, BadGamesFarIntoTheFileHaveTheirOwnLines) {
  std::string text = manyGames(30, "");
  const int64_t badLine = std::count(text.begin(), text.end(), '\n') + 1;
  text += game("Bad", "1.e4 e5 2.Ke3 *") + manyGames(10, "");
  const TLoadResult many = load(folder.write("late.pgn", text), 3);
  EXPECT_NE(many.record.find("bad " + std::to_string(badLine) + " "), std::string::npos)
      << many.record;
}

TEST_F(Stretches, SpaceBeforeTheFirstGameLongerThanAStretchIsSteppedOver) {
  const fs::path file =
      folder.write("leading.pgn", "\xEF\xBB\xBF" + std::string(4000, '\n') + manyGames(20, ""));
  expectSameWithThreads(file);
  EXPECT_NE(load(file, 2).games.find("[White \"P19\"]"), std::string::npos);
}

TEST_F(Stretches, FiltersAtLoadingGiveTheSameGames) {
  whitePlayer = "P1";
  expectSameWithThreads(folder.write("filtered.pgn", manyGames(30, "")), true);
}

TEST_F(Stretches, RealFilesGiveTheSameGamesOnAnyNumberOfThreads) {
  const fs::path data = sharedDataPath("pgn");
  SKIP_WITHOUT_SHARED_DATA(data);
  stretchBytes = 64 * 1024;
  for (const auto& entry : fs::directory_iterator(data / "annotated"))
    if (entry.path().extension() == ".pgn") expectSameWithThreads(entry.path(), false, {3});
  expectSameWithThreads(data / "twic" / "twic944.pgn", false, {2});
  expectSameWithThreads(data / "engine" / "TCEC_Season_1_-_Division_1.pgn", false, {3});
}

TEST_F(Stretches, BlocksGiveWhatTheWholeTextGives) {
  std::string quoted;
  for (int i = 0; i < 20; ++i)
    quoted += game("Q" + std::to_string(i),
                   "1.e4 {a game quoted:\n\n[Event \"Quoted\"]\n\n1.d4 d5 *\n} e5 2.Nf3 *");
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"quoted", quoted},
      {"bad-and-stray", manyGames(15, game("Bad", "1.e4 e5 2.Ke3 *")) +
                            "words that start no game\n\n" + manyGames(15, "[Event \"no end\n\n")},
      {"long-game", manyGames(20, game("Long", "1.e4 {" + std::string(3000, 'x') + "} e5 *"))},
      {"leading-space", "\xEF\xBB\xBF" + std::string(2000, '\n') + manyGames(20, "")},
      {"glued-and-tagless", manyGames(20,
                                      "[Event \"G\"]\n\n1.e4 *[Event \"H\"]\n\n1.d4 *\n\n"
                                      "1.e4 e5 2.Nf3 1-0\n\n* * *\n\n")},
      {"ends-in-tags", manyGames(20, "") + "[Event \"E\"]\n[White \"W"},
  };
  for (const auto& [name, text] : texts)
    expectSameInBlocks(folder.write(name + ".pgn", text), {300, 450, 1000});
}

TEST_F(Stretches, AnUnclosedBraceAtTheEndIsFoundAcrossBlocks) {
  // The first "{" after the last "}" decides whether an open comment at the end is stray text.
  // Stray text passes over a "{" without reading a comment, so it may lie blocks before the end.
  const std::string stray = manyGames(10, "") + "stray { words\n\n" + manyGames(10, "");
  const std::vector<std::string> texts = {
      stray + "{ never closed\n[Event",
      stray + "1.e4 {closed} *\n\n{ never closed\n[Event",
      manyGames(20, "") + "{ never closed\n[Event",
  };
  for (size_t i = 0; i < texts.size(); ++i)
    expectSameInBlocks(folder.write("unclosed" + std::to_string(i) + ".pgn", texts[i]), {300, 700});
}

TEST_F(Stretches, RealFilesGiveTheSameGamesInBlocks) {
  const fs::path data = sharedDataPath("pgn");
  SKIP_WITHOUT_SHARED_DATA(data);
  stretchBytes = 64 * 1024;
  expectSameInBlocks(data / "twic" / "twic944.pgn", {256 * 1024}, {2});
  expectSameInBlocks(data / "annotated" / "tactics.pgn", {20 * 1024}, {1});
}

}  // namespace
