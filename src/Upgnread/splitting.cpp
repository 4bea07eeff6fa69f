#include "Upgnread/splitting.h"

#include <algorithm>
#include <limits>

#include "Upgnread/filters.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/sorting.h"
#include "platform/platform.h"
#include "uchess/fileutil.h"

std::vector<int32_t> whiteRating;
std::vector<int32_t> blackRating;
std::vector<int32_t> whiteEloBounds;
std::vector<int32_t> blackEloBounds;
std::vector<int32_t> gameDates;
TIndexArray playerGroupStarts;
std::vector<std::string> playerGroupNames;
int32_t groupCursor = 0;

int32_t nameCounter = 0;
TCutNames* rememberedCuts = nullptr;
std::string outputEnding = ".pgn";
int32_t textBufferLength = kDefaultTextBufferLength;

// Rating parts

std::vector<int32_t> ratingBounds(int32_t parts, int32_t low, int32_t high) {
  constexpr int64_t kTop = std::numeric_limits<int32_t>::max();
  // No rating fell inside the filter bounds: the ranges still hold their reset values.
  if (low > high || parts < 1) return {0, int32_t(kTop)};
  std::vector<int32_t> bounds;
  const int64_t width = int64_t(high) - low + 1;
  if (parts < width) {
    bounds.push_back(low);
    for (int64_t i = 1; i <= parts; ++i)
      bounds.push_back(int32_t(std::min(kTop, (low * (parts - i) + i * high) / parts + 1)));
  } else {
    for (int64_t i = 0; i <= width; ++i) bounds.push_back(int32_t(std::min(kTop, low + i)));
  }
  return bounds;
}

void buildRatingParts(const TIndexArray& list) {
  whiteEloLow = blackEloLow = 100000;
  whiteEloHigh = blackEloHigh = 0;
  whiteRating.assign(panelGames.size(), 0);
  blackRating.assign(panelGames.size(), 0);
  for (const int32_t index : list) {
    if (index < 0 || static_cast<size_t>(index) >= panelGames.size()) continue;
    const TRatings ratings = readRatings(panelGames[index].Tags);
    whiteRating[index] = ratings.White;
    blackRating[index] = ratings.Black;
  }
  whiteEloBounds.clear();
  blackEloBounds.clear();
  if (whiteEloParts > 1) whiteEloBounds = ratingBounds(whiteEloParts, whiteEloLow, whiteEloHigh);
  if (blackEloParts > 1) blackEloBounds = ratingBounds(blackEloParts, blackEloLow, blackEloHigh);
}

int32_t ratingPart(int32_t rating, const std::vector<int32_t>& bounds) {
  if (bounds.empty()) return 0;
  const int32_t last = static_cast<int32_t>(bounds.size()) - 1;
  for (int32_t i = 0; i < last; ++i)
    if (rating < bounds[i]) return i;
  return last;
}

bool splitsOutput() {
  return keysActive(TSortPass::white);
}

namespace {

struct TPartRange {
  int32_t lower = 0;
  int32_t upper = 0;
};

// The part holding the rating; one below every boundary counts to the first part.
TPartRange partOf(int32_t rating, const std::vector<int32_t>& bounds) {
  if (bounds.size() < 2) return {};
  const int32_t i = std::max(1, ratingPart(rating, bounds));
  return {bounds[i - 1], bounds[i]};
}

bool validIndex(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < panelGames.size();
}

std::string_view tagOf(int32_t index, int tag) {
  return tagValue(panelGames[index], tag);
}

bool ratingSplits(const std::vector<int32_t>& ratings, const std::vector<int32_t>& bounds,
                  int32_t game, int32_t previous) {
  const int32_t rating = perGameValue(ratings, game);
  const int32_t before = perGameValue(ratings, previous);
  return rating != before && bounds.size() >= 2 && before < partOf(rating, bounds).lower;
}

bool datesSplit(int32_t game, int32_t previous) {
  const int32_t date = perGameValue(gameDates, game);
  const int32_t before = perGameValue(gameDates, previous);
  if (splitByDate == 1) return date / 416 != before / 416;
  if (splitByDate == 2) return date / 32 != before / 32;
  return date != before;
}

bool namesSplit(int32_t game, int32_t previous, int32_t position) {
  if (splitByPlayer)
    return groupCursor < static_cast<int32_t>(playerGroupStarts.size()) &&
           playerGroupStarts[groupCursor] == position;
  return (splitByBlack && tagOf(game, kTagBlack) != tagOf(previous, kTagBlack)) ||
         (splitByWhite && tagOf(game, kTagWhite) != tagOf(previous, kTagWhite));
}

std::string_view ecoPrefix(int32_t index) {
  return std::string_view(runEco(index)).substr(0, splitByEco);
}

}  // namespace

// File changes

bool startsNewFile(int32_t position) {
  if (position < 0 || static_cast<size_t>(position) >= outputOrder.size()) return false;
  followGroups(position);
  if (position == 0) return true;
  const int32_t game = outputOrder[position];
  const int32_t previous = outputOrder[position - 1];
  if (!validIndex(game) || !validIndex(previous)) return false;
  if (splitByEco > 0 && ecoPrefix(game) != ecoPrefix(previous)) return true;
  if (splitByResult && tagOf(game, kTagResult) != tagOf(previous, kTagResult)) return true;
  if (blackEloParts >= 2 && ratingSplits(blackRating, blackEloBounds, game, previous)) return true;
  if (whiteEloParts >= 2 && ratingSplits(whiteRating, whiteEloBounds, game, previous)) return true;
  if (splitByEvent && tagOf(game, kTagEvent) != tagOf(previous, kTagEvent)) return true;
  if (splitByDate >= 1 && datesSplit(game, previous)) return true;
  return namesSplit(game, previous, position);
}

void resetGroupCursor() {
  groupCursor = 0;
}

// A search rather than a step forward: the cursor then also holds when an earlier key starts a file
// inside a group, or when a group's first game starts a file by another key.
void followGroups(int32_t position) {
  const auto after = std::upper_bound(playerGroupStarts.begin(), playerGroupStarts.end(), position);
  groupCursor = static_cast<int32_t>(std::max<ptrdiff_t>(0, after - playerGroupStarts.begin() - 1));
}

void emptyRunArrays() {
  std::vector<int32_t>().swap(whiteRating);
  std::vector<int32_t>().swap(blackRating);
  std::vector<int32_t>().swap(whiteEloBounds);
  std::vector<int32_t>().swap(blackEloBounds);
  std::vector<int32_t>().swap(gameDates);
  TIndexArray().swap(playerGroupStarts);
  std::vector<std::string>().swap(playerGroupNames);
  groupCursor = 0;
  forgetRunEco();
}

bool refusedInName(uint32_t code, TNameRules rules) {
  if (rules == TNameRules::posix) return code == '/' || code == 0;
  if (code < 32) return true;
  constexpr std::string_view kRefused = "<>:\"/\\|?*";
  return code < 128 && kRefused.find(char(code)) != std::string_view::npos;
}
