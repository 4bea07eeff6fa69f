#include <gtest/gtest.h>

#include "gamesiftwnd/pagelayout_logic.h"

namespace {

class PageLayout : public ::testing::Test {
 protected:
  PageLayout() {
    m.top = 30;
    m.bottom = 8;
    m.left = 6;
    m.boxWidth = 13;
    m.boxHeight = 13;
    m.rowHeight = 27;
    m.fieldTextHeight = 16;
    m.fontHeight = 16;
    m.textWidth = [](std::u16string_view text) { return static_cast<int32_t>(7 * text.size()); };
  }
  static const TPageItem& fieldItem(const TPageLayout& layout, TFieldId id) {
    for (const TPageItem& item : layout.items)
      if (item.kind == TPageItemKind::field && item.field == id) return item;
    ADD_FAILURE() << "no field";
    return layout.items.front();
  }
  static const TPageItem& boxItem(const TPageLayout& layout, TBoxId id) {
    for (const TPageItem& item : layout.items)
      if (item.kind == TPageItemKind::box && item.box == id) return item;
    ADD_FAILURE() << "no box";
    return layout.items.front();
  }
  static size_t countOf(const TPageLayout& layout, TPageItemKind kind) {
    size_t n = 0;
    for (const TPageItem& item : layout.items) n += item.kind == kind;
    return n;
  }
  TPageMetrics m;
};

TEST_F(PageLayout, EveryFieldAndBoxHasOnePlace) {
  const TPageLayout pages[] = {otherPageLayout(m), splitPageLayout(m), filterPageLayout(m)};
  size_t fields = 0, boxes = 0;
  for (const TPageLayout& page : pages) {
    fields += countOf(page, TPageItemKind::field);
    boxes += countOf(page, TPageItemKind::box);
  }
  EXPECT_EQ(fields, kFieldCount);
  EXPECT_EQ(boxes, kBoxCount);
}

TEST_F(PageLayout, OtherPageGroupsTheStrippingInAFrame) {
  const TPageLayout page = otherPageLayout(m);
  const TPageItem& frame = page.items.front();
  ASSERT_EQ(frame.kind, TPageItemKind::groupFrame);
  EXPECT_EQ(frame.left, 21);
  EXPECT_EQ(frame.top, 30 + 45 + 8);
  // "Метки:" and the longest item are the widest: 6 + 32 characters + 15
  EXPECT_EQ(frame.width, 20 + 7 * 38 + 15);
  const int32_t rowsTop = 30 + 16 + 50;
  EXPECT_EQ(frame.top + frame.height, rowsTop + 5 * 27 + 5);
  EXPECT_EQ(fieldItem(page, TFieldId::tags).left, 31 + 7 * 5 + 5);
  EXPECT_EQ(fieldItem(page, TFieldId::marks).top, rowsTop + 3 * 27);
  const int32_t last = rowsTop + 5 * 27 + 5 + 2 * 27 + 17;
  EXPECT_EQ(boxItem(page, TBoxId::append).top, last);
  EXPECT_EQ(page.minHeight, last + 27 + 8 + 52);
}

TEST_F(PageLayout, SplitPageHasNineRows) {
  const TPageLayout page = splitPageLayout(m);
  EXPECT_EQ(fieldItem(page, TFieldId::splitEco).top, 75);
  EXPECT_EQ(boxItem(page, TBoxId::splitResult).top, 75 + 8 * 27);
  EXPECT_EQ(fieldItem(page, TFieldId::blackBands).width, 7 * 4 + 20);
  EXPECT_EQ(page.minHeight, 75 + 9 * 27 + 8 + 52);
}

TEST_F(PageLayout, FilterPageAlignsTheDateColumns) {
  const TPageLayout page = filterPageLayout(m);
  const TPageItem& first = boxItem(page, TBoxId::resultWhiteWins);
  const TPageItem& second = boxItem(page, TBoxId::resultDraw);
  EXPECT_EQ(first.left, 26 + 7 * 31 + 5);
  EXPECT_EQ(second.left, first.left + 13 + 7 * 4 + 5);
  EXPECT_EQ(second.captionGap, 1);
  const TPageItem& fromDay = fieldItem(page, TFieldId::fromDay);
  const TPageItem& toDay = fieldItem(page, TFieldId::toDay);
  EXPECT_EQ(fromDay.left, toDay.left);
  EXPECT_EQ(toDay.top - fromDay.top, 27 + 16);
  const TPageItem& low = fieldItem(page, TFieldId::movesMin);
  EXPECT_EQ(fieldItem(page, TFieldId::movesMax).left, low.left + low.width + 15 + 14);
  EXPECT_EQ(page.minHeight, fieldItem(page, TFieldId::movesMax).top + 27 + 8 + 52);
}

TEST_F(PageLayout, ControlsAreCentredInTheirRows) {
  TPageItem item{TPageItemKind::field, u"", 40, 100, 80};
  const TRect field = fieldRect(item, m);
  EXPECT_EQ(field.top, 105);
  EXPECT_EQ(field.bottom - field.top, 17);
  EXPECT_EQ(field.right, 120);
  EXPECT_EQ(boxRect(item, m).top, 107);
}

}  // namespace
