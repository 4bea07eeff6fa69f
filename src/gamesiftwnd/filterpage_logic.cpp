// The filter page: results, dates, players, ratings, opening and length.

#include "gamesiftwnd/pagebuilder_logic.h"

namespace {

struct TDateColumns {
  int32_t year, month, day;
  int32_t yearWidth, monthWidth, dayWidth;
};

int32_t resultRow(TPageBuilder& page, int32_t x0, int32_t row) {
  int32_t left = page.label(u"Сохранять партии с результатом:", x0, row);
  for (const TBoxId id : {TBoxId::resultWhiteWins, TBoxId::resultDraw, TBoxId::resultBlackWins,
                          TBoxId::resultUnknown})
    left = page.box(id, left, row, 1) - 1 + 5;
  return row;
}

void dateRow(TPageBuilder& page, const TDateColumns& c, int32_t row, TFieldId year) {
  const int32_t first = static_cast<int32_t>(year);
  page.field(year, c.year, row, c.yearWidth);
  page.field(static_cast<TFieldId>(first + 1), c.month, row, c.monthWidth);
  page.field(static_cast<TFieldId>(first + 2), c.day, row, c.dayWidth);
}

int32_t dateRows(TPageBuilder& page, int32_t x0, int32_t row) {
  TDateColumns c{};
  c.year = page.label(u"Дата проведения: от", x0, row);
  c.yearWidth = page.width(u"88888") + 30;
  c.monthWidth = page.width(u"сентябрь") + 30;
  c.dayWidth = page.width(u"любое") + 30;
  c.month = c.year + c.yearWidth + 5;
  c.day = c.month + c.monthWidth + 5;
  dateRow(page, c, row, TFieldId::fromYear);
  const int32_t captionTop = row + page.m.rowHeight - 1;
  page.add({TPageItemKind::centredText, u"год", c.year, captionTop, c.yearWidth});
  page.add({TPageItemKind::centredText, u"месяц", c.month, captionTop, c.monthWidth});
  page.add({TPageItemKind::centredText, u"число", c.day, captionTop, c.dayWidth});
  row += page.m.rowHeight + page.m.fontHeight;
  page.add({TPageItemKind::rightText, u"до", c.year - 5, row});
  dateRow(page, c, row, TFieldId::toYear);
  return row;
}

// A lower and an upper bound in one row.
void rangeRow(TPageBuilder& page, const char16_t* label, int32_t x0, int32_t row,
              std::pair<TFieldId, int32_t> low, TFieldId high) {
  const int32_t lowRight = page.field(low.first, page.label(label, x0, row), row, low.second);
  page.label(u"до", lowRight + 7, row);
  page.field(high, lowRight + 15 + page.width(u"до"), row, page.width(u"любой") + 30);
}

}  // namespace

TPageLayout filterPageLayout(const TPageMetrics& m) {
  TPageBuilder page(m);
  const int32_t x0 = m.left + 20;
  int32_t row = resultRow(page, x0, m.top + 45);
  row = dateRows(page, x0, row + m.rowHeight + 2);
  const int32_t nameWidth = page.width(u"Иванов-Петров Александр") + 20;  // 23 characters
  row += m.rowHeight + 4;
  page.field(TFieldId::whitePlayer, page.label(u"Белыми играет:", x0, row), row, nameWidth);
  row += m.rowHeight;
  page.field(TFieldId::blackPlayer, page.label(u"Чёрными играет:", x0, row), row, nameWidth);
  page.box(TBoxId::ignoreColour, x0, row += m.rowHeight);
  const int32_t ratingWidth = page.width(u"8888") + 30;
  row += m.rowHeight + 4;
  rangeRow(page, u"ELO белых: от", x0, row, {TFieldId::whiteEloMin, ratingWidth},
           TFieldId::whiteEloMax);
  row += m.rowHeight;
  rangeRow(page, u"ELO чёрных: от", x0, row, {TFieldId::blackEloMin, ratingWidth},
           TFieldId::blackEloMax);
  row += m.rowHeight + 4;
  page.field(TFieldId::eco, page.label(u"Дебют в формате ECO:", x0, row), row,
             page.width(u"любой") + 30);
  row += m.rowHeight + 4;
  rangeRow(page, u"Партии с числом ходов: от", x0, row,
           {TFieldId::movesMin, page.width(u"100") + 20}, TFieldId::movesMax);
  return page.finish(row);
}
