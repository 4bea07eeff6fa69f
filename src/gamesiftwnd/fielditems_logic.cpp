// The texts each settings field proposes.

#include "gamesiftwnd/settingsfields_logic.h"
#include "platform/platform.h"

namespace {

using TItems = std::vector<std::u16string>;

std::u16string number(int32_t value) {
  return ansiToUtf16(intToText(value));
}

void addNumbers(TItems& items, int32_t from, int32_t to, int32_t step) {
  for (int32_t value = from; value <= to; value += step) items.push_back(number(value));
}

TItems months() {
  return {kAnyWord, u"январь", u"февраль",  u"март",    u"апрель", u"май",    u"июнь",
          u"июль",  u"август", u"сентябрь", u"октябрь", u"ноябрь", u"декабрь"};
}

TItems days() {
  TItems items{kAnyDayWord};
  addNumbers(items, 1, 31, 1);
  return items;
}

TItems ratingBands() {
  TItems items{u"Нет"};
  addNumbers(items, 2, 10, 1);
  addNumbers(items, 15, 30, 5);
  addNumbers(items, 40, 100, 10);
  return items;
}

TItems years(int32_t first, int32_t last) {
  TItems items{kAnyWord};
  addNumbers(items, first, last, 1);
  return items;
}

TItems ratings(const char16_t* first) {
  TItems items{first};
  addNumbers(items, 1700, 3000, 100);
  return items;
}

TItems ecoPrefixes() {
  TItems items{kAnyWord};
  for (char16_t letter = u'A'; letter <= u'E'; ++letter) {
    items.push_back(std::u16string(1, letter));
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
      const std::u16string prefix{letter, digit};
      items.push_back(prefix);
      for (char16_t last = u'0'; last <= u'9'; ++last) items.push_back(prefix + last);
    }
  }
  return items;
}

TItems fewestMoves() {
  TItems items{u"1"};
  addNumbers(items, 5, 50, 5);
  addNumbers(items, 60, 80, 10);
  return items;
}

TItems mostMoves() {
  TItems items{kAnyWord};
  addNumbers(items, 20, 40, 5);
  addNumbers(items, 50, 100, 10);
  addNumbers(items, 120, 140, 20);
  return items;
}

}  // namespace

std::vector<std::u16string> fieldItems(TFieldId id) {
  switch (id) {
    case TFieldId::tags:
      return {u"Нет", u"Кроме основных семи", u"Все"};
    case TFieldId::marks:
      return {u"Нет", u"Кроме основных (! ? !! ?? !? ?!)", u"Все", kFineTuning};
    case TFieldId::splitEco:
      return {u"Нет", u"A - E", u"A0 - E9", u"A00 - E99"};
    case TFieldId::splitDate:
      return {u"Нет", u"По годам", u"По месяцам", u"По дням"};
    case TFieldId::whiteBands:
    case TFieldId::blackBands:
      return ratingBands();
    case TFieldId::fromYear:
      return years(1913, 2012);
    case TFieldId::toYear:
      return years(1950, 2019);
    case TFieldId::fromMonth:
    case TFieldId::toMonth:
      return months();
    case TFieldId::fromDay:
    case TFieldId::toDay:
      return days();
    case TFieldId::whiteEloMin:
    case TFieldId::blackEloMin:
      return ratings(u"0");
    case TFieldId::whiteEloMax:
    case TFieldId::blackEloMax:
      return ratings(kAnyWord);
    case TFieldId::eco:
      return ecoPrefixes();
    case TFieldId::movesMin:
      return fewestMoves();
    case TFieldId::movesMax:
      return mostMoves();
    case TFieldId::whitePlayer:
    case TFieldId::blackPlayer:
    case TFieldId::count:
      break;
  }
  return {kAnyWord};
}
