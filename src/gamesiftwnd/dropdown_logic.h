#pragma once
// A drop-down field of the settings pages: an edit box with proposed texts, whose every change goes
// through the field's handler. The rules here are the window's: what a pick or a typed text does
// to the field, where the shared list opens and how big it is, which names it proposes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plugcommon/gamerecords.h"
#include "uchess/fileutil.h"

struct TDropDownField;
// Turns a pick (index >= 0, empty text) or a typed text (index -1) into the field's option;
// false refuses it. It may set the field's index itself; the text is set by the caller.
using TFieldHandler = bool (*)(TDropDownField& field, int32_t index, std::u16string_view text);

struct TDropDownField {
  void* edit = nullptr;  // the edit box, once the window exists
  std::vector<std::u16string> items;
  std::u16string text;  // the accepted text: what the edit box shows back after a refusal
  int32_t index = 0;    // chosen item, -1 when the text was typed
  TFieldHandler handler = nullptr;
  bool readOnly = false;
};

// Changing a field

// Takes item index into the field when its handler accepts it.
bool pickItem(TDropDownField& field, int32_t index);
// Offers a typed text to the handler; on true the field's text is the typed text. A text equal to
// the accepted one is taken unchanged without asking, so leaving an untouched field never beeps.
bool commitTyped(TDropDownField& field, std::u16string_view text);

// Reading typed text

// Lowers Latin and Russian capitals (Ё too) and nothing else.
std::u16string lowerText(std::u16string_view text);
bool sameText(std::u16string_view a, std::u16string_view b);
// The first item equal to text (letter case aside); -1 when none is.
int32_t matchingItem(const TDropDownField& field, std::u16string_view text);
// Decimal digits only, an empty text being 0. A number is refused as soon as it passes upper, so
// that no long digit string wraps around into range (leading zeros stay valid).
bool readFieldNumber(std::u16string_view text, int32_t upper, int32_t& value);

// The shared list

// Height of the list for its number of items, with the host's text height.
int32_t listHeight(size_t itemCount, int32_t textHeight);
// Where the list goes for an edit box (screen coordinates): below it while that ends above the
// work area's bottom, else ending at the edit box's top.
TRect listPlacement(const TRect& edit, int32_t height, int32_t workAreaBottom);

// The player names proposed: first, then the distinct names of the games (White's, Black's or
// both), in byte order. The caller holds gameLock.
std::vector<std::u16string> playerItems(const std::u16string& first, const TGames& games,
                                        bool whiteNames, bool blackNames);
