#pragma once
// The check boxes of the settings pages: the host draws them from records the plug-in owns and
// calls the box's handler after each click. Here are the records, their options and the rules a
// click follows.

#include <array>
#include <cstdint>

#include "plugcommon/hostapi.h"

enum class TBoxId : int32_t {
  // "Остальное"
  comments,
  variations,
  duplicates,
  ecoNames,
  oldEco,
  append,
  // "Разбиение"
  splitWhite,
  splitBlack,
  splitPlayer,
  splitEvent,
  splitResult,
  // "Фильтры"
  resultWhiteWins,
  resultDraw,
  resultBlackWins,
  resultUnknown,
  ignoreColour,
  count,
};
inline constexpr size_t kBoxCount = static_cast<size_t>(TBoxId::count);

extern std::array<TOptionBox, kBoxCount> settingsBoxes;
TOptionBox& settingsBox(TBoxId id);
const char16_t* boxCaption(TBoxId id);

// Gives every record its handler and the state of its option's default.
void buildSettingsBoxes();

// Sets each box from its option.
void showBoxOptions();

// Takes a box's new state into its option after a click. The player splits exclude each other:
// a box turned off here is redrawn through redrawBox, which the window code sets.
void boxChanged(TBoxId id);
extern void (*redrawBox)(TOptionBox& box);

// The rows of the pages and of the mark window: the larger of the text and the box, plus 10.
int32_t rowHeightOf(int32_t textHeight, int32_t checkBoxHeight);
