#include "gamesiftwnd/panellayout_logic.h"

#include <gtest/gtest.h>

namespace {

TPanelMetrics noMargins(int32_t textHeight = 16) {
  TPanelMetrics m;
  m.textHeight = textHeight;
  return m;
}

TEST(PanelLayout, SplitsA640PixelPanelIntoTabsAndWeightedColumns) {
  const TPanelLayout layout = panelLayout(640, 450, noMargins(), 100);
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
  const TPanelLayout layout = panelLayout(640, 450, m, outputEditLeft(m, 70));
  EXPECT_EQ(layout.startButton.x, 640 - 4 - 115);
  EXPECT_EQ(layout.startButton.y, 450 - 5 - 42);
  EXPECT_EQ(layout.browseButton.x, 640 - 4 - 215);
  EXPECT_EQ(layout.browseButton.y, 450 - 5 - 39);
  EXPECT_EQ(layout.menuButton.x, 13);
  EXPECT_EQ(layout.outputEdit.left, 3 + 70 + 69);
  EXPECT_EQ(layout.outputEdit.top, 450 - 5 - 42 + 6);
  EXPECT_EQ(layout.outputEdit.right - layout.outputEdit.left, 640 - 4 - 215 - 142 - 5);
  EXPECT_EQ(layout.outputEdit.bottom - layout.outputEdit.top, 16);
  EXPECT_EQ(layout.tabs[0].top, 6);
}

TEST(PanelLayout, FindsTabsHeadersAndRowsUnderThePoint) {
  const TPanelLayout layout = panelLayout(640, 450, noMargins(), 100);
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
