#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"

namespace {

// A game without moves, known by its place in its file.
TGame gameAt(int64_t textStart) {
  TGame game;
  game.FileName = "games.pgn";
  game.TextStart = textStart;
  return game;
}

TGames batchOf(std::initializer_list<int64_t> starts) {
  TGames batch;
  for (int64_t start : starts) batch.push_back(gameAt(start));
  return batch;
}

THashes hashesFor(std::initializer_list<uint64_t> keys) {
  THashes hashes;
  for (uint64_t key : keys) hashes.push_back({key, key * 7, -1});
  return hashes;
}

std::vector<int64_t> baseStarts() {
  std::vector<int64_t> starts;
  for (const TGame& game : panelGames) starts.push_back(game.TextStart);
  return starts;
}

class GameBase : public ::testing::Test {
 protected:
  void SetUp() override {
    emptyGameBase();
    listCursor = -1;
  }
  void TearDown() override { emptyGameBase(); }

  // Five games 0..4 (TextStart 100..104) with valid hashes and the given list order.
  void loadFive(TIndexArray order = {0, 1, 2, 3, 4}) {
    TGames batch = batchOf({100, 101, 102, 103, 104});
    THashes hashes = hashesFor({10, 11, 12, 13, 14});
    appendBatch(batch, &hashes, true);
    listOrder = order;
  }
};

TEST_F(GameBase, AppendGivesNewGamesTheirOwnRowsAndClearTicks) {
  TGames first = batchOf({1, 2});
  appendBatch(first, nullptr, false);
  listOrder = {1, 0};  // sorted by the panel meanwhile
  tickedGames = {1, 1};
  TGames second = batchOf({3, 4});
  appendBatch(second, nullptr, false);

  EXPECT_TRUE(second.empty());
  EXPECT_EQ(baseStarts(), (std::vector<int64_t>{1, 2, 3, 4}));
  EXPECT_EQ(listOrder, (TIndexArray{1, 0, 2, 3}));
  EXPECT_EQ(tickedGames, (TBoolArray{1, 1, 0, 0}));
  EXPECT_EQ(listCursor, 4);
}

TEST_F(GameBase, AppendOfNothingLeavesTheCursor) {
  loadFive();
  listCursor = 2;
  TGames empty;
  THashes noHashes;
  appendBatch(empty, &noHashes, true);
  EXPECT_EQ(listCursor, 2);
  EXPECT_EQ(panelGames.size(), 5u);
  EXPECT_TRUE(gameHashesValid());
}

TEST_F(GameBase, AppendWithHashesNumbersTheirEntries) {
  loadFive();
  TGames batch = batchOf({200, 201});
  THashes hashes = hashesFor({20, 21});
  appendBatch(batch, &hashes, true);

  ASSERT_TRUE(gameHashesValid());
  for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(gameHashes[i].GameIndex, i);
  EXPECT_EQ(gameHashes[5].StartKey, 20u);
  EXPECT_EQ(gameHashes[6].MovesKey, 21u * 7);
}

TEST_F(GameBase, AppendWithoutKeptHashesEmptiesThem) {
  loadFive();
  TGames batch = batchOf({200});
  THashes hashes = hashesFor({20});
  appendBatch(batch, &hashes, false);
  EXPECT_TRUE(gameHashes.empty());
  EXPECT_FALSE(gameHashesValid());
}

TEST_F(GameBase, AppendNeverExtendsHashesThatDoNotMatch) {
  loadFive();
  TGames batch = batchOf({200, 201});
  THashes tooFew = hashesFor({20});
  appendBatch(batch, &tooFew, true);
  EXPECT_TRUE(gameHashes.empty());

  // Stale before the append: extending it would pair entries with the wrong games.
  gameHashes = hashesFor({1, 2});
  TGames more = batchOf({300});
  THashes one = hashesFor({30});
  appendBatch(more, &one, true);
  EXPECT_TRUE(gameHashes.empty());
}

TEST_F(GameBase, RemovalCompactsGamesAndRenumbersRows) {
  loadFive({4, 3, 2, 1, 0});
  tickedGames = {0, 1, 1, 0, 1};
  EXPECT_EQ(removeMarkedGames({0, 1, 0, 1, 0}), 2);

  EXPECT_EQ(baseStarts(), (std::vector<int64_t>{100, 102, 104}));
  EXPECT_EQ(listOrder, (TIndexArray{2, 1, 0}));
  EXPECT_EQ(tickedGames, (TBoolArray{0, 1, 1}));
  ASSERT_TRUE(gameHashesValid());
  EXPECT_EQ(gameHashes[1].StartKey, 12u);
  EXPECT_EQ(gameHashes[2].StartKey, 14u);
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(gameHashes[i].GameIndex, i);
}

TEST_F(GameBase, RemovalEmptiesStaleHashes) {
  loadFive();
  gameHashes.resize(3);
  removeMarkedGames({1});
  EXPECT_TRUE(gameHashes.empty());
  EXPECT_EQ(panelGames.size(), 4u);
}

TEST_F(GameBase, RemovalWithoutMarksChangesNothing) {
  loadFive({4, 3, 2, 1, 0});
  listCursor = 5;  // on the row count, as after an append
  EXPECT_EQ(removeMarkedGames({0, 0, 0, 0, 0}), 0);
  EXPECT_EQ(removeMarkedGames({}), 0);
  EXPECT_EQ(panelGames.size(), 5u);
  EXPECT_EQ(listOrder, (TIndexArray{4, 3, 2, 1, 0}));
  EXPECT_EQ(listCursor, 5);
}

TEST_F(GameBase, RemovalTakesShortMarksAsUnmarkedAndIgnoresExtraOnes) {
  loadFive();
  removeMarkedGames({1, 0});
  EXPECT_EQ(baseStarts(), (std::vector<int64_t>{101, 102, 103, 104}));
  removeMarkedGames({0, 0, 0, 1, 1, 1, 1});
  EXPECT_EQ(baseStarts(), (std::vector<int64_t>{101, 102, 103}));
}

TEST_F(GameBase, RemovalRenumbersTheOutputLists) {
  loadFive();
  workList = {0, 1, 2, 3, 4};
  outputOrder = {4, 3, 1};
  removeMarkedGames({0, 0, 0, 1, 0});
  EXPECT_EQ(workList, (TIndexArray{0, 1, 2, 3}));
  EXPECT_EQ(outputOrder, (TIndexArray{3, 1}));
}

struct TCursorCase {
  int32_t gameCount;
  TBoolArray marks;
  int32_t before;
  int32_t after;
};

class GameBaseCursor : public GameBase, public ::testing::WithParamInterface<TCursorCase> {};

TEST_P(GameBaseCursor, FollowsTheRemovedGames) {
  const TCursorCase& c = GetParam();
  TGames batch(c.gameCount);
  appendBatch(batch, nullptr, false);
  listCursor = c.before;
  removeMarkedGames(c.marks);
  EXPECT_EQ(listCursor, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Removal, GameBaseCursor,
    ::testing::Values(TCursorCase{5, {0, 1, 0, 1, 0}, 5, 2},  // past the end: twice, then once more
                      TCursorCase{5, {0, 1, 0, 1, 0}, 2, 1},  // only the first lies above
                      TCursorCase{5, {0, 1, 0, 1, 0}, 1, 1},  // neither lies above
                      TCursorCase{5, {0, 1, 0, 1, 0}, -1, -1}, TCursorCase{3, {1, 0, 0}, 0, 0},
                      TCursorCase{3, {0, 0, 1}, 2, 1},  // on the removed last row
                      TCursorCase{2, {1, 1}, 0, -1}));

TEST_F(GameBase, RemovalKeepsTheCursorOnItsGameInASortedList) {
  loadFive({4, 3, 2, 1, 0});
  listCursor = 2;  // game 2
  removeMarkedGames({0, 0, 0, 0, 1});
  EXPECT_EQ(listCursor, 1);
  EXPECT_EQ(listOrder[listCursor], 2);
}

TEST_F(GameBase, EmptyingClearsEveryArrayButKeepsTheCursor) {
  loadFive();
  workList = {1, 2};
  outputOrder = {2};
  listCursor = 3;
  emptyGameBase();
  EXPECT_TRUE(panelGames.empty());
  EXPECT_TRUE(listOrder.empty());
  EXPECT_TRUE(tickedGames.empty());
  EXPECT_TRUE(gameHashes.empty());
  EXPECT_TRUE(workList.empty());
  EXPECT_TRUE(outputOrder.empty());
  EXPECT_EQ(listCursor, 3);
}

// Counts how often the base takes the lock it was handed.
class TCountingLock : public TRecursiveLock {
 public:
  void enter() override { ++entered; }
  void leave() override { ++left; }
  int entered = 0;
  int left = 0;
};

TEST(GameLock, ChangesTakeTheLockHandedIn) {
  TRecursiveLock& own = gameLock();
  TCountingLock host;
  useGameLock(&host);
  EXPECT_EQ(&gameLock(), &host);
  TGames batch = batchOf({1});
  appendBatch(batch, nullptr, false);
  removeMarkedGames({1});
  emptyGameBase();
  EXPECT_EQ(host.entered, 3);
  EXPECT_EQ(host.left, 3);
  useGameLock(nullptr);
  EXPECT_EQ(&gameLock(), &own);
}

}  // namespace
