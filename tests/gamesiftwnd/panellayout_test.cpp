#include "gamesiftwnd/panellayout_logic.h"

#include <gtest/gtest.h>

namespace {

TPanelMetrics noMargins(int32_t textHeight = 16) {
  TPanelMetrics m;
  m.textHeight = textHeight;
  return m;
}

// Caption widths of the usual 96 dpi font.
TBottomRowTexts usualTexts(int32_t labelWidth = 31) {
  return TBottomRowTexts{27, 50, 34, labelWidth};
}

void expectShape(const TButtonShape& shape, int32_t width, int32_t height, const TRect& region,
                 int32_t ellipse) {
  EXPECT_EQ(shape.width, width);
  EXPECT_EQ(shape.height, height);
  EXPECT_EQ(shape.region.left, region.left);
  EXPECT_EQ(shape.region.top, region.top);
  EXPECT_EQ(shape.region.right, region.right);
  EXPECT_EQ(shape.region.bottom, region.bottom);
  EXPECT_EQ(shape.ellipse, ellipse);
}

TEST(PanelLayout, SplitsA640PixelPanelIntoTabsAndWeightedColumns) {
  const TPanelLayout layout = panelLayout(640, 450, noMargins(), usualTexts());
  const int32_t tabEdges[] = {15, 167, 320, 472, 625};
  for (int i = 0; i < kPageCount; ++i) {
    EXPECT_EQ(layout.tabs[i].left, tabEdges[i]) << i;
    EXPECT_EQ(layout.tabs[i].right, tabEdges[i + 1]) << i;
    EXPECT_EQ(layout.tabs[i].bottom - layout.tabs[i].top, 35);
  }
  const int32_t columnEdges[] = {15, 57, 186, 314, 410, 539, 625};
  for (int k = 0; k < kColumnCount; ++k) {
    EXPECT_EQ(layout.columns[k].left, columnEdges[k]) << k;
    EXPECT_EQ(layout.columns[k].right, columnEdges[k + 1]) << k;
  }
  EXPECT_EQ(layout.columns[0].top, 40);
  EXPECT_EQ(layout.columns[0].bottom, 72);
  EXPECT_EQ(layout.list.top, 73);
  EXPECT_EQ(layout.list.bottom, 400);
  EXPECT_EQ(layout.list.right, 625);
}

TEST(PanelLayout, PlacesTheBottomRowFromTheMargins) {
  TPanelMetrics m = noMargins(15);
  m.marginLeft = 3;
  m.marginRight = 4;
  m.marginBottom = 5;
  m.marginTop = 6;
  const TPanelLayout layout = panelLayout(640, 450, m, usualTexts(70));
  EXPECT_EQ(layout.startButton.left, 640 - 4 - 115);
  EXPECT_EQ(layout.startButton.top, 450 - 5 - 42);
  EXPECT_EQ(layout.startButton.right - layout.startButton.left, 105);
  EXPECT_EQ(layout.browseButton.left, 640 - 4 - 215);
  EXPECT_EQ(layout.browseButton.top, 450 - 5 - 39);
  EXPECT_EQ(layout.browseButton.bottom - layout.browseButton.top, 21);
  EXPECT_EQ(layout.menuButton.left, 13);
  EXPECT_EQ(layout.menuButton.bottom - layout.menuButton.top, 28);
  EXPECT_EQ(layout.label.x, 3 + 64);
  EXPECT_EQ(layout.label.y, layout.outputEdit.top);
  EXPECT_EQ(layout.outputEdit.left, 3 + 70 + 69);
  EXPECT_EQ(layout.outputEdit.top, 450 - 5 - 42 + 6);
  EXPECT_EQ(layout.outputEdit.right - layout.outputEdit.left, 640 - 4 - 215 - 142 - 5);
  EXPECT_EQ(layout.outputEdit.bottom - layout.outputEdit.top, 16);
  EXPECT_EQ(layout.tabs[0].top, 6);
}

TEST(PanelLayout, KeepsTheUsualButtonShapesWhileTheCaptionsFit) {
  for (int32_t textHeight : {12, 13}) {
    const TBottomRowShapes shapes = bottomRowShapes(textHeight, usualTexts());
    expectShape(shapes.menu, 44, 28, {-1, -1, 46, 30}, 28);
    expectShape(shapes.start, 105, 28, {-1, -1, 107, 30}, 28);
    expectShape(shapes.browse, 90, 21, {-1, -2, 92, 24}, 42);
  }
}

// At 144 dpi the font is half as tall again: "menu" used to be cut by the rounded ends of a
// 44 pixel button, and the buttons stood no taller than the text.
TEST(PanelLayout, GrowsTheButtonsSoALargerFontStaysInsideTheirRoundedFaces) {
  const TBottomRowTexts texts{40, 75, 52, 47};  // as measured at 144 dpi
  const TBottomRowShapes shapes = bottomRowShapes(19, texts);
  // "menu" 40 wide, rounded ends of radius 15.5 cut 4 pixels off each end at the text's rows.
  expectShape(shapes.menu, 56, 31, {-1, -1, 58, 33}, 31);
  expectShape(shapes.start, 105, 31, {-1, -1, 107, 33}, 31);
  expectShape(shapes.browse, 93, 25, {-1, -2, 95, 28}, 50);

  const TPanelLayout layout = panelLayout(800, 600, noMargins(19), texts);
  // Nothing of the row overlaps, and the row stays below the list and inside the panel.
  EXPECT_LT(layout.menuButton.right, layout.label.x);
  EXPECT_EQ(layout.outputEdit.left, layout.label.x + texts.label + 5);
  EXPECT_LT(layout.outputEdit.right, layout.browseButton.left);
  EXPECT_LT(layout.browseButton.right, layout.startButton.left);
  EXPECT_LE(layout.startButton.right, 800);
  for (const TRect& button : {layout.menuButton, layout.browseButton, layout.startButton}) {
    EXPECT_GT(button.top, layout.list.bottom);
    EXPECT_LE(button.bottom, 600);
  }
  // One centre line for the buttons and the edit.
  const auto centre = [](const TRect& r) { return (r.top + r.bottom) / 2; };
  EXPECT_NEAR(centre(layout.menuButton), centre(layout.browseButton), 1);
  EXPECT_NEAR(centre(layout.menuButton), centre(layout.outputEdit), 1);
}

TEST(PanelLayout, FindsTabsHeadersAndRowsUnderThePoint) {
  const TPanelLayout layout = panelLayout(640, 450, noMargins(), usualTexts());
  EXPECT_EQ(listRowHeightFor(16), 25);
  EXPECT_EQ(rowAt(layout, layout.list.top + 60, 0, 25), 2);
  EXPECT_EQ(rowAt(layout, layout.list.top + 60, 30, 25), 3);
  EXPECT_EQ(rowAt(layout, layout.list.top, 0, 0), 0);  // no division by a zero row height
  EXPECT_TRUE(inTabBand(layout, 15, 0));
  EXPECT_TRUE(inTabBand(layout, 625, 35));
  EXPECT_FALSE(inTabBand(layout, 14, 10));
  EXPECT_EQ(tabAt(layout, 200, 10), 1);
  EXPECT_EQ(tabAt(layout, 167, 10), 0);  // a shared edge belongs to the first tab
  EXPECT_EQ(tabAt(layout, 100, 36), kNoTab);
  EXPECT_EQ(columnAt(layout, 20, 50), 1);
  EXPECT_EQ(columnAt(layout, 600, 50), 6);
  EXPECT_EQ(columnAt(layout, 600, 90), kNoColumn);
}

}  // namespace
