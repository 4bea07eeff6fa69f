#include "gamesiftwnd/settingspages_win32.h"

#include <algorithm>
#include <array>

#include "gamesiftwnd/dropdown_win32.h"
#include "gamesiftwnd/pagelayout_logic.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/settingswindows_win32.h"
#include "gamesiftwnd/showoptions_logic.h"
#include "nagwnd/nagwnd_win32.h"
#include "plugin/hostservices_logic.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"

namespace {

enum class TSettingsPage : size_t { split = 1, filter = 2, other = 3 };

struct TBuiltPage {
  TPageLayout layout;
  TPageMetrics metrics;
};
std::array<TBuiltPage, 4> pages;  // by TSettingsPage; 0 is the game list

TBuiltPage& builtPage(TSettingsPage page) {
  return pages[static_cast<size_t>(page)];
}

void redrawOptionBox(TOptionBox& box) {
  InvalidateRect(static_cast<HWND>(box.window), nullptr, TRUE);
  UpdateWindow(static_cast<HWND>(box.window));
}

bool markWindowFromPanel() {
  return runMarkWindowOver(panelWindow);
}

void createControls(HWND panel, const TBuiltPage& page) {
  auto createBox = serviceAs<TServiceOptionControl>(hostServices.optionControl);
  for (const TPageItem& item : page.layout.items) {
    if (item.kind == TPageItemKind::box) {
      TOptionBox& box = settingsBox(item.box);
      const TRect place = boxRect(item, page.metrics);
      createBox(&box, place.left, place.top, panel);
      // the host draws the box alone; its text names it for accessibility tools and tests
      SetWindowTextW(static_cast<HWND>(box.window), wide(item.text));
      ShowWindow(static_cast<HWND>(box.window), SW_HIDE);
    } else if (item.kind == TPageItemKind::field) {
      const TRect place = fieldRect(item, page.metrics);
      createDropDown(settingsField(item.field), place.left, place.top, panel, item.width);
    }
  }
}

void buildPage(TSettingsPage id, HWND panel, TPageLayout (*layoutOf)(const TPageMetrics&)) {
  static bool recordsReady = false;
  if (!recordsReady) {
    buildSettingsFields();
    buildSettingsBoxes();
    redrawBox = redrawOptionBox;
    runMarkWindow = markWindowFromPanel;
    recordsReady = true;
  }
  TBuiltPage& page = builtPage(id);
  page.metrics = pageMetrics(panel);
  page.layout = layoutOf(page.metrics);
  createControls(panel, page);
  panelMinHeight = std::max(panelMinHeight, page.layout.minHeight);
}

void drawText(HDC dc, std::u16string_view text, RECT place, UINT format) {
  DrawTextW(dc, wide(text), static_cast<int>(text.size()), &place,
            format | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

void paintGroupFrame(HDC dc, const TPageItem& item) {
  const std::u16string_view caption = item.text;
  const int32_t captionWidth = textExtent(dc, caption).cx;
  const int32_t middle = item.left + item.width / 2;
  const int32_t right = item.left + item.width, bottom = item.top + item.height;
  MoveToEx(dc, middle - captionWidth / 2 - 2, item.top, nullptr);
  LineTo(dc, item.left, item.top);
  LineTo(dc, item.left, bottom);
  LineTo(dc, right, bottom);
  LineTo(dc, right, item.top);
  LineTo(dc, middle + captionWidth / 2 + 2, item.top);
  const int32_t half = textExtent(dc, caption).cy / 2;
  drawText(dc, caption,
           {middle - captionWidth / 2, item.top - half, middle + captionWidth / 2 + 1,
            item.top + half + 1},
           DT_LEFT);
}

void paintItem(HDC dc, const TPageItem& item, const TPageMetrics& m) {
  const RECT row{item.left, item.top, item.left + 4000, item.top + m.rowHeight};
  switch (item.kind) {
    case TPageItemKind::label:
      drawText(dc, item.text, row, DT_LEFT | DT_VCENTER);
      break;
    case TPageItemKind::box: {
      const RECT caption{item.left + m.boxWidth + item.captionGap, item.top, row.right, row.bottom};
      drawText(dc, item.text, caption, DT_LEFT | DT_VCENTER);
      break;
    }
    case TPageItemKind::field: {
      const TRect edit = fieldRect(item, m);
      HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, edit.left - 1, edit.top - 1, edit.right + 1, edit.bottom + 1);
      SelectObject(dc, old);
      break;
    }
    case TPageItemKind::text:
      drawText(dc, item.text, {item.left, item.top, item.left + 4000, item.top + 100}, DT_LEFT);
      break;
    case TPageItemKind::rightText:
      drawText(dc, item.text, {item.left - 4000, row.top, item.left, row.bottom},
               DT_RIGHT | DT_VCENTER);
      break;
    case TPageItemKind::centredText:
      drawText(dc, item.text, {item.left, item.top, item.left + item.width, item.top + 100},
               DT_CENTER);
      break;
    case TPageItemKind::groupFrame:
      paintGroupFrame(dc, item);
      break;
  }
}

void paintPage(TSettingsPage id, HDC dc) {
  const TBuiltPage& page = builtPage(id);
  const int saved = SaveDC(dc);
  SelectObject(dc, panelFont);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (const TPageItem& item : page.layout.items) paintItem(dc, item, page.metrics);
  RestoreDC(dc, saved);
}

void showPage(TSettingsPage id, bool shown) {
  if (!shown) hideRecentList();
  for (const TPageItem& item : builtPage(id).layout.items) {
    void* window = nullptr;
    if (item.kind == TPageItemKind::box) window = settingsBox(item.box).window;
    if (item.kind == TPageItemKind::field) window = settingsField(item.field).edit;
    if (window != nullptr) ShowWindow(static_cast<HWND>(window), shown ? SW_SHOWNA : SW_HIDE);
  }
}

}  // namespace

// Building, showing and painting the pages

void buildOtherPage(HWND panel) {
  buildPage(TSettingsPage::other, panel, otherPageLayout);
}
void buildSplitPage(HWND panel) {
  buildPage(TSettingsPage::split, panel, splitPageLayout);
}
void buildFilterPage(HWND panel) {
  buildPage(TSettingsPage::filter, panel, filterPageLayout);
}

void showOtherPage(bool visible) {
  showPage(TSettingsPage::other, visible);
}
void showSplitPage(bool visible) {
  showPage(TSettingsPage::split, visible);
}
void showFilterPage(bool visible) {
  showPage(TSettingsPage::filter, visible);
}

void paintOtherPage(HWND, HDC dc) {
  paintPage(TSettingsPage::other, dc);
}
void paintSplitPage(HWND, HDC dc) {
  paintPage(TSettingsPage::split, dc);
}
void paintFilterPage(HWND, HDC dc) {
  paintPage(TSettingsPage::filter, dc);
}

// Putting the options into the controls

void showOptions() {
  putOptionsIntoControls();
  for (const TDropDownField& field : settingsFields) showFieldText(field);
  for (const TOptionBox& box : settingsBoxes)
    if (box.window != nullptr) InvalidateRect(static_cast<HWND>(box.window), nullptr, TRUE);
  if (panelWindow != nullptr) {
    InvalidateRect(panelWindow, nullptr, TRUE);
    UpdateWindow(panelWindow);
  }
}
