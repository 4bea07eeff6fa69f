#include "gamesiftwnd/listscroll_logic.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ListScroll, RoundsHalfwayToEven) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(-0.5), 0);
  EXPECT_EQ(roundHalfEven(2.4999), 2);
  EXPECT_EQ(roundHalfEven(1e12), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ListScroll, MovesByPixelsForEachRequest) {
  EXPECT_EQ(scrollTarget(TScrollRequest::lineDown, 100, 0, 16, 300, 0.9), 117);
  EXPECT_EQ(scrollTarget(TScrollRequest::lineUp, 100, 0, 16, 300, 0.9), 83);
  EXPECT_EQ(scrollTarget(TScrollRequest::pageDown, 100, 0, 16, 300, 0.9), 370);
  // 250 x 0.5 = 125 exactly; 125.5 would go to 126, 124.5 to 124
  EXPECT_EQ(scrollTarget(TScrollRequest::pageUp, 500, 0, 16, 249, 0.5), 376);
  EXPECT_EQ(scrollTarget(TScrollRequest::thumb, 100, 42, 16, 300, 0.9), 42);
  EXPECT_EQ(scrollTarget(TScrollRequest::other, 100, 42, 16, 300, 0.9), 100);
}

TEST(ListScroll, WheelNotchesRoundHalfToEven) {
  EXPECT_EQ(wheelNotches(120), 1);
  EXPECT_EQ(wheelNotches(-240), -2);
  EXPECT_EQ(wheelNotches(60), 0);   // half a notch
  EXPECT_EQ(wheelNotches(180), 2);  // one and a half
  EXPECT_EQ(wheelNotches(-180), -2);
}

TEST(ListScroll, ShowsTheBarOnlyWhenRowsOverflowTheListPage) {
  EXPECT_FALSE(scrollBarShape(10, 25, 250, true).visible);
  const TScrollBarShape shape = scrollBarShape(11, 25, 250, true);
  EXPECT_TRUE(shape.visible);
  EXPECT_EQ(shape.range, 275);
  EXPECT_EQ(shape.page, 250);
  EXPECT_FALSE(scrollBarShape(11, 25, 250, false).visible);
  // 100,000,000 rows of 25 pixels exceed 32 bits: the range stops at its largest.
  EXPECT_EQ(scrollBarShape(100000000, 25, 250, true).range, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(clampScroll(1000, shape), 26);
  EXPECT_EQ(clampScroll(-5, shape), 0);
  EXPECT_EQ(clampScroll(7, TScrollBarShape{}), 0);
}

TEST(ListScroll, KeepsTheCursorRowInSight) {
  EXPECT_EQ(keepCursorVisible(100, 2, 25, 200), 50);  // above: scrolls up to it
  EXPECT_EQ(keepCursorVisible(0, 10, 25, 200), 75);   // below: its bottom at the list's bottom
  EXPECT_EQ(keepCursorVisible(60, 4, 25, 200), 60);   // inside: unchanged
  EXPECT_EQ(keepCursorVisible(60, -1, 25, 200), 60);  // no cursor
}

}  // namespace
