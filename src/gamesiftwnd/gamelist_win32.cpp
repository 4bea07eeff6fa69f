#include "gamesiftwnd/gamelist_win32.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "Upgnread/gamebase.h"
#include "gamesiftwnd/gamelist_logic.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/panelfaces_win32.h"
#include "plugin/commands_win32.h"
#include "plugin/hostservices_logic.h"
#include "plugin/plugin_win32.h"

HWND listScrollBar = nullptr;

namespace {

SCROLLINFO scrollInfo(UINT mask) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = mask;
  return info;
}

int32_t scrollPosition() {
  SCROLLINFO info = scrollInfo(SIF_POS);
  if (!listScrollBar || !IsWindowVisible(listScrollBar)) return 0;
  GetScrollInfo(listScrollBar, SB_CTL, &info);
  return info.nPos;
}

int32_t trackPosition() {
  SCROLLINFO info = scrollInfo(SIF_TRACKPOS);
  GetScrollInfo(listScrollBar, SB_CTL, &info);
  return info.nTrackPos;
}

int32_t listHeight() {
  const TRect& list = currentLayout().list;
  return list.bottom - list.top;
}

TScrollBarShape currentShape() {
  return scrollBarShape(listRowCount(), listRowHeight, listHeight(), panelPage == 0);
}

// Sets the position (clamped as the scroll bar would); true when it moved.
bool setScrollPosition(int32_t position) {
  const int32_t before = scrollPosition();
  const int32_t after = clampScroll(position, currentShape());
  if (after == before) return false;
  SCROLLINFO info = scrollInfo(SIF_POS);
  info.nPos = after;
  SetScrollInfo(listScrollBar, SB_CTL, &info, TRUE);
  return true;
}

COLORREF colourOf(void* value, COLORREF fallback) {
  return hostColourOf(value, fallback);
}

void drawCell(HDC dc, const std::string& text, int32_t x, int32_t y) {
  const std::u16string utf16 = ansiToUtf16(text);
  const std::wstring wide(utf16.begin(), utf16.end());
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

// Row backgrounds with the number column in the host's drawing font.
void paintRowBackgrounds(HDC dc, int32_t position) {
  const TPanelLayout& layout = currentLayout();
  const TRect& list = layout.list;
  const TRect& first = layout.columns[0];
  const int32_t th = panelMetrics().textHeight;
  const int32_t n = static_cast<int32_t>(listOrder.size());
  HBRUSH even = CreateSolidBrush(colourOf(hostValues.panelColour, RGB(255, 255, 255)));
  HBRUSH odd = CreateSolidBrush(colourOf(hostValues.oddRowColour, RGB(240, 240, 240)));
  HBRUSH ticked = CreateSolidBrush(colourOf(hostValues.tickedColour, RGB(0, 0, 128)));
  const COLORREF tickedText = colourOf(hostValues.tickedTextColour, RGB(255, 255, 255));
  int32_t y = list.top - position % listRowHeight;
  for (int32_t r = position / listRowHeight; r < n; ++r) {
    const int32_t game = listOrder[r];
    const bool isTicked =
        game >= 0 && static_cast<size_t>(game) < tickedGames.size() && tickedGames[game];
    RECT row{list.left, y, list.right, y + listRowHeight - 1};
    FillRect(dc, &row, isTicked ? ticked : (r % 2 ? odd : even));
    SetTextColor(dc, isTicked ? tickedText : RGB(0, 0, 0));
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, first.left + 3, list.top, first.right - 3, list.bottom);
    drawCell(dc, cellText(panelGames[game], game, 1), first.left + 5, y + th / 4);
    RestoreDC(dc, saved);
    SetTextColor(dc, RGB(0, 0, 0));
    y += listRowHeight;
    if (y > list.bottom) break;
    MoveToEx(dc, list.left, y - 1, nullptr);
    LineTo(dc, list.right, y - 1);
  }
  if (y < list.bottom) {
    RECT rest{list.left, y, list.right, list.bottom};
    FillRect(dc, &rest, odd);
  }
  DeleteObject(even);
  DeleteObject(odd);
  DeleteObject(ticked);
}

void paintCellColumns(HDC dc, int32_t position) {
  const TPanelLayout& layout = currentLayout();
  const TRect& list = layout.list;
  const int32_t th = panelMetrics().textHeight;
  const int32_t n = static_cast<int32_t>(listOrder.size());
  const COLORREF tickedText = colourOf(hostValues.tickedTextColour, RGB(255, 255, 255));
  SelectObject(dc, panelFont);
  for (int32_t k = 2; k <= kColumnCount; ++k) {
    const TRect& column = layout.columns[k - 1];
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, column.left + 3, list.top, column.right - 3, list.bottom);
    int32_t y = list.top - position % listRowHeight;
    for (int32_t r = position / listRowHeight; r < n && y < list.bottom; ++r) {
      const int32_t game = listOrder[r];
      const bool isTicked = static_cast<size_t>(game) < tickedGames.size() && tickedGames[game];
      SetTextColor(dc, isTicked ? tickedText : RGB(0, 0, 0));
      drawCell(dc, cellText(panelGames[game], game, k), column.left + 5, y + th / 4);
      y += listRowHeight;
    }
    RestoreDC(dc, saved);
  }
  SetTextColor(dc, RGB(0, 0, 0));
}

void paintRows(HDC dc) {
  TLockHold hold(gameLock());
  const TRect& list = currentLayout().list;
  const int32_t position = scrollPosition();
  const int saved = SaveDC(dc);
  LOGFONTW description{};
  if (const auto* host = static_cast<const LOGFONTW*>(hostValues.drawFont)) description = *host;
  HFONT font = CreateFontIndirectW(&description);
  SelectObject(dc, font);
  IntersectClipRect(dc, list.left + 1, list.top, list.right, list.bottom);
  paintRowBackgrounds(dc, position);
  paintCellColumns(dc, position);
  RestoreDC(dc, saved);
  DeleteObject(font);
  const TPanelLayout& layout = currentLayout();
  for (int32_t k = 2; k <= kColumnCount; ++k) {
    MoveToEx(dc, layout.columns[k - 1].left, layout.columns[0].top, nullptr);
    LineTo(dc, layout.columns[k - 1].left, list.bottom);
  }
  if (listScrollBar) InvalidateRect(listScrollBar, nullptr, FALSE);
}

void toggleListKeys(WPARAM key) {
  switch (key) {
    case VK_HOME:
      cursorHome();
      break;
    case VK_END:
      cursorEnd();
      break;
    case VK_UP:
      cursorUp();
      break;
    case VK_DOWN:
      cursorDown();
      break;
    default:
      return;
  }
  refreshList();
}

}  // namespace

void placeScrollBar() {
  if (!listScrollBar) return;
  const TRect& list = currentLayout().list;
  const int32_t width = GetSystemMetrics(SM_CXVSCROLL);
  MoveWindow(listScrollBar, list.right - width, list.top, width, list.bottom - list.top, FALSE);
  const TScrollBarShape shape = currentShape();
  SCROLLINFO info = scrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
  if (!shape.visible) {
    SetScrollInfo(listScrollBar, SB_CTL, &info, FALSE);
    ShowWindow(listScrollBar, SW_HIDE);
    return;
  }
  GetScrollInfo(listScrollBar, SB_CTL, &info);
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = shape.range;
  info.nPage = static_cast<UINT>(shape.page);
  SetScrollInfo(listScrollBar, SB_CTL, &info, TRUE);
  ShowWindow(listScrollBar, SW_SHOW);
}

void refreshList() {
  placeScrollBar();
  if (currentShape().visible) {
    int32_t cursor = 0;
    {
      TLockHold hold(gameLock());
      cursor = listCursor;
    }
    setScrollPosition(keepCursorVisible(scrollPosition(), cursor, listRowHeight, listHeight()));
  }
  if (panelWindow && IsWindowVisible(panelWindow))
    RedrawWindow(panelWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void repaintRows() {
  const TPanelLayout& layout = currentLayout();
  RECT area{layout.list.left, layout.columns[0].top, layout.list.right + 1, layout.list.bottom + 1};
  RedrawWindow(panelWindow, &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void paintListPage(HDC dc) {
  const TPanelLayout& layout = currentLayout();
  HPEN thick = CreatePen(PS_SOLID, 2, colourOf(hostValues.headerLineColour, RGB(128, 128, 128)));
  paintHeaders(dc);
  HGDIOBJ old = SelectObject(dc, thick);
  MoveToEx(dc, layout.list.left, layout.columns[0].bottom, nullptr);
  LineTo(dc, layout.list.right, layout.columns[0].bottom);
  SelectObject(dc, old);
  DeleteObject(thick);
  paintRows(dc);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, layout.list.left, layout.columns[0].top, layout.list.right + 1,
            layout.list.bottom + 1);
  SelectObject(dc, oldBrush);
}

void scrollList(TScrollRequest request) {
  const int32_t position = scrollPosition();
  const int32_t target = scrollTarget(
      request, position, request == TScrollRequest::thumb ? trackPosition() : 0,
      panelMetrics().textHeight, listHeight(), hostDouble(hostValues.pageScrollFraction, 1.0));
  if (setScrollPosition(target)) repaintRows();
}

void wheelList(int32_t delta) {
  const int32_t m = wheelNotches(delta);
  if (hostByte(hostValues.wheelByPage) == 0) {
    for (int32_t i = 0; i < (m < 0 ? -m : m); ++i)
      scrollList(m > 0 ? TScrollRequest::lineUp : TScrollRequest::lineDown);
    return;
  }
  if (!currentShape().visible) return;
  const int64_t step = pageStep(listHeight(), hostDouble(hostValues.pageScrollFraction, 1.0));
  const int64_t target = scrollPosition() - step * m;
  if (setScrollPosition(static_cast<int32_t>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX))))
    repaintRows();
}

bool listKey(WPARAM key) {
  switch (key) {
    case VK_PRIOR:
      scrollList(TScrollRequest::pageUp);
      return true;
    case VK_NEXT:
      scrollList(TScrollRequest::pageDown);
      return true;
    case VK_DELETE:
      DeleteSelected();
      return true;
    case VK_HOME:
    case VK_END:
    case VK_UP:
    case VK_DOWN:
      toggleListKeys(key);
      return true;
  }
  return false;
}

void clickList(int32_t x, int32_t y, bool shift, bool ctrl) {
  const TPanelLayout& layout = currentLayout();
  const int32_t column = columnAt(layout, x, y);
  if (column != kNoColumn) {
    if (column == sortColumn) return;
    sortList(static_cast<uint8_t>(column));
    placeScrollBar();
    int32_t cursor = 0;
    {
      TLockHold hold(gameLock());
      cursor = listCursor;
    }
    setScrollPosition(keepCursorVisible(scrollPosition(), cursor, listRowHeight, listHeight()));
    repaintRows();
    return;
  }
  if (!pointInRect(x, y, layout.list)) return;
  if (clickRow(rowAt(layout, y, scrollPosition(), listRowHeight), shift, ctrl)) repaintRows();
}

bool hoverHeaders(HWND panel, int32_t x, int32_t y) {
  const int32_t now = columnAt(currentLayout(), x, y);
  if (now != hoverColumn) {
    const int32_t before = hoverColumn;
    hoverColumn = now;
    redrawHeader(panel, before);
    redrawHeader(panel, now);
  }
  return now != kNoColumn;
}
