// Duplicate removal: the key order, exact lookups of loaded places, which copy survives, games
// without moves, and a brute-force comparison of keys over real games as the oracle.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/duplicates.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/pgnscan.h"
#include "pgnlongwork/jobstate.h"
#include "platform/platform.h"
#include "support/chessplay.h"
#include "support/gamebuilder.h"
#include "support/pipeline.h"
#include "support/testpaths.h"

namespace {

class Duplicates : public TPipelineTest {
 protected:
  // A game of the given moves from the initial position, placed at start in file.
  TGame played(std::string_view white, std::string_view moves, std::string file = "a.pgn",
               int64_t start = 1) {
    board.setinitial();
    auto journal = std::make_unique<jurnal>(&board, nullptr);
    playSan(*journal, moves);
    journal->attachboard(nullptr);
    TGame game = makeGame(rosterTags(white), std::move(journal));
    game.FileName = file;
    game.TextStart = start;
    return game;
  }
  // Only tags and a place: moves not loaded yet.
  TGame listed(std::string_view white, std::string file, int64_t start) {
    TGame game = makeGame(rosterTags(white), nullptr);
    game.FileName = file;
    game.TextStart = start;
    return game;
  }
  template <class... TGameArgs>
  void addToBase(TGameArgs&&... games) {
    TGames batch;
    (batch.push_back(std::move(games)), ...);
    appendBatch(batch, nullptr, false);
  }
  static std::vector<std::string> whites(const TGames& games) {
    std::vector<std::string> names;
    for (const TGame& game : games) names.emplace_back(game.Tags[kTagWhite].Value);
    return names;
  }

  doska board;
};

TEST(KeyOrder, MovesKeyFirstThenStartKeyBothSigned) {
  const THashEntry negative{5, 0x8000000000000000ULL, 0};
  const THashEntry one{1, 1, 0};
  const THashEntry oneHigherStart{0x7FFFFFFFFFFFFFFFULL, 1, 0};
  const THashEntry oneNegativeStart{0xFFFFFFFFFFFFFFFFULL, 1, 0};
  EXPECT_TRUE(keyLess(negative, one));
  EXPECT_FALSE(keyLess(one, negative));
  EXPECT_TRUE(keyLess(oneNegativeStart, one));
  EXPECT_TRUE(keyLess(one, oneHigherStart));
  EXPECT_FALSE(keyLess(one, THashEntry{1, 1, 7}));
  EXPECT_TRUE(sameKeys(one, THashEntry{1, 1, 7}));
}

TEST_F(Duplicates, LocationOrdersByFileNameThenByStart) {
  const TGame a1 = listed("x", "/games/a.pgn", 1);
  const TGame a9 = listed("x", "/games/a.pgn", 9);
  const TGame b1 = listed("x", "/games/b.pgn", 1);
  EXPECT_EQ(compareLocation(a1, a9), -1);
  EXPECT_EQ(compareLocation(a9, a1), 1);
  EXPECT_EQ(compareLocation(a9, b1), -1);
  EXPECT_EQ(compareLocation(b1, a9), 1);
  EXPECT_EQ(compareLocation(a1, listed("y", "/games/a.pgn", 1)), 0);
  EXPECT_EQ(compareLocale("same.pgn", "same.pgn"), 0);
}

TEST_F(Duplicates, LoadedPlacesAreFoundWhateverTheBaseOrder) {
  addToBase(listed("c9", "c.pgn", 9), listed("a5", "a.pgn", 5), listed("b1", "b.pgn", 1),
            listed("a1", "a.pgn", 1));
  TGames batch;
  for (auto [file, start] : std::vector<std::pair<std::string, int64_t>>{
           {"a.pgn", 1}, {"a.pgn", 3}, {"a.pgn", 5}, {"b.pgn", 1}, {"c.pgn", 9}, {"", 1}})
    batch.push_back(listed(file + std::to_string(start), file, start));
  EXPECT_EQ(dropLoaded(batch), 4);
  // A game from no file has no place to repeat.
  EXPECT_EQ(whites(batch), (std::vector<std::string>{"a.pgn3", "1"}));
}

TEST_F(Duplicates, RebuildKeepsTheGameLoadedFirstAndLeavesGamesWithoutMovesAlone) {
  addToBase(played("Y", "1. d4 d5"), played("X1", "1. e4 e5 2. Nf3"), listed("L1", "h.pgn", 1),
            played("X2", "1. Nf3 e5 2. e4"), listed("L2", "h.pgn", 1), played("Y2", "1. d4 d5"),
            played("X3", "1. e4 e5 2. Nf3"));
  listOrder = {6, 5, 4, 3, 2, 1, 0};
  ASSERT_TRUE(gameHashes.empty());
  EXPECT_EQ(refreshHashes(), 3);
  EXPECT_EQ(whites(panelGames), (std::vector<std::string>{"Y", "X1", "L1", "L2"}));
  EXPECT_EQ(listOrder, (TIndexArray{3, 2, 1, 0}));
  ASSERT_EQ(gameHashes.size(), 4u);
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(gameHashes[i].GameIndex, i);
    EXPECT_TRUE(sameKeys(gameHashes[i], gameEntry(panelGames[i], i)));
  }
  EXPECT_FALSE(hasKeys(gameHashes[2]));
}

TEST_F(Duplicates, ValidKeysAreNotRebuilt) {
  addToBase(played("X1", "1. e4"), played("X2", "1. e4"));
  gameHashes = {THashEntry{1, 2, 0}, THashEntry{3, 4, 1}};
  EXPECT_EQ(refreshHashes(), 0);
  EXPECT_EQ(panelGames.size(), 2u);
  EXPECT_EQ(gameHashes[0].StartKey, 1u);
}

TEST_F(Duplicates, BatchLosesGamesEqualToTheBaseAndLaterCopiesOfItsOwn) {
  addToBase(played("Base", "1. e4 e5"));
  ASSERT_EQ(refreshHashes(), 0);
  TGames batch;
  batch.push_back(played("SameAsBase", "1. e4 e5", "b.pgn", 1));
  batch.push_back(played("Z1", "1. c4", "b.pgn", 20));
  batch.push_back(listed("NoMoves", "b.pgn", 30));
  batch.push_back(played("W", "1. c4 c5", "b.pgn", 40));
  batch.push_back(played("Z2", "1. c4", "b.pgn", 50));
  batch.push_back(played("Z3", "1. c4", "b.pgn", 60));
  THashes hashes;
  EXPECT_EQ(dropDuplicates(batch, hashes), 3);
  EXPECT_EQ(whites(batch), (std::vector<std::string>{"Z1", "NoMoves", "W"}));
  ASSERT_EQ(hashes.size(), batch.size());
  for (size_t k = 0; k < batch.size(); ++k)
    EXPECT_TRUE(sameKeys(hashes[k], gameEntry(batch[k], 0))) << k;
}

TEST_F(Duplicates, StaleBaseKeysAreNotConsulted) {
  addToBase(played("Base", "1. e4 e5"));
  TGames batch;
  batch.push_back(played("SameAsBase", "1. e4 e5", "b.pgn", 1));
  THashes hashes;
  EXPECT_EQ(dropDuplicates(batch, hashes), 0);
  EXPECT_EQ(batch.size(), 1u);
}

// Brute force over real games: a game survives exactly when no game read before it (in file
// order, files in name order) has both keys equal to its own.
struct TReadGame {
  std::string file;
  int64_t start;
  THashEntry keys;
};

std::vector<TReadGame> survivorsByBruteForce(const std::vector<TReadGame>& games) {
  std::vector<TReadGame> survivors;
  for (size_t i = 0; i < games.size(); ++i) {
    bool earlier = false;
    for (size_t j = 0; j < i && !earlier; ++j) earlier = sameKeys(games[i].keys, games[j].keys);
    if (!earlier) survivors.push_back(games[i]);
  }
  return survivors;
}

// Two files of real games that share some games and repeat some within themselves; small enough
// for a debug build to read in a few seconds.
std::vector<std::filesystem::path> playerFiles() {
  std::vector<std::filesystem::path> files;
  for (const char* name : {"Anderssen.pgn", "Bird.pgn"}) {
    const std::filesystem::path file = sharedDataPath(std::filesystem::path("pgn/players") / name);
    if (file.empty() || !std::filesystem::exists(file)) return {};
    files.push_back(file);
  }
  return files;
}

std::vector<std::pair<std::string, int64_t>> locationsOf(const std::vector<TReadGame>& games) {
  std::vector<std::pair<std::string, int64_t>> locations;
  for (const TReadGame& game : games) locations.emplace_back(game.file, game.start);
  return locations;
}

class DuplicatesOracle : public Duplicates {
 protected:
  void SetUp() override {
    Duplicates::SetUp();
    files = playerFiles();
    if (files.empty()) GTEST_SKIP() << "real games not present";
  }
  // Reads a file as the load jobs do, noting every game read before anything is dropped.
  TGames read(const std::filesystem::path& file) {
    TGames batch;
    setCurrentFile(file);
    loadPgnFile(file, false, batch);
    for (const TGame& game : batch)
      all.push_back({file.string(), game.TextStart, gameEntry(game, 0)});
    return batch;
  }
  std::vector<TReadGame> expected() const {
    std::vector<TReadGame> survivors = survivorsByBruteForce(all);
    EXPECT_LT(survivors.size(), all.size()) << "the files hold no duplicates to find";
    return survivors;
  }
  std::vector<std::filesystem::path> files;
  std::vector<TReadGame> all;
};

TEST_F(DuplicatesOracle, FileByFileMergeKeepsExactlyTheFirstOfEachSet) {
  for (const auto& file : files) {
    TGames batch = read(file);
    dropLoaded(batch);
    refreshHashes();
    THashes hashes;
    dropDuplicates(batch, hashes);
    appendBatch(batch, &hashes, true);
    ASSERT_EQ(gameHashes.size(), panelGames.size());
  }
  const std::vector<TReadGame> survivors = expected();
  EXPECT_EQ(baseLocations(), locationsOf(survivors));
  for (size_t i = 0; i < panelGames.size() && i < survivors.size(); ++i)
    ASSERT_TRUE(sameKeys(gameHashes[i], survivors[i].keys)) << i;
}

TEST_F(DuplicatesOracle, RebuildOverAWholeBaseKeepsExactlyTheFirstOfEachSet) {
  for (const auto& file : files) {
    TGames batch = read(file);
    appendBatch(batch, nullptr, false);
  }
  const std::vector<TReadGame> survivors = expected();
  EXPECT_EQ(refreshHashes(), static_cast<int32_t>(all.size() - survivors.size()));
  EXPECT_EQ(baseLocations(), locationsOf(survivors));
}

}  // namespace
