#include "gamesiftwnd/gamelist_logic.h"

#include <algorithm>

#include "Upgnread/gamebase.h"
#include "platform/platform.h"

std::atomic<uint8_t> sortColumn = kSortLoadOrder;

namespace {

// The tag entry each sortable column shows.
constexpr int32_t kColumnTag[] = {-1, -1, kTagWhite, kTagBlack, kTagResult, kTagEvent, kTagDate};

std::string_view tagValue(const TGame& game, int32_t tag) {
  if (tag < 0 || static_cast<size_t>(tag) >= game.Tags.size()) return {};
  return game.Tags[tag].Value;
}

void ensureTicks() {
  if (tickedGames.size() < panelGames.size()) tickedGames.resize(panelGames.size());
}

void tickRow(int32_t row) {
  const int32_t game = gameAtRow(row);
  if (game >= 0) tickedGames[game] = 1;
}

// A game's sort key as UTF-16 text.
std::u16string sortKey(const TGame& game, uint8_t mode) {
  if (mode == kSortFileOrder) return game.FileName->u16string();
  return ansiToUtf16(tagValue(game, kColumnTag[mode]));
}

struct TRowKey {
  std::u16string key;
  int64_t textStart = 0;
  int32_t game = 0;
};

// Empty keys first, then by key code unit by code unit, then (file order) by place, then by game.
bool comesFirst(const TRowKey& a, const TRowKey& b) {
  if (a.key.empty() != b.key.empty()) return a.key.empty();
  if (a.key != b.key) return a.key < b.key;
  if (a.textStart != b.textStart) return a.textStart < b.textStart;
  return a.game < b.game;
}

void sortByKeys(uint8_t mode) {
  std::vector<TRowKey> keys;
  keys.reserve(listOrder.size());
  for (int32_t game : listOrder) {
    const TGame& g = panelGames[game];
    keys.push_back({sortKey(g, mode), mode == kSortFileOrder ? g.TextStart : 0, game});
  }
  // A total order: every sort gives the same rows, and std::sort needs no deep stack.
  std::sort(keys.begin(), keys.end(), comesFirst);
  for (size_t row = 0; row < keys.size(); ++row) listOrder[row] = keys[row].game;
}

int32_t rowOfGame(int32_t game) {
  auto found = std::find(listOrder.begin(), listOrder.end(), game);
  return found == listOrder.end() ? -1 : static_cast<int32_t>(found - listOrder.begin());
}

}  // namespace

int32_t listRowCount() {
  TLockHold hold(gameLock());
  return static_cast<int32_t>(listOrder.size());
}

int32_t gameAtRow(int32_t row) {
  TLockHold hold(gameLock());
  if (row < 0 || static_cast<size_t>(row) >= listOrder.size()) return -1;
  const int32_t game = listOrder[row];
  return game >= 0 && static_cast<size_t>(game) < panelGames.size() ? game : -1;
}

std::string cellText(const TGame& game, int32_t gameIndex, int32_t column) {
  if (column == 1) return std::to_string(gameIndex + 1) + ".";
  if (column < 2 || column > 6) return {};
  return std::string(tagValue(game, kColumnTag[column]));
}

void sortList(uint8_t mode) {
  if (mode < kSortLoadOrder || mode > kSortFileOrder) return;
  TLockHold hold(gameLock());
  if (mode == kSortLoadOrder) {
    for (size_t row = 0; row < listOrder.size(); ++row) listOrder[row] = static_cast<int32_t>(row);
  } else if (mode != sortColumn) {
    const int32_t cursorGame = gameAtRow(listCursor);
    sortByKeys(mode);
    if (cursorGame >= 0) listCursor = rowOfGame(cursorGame);
  }
  sortColumn = mode;
}

bool clearTicks() {
  TLockHold hold(gameLock());
  bool changed = false;
  for (uint8_t& tick : tickedGames) {
    changed = changed || tick != 0;
    tick = 0;
  }
  return changed;
}

bool clickRow(int32_t row, bool shift, bool ctrl) {
  TLockHold hold(gameLock());
  ensureTicks();
  const TBoolArray before = tickedGames;
  const int32_t n = listRowCount();
  if (!ctrl) clearTicks();
  if (shift) {
    // A range from no cursor, or from past the end, starts at the list's edge.
    const int32_t from = std::clamp(std::min(listCursor, row), 0, n);
    const int32_t to = std::min(std::max(listCursor, row), n - 1);
    for (int32_t r = from; r <= to; ++r) tickRow(r);
  } else if (row >= 0 && row < n) {
    const int32_t game = gameAtRow(row);
    if (game >= 0) tickedGames[game] = ctrl ? !tickedGames[game] : 1;
  }
  listCursor = row;
  return tickedGames != before;
}

void cursorUp() {
  TLockHold hold(gameLock());
  ensureTicks();
  clearTicks();
  const int32_t n = listRowCount();
  if (n == 0) return;
  listCursor = listCursor > 0 ? std::min(listCursor, n) - 1 : 0;
  tickRow(listCursor);
}

void cursorDown() {
  TLockHold hold(gameLock());
  ensureTicks();
  clearTicks();
  const int32_t n = listRowCount();
  if (n == 0) return;
  listCursor = listCursor < n - 1 ? std::max(listCursor, -1) + 1 : n - 1;
  tickRow(listCursor);
}

void cursorHome() {
  TLockHold hold(gameLock());
  listCursor = 0;
}

void cursorEnd() {
  TLockHold hold(gameLock());
  listCursor = listRowCount() - 1;
}
