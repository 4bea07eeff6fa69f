#include "gamesiftwnd/panellayout_logic.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kColumnWeightSum = 57;
constexpr int32_t kTabHeight = 35;
constexpr int32_t kHeaderGap = 40;
constexpr int32_t kButtonHeight = 28;
constexpr int32_t kMenuWidth = 44;
constexpr int32_t kStartWidth = 105;
constexpr int32_t kBrowseHeight = 21;
constexpr int32_t kBrowseWidth = 90;

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

// A button's width: its usual one, or more when the caption would reach into the rounded ends
// (round ends of the button's height; a padding of 4 pixels either side).
int32_t fitWidth(int32_t usual, int32_t caption, int32_t height, int32_t textHeight) {
  const double radius = height / 2.0;
  const double rise = std::min(textHeight / 2.0, radius);
  const auto inset =
      static_cast<int32_t>(std::ceil(radius - std::sqrt(radius * radius - rise * rise)));
  return std::max(usual, caption + 2 * inset + 8);
}

TButtonShape roundedShape(int32_t width, int32_t height, int32_t regionTop, int32_t ellipse) {
  return TButtonShape{width, height, {-1, regionTop, width + 2, height + 1 - regionTop}, ellipse};
}

TRect placed(const TButtonShape& shape, int32_t left, int32_t top) {
  return {left, top, left + shape.width, top + shape.height};
}

// The buttons share one centre line; the start button keeps to the right edge, the browse button
// to its left, the menu button to the left edge with the label and the edit after it.
void placeBottomRow(TPanelLayout& layout, int32_t width, int32_t height, const TPanelMetrics& m,
                    const TBottomRowTexts& texts) {
  const TBottomRowShapes shapes = bottomRowShapes(m.textHeight, texts);
  const int32_t centre = height - m.marginBottom - 28;
  const auto topOf = [centre](const TButtonShape& shape) {
    return centre - (shape.height + 1) / 2;
  };
  const int32_t startLeft = width - m.marginRight - 10 - shapes.start.width;
  layout.startButton = placed(shapes.start, startLeft, topOf(shapes.start));
  const int32_t browseLeft = startLeft - 10 - shapes.browse.width;
  layout.browseButton = placed(shapes.browse, browseLeft, topOf(shapes.browse));
  layout.menuButton = placed(shapes.menu, m.marginLeft + 10, topOf(shapes.menu));
  const int32_t rowTop = topOf(shapes.start);
  const int32_t editTop = rowTop + (shapes.start.height - 1 - m.textHeight) / 2;
  layout.label = {layout.menuButton.right + 10, editTop};
  const int32_t editLeft = layout.label.x + texts.label + 5;
  layout.outputEdit = {editLeft, editTop, browseLeft - 5, editTop + m.textHeight + 1};
}

}  // namespace

TBottomRowShapes bottomRowShapes(int32_t textHeight, const TBottomRowTexts& texts) {
  TBottomRowShapes shapes;
  const int32_t tall = std::max(kButtonHeight, textHeight + 12);
  const auto width = [textHeight](int32_t usual, int32_t caption, int32_t height) {
    return fitWidth(usual, caption, height, textHeight);
  };
  shapes.menu = roundedShape(width(kMenuWidth, texts.menuCaption, tall), tall, -1, tall);
  shapes.start = roundedShape(width(kStartWidth, texts.startCaption, tall), tall, -1, tall);
  const int32_t low = std::max(kBrowseHeight, textHeight + 6);
  shapes.browse = roundedShape(width(kBrowseWidth, texts.browseCaption, low), low, -2, 2 * low);
  return shapes;
}

TPanelLayout panelLayout(int32_t width, int32_t height, const TPanelMetrics& m,
                         const TBottomRowTexts& texts) {
  TPanelLayout layout;
  const int32_t left = m.marginLeft + 15;
  const int32_t right = width - m.marginRight - 15;
  placeTabs(layout, left, right, m.marginTop);
  placeColumns(layout, left, right, m.marginTop, m.textHeight);
  placeBottomRow(layout, width, height, m, texts);
  layout.list = {layout.columns[0].left, layout.columns[0].bottom + 1,
                 layout.columns[kColumnCount - 1].right,
                 std::min(height - m.marginBottom - 50, layout.startButton.top - 8)};
  return layout;
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
