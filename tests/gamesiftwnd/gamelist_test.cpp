#include "gamesiftwnd/gamelist_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "Upgnread/gamebase.h"
#include "support/gamebuilder.h"

namespace {

class GameList : public ::testing::Test {
 protected:
  void SetUp() override { fill(0); }
  void TearDown() override { fill(0); }

  // n games in load order; White of game i is whites[i] when given.
  void fill(int32_t n, const std::vector<std::string>& whites = {}) {
    emptyGameBase();
    TGames batch;
    for (int32_t i = 0; i < n; ++i) {
      const std::string white = i < static_cast<int32_t>(whites.size()) ? whites[i] : "W";
      batch.push_back(makeGame(rosterTags(white, "B" + std::to_string(i)), nullptr));
      batch.back().FileName = "f.pgn";
      batch.back().TextStart = 1000 - i;
    }
    appendBatch(batch, nullptr, false);
    listCursor = -1;
    sortColumn = kSortLoadOrder;
  }

  std::vector<int32_t> tickedRows() {
    std::vector<int32_t> rows;
    for (int32_t r = 0; r < listRowCount(); ++r)
      if (tickedGames[listOrder[r]]) rows.push_back(r);
    return rows;
  }
};

TEST_F(GameList, ClickTicksOneRowAndCtrlTogglesWithoutClearing) {
  fill(8);
  EXPECT_TRUE(clickRow(3, false, false));
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{3}));
  clickRow(5, false, true);
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{3, 5}));
  clickRow(3, false, true);
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{5}));
  EXPECT_EQ(listCursor, 3);
}

TEST_F(GameList, ShiftTicksTheRangeFromTheCursor) {
  fill(8);
  clickRow(7, false, false);
  clickRow(2, false, false);
  clickRow(5, true, false);
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{2, 3, 4, 5}));
  EXPECT_EQ(listCursor, 5);
  clickRow(0, false, true);
  listCursor = 4;
  clickRow(7, true, true);  // with Ctrl earlier ticks outside the range stay
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{0, 2, 3, 4, 5, 6, 7}));
}

TEST_F(GameList, ShiftStaysInsideTheListFromNoCursorOrPastTheEnd) {
  fill(4);
  clickRow(2, true, false);  // cursor -1
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{0, 1, 2}));
  clickRow(9, false, false);  // below the last row: nothing ticked, cursor there
  EXPECT_TRUE(tickedRows().empty());
  clickRow(1, true, false);
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{1, 2, 3}));
  fill(0);
  EXPECT_FALSE(clickRow(0, true, false));
}

TEST_F(GameList, UpAndDownStayInsideTheList) {
  fill(3);
  listCursor = 3;  // after an append
  cursorUp();
  EXPECT_EQ(listCursor, 2);
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{2}));
  cursorDown();
  EXPECT_EQ(listCursor, 2);
  listCursor = 40;
  cursorDown();
  EXPECT_EQ(listCursor, 2);
  listCursor = -1;
  cursorDown();
  EXPECT_EQ(listCursor, 0);
  cursorUp();
  EXPECT_EQ(listCursor, 0);
  EXPECT_EQ(tickedRows(), (std::vector<int32_t>{0}));
  fill(0);
  listCursor = -1;
  cursorUp();
  cursorDown();
  EXPECT_EQ(listCursor, -1);
  cursorHome();
  EXPECT_EQ(listCursor, 0);
}

TEST_F(GameList, SortsByColumnEmptyFirstAndFollowsTheCursorGame) {
  fill(5, {"b", "", "a", "B", "a"});
  listCursor = 0;  // game 0, "b"
  sortList(kSortWhite);
  EXPECT_EQ(listOrder, (TIndexArray{1, 3, 2, 4, 0}));  // "", "B", "a"(2), "a"(4), "b"
  EXPECT_EQ(listCursor, 4);
  sortList(kSortWhite);  // the current column again changes nothing
  EXPECT_EQ(listOrder, (TIndexArray{1, 3, 2, 4, 0}));
  sortList(kSortLoadOrder);
  EXPECT_EQ(listOrder, (TIndexArray{0, 1, 2, 3, 4}));
  EXPECT_EQ(listCursor, 4);  // load order keeps the row
  EXPECT_EQ(sortColumn.load(), kSortLoadOrder);
}

TEST_F(GameList, FileOrderSortsByNameThenPlace) {
  fill(4);
  panelGames[0].FileName = "b.pgn";
  sortList(kSortFileOrder);
  // f.pgn games by TextStart (3 has the smallest), then b.pgn... "b" < "f"
  EXPECT_EQ(listOrder, (TIndexArray{0, 3, 2, 1}));
}

// Every order the panel meets in practice, large: sorted, reversed and all equal keys. A
// first-row pivot would recurse 100,000 deep here.
TEST_F(GameList, SortsLargeOrderedListsLikeAStableSortByKey) {
  constexpr int32_t n = 100000;
  for (int shape = 0; shape < 3; ++shape) {
    std::vector<std::string> whites(n);
    for (int32_t i = 0; i < n; ++i) {
      char text[16];
      const int32_t key = shape == 0 ? i : shape == 1 ? n - i : 7;
      std::snprintf(text, sizeof text, "%08d", key);
      whites[i] = text;
    }
    fill(n, whites);
    sortList(kSortWhite);
    TIndexArray expected(n);
    for (int32_t i = 0; i < n; ++i) expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](int32_t a, int32_t b) { return whites[a] < whites[b]; });
    EXPECT_EQ(listOrder, expected) << "shape " << shape;
    sortList(kSortFileOrder);  // all in one file, place descending
    EXPECT_EQ(listOrder.front(), n - 1);
    EXPECT_EQ(listOrder.back(), 0);
  }
}

TEST_F(GameList, CellTextsTolerateShortTagSections) {
  TGame game;
  game.Tags = {{"Event", "E"}, {"Site", "S"}};
  EXPECT_EQ(cellText(game, 11, 1), "12.");
  EXPECT_EQ(cellText(game, 11, 5), "E");
  EXPECT_EQ(cellText(game, 11, 2), "");
  EXPECT_EQ(cellText(game, 11, 9), "");
}

// Deleting ticked games against a model that removes them one at a time.
TEST_F(GameList, DeletingTickedGamesKeepsRowsOrderedAndTheCursorOnItsGame) {
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    const int32_t n = 1 + static_cast<int32_t>(random() % 30);
    fill(n);
    std::shuffle(listOrder.begin(), listOrder.end(), random);
    for (int32_t i = 0; i < n; ++i) tickedGames[i] = random() % 3 == 0;
    listCursor = static_cast<int32_t>(random() % (n + 1));
    std::vector<int64_t> modelRows;  // TextStart of each row's game
    for (int32_t game : listOrder)
      if (!tickedGames[game]) modelRows.push_back(panelGames[game].TextStart);
    const int64_t cursorStart = listCursor < n && !tickedGames[listOrder[listCursor]]
                                    ? panelGames[listOrder[listCursor]].TextStart
                                    : -1;
    const int32_t removed = removeMarkedGames(tickedGames);
    std::vector<int64_t> rows;
    for (int32_t game : listOrder) rows.push_back(panelGames[game].TextStart);
    ASSERT_EQ(rows, modelRows);
    if (cursorStart >= 0) {
      EXPECT_EQ(panelGames[listOrder[listCursor]].TextStart, cursorStart);
    }
    // Nothing removed leaves even a cursor past the end alone.
    if (removed > 0) {
      EXPECT_LE(listCursor, static_cast<int32_t>(rows.size()) - 1);
    }
  }
}

}  // namespace
