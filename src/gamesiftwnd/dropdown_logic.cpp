#include "gamesiftwnd/dropdown_logic.h"

#include <algorithm>

#include "platform/platform.h"

// Changing a field

bool pickItem(TDropDownField& field, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= field.items.size()) return false;
  if (!field.handler || !field.handler(field, index, {})) return false;
  field.text = field.items[index];
  field.index = index;
  return true;
}

bool commitTyped(TDropDownField& field, std::u16string_view text) {
  if (text == field.text) return true;
  if (!field.handler || !field.handler(field, -1, text)) return false;
  field.text = text;
  return true;
}

// Reading typed text

namespace {

char16_t lowerLetter(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= u'А' && c <= u'Я') return static_cast<char16_t>(c + 0x20);
  if (c == u'Ё') return u'ё';
  return c;
}

}  // namespace

std::u16string lowerText(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) c = lowerLetter(c);
  return lower;
}

bool sameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && lowerText(a) == lowerText(b);
}

int32_t matchingItem(const TDropDownField& field, std::u16string_view text) {
  for (size_t i = 0; i < field.items.size(); ++i)
    if (sameText(field.items[i], text)) return static_cast<int32_t>(i);
  return -1;
}

bool readFieldNumber(std::u16string_view text, int32_t upper, int32_t& value) {
  int64_t number = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    number = number * 10 + (c - u'0');
    if (number > upper) return false;
  }
  value = static_cast<int32_t>(number);
  return true;
}

// The shared list

int32_t listHeight(size_t itemCount, int32_t textHeight) {
  if (itemCount == 0) return textHeight + 3;
  if (itemCount < 10) return static_cast<int32_t>(itemCount) * (textHeight + 3);
  return 10 * textHeight + 30;
}

TRect listPlacement(const TRect& edit, int32_t height, int32_t workAreaBottom) {
  if (edit.bottom + height < workAreaBottom)
    return {edit.left, edit.bottom, edit.right, edit.bottom + height};
  return {edit.left, edit.top - height, edit.right, edit.top};
}

std::vector<std::u16string> playerItems(const std::u16string& first, const TGames& games,
                                        bool whiteNames, bool blackNames) {
  std::vector<std::string_view> names;
  names.reserve(games.size() * (whiteNames && blackNames ? 2 : 1));
  for (const TGame& game : games) {
    if (whiteNames && game.Tags.size() > kTagWhite) names.push_back(game.Tags[kTagWhite].Value);
    if (blackNames && game.Tags.size() > kTagBlack) names.push_back(game.Tags[kTagBlack].Value);
  }
  // string_view compares as unsigned bytes: the ordinal order of the 8-bit texts
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  std::vector<std::u16string> items{first};
  items.reserve(names.size() + 1);
  for (const std::string_view name : names) items.push_back(ansiToUtf16(name));
  return items;
}
