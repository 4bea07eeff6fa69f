#include "gamesiftwnd/panelfaces_win32.h"

#include <string>

#include "gamesiftwnd/gamelist_logic.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/pictures_win32.h"
#include "plugin/hostservices_logic.h"

const wchar_t* const kPageNames[4] = {L"Партии", L"Разбиение", L"Фильтры", L"Остальное"};
const wchar_t* const kColumnCaptions[6] = {L"№",         L"Белые",  L"Чёрные",
                                           L"Результат", L"Турнир", L"Дата"};

namespace {

void* plainFace = nullptr;
void* currentFace = nullptr;

RECT asRect(const TRect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

HFONT faceFont(bool hover) {
  LOGFONTW font{};
  if (const auto* host = static_cast<const LOGFONTW*>(hostValues.drawFont)) font = *host;
  font.lfUnderline = hover ? TRUE : FALSE;
  return CreateFontIndirectW(&font);
}

}  // namespace

void loadFacePictures() {
  releasePicture(plainFace);
  releasePicture(currentFace);
  plainFace = loadHostPicture("images\\party_bg.gif");
  currentFace = loadHostPicture("images\\party_bg_d.gif");
}

void paintFace(HDC dc, const RECT& area, const wchar_t* caption, bool current, bool hover) {
  drawPicture(current ? currentFace : plainFace, dc, area);
  const std::wstring text = current ? std::wstring(L"» ") + caption : std::wstring(caption);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  MoveToEx(dc, area.left, area.top, nullptr);
  LineTo(dc, area.left, area.bottom);
  HFONT font = faceFont(hover);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, hover ? RGB(0, 0, 128) : RGB(0, 0, 0));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  TextOutW(dc, (area.left + area.right - extent.cx) / 2, (area.top + area.bottom - extent.cy) / 2,
           text.c_str(), static_cast<int>(text.size()));
  RestoreDC(dc, saved);
  DeleteObject(font);
}

void paintTabs(HDC dc) {
  const TPanelLayout& layout = currentLayout();
  for (int i = 0; i < kPageCount; ++i)
    paintFace(dc, asRect(layout.tabs[i]), kPageNames[i], i == panelPage, i == hoverTab);
  const TRect& last = layout.tabs[kPageCount - 1];
  MoveToEx(dc, last.right, last.top + 1, nullptr);
  LineTo(dc, last.right, last.top + 35);
}

void paintHeaders(HDC dc) {
  const TPanelLayout& layout = currentLayout();
  for (int k = 1; k <= kColumnCount; ++k)
    paintFace(dc, asRect(layout.columns[k - 1]), kColumnCaptions[k - 1], k == sortColumn,
              k == hoverColumn);
}

namespace {

void redrawFace(HWND panel, const RECT& area, const wchar_t* caption, bool current, bool hover) {
  HDC dc = GetDC(panel);
  HPEN pen = CreatePen(PS_SOLID, 1, frameColour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  paintFace(dc, area, caption, current, hover);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  ReleaseDC(panel, dc);
}

}  // namespace

void redrawTab(HWND panel, int tab) {
  if (tab < 0 || tab >= kPageCount) return;
  redrawFace(panel, asRect(currentLayout().tabs[tab]), kPageNames[tab], tab == panelPage,
             tab == hoverTab);
}

void redrawHeader(HWND panel, int column) {
  if (column < 1 || column > kColumnCount) return;
  redrawFace(panel, asRect(currentLayout().columns[column - 1]), kColumnCaptions[column - 1],
             column == sortColumn, column == hoverColumn);
}
