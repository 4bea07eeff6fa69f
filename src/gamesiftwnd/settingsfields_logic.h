#pragma once
// The 21 drop-down fields of the settings pages, one record each for the life of the panel, with
// their item lists and the handlers that turn a choice into an option.

#include <array>
#include <cstdint>

#include "gamesiftwnd/dropdown_logic.h"

enum class TFieldId : int32_t {
  // "Остальное"
  tags,
  marks,
  // "Разбиение"
  splitEco,
  splitDate,
  whiteBands,
  blackBands,
  // "Фильтры"
  fromYear,
  fromMonth,
  fromDay,
  toYear,
  toMonth,
  toDay,
  whitePlayer,
  blackPlayer,
  whiteEloMin,
  whiteEloMax,
  blackEloMin,
  blackEloMax,
  eco,
  movesMin,
  movesMax,
  count,
};
inline constexpr size_t kFieldCount = static_cast<size_t>(TFieldId::count);

// The one copy of each field: the window code creates the edit boxes over these records, and
// every change of text or index happens here.
extern std::array<TDropDownField, kFieldCount> settingsFields;
TDropDownField& settingsField(TFieldId id);

// Fills every record with its items, read-only flag and handler, the first item accepted.
void buildSettingsFields();

// Runs the annotation-mark window for the "Метки:" field; true when it was closed with the save
// button (it has then stored the marks). The window code sets it; unset, the pick is refused.
extern bool (*runMarkWindow)();

// Item lists

std::vector<std::u16string> fieldItems(TFieldId id);
inline constexpr char16_t kAnyWord[] = u"любой";
inline constexpr char16_t kAnyDayWord[] = u"любое";
inline constexpr char16_t kFineTuning[] = u"Тонкая настройка...";
