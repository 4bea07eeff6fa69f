// The handlers of the settings fields. Most fields hold one number of an option; they differ only
// in what they accept typed, what their word for "any" stores and how an item becomes a value, so
// one table row describes each and one handler reads the row.

#include <iterator>

#include "Upgnread/options.h"
#include "gamesiftwnd/settingsfields_logic.h"
#include "platform/platform.h"

namespace {

// How a picked item k >= 1 (and item 0 unless the row names its own value) becomes a value.
enum class TPick { index, mirrored, offset, itemNumber };
constexpr int32_t kPickByRule = -1;  // item 0 follows the pick rule like the others
constexpr int32_t kNoTyping = -1;

struct TNumberRule {
  TFieldId id;
  int32_t typedMin, typedMax;  // numbers taken when typed; kNoTyping: none
  const char16_t* anyWord;     // typed word meaning "any", or null
  int32_t anyValue;
  bool matchItems;    // a typed item text counts as picking that item
  bool emptyRefused;  // an upper bound: an empty text would be the tightest bound, not "any"
  int32_t itemZero;   // value of item 0, or kPickByRule
  TPick pick;
  int32_t pickOffset;
  void (*store)(int32_t value);
};

void storeYear(int32_t& date, int32_t year) {
  date = date % 416 + year * 416;
}
void storeMonth(int32_t& date, int32_t month) {
  date = date % 32 + (date / 416 * 13 + month) * 32;
}
void storeDay(int32_t& date, int32_t day) {
  date = date / 32 * 32 + day;
}

// clang-format off
constexpr TNumberRule kNumberRules[] = {
  {TFieldId::tags, 0, kNoTyping, nullptr, 0, true, false, kPickByRule, TPick::mirrored, 0,
   [](int32_t v) { tagMode = static_cast<uint8_t>(v); }},
  {TFieldId::splitEco, 0, kNoTyping, nullptr, 0, true, false, kPickByRule, TPick::index, 0,
   [](int32_t v) { splitByEco = static_cast<uint8_t>(v); }},
  {TFieldId::splitDate, 0, kNoTyping, nullptr, 0, true, false, kPickByRule, TPick::index, 0,
   [](int32_t v) { splitByDate = static_cast<uint8_t>(v); }},
  {TFieldId::whiteBands, 1, 255, u"нет", 1, false, false, 1, TPick::itemNumber, 0,
   [](int32_t v) { whiteEloParts = static_cast<uint8_t>(v); }},
  {TFieldId::blackBands, 1, 255, u"нет", 1, false, false, 1, TPick::itemNumber, 0,
   [](int32_t v) { blackEloParts = static_cast<uint8_t>(v); }},
  {TFieldId::fromYear, 0, 9999, kAnyWord, 0, false, false, 0, TPick::offset, 1912,
   [](int32_t v) { storeYear(dateFrom, v); }},
  {TFieldId::fromMonth, 0, 12, nullptr, 0, true, false, kPickByRule, TPick::index, 0,
   [](int32_t v) { storeMonth(dateFrom, v); }},
  {TFieldId::fromDay, 0, 31, kAnyDayWord, 0, false, false, kPickByRule, TPick::index, 0,
   [](int32_t v) { storeDay(dateFrom, v); }},
  {TFieldId::toYear, 0, 9999, kAnyWord, 10000, false, true, 10000, TPick::offset, 1949,
   [](int32_t v) { storeYear(dateTo, v); }},
  {TFieldId::toMonth, 0, 12, nullptr, 0, true, true, 12, TPick::index, 0,
   [](int32_t v) { storeMonth(dateTo, v); }},
  {TFieldId::toDay, 0, 31, kAnyDayWord, 31, false, true, 31, TPick::index, 0,
   [](int32_t v) { storeDay(dateTo, v); }},
  {TFieldId::whiteEloMin, 0, 9999, nullptr, 0, false, false, 0, TPick::itemNumber, 0,
   [](int32_t v) { whiteEloMin = v; }},
  {TFieldId::whiteEloMax, 0, 9999, kAnyWord, 10000, false, true, 10000, TPick::itemNumber, 0,
   [](int32_t v) { whiteEloMax = v; }},
  {TFieldId::blackEloMin, 0, 9999, nullptr, 0, false, false, 0, TPick::itemNumber, 0,
   [](int32_t v) { blackEloMin = v; }},
  {TFieldId::blackEloMax, 0, 9999, kAnyWord, 10000, false, true, 10000, TPick::itemNumber, 0,
   [](int32_t v) { blackEloMax = v; }},
  {TFieldId::movesMin, 0, 999, nullptr, 0, false, false, kPickByRule, TPick::itemNumber, 0,
   [](int32_t v) { movesMin = v; }},
  {TFieldId::movesMax, 0, 999, kAnyWord, 100000, false, true, 100000, TPick::itemNumber, 0,
   [](int32_t v) { movesMax = v; }},
};
// clang-format on

const TNumberRule& numberRule(TFieldId id) {
  for (const TNumberRule& rule : kNumberRules)
    if (rule.id == id) return rule;
  return kNumberRules[0];  // every numeric field has a row: a unit test walks them all
}

int32_t pickedValue(const TNumberRule& rule, const TDropDownField& field, int32_t index) {
  if (index == 0 && rule.itemZero != kPickByRule) return rule.itemZero;
  switch (rule.pick) {
    case TPick::index:
      return index;
    case TPick::mirrored:
      return 2 - index;
    case TPick::offset:
      return index + rule.pickOffset;
    case TPick::itemNumber:
      break;
  }
  int32_t value = 0;
  readFieldNumber(field.items[index], 100000, value);
  return value;
}

bool typedNumber(const TNumberRule& rule, TDropDownField& field, std::u16string_view text) {
  if (rule.typedMax == kNoTyping || (text.empty() && rule.emptyRefused)) return false;
  int32_t value = 0;
  if (!readFieldNumber(text, rule.typedMax, value) || value < rule.typedMin) return false;
  field.index = -1;
  rule.store(value);
  return true;
}

template <TFieldId id>
bool numberHandler(TDropDownField& field, int32_t index, std::u16string_view text) {
  const TNumberRule& rule = numberRule(id);
  if (index >= 0) {
    rule.store(pickedValue(rule, field, index));
    return true;
  }
  if (typedNumber(rule, field, text)) return true;
  if (rule.anyWord && sameText(text, rule.anyWord)) {
    field.index = 0;
    rule.store(rule.anyValue);
    return true;
  }
  const int32_t item = rule.matchItems ? matchingItem(field, text) : -1;
  if (item < 0) return false;
  field.index = item;
  rule.store(pickedValue(rule, field, item));
  return true;
}

// The fields that hold a set or a text

bool marksHandler(TDropDownField& field, int32_t index, std::u16string_view text) {
  if (index < 0) {
    index = matchingItem(field, text);
    if (index < 0 || index > 2) return false;  // the fine tuning is opened only by a pick
    field.index = index;
  }
  switch (index) {
    case 0:
      keptNags = TNagSet::all();
      return true;
    case 1:
      keptNags = TNagSet::moveMarksOnly();
      return true;
    case 2:
      keptNags = TNagSet::none();
      return true;
  }
  return runMarkWindow && runMarkWindow();
}

template <std::string* option>
bool playerHandler(TDropDownField& field, int32_t index, std::u16string_view text) {
  if (index >= 0) {
    *option = index == 0 ? std::string() : utf16ToAnsi(field.items[index]);
    return true;
  }
  field.index = -1;
  *option = sameText(text, kAnyWord) ? std::string() : utf16ToAnsi(text);
  return true;
}

bool ecoHandler(TDropDownField& field, int32_t index, std::u16string_view text) {
  if (index < 0) {
    index = matchingItem(field, text);
    if (index < 0) return false;
    field.index = index;
  }
  ecoFilter = index == 0 ? std::string() : utf16ToAnsi(field.items[index]);
  return true;
}

struct THandlerRow {
  TFieldId id;
  TFieldHandler handler;
};

constexpr THandlerRow kHandlers[] = {
    {TFieldId::tags, numberHandler<TFieldId::tags>},
    {TFieldId::marks, marksHandler},
    {TFieldId::splitEco, numberHandler<TFieldId::splitEco>},
    {TFieldId::splitDate, numberHandler<TFieldId::splitDate>},
    {TFieldId::whiteBands, numberHandler<TFieldId::whiteBands>},
    {TFieldId::blackBands, numberHandler<TFieldId::blackBands>},
    {TFieldId::fromYear, numberHandler<TFieldId::fromYear>},
    {TFieldId::fromMonth, numberHandler<TFieldId::fromMonth>},
    {TFieldId::fromDay, numberHandler<TFieldId::fromDay>},
    {TFieldId::toYear, numberHandler<TFieldId::toYear>},
    {TFieldId::toMonth, numberHandler<TFieldId::toMonth>},
    {TFieldId::toDay, numberHandler<TFieldId::toDay>},
    {TFieldId::whitePlayer, playerHandler<&whitePlayer>},
    {TFieldId::blackPlayer, playerHandler<&blackPlayer>},
    {TFieldId::whiteEloMin, numberHandler<TFieldId::whiteEloMin>},
    {TFieldId::whiteEloMax, numberHandler<TFieldId::whiteEloMax>},
    {TFieldId::blackEloMin, numberHandler<TFieldId::blackEloMin>},
    {TFieldId::blackEloMax, numberHandler<TFieldId::blackEloMax>},
    {TFieldId::eco, ecoHandler},
    {TFieldId::movesMin, numberHandler<TFieldId::movesMin>},
    {TFieldId::movesMax, numberHandler<TFieldId::movesMax>},
};
static_assert(std::size(kHandlers) == kFieldCount);

bool isReadOnly(TFieldId id) {
  switch (id) {
    case TFieldId::tags:
    case TFieldId::marks:
    case TFieldId::splitEco:
    case TFieldId::splitDate:
    case TFieldId::fromMonth:
    case TFieldId::fromDay:
    case TFieldId::toMonth:
    case TFieldId::toDay:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::array<TDropDownField, kFieldCount> settingsFields;
bool (*runMarkWindow)() = nullptr;

TDropDownField& settingsField(TFieldId id) {
  return settingsFields[static_cast<size_t>(id)];
}

void buildSettingsFields() {
  for (const THandlerRow& row : kHandlers) {
    TDropDownField& field = settingsField(row.id);
    field.items = fieldItems(row.id);
    field.text = field.items.front();
    field.index = 0;
    field.handler = row.handler;
    field.readOnly = isReadOnly(row.id);
  }
}
