#include "gamesiftwnd/settingsboxes_logic.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "Upgnread/options.h"

namespace {

struct TBoxRow {
  TBoxId id;
  const char16_t* caption;
  bool* option;       // null for the result boxes
  uint8_t resultBit;  // bit of resultMask for the result boxes
  bool onByDefault;
};

// clang-format off
constexpr TBoxRow kBoxes[] = {
  {TBoxId::comments, u"Комментарии", &removeComments, 0, false},
  {TBoxId::variations, u"Ветки", &removeVariations, 0, false},
  {TBoxId::duplicates, u"Дубликаты", &removeDuplicates, 0, false},
  {TBoxId::ecoNames, u"Добавлять ECO названия дебютов", &addEcoNames, 0, false},
  {TBoxId::oldEco, u"Удалять старые записи ECO, если они есть", &removeOldEco, 0, true},
  {TBoxId::append, u"Не затирать при записи pgn файлы", &appendToExisting, 0, true},
  {TBoxId::splitWhite, u"По имени белых", &splitByWhite, 0, false},
  {TBoxId::splitBlack, u"По имени чёрных", &splitByBlack, 0, false},
  {TBoxId::splitPlayer, u"По имени игрока (обоих цветов)", &splitByPlayer, 0, false},
  {TBoxId::splitEvent, u"По турниру", &splitByEvent, 0, false},
  {TBoxId::splitResult, u"По результату", &splitByResult, 0, false},
  {TBoxId::resultWhiteWins, u"1-0;", nullptr, kResultWhiteWins, true},
  {TBoxId::resultDraw, u"1/2-1/2;", nullptr, kResultDraw, true},
  {TBoxId::resultBlackWins, u"0-1;", nullptr, kResultBlackWins, true},
  {TBoxId::resultUnknown, u"*.", nullptr, kResultUnknown, true},
  {TBoxId::ignoreColour, u"Не учитывать цвет игрока", &ignoreColour, 0, false},
};
// clang-format on
static_assert(std::size(kBoxes) == kBoxCount);

const TBoxRow& boxRow(TBoxId id) {
  return kBoxes[static_cast<size_t>(id)];
}

int32_t stateOf(bool on) {
  return on ? kOptionOn : kOptionOff;
}

bool optionOn(const TBoxRow& row) {
  return row.option ? *row.option : (resultMask & row.resultBit) != 0;
}

void turnOff(TBoxId id) {
  TOptionBox& box = settingsBox(id);
  if (box.state != kOptionOn) return;
  box.state = kOptionOff;
  *boxRow(id).option = false;
  if (redrawBox) redrawBox(box);
}

template <TBoxId id>
void VORLEN_CALL boxHandler() {
  boxChanged(id);
}

template <size_t... i>
constexpr std::array<TVorlenHandler, kBoxCount> makeHandlers(std::index_sequence<i...>) {
  return {boxHandler<static_cast<TBoxId>(i)>...};
}
constexpr auto kHandlers = makeHandlers(std::make_index_sequence<kBoxCount>());

}  // namespace

std::array<TOptionBox, kBoxCount> settingsBoxes{};
void (*redrawBox)(TOptionBox& box) = nullptr;

TOptionBox& settingsBox(TBoxId id) {
  return settingsBoxes[static_cast<size_t>(id)];
}

const char16_t* boxCaption(TBoxId id) {
  return boxRow(id).caption;
}

void buildSettingsBoxes() {
  for (size_t i = 0; i < kBoxCount; ++i) {
    settingsBoxes[i].state = stateOf(kBoxes[i].onByDefault);
    settingsBoxes[i].handler = kHandlers[i];
    settingsBoxes[i].last = 0;
  }
}

void showBoxOptions() {
  for (size_t i = 0; i < kBoxCount; ++i) settingsBoxes[i].state = stateOf(optionOn(kBoxes[i]));
}

void boxChanged(TBoxId id) {
  const TBoxRow& row = boxRow(id);
  const bool on = settingsBox(id).state == kOptionOn;
  if (row.option) {
    *row.option = on;
  } else {
    resultMask =
        static_cast<uint8_t>(on ? resultMask | row.resultBit : resultMask & ~row.resultBit);
  }
  if (!on) return;
  if (id == TBoxId::splitWhite || id == TBoxId::splitBlack) turnOff(TBoxId::splitPlayer);
  if (id == TBoxId::splitPlayer) {
    turnOff(TBoxId::splitWhite);
    turnOff(TBoxId::splitBlack);
  }
}

int32_t rowHeightOf(int32_t textHeight, int32_t checkBoxHeight) {
  return std::max(textHeight + 1, checkBoxHeight) + 10;
}
