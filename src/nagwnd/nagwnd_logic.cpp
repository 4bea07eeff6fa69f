#include "nagwnd/nagwnd_logic.h"

#include <algorithm>

// clang-format off
const std::array<TMarkGroup, kMarkGroupCount> kMarkGroups = {{
  {1, u"!", 1, 1}, {1, u"?", 2, 2}, {1, u"!!", 3, 3}, {1, u"??", 4, 4}, {1, u"!?", 5, 5},
  {1, u"?!", 6, 6},
  {2, u"Форсированный ход ($7)", 7, 7},
  {2, u"Единственный ход ($8)", 8, 8},
  {3, u"Наихудший ход ($9)", 9, 9},
  {4, u"Метки, характеризующие текущую позицию ($10 - $135)", 10, 135},
  {5, u"Метки, характеризующие контроль времени ($136 - $139)", 136, 139},
}};
// clang-format on

std::array<bool, kMarkGroupCount> markBoxStates(const TNagSet& marks) {
  std::array<bool, kMarkGroupCount> ticked{};
  for (size_t i = 0; i < kMarkGroupCount; ++i) ticked[i] = marks.has(kMarkGroups[i].firstMark);
  return ticked;
}

TNagSet marksOfBoxes(const std::array<bool, kMarkGroupCount>& ticked) {
  TNagSet marks;
  for (size_t i = 0; i < kMarkGroupCount; ++i) {
    if (!ticked[i]) continue;
    for (int32_t mark = kMarkGroups[i].firstMark; mark <= kMarkGroups[i].lastMark; ++mark)
      marks.add(mark);
  }
  return marks;
}

namespace {

// The right end of the widest row, counted from the left margin.
int32_t contentWidth(const TMarkMetrics& m, const TMarkLayout& layout) {
  const int32_t lastOfRow1 = 5, secondOfRow2 = 7;
  int32_t width = m.titleWidth;
  width = std::max(
      width, layout.boxLeft[lastOfRow1] + m.boxWidth + m.captionWidths[lastOfRow1] - m.left + 10);
  width = std::max(
      width, layout.boxLeft[secondOfRow2] + m.boxWidth + m.captionWidths[secondOfRow2] - m.left);
  for (const size_t group : {size_t(9), size_t(10)})
    width = std::max(width, m.boxWidth + m.captionWidths[group] + 5);
  return width;
}

}  // namespace

TMarkLayout markLayout(const TMarkMetrics& m) {
  TMarkLayout layout;
  const int32_t firstRowTop = m.top + m.titleHeight + 15;
  int32_t previousRow = 0;
  for (size_t i = 0; i < kMarkGroupCount; ++i) {
    const int32_t row = kMarkGroups[i].row;
    const int32_t rowTop = firstRowTop + (row - 1) * m.rowHeight;
    layout.boxTop[i] = rowTop + (m.rowHeight - m.boxHeight) / 2;
    layout.boxLeft[i] = row == previousRow
                            ? layout.boxLeft[i - 1] + m.boxWidth + m.captionWidths[i - 1] + 20
                            : m.left + 10;
    previousRow = row;
  }
  layout.width = contentWidth(m, layout) + m.left + m.right + 20;
  layout.height = firstRowTop + 4 * m.rowHeight + m.rowHeight + m.bottom + 52;
  layout.buttonTop = layout.height - m.bottom - 42;
  layout.saveLeft = layout.width - m.left - 226;
  layout.cancelLeft = layout.width - m.left - 113;
  return layout;
}

TPoint markWindowOrigin(TPoint cursor, int32_t width, int32_t height, const TRect& workArea) {
  TPoint origin{cursor.x - width / 2, cursor.y - height / 2};
  origin.x = std::min(origin.x, workArea.right - width);
  origin.y = std::min(origin.y, workArea.bottom - height);
  // a window larger than the work area keeps its title bar and left edge reachable
  origin.x = std::max(origin.x, workArea.left);
  origin.y = std::max(origin.y, workArea.top);
  return origin;
}
