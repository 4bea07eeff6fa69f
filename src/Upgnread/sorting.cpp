#include "Upgnread/sorting.h"

#include <algorithm>
#include <bit>
#include <string_view>

#include "Upgnread/ecotag.h"
#include "Upgnread/filters.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/splitting.h"
#include "pgnlongwork/jobstate.h"

namespace {

// Comparison results of the name keys: kNamesEqualEnd stops the comparison with no order.
constexpr int kNamesEqualEnd = 2;

std::string_view tagOf(int32_t index, int tag) {
  if (index < 0 || static_cast<size_t>(index) >= panelGames.size()) return {};
  return tagValue(panelGames[index], tag);
}

int signOf(int value) {
  return (value > 0) - (value < 0);
}

template <class T>
int compareValues(T a, T b) {
  return (b < a) - (a < b);
}

// Byte order: string_view compares as unsigned char.
int compareTexts(std::string_view a, std::string_view b) {
  return signOf(a.compare(b));
}

// The sort takes a rating's part from the first part's width alone.
int64_t sortPart(int32_t rating, const std::vector<int32_t>& bounds) {
  return (int64_t(rating) - bounds[0]) / (int64_t(bounds[1]) - bounds[0]);
}

int resultRank(std::string_view result) {
  if (result == "0-1") return 0;
  if (result == "1/2-1/2") return 1;
  if (result == "1-0") return 2;
  if (result == "*") return 3;
  return 4;
}

std::string_view ecoPrefix(int32_t index) {
  return std::string_view(runEco(index)).substr(0, splitByEco);
}

// The player split sorts the Black pass by Black name alone; the White key stays out of it even
// when the White split is on as well, or one player's games would not stand together.
int compareNames(int32_t x, int32_t y, TSortPass pass) {
  if (pass == TSortPass::group) return 0;
  if (pass == TSortPass::white && (splitByWhite || splitByPlayer)) {
    if (int order = compareTexts(tagOf(x, kTagWhite), tagOf(y, kTagWhite))) return order;
    if (splitByPlayer) return kNamesEqualEnd;
  }
  if (pass == TSortPass::black || splitByBlack) {
    if (int order = compareTexts(tagOf(x, kTagBlack), tagOf(y, kTagBlack))) return order;
    if (pass == TSortPass::black) return kNamesEqualEnd;
  }
  return 0;
}

int compareRatingParts(int32_t x, int32_t y) {
  if (whiteEloParts > 1 && whiteEloBounds.size() >= 2)
    if (int order = compareValues(sortPart(perGameValue(whiteRating, x), whiteEloBounds),
                                  sortPart(perGameValue(whiteRating, y), whiteEloBounds)))
      return order;
  if (blackEloParts > 1 && blackEloBounds.size() >= 2)
    if (int order = compareValues(sortPart(perGameValue(blackRating, x), blackEloBounds),
                                  sortPart(perGameValue(blackRating, y), blackEloBounds)))
      return order;
  return 0;
}

int compareOtherKeys(int32_t x, int32_t y) {
  if (splitByDate >= 1)
    if (int order = compareValues(perGameValue(gameDates, x), perGameValue(gameDates, y)))
      return order;
  if (splitByEvent)
    if (int order = compareTexts(tagOf(x, kTagEvent), tagOf(y, kTagEvent))) return order;
  if (int order = compareRatingParts(x, y)) return order;
  if (splitByResult)
    if (int order =
            compareValues(resultRank(tagOf(x, kTagResult)), resultRank(tagOf(y, kTagResult))))
      return order;
  if (splitByEco >= 1)
    if (int order = compareTexts(ecoPrefix(x), ecoPrefix(y))) return order;
  if (whiteEloParts > 1 && whiteEloBounds.size() >= 2)
    if (int order = compareValues(perGameValue(whiteRating, x), perGameValue(whiteRating, y)))
      return order;
  if (blackEloParts >= 2)
    if (int order = compareValues(perGameValue(blackRating, x), perGameValue(blackRating, y)))
      return order;
  return 0;
}

// The ECO codes of this run, remembered per game once taken.
std::vector<std::string> rememberedEco;
std::vector<uint8_t> ecoRemembered;

}  // namespace

std::string_view tagValue(const TGame& game, int tag) {
  return static_cast<size_t>(tag) < game.Tags.size() ? std::string_view(game.Tags[tag].Value)
                                                     : std::string_view();
}

bool comesBefore(int32_t x, int32_t y, TSortPass pass) {
  int order = compareNames(x, y, pass);
  if (order == kNamesEqualEnd) return false;
  if (order == 0) order = compareOtherKeys(x, y);
  return order != 0 ? order < 0 : x < y;
}

bool keysActive(TSortPass pass) {
  if (pass == TSortPass::black) return true;
  if (pass == TSortPass::white && (splitByWhite || splitByBlack || splitByPlayer)) return true;
  return splitByDate >= 1 || splitByEvent || whiteEloParts >= 2 || blackEloParts >= 2 ||
         splitByResult || splitByEco >= 1;
}

std::string gameEco(TGame& game) {
  const int slot = findEcoSlot(game.Tags);
  if (slot >= 0 && isValidEco(game.Tags[slot].Value)) return std::string(game.Tags[slot].Value);
  return fillEco(game, true);
}

const std::string& runEco(int32_t index) {
  static const std::string none;
  if (index < 0 || static_cast<size_t>(index) >= panelGames.size()) return none;
  if (rememberedEco.size() != panelGames.size()) {
    rememberedEco.assign(panelGames.size(), std::string());
    ecoRemembered.assign(panelGames.size(), 0);
  }
  if (!ecoRemembered[index]) {
    rememberedEco[index] = gameEco(panelGames[index]);
    ecoRemembered[index] = 1;
  }
  return rememberedEco[index];
}

void forgetRunEco() {
  std::vector<std::string>().swap(rememberedEco);
  std::vector<uint8_t>().swap(ecoRemembered);
}

// The sort procedure

namespace {

// Ranges this short are sorted by insertion; longer ones are partitioned.
constexpr size_t kShortRange = 16;

// Hoare's partition around the middle entry; stopping on entries equal to the pivot keeps the
// parts even when many games compare equal (one player's games in the player split).
size_t partitionRange(TIndexArray& list, size_t first, size_t last, TSortPass pass) {
  TLockHold hold(gameLock());
  std::swap(list[first], list[first + (last - first) / 2]);
  const int32_t pivot = list[first];
  size_t i = first;
  size_t j = last;
  for (;;) {
    do ++i;
    while (i < last && comesBefore(list[i], pivot, pass));
    do --j;
    while (comesBefore(pivot, list[j], pass));
    if (i >= j) break;
    std::swap(list[i], list[j]);
  }
  std::swap(list[first], list[j]);
  return j;
}

void insertionSort(TIndexArray& list, size_t first, size_t last, TSortPass pass) {
  TLockHold hold(gameLock());
  for (size_t i = first + 1; i < last; ++i) {
    const int32_t entry = list[i];
    size_t j = i;
    for (; j > first && comesBefore(entry, list[j - 1], pass); --j) list[j] = list[j - 1];
    list[j] = entry;
  }
}

// The fallback when partitions keep coming out lopsided: bounded time whatever the input.
void heapSort(TIndexArray& list, size_t first, size_t last, TSortPass pass) {
  TLockHold hold(gameLock());
  auto before = [pass](int32_t x, int32_t y) { return comesBefore(x, y, pass); };
  std::make_heap(list.begin() + first, list.begin() + last, before);
  std::sort_heap(list.begin() + first, list.begin() + last, before);
}

// Recurses into the smaller part and loops on the larger, so the stack stays within log2 n.
void sortRange(TIndexArray& list, size_t first, size_t last, TSortPass pass, int depthLeft) {
  while (last - first > kShortRange) {
    if (stopRequested) return;
    if (depthLeft-- <= 0) {
      heapSort(list, first, last, pass);
      itemsDone += static_cast<int32_t>(last - first);
      return;
    }
    const size_t middle = partitionRange(list, first, last, pass);
    ++itemsDone;
    if (middle - first < last - middle - 1) {
      sortRange(list, first, middle, pass, depthLeft);
      first = middle + 1;
    } else {
      sortRange(list, middle + 1, last, pass, depthLeft);
      last = middle;
    }
  }
  if (stopRequested) return;
  insertionSort(list, first, last, pass);
  itemsDone += static_cast<int32_t>(last - first);
}

}  // namespace

void sortPositions(TIndexArray& list, size_t first, size_t last, TSortPass pass) {
  if (last > list.size() || first >= last || last - first < 2) return;
  sortRange(list, first, last, pass, 2 * std::bit_width(last - first));
}

// The output order

namespace {

// Copies workList and computes the ratings, rating parts and dates the comparison reads.
void prepareRun() {
  TLockHold hold(gameLock());
  emptyRunArrays();
  outputOrder = workList;
  itemsTotal = static_cast<int32_t>(outputOrder.size());
  itemsDone = 0;
  if (whiteEloParts > 1 || blackEloParts > 1) buildRatingParts(workList);
  if (splitByDate >= 1) {
    gameDates.assign(panelGames.size(), 0);
    for (const int32_t index : workList)
      if (static_cast<size_t>(index) < panelGames.size())
        gameDates[index] = parseDate(tagOf(index, kTagDate));
  }
}

// The games with two different players, in work-list order, sorted by Black name.
bool sortBlackPass() {
  {
    TLockHold hold(gameLock());
    TIndexArray games;
    for (const int32_t index : workList)
      if (tagOf(index, kTagWhite) != tagOf(index, kTagBlack)) games.push_back(index);
    outputOrder = std::move(games);
    itemsTotal = static_cast<int32_t>(outputOrder.size());
  }
  if (outputOrder.size() > 1) {
    itemsDone = 0;
    sortPositions(outputOrder, 0, outputOrder.size(), TSortPass::black);
  }
  return !stopRequested;
}

// Copies one player's group to outputOrder from position at: their White games from byWhite,
// then their Black games from byBlack. Returns the position after the group.
size_t copyGroup(const TIndexArray& byWhite, size_t& j, const TIndexArray& byBlack, size_t& k,
                 size_t at) {
  TLockHold hold(gameLock());
  playerGroupStarts.push_back(static_cast<int32_t>(at));
  std::string player;
  if (j == byWhite.size() ||
      (k < byBlack.size() && tagOf(byWhite[j], kTagWhite) > tagOf(byBlack[k], kTagBlack))) {
    player = tagOf(byBlack[k], kTagBlack);
  } else {
    player = tagOf(byWhite[j], kTagWhite);
    while (j < byWhite.size() && tagOf(byWhite[j], kTagWhite) == player)
      outputOrder[at++] = byWhite[j++];
  }
  while (k < byBlack.size() && tagOf(byBlack[k], kTagBlack) == player)
    outputOrder[at++] = byBlack[k++];
  playerGroupNames.push_back(std::move(player));
  return at;
}

// Merges the games sorted by White and by Black into one group per player, in name order.
void mergePlayerGroups(const TIndexArray& byWhite, const TIndexArray& byBlack) {
  {
    TLockHold hold(gameLock());
    outputOrder.assign(byWhite.size() + byBlack.size(), 0);
    playerGroupStarts.clear();
    playerGroupNames.clear();
  }
  size_t j = 0, k = 0, at = 0;
  while (j < byWhite.size() || k < byBlack.size()) {
    if (stopRequested) return;
    const size_t start = at;
    at = copyGroup(byWhite, j, byBlack, k, start);
    if (at - start > 1 && keysActive(TSortPass::group)) {
      itemsDone = 0;
      sortPositions(outputOrder, start, at, TSortPass::group);
    }
  }
}

TIndexArray takeOutputOrder() {
  TLockHold hold(gameLock());
  return std::move(outputOrder);
}

}  // namespace

void sortForOutput() {
  prepareRun();
  if (outputOrder.size() > 1 && keysActive(TSortPass::white))
    sortPositions(outputOrder, 0, outputOrder.size(), TSortPass::white);
  if (!splitByPlayer) return;
  TIndexArray byWhite = takeOutputOrder();
  if (!sortBlackPass()) return;
  TIndexArray byBlack = takeOutputOrder();
  mergePlayerGroups(byWhite, byBlack);
}
