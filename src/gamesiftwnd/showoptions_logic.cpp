#include "gamesiftwnd/showoptions_logic.h"

#include <algorithm>

#include "Upgnread/options.h"
#include "gamesiftwnd/settingsboxes_logic.h"
#include "gamesiftwnd/settingsfields_logic.h"
#include "platform/platform.h"

namespace {

void showItem(TFieldId id, int32_t index) {
  TDropDownField& field = settingsField(id);
  field.index = index;
  field.text = field.items[static_cast<size_t>(index)];
}

void showText(TFieldId id, std::u16string text) {
  TDropDownField& field = settingsField(id);
  field.index = -1;
  field.text = std::move(text);
}

void showNumber(TFieldId id, int32_t value) {
  showText(id, ansiToUtf16(intToText(value)));
}

void showTextOrAny(TFieldId id, const std::string& text) {
  showText(id, text.empty() ? std::u16string(kAnyWord) : ansiToUtf16(text));
}

// The word for "any" is shown, but as a typed text (index -1), like every number.
void showNumberOrAny(TFieldId id, int32_t value, int32_t any) {
  if (value < any) {
    showNumber(id, value);
  } else {
    showText(id, settingsField(id).items.front());
  }
}

void showStripping() {
  if (tagMode > 2) tagMode = 1;  // the writer would drop every tag of a value it does not know
  showItem(TFieldId::tags, 2 - tagMode);
  int32_t marks = 3;
  if (keptNags == TNagSet::all()) marks = 0;
  if (keptNags == TNagSet::moveMarksOnly()) marks = 1;
  if (keptNags == TNagSet::none()) marks = 2;
  showItem(TFieldId::marks, marks);
}

void showBands(TFieldId id, uint8_t& parts) {
  if (parts <= 1) {
    parts = 1;
    showItem(id, 0);
  } else {
    showNumber(id, parts);
  }
}

void showSplitting() {
  splitByEco = std::min<uint8_t>(splitByEco, 3);
  splitByDate = std::min<uint8_t>(splitByDate, 3);
  showItem(TFieldId::splitEco, splitByEco);
  showItem(TFieldId::splitDate, splitByDate);
  showBands(TFieldId::whiteBands, whiteEloParts);
  showBands(TFieldId::blackBands, blackEloParts);
}

void showLowerDate() {
  dateFrom = std::max(dateFrom, 0);
  const int32_t year = dateFrom / 416;
  if (year == 0) {
    showItem(TFieldId::fromYear, 0);
  } else {
    showNumber(TFieldId::fromYear, year);
  }
  showItem(TFieldId::fromMonth, dateFrom / 32 % 13);
  showItem(TFieldId::fromDay, dateFrom % 32);
}

void showUpperDate() {
  dateTo = std::max(dateTo, 0);
  showNumberOrAny(TFieldId::toYear, dateTo / 416, 10000);
  if (dateTo / 32 % 13 == 0) dateTo += 32;
  if (dateTo % 32 == 0) dateTo += 1;
  const int32_t month = dateTo / 32 % 13;
  const int32_t day = dateTo % 32;
  showItem(TFieldId::toMonth, month == 12 ? 0 : month);
  settingsField(TFieldId::toMonth).index = month;
  showItem(TFieldId::toDay, day == 31 ? 0 : day);
  settingsField(TFieldId::toDay).index = day;
}

// A lower bound below 0 lets every game through as 0 does; shown as 0, it is kept as 0.
void showRatings(TFieldId lowId, int32_t& low, TFieldId highId, int32_t& high) {
  low = std::max(low, 0);
  showNumber(lowId, low);
  high = std::clamp(high, 0, 10000);
  showNumberOrAny(highId, high, 10000);
}

void showFilters() {
  showLowerDate();
  showUpperDate();
  showTextOrAny(TFieldId::whitePlayer, whitePlayer);
  showTextOrAny(TFieldId::blackPlayer, blackPlayer);
  showRatings(TFieldId::whiteEloMin, whiteEloMin, TFieldId::whiteEloMax, whiteEloMax);
  showRatings(TFieldId::blackEloMin, blackEloMin, TFieldId::blackEloMax, blackEloMax);
  if (ecoFilter.size() > 3) ecoFilter.resize(3);
  showTextOrAny(TFieldId::eco, ecoFilter);
  movesMin = std::max(movesMin, 1);
  showNumber(TFieldId::movesMin, movesMin);
  movesMax = std::clamp(movesMax, 0, 100000);
  showNumberOrAny(TFieldId::movesMax, movesMax, 100000);
}

}  // namespace

void putOptionsIntoControls() {
  showBoxOptions();
  showStripping();
  showSplitting();
  showFilters();
}

void resetOptionsInControls() {
  resetOptions();
  putOptionsIntoControls();
}
