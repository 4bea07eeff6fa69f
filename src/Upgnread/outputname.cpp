// The names of the output files: the output base with one part per active split key.

#include <algorithm>

#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/sorting.h"
#include "Upgnread/splitting.h"
#include "platform/platform.h"
#include "uchess/fileutil.h"

namespace {

using TNameText = std::filesystem::path::string_type;

void appendAscii(TNameText& name, std::string_view text) {
  for (const char c : text) name.push_back(static_cast<TNameText::value_type>(c));
}

void appendTagText(TNameText& name, std::string_view value) {
  TNameText part = tagTextToName(value);
  makeNamePartSafe(part, kHostNameRules);
  name += part;
}

// A number with leading zeros up to digits, or the placeholder when it is 0.
void appendPadded(TNameText& name, int32_t value, size_t digits, std::string_view placeholder) {
  if (value == 0) return appendAscii(name, placeholder);
  const std::string text = intToText(value);
  for (size_t i = text.size(); i < digits; ++i) appendAscii(name, "0");
  appendAscii(name, text);
}

void appendPlayers(TNameText& name, const TGame& game) {
  if (splitByPlayer) {
    appendAscii(name, "_player=");
    if (groupCursor >= 0 && static_cast<size_t>(groupCursor) < playerGroupNames.size())
      appendTagText(name, playerGroupNames[groupCursor]);
    return;
  }
  if (splitByWhite) {
    appendAscii(name, "_white=");
    appendTagText(name, tagValue(game, kTagWhite));
  }
  if (splitByBlack) {
    appendAscii(name, "_black=");
    appendTagText(name, tagValue(game, kTagBlack));
  }
}

void appendDate(TNameText& name, int32_t date) {
  appendAscii(name, "_date=");
  appendPadded(name, date / 416, 4, "yyyy");
  if (splitByDate < 2) return;
  appendAscii(name, "_");
  appendPadded(name, (date / 32) % 13, 2, "mm");
  if (splitByDate < 3) return;
  appendAscii(name, "_");
  appendPadded(name, date % 32, 2, "dd");
}

void appendRatingPart(TNameText& name, std::string_view label, int32_t rating,
                      const std::vector<int32_t>& bounds) {
  appendAscii(name, label);
  if (bounds.size() < 2) return;
  const int32_t part = std::max(1, ratingPart(rating, bounds));
  appendAscii(name, intToText(bounds[part - 1]));
  appendAscii(name, "-");
  appendAscii(name, intToText(bounds[part]));
}

std::string_view resultPart(std::string_view result) {
  if (result == "1-0") return "_res=whitewin";
  if (result == "0-1") return "_res=blackwin";
  if (result == "1/2-1/2") return "_res=draw";
  return "_res=unknown";
}

// A name the host could not hold is cut, and the count of cut names keeps cut names apart.
void limitLength(TNameText& name) {
  const int64_t limit = int64_t(textBufferLength) - 4;
  if (int64_t(name.size()) < limit) return;
  if (rememberedCuts) {
    const auto found = rememberedCuts->find(name);
    if (found != rememberedCuts->end()) {
      name = found->second;
      return;
    }
  }
  const TNameText whole = name;
  ++nameCounter;
  const std::string counter = intToText(nameCounter);
  const int64_t keep = std::clamp<int64_t>(limit - int64_t(counter.size()), 0, name.size());
  name.resize(static_cast<size_t>(keep));
  appendAscii(name, counter);
  if (rememberedCuts) rememberedCuts->emplace(whole, name);
}

void appendKeys(TNameText& name, int32_t index) {
  TGame& game = panelGames[index];
  appendPlayers(name, game);
  if (splitByDate >= 1) appendDate(name, perGameValue(gameDates, index));
  if (splitByEvent) {
    appendAscii(name, "_tournament=");
    appendTagText(name, tagValue(game, kTagEvent));
  }
  if (whiteEloParts > 1)
    appendRatingPart(name, "_welo=", perGameValue(whiteRating, index), whiteEloBounds);
  if (blackEloParts > 1)
    appendRatingPart(name, "_belo=", perGameValue(blackRating, index), blackEloBounds);
  if (splitByResult) appendAscii(name, resultPart(tagValue(game, kTagResult)));
  if (splitByEco > 0) {
    appendAscii(name, "_eco=");
    appendTagText(name, std::string_view(runEco(index)).substr(0, splitByEco));
  }
}

}  // namespace

std::filesystem::path outputFileName(const std::filesystem::path& base, int32_t position) {
  TNameText name = base.native();
  if (position >= 0 && static_cast<size_t>(position) < outputOrder.size()) {
    const int32_t index = outputOrder[position];
    if (index >= 0 && static_cast<size_t>(index) < panelGames.size()) {
      followGroups(position);
      appendKeys(name, index);
    }
  }
  limitLength(name);
  appendAscii(name, outputEnding);
  return std::filesystem::path(std::move(name));
}
