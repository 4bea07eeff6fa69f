#include "gamesiftwnd/panellayout_logic.h"

namespace {

constexpr int32_t kColumnWeightSum = 57;
constexpr int32_t kTabHeight = 35;
constexpr int32_t kHeaderGap = 40;

// The point a share `part` of `whole` along from left to right, truncated toward zero.
int32_t between(int32_t left, int32_t right, int32_t part, int32_t whole) {
  return static_cast<int32_t>(
      (static_cast<int64_t>(whole - part) * left + static_cast<int64_t>(part) * right) / whole);
}

void placeTabs(TPanelLayout& layout, int32_t left, int32_t right, int32_t top) {
  for (int32_t i = 0; i < kPageCount; ++i) {
    layout.tabs[i] = {between(left, right, i, kPageCount), top,
                      between(left, right, i + 1, kPageCount), top + kTabHeight};
  }
}

void placeColumns(TPanelLayout& layout, int32_t left, int32_t right, int32_t top,
                  int32_t textHeight) {
  int32_t before = 0;
  for (int32_t k = 0; k < kColumnCount; ++k) {
    const int32_t after = before + kColumnWeights[k];
    layout.columns[k] = {between(left, right, before, kColumnWeightSum), top + kHeaderGap,
                         between(left, right, after, kColumnWeightSum),
                         top + kHeaderGap + 2 * textHeight};
    before = after;
  }
}

}  // namespace

TPanelLayout panelLayout(int32_t width, int32_t height, const TPanelMetrics& m, int32_t editLeft) {
  TPanelLayout layout;
  const int32_t left = m.marginLeft + 15;
  const int32_t right = width - m.marginRight - 15;
  placeTabs(layout, left, right, m.marginTop);
  placeColumns(layout, left, right, m.marginTop, m.textHeight);
  layout.list = {layout.columns[0].left, layout.columns[0].bottom + 1,
                 layout.columns[kColumnCount - 1].right, height - m.marginBottom - 50};
  const int32_t buttonTop = height - m.marginBottom - 42;
  layout.startButton = {width - m.marginRight - 115, buttonTop};
  layout.browseButton = {width - m.marginRight - 215, height - m.marginBottom - 39};
  layout.menuButton = {m.marginLeft + 10, buttonTop};
  const int32_t editTop = buttonTop + (27 - m.textHeight) / 2;
  const int32_t editRight = width - m.marginRight - 215 - 5;
  layout.outputEdit = {editLeft, editTop, editRight, editTop + m.textHeight + 1};
  return layout;
}

int32_t outputEditLeft(const TPanelMetrics& metrics, int32_t labelWidth) {
  return metrics.marginLeft + labelWidth + 69;
}

int32_t listRowHeightFor(int32_t textHeight) {
  return textHeight * 3 / 2 + 1;
}

bool inTabBand(const TPanelLayout& layout, int32_t x, int32_t y) {
  const TRect band{layout.tabs[0].left, layout.tabs[0].top, layout.tabs[kPageCount - 1].right,
                   layout.tabs[0].bottom};
  return pointInRect(x, y, band);
}

int32_t tabAt(const TPanelLayout& layout, int32_t x, int32_t y) {
  for (int32_t i = 0; i < kPageCount; ++i)
    if (pointInRect(x, y, layout.tabs[i])) return i;
  return kNoTab;
}

int32_t columnAt(const TPanelLayout& layout, int32_t x, int32_t y) {
  for (int32_t k = 0; k < kColumnCount; ++k)
    if (pointInRect(x, y, layout.columns[k])) return k + 1;
  return kNoColumn;
}

int32_t rowAt(const TPanelLayout& layout, int32_t y, int32_t scrollPosition, int32_t rowHeight) {
  if (rowHeight <= 0) return 0;
  return (y + scrollPosition - layout.list.top) / rowHeight;
}
