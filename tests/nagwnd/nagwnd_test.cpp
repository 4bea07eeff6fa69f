#include <gtest/gtest.h>

#include "nagwnd/nagwnd_logic.h"

namespace {

TEST(MarkBoxes, EveryBoxOnKeepsOneToOneHundredThirtyNine) {
  std::array<bool, kMarkGroupCount> all;
  all.fill(true);
  const TNagSet marks = marksOfBoxes(all);
  EXPECT_FALSE(marks.has(0));
  for (int mark = 1; mark <= 139; ++mark) EXPECT_TRUE(marks.has(mark)) << mark;
  for (int mark = 140; mark <= 255; ++mark) EXPECT_FALSE(marks.has(mark)) << mark;
  EXPECT_EQ(markBoxStates(marks), all);
}

TEST(MarkBoxes, AGroupStartsOnlyFromItsFirstMark) {
  TNagSet marks;
  marks.add(11);
  marks.add(136);
  marks.add(3);
  const auto ticked = markBoxStates(marks);
  EXPECT_FALSE(ticked[9]);  // the position group lacks mark 10
  EXPECT_TRUE(ticked[10]);
  EXPECT_TRUE(ticked[2]);
  TNagSet saved;
  saved.add(3);
  for (int mark = 136; mark <= 139; ++mark) saved.add(mark);
  EXPECT_EQ(marksOfBoxes(ticked), saved);
  EXPECT_EQ(marksOfBoxes(markBoxStates(TNagSet::moveMarksOnly())), TNagSet::moveMarksOnly());
}

TEST(MarkLayout, RowsFollowTheTitleAndBoxesTheirCaptions) {
  TMarkMetrics m;
  m.top = 30;
  m.bottom = 8;
  m.left = 6;
  m.right = 6;
  m.boxWidth = 13;
  m.boxHeight = 13;
  m.rowHeight = 27;
  m.titleHeight = 16;
  m.titleWidth = 180;
  m.captionWidths = {5, 6, 9, 10, 9, 9, 150, 140, 130, 330, 340};
  const TMarkLayout layout = markLayout(m);
  EXPECT_EQ(layout.boxLeft[0], 16);
  EXPECT_EQ(layout.boxLeft[1], 16 + 13 + 5 + 20);
  EXPECT_EQ(layout.boxLeft[6], 16);
  EXPECT_EQ(layout.boxLeft[7], 16 + 13 + 150 + 20);
  EXPECT_EQ(layout.boxTop[0], 61 + 7);
  EXPECT_EQ(layout.boxTop[10], 61 + 4 * 27 + 7);
  // row 2 is widest: 199 + 13 + 140 - 6 = 346, against 13 + 340 + 5 = 358 of row 5
  EXPECT_EQ(layout.width, 358 + 6 + 6 + 20);
  EXPECT_EQ(layout.height, 61 + 5 * 27 + 8 + 52);
  EXPECT_EQ(layout.buttonTop, layout.height - 8 - 42);
  EXPECT_EQ(layout.cancelLeft - layout.saveLeft, 113);
}

TEST(MarkWindow, OpensInsideTheWorkArea) {
  const TRect work{0, 0, 1280, 984};
  EXPECT_EQ(markWindowOrigin({640, 500}, 400, 300, work).x, 440);
  EXPECT_EQ(markWindowOrigin({640, 500}, 400, 300, work).y, 350);
  EXPECT_EQ(markWindowOrigin({1270, 980}, 400, 300, work).x, 880);
  EXPECT_EQ(markWindowOrigin({1270, 980}, 400, 300, work).y, 684);
  EXPECT_EQ(markWindowOrigin({5, 5}, 400, 300, work).x, 0);
  EXPECT_EQ(markWindowOrigin({5, 5}, 400, 300, work).y, 0);
}

}  // namespace
