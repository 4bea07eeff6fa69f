#pragma once
// The game list as the panel shows it: rows map to games through listOrder, ticks live in
// tickedGames, the cursor is a row. Each operation takes gameLock itself.

#include <atomic>
#include <cstdint>
#include <string>

#include "plugcommon/gamerecords.h"

// The order listOrder is in: 1 to 6 a column, 7 the batch's file order. The worker sets it when
// it sorts the list before a merge while the interface thread paints the headers from it.
enum : uint8_t {
  kSortLoadOrder = 1,
  kSortWhite = 2,
  kSortBlack = 3,
  kSortResult = 4,
  kSortEvent = 5,
  kSortDate = 6,
  kSortFileOrder = 7,
};
extern std::atomic<uint8_t> sortColumn;

// The number of rows.
int32_t listRowCount();

// The game a row shows, or -1 off the list.
int32_t gameAtRow(int32_t row);

// The 8-bit text of column k (1..6) of a game: "12." for column 1, tag texts for the others
// (empty when the game has fewer tags).
std::string cellText(const TGame& game, int32_t gameIndex, int32_t column);

// Reorders listOrder by mode (see above); the cursor follows the game it was on. Every merge of
// new games calls it with kSortFileOrder first, so no column header keeps the sort mark and a
// click on the column sorted before sorts again.
void sortList(uint8_t mode);

// A click on a row with Shift / Ctrl held; true when a tick changed.
bool clickRow(int32_t row, bool shift, bool ctrl);

// The cursor keys of the list. Up and Down tick the row they land on alone.
void cursorUp();
void cursorDown();
void cursorHome();
void cursorEnd();

// Clears every tick; true when one was set.
bool clearTicks();
