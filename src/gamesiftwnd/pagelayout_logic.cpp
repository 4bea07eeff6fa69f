#include "gamesiftwnd/pagelayout_logic.h"

#include <algorithm>

#include "gamesiftwnd/pagebuilder_logic.h"

namespace {

void addGroupFrame(TPageBuilder& page, int32_t rowsTop) {
  const TPageMetrics& m = page.m;
  const char16_t* caption = u"Удалять лишние:";
  int32_t inner = page.width(caption);
  inner = std::max(inner, page.width(u"Комментарии") + m.boxWidth + 10);
  inner = std::max(inner, page.width(u"Теги:") + page.width(u"Кроме основных семи") + 15);
  inner =
      std::max(inner, page.width(u"Метки:") + page.width(u"Кроме основных (! ? !! ?? !? ?!)") + 15);
  inner = std::max(inner, page.width(u"Дубликаты") + m.boxWidth + 10);
  const int32_t frameTop = m.top + 45 + m.fontHeight / 2;
  const int32_t frameBottom = rowsTop + 5 * m.rowHeight + 5;
  page.add({TPageItemKind::groupFrame, caption, m.left + 15, frameTop, 20 + inner,
            frameBottom - frameTop});
}

}  // namespace

TPageLayout otherPageLayout(const TPageMetrics& m) {
  TPageBuilder page(m);
  const int32_t x = m.left + 25;
  const int32_t rowsTop = m.top + m.fontHeight + 50;
  addGroupFrame(page, rowsTop);
  page.box(TBoxId::comments, x, rowsTop);
  page.box(TBoxId::variations, x, rowsTop + m.rowHeight);
  int32_t row = rowsTop + 2 * m.rowHeight;
  page.field(TFieldId::tags, page.label(u"Теги:", x, row), row,
             page.width(u"Кроме основных семи") + 5);
  row += m.rowHeight;
  page.field(TFieldId::marks, page.label(u"Метки:", x, row), row,
             page.width(u"Кроме основных (! ? !! ?? !? ?!)") + 5);
  page.box(TBoxId::duplicates, x, rowsTop + 4 * m.rowHeight);
  const int32_t frameBottom = rowsTop + 5 * m.rowHeight + 5;
  page.box(TBoxId::ecoNames, x, frameBottom + 7);
  page.box(TBoxId::oldEco, x, frameBottom + m.rowHeight + 12);
  const int32_t last = frameBottom + 2 * m.rowHeight + 17;
  page.box(TBoxId::append, x, last);
  return page.finish(last);
}

TPageLayout splitPageLayout(const TPageMetrics& m) {
  TPageBuilder page(m);
  const int32_t x = m.left + 20;
  int32_t row = m.top + 45;
  page.field(TFieldId::splitEco, page.label(u"По ECO. Уровень:", x, row), row,
             page.width(u"A00 - E99") + 10);
  for (const TBoxId id : {TBoxId::splitWhite, TBoxId::splitBlack, TBoxId::splitPlayer})
    page.box(id, x, row += m.rowHeight);
  row += m.rowHeight;
  page.field(TFieldId::splitDate, page.label(u"По дате:", x, row), row,
             page.width(u"По месяцам") + 10);
  page.box(TBoxId::splitEvent, x, row += m.rowHeight);
  for (const auto& [text, id] : {std::pair{u"По ELO белых. На", TFieldId::whiteBands},
                                 std::pair{u"По ELO чёрных. На", TFieldId::blackBands}}) {
    row += m.rowHeight;
    const int32_t end = page.field(id, page.label(text, x, row), row, page.width(u"8888") + 20);
    page.label(u"частей", end + 3, row);
  }
  page.box(TBoxId::splitResult, x, row += m.rowHeight);
  return page.finish(row);
}

TRect boxRect(const TPageItem& item, const TPageMetrics& m) {
  const int32_t top = item.top + (m.rowHeight - m.boxHeight) / 2;
  return {item.left, top, item.left + m.boxWidth, top + m.boxHeight};
}

TRect fieldRect(const TPageItem& item, const TPageMetrics& m) {
  const int32_t height = m.fieldTextHeight + 1;
  const int32_t top = item.top + (m.rowHeight - height) / 2;
  return {item.left, top, item.left + item.width, top + height};
}
