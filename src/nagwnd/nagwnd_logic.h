#pragma once
// The annotation-mark window's rules: its eleven groups of marks, which boxes start ticked, the
// set the ticked boxes make, and where the boxes, the buttons and the window itself go.

#include <array>
#include <cstdint>

#include "Upgnread/options.h"
#include "uchess/fileutil.h"

inline constexpr size_t kMarkGroupCount = 11;

struct TMarkGroup {
  int32_t row;  // 1..5
  const char16_t* caption;
  int32_t firstMark, lastMark;
};
extern const std::array<TMarkGroup, kMarkGroupCount> kMarkGroups;
inline constexpr char16_t kMarkTitle[] = u"Оставлять следующие метки:";

// A group's box starts ticked when the set holds the group's first mark.
std::array<bool, kMarkGroupCount> markBoxStates(const TNagSet& marks);
// The marks of the ticked groups; marks outside every group are dropped.
TNagSet marksOfBoxes(const std::array<bool, kMarkGroupCount>& ticked);

// What the layout measures: host margins, check-box size, row height and the texts' widths.
struct TMarkMetrics {
  int32_t top = 0, bottom = 0, left = 0, right = 0;
  int32_t boxWidth = 0, boxHeight = 0, rowHeight = 0, titleHeight = 0;
  int32_t titleWidth = 0;
  std::array<int32_t, kMarkGroupCount> captionWidths{};
};

struct TMarkLayout {
  std::array<int32_t, kMarkGroupCount> boxLeft{}, boxTop{};
  int32_t width = 0, height = 0;
  int32_t buttonTop = 0, saveLeft = 0, cancelLeft = 0;
};
inline constexpr int32_t kMarkButtonWidth = 105;
inline constexpr int32_t kMarkButtonHeight = 28;

TMarkLayout markLayout(const TMarkMetrics& m);

// The window's top left corner: centred on the cursor, pulled back inside the work area.
struct TPoint {
  int32_t x = 0, y = 0;
};
TPoint markWindowOrigin(TPoint cursor, int32_t width, int32_t height, const TRect& workArea);
