// The panel's window procedure: it decodes the host's messages for the panel and hands them to
// the list, the tabs and the bottom row.

#include "gamesiftwnd/panel_win32.h"

#include <windowsx.h>

#include "Upgnread/gamebase.h"
#include "gamesiftwnd/gamelist_logic.h"
#include "gamesiftwnd/gamelist_win32.h"
#include "gamesiftwnd/panelchildren_win32.h"
#include "gamesiftwnd/panelfaces_win32.h"
#include "gamesiftwnd/panelpages_win32.h"
#include "gamesiftwnd/settingsboxes_logic.h"
#include "plugin/hostservices_logic.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"

uint8_t panelPage = 0;
int32_t hoverTab = kNoTab;
int32_t hoverColumn = kNoColumn;
int32_t listRowHeight = 1;
HFONT panelFont = nullptr;
COLORREF frameColour = RGB(190, 190, 190);
int32_t rowHeight = 0;

namespace {

bool shiftDown = false;
bool ctrlDown = false;
TPanelLayout layout;

void relayout(int32_t width, int32_t height) {
  panelWidth = width;
  panelHeight = height;
  layout = panelLayout(width, height, panelMetrics(), bottomRowTexts());
  placeBottomRow(layout);
  placeScrollBar();
}

bool hostBusy() {
  return hostByte(hostValues.busy) != 0 || hostByte(hostValues.busyOther) != 0;
}

void switchPage(HWND panel, int32_t page) {
  const int32_t old = panelPage;
  if (old == page) return;
  showPageControls(old, false);
  panelPage = static_cast<uint8_t>(page);
  showPageControls(page, true);
  if (old == 0 || page == 0) placeScrollBar();
  RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void onCreate(HWND panel) {
  loadFacePictures();
  const TPanelMetrics metrics = panelMetrics();
  listRowHeight = listRowHeightFor(metrics.textHeight);
  if (listRowHeight <= 0) listRowHeight = 1;
  if (!panelFont) {
    LOGFONTW description{};
    if (const auto* host = static_cast<const LOGFONTW*>(hostValues.panelFont)) description = *host;
    panelFont = CreateFontIndirectW(&description);
  }
  const SIZE label = measureText(panel, kEditLabelMeasured);
  rowHeight = rowHeightOf(label.cy, hostInt(hostValues.checkBoxHeight, 0));
  buildPanelChildren(panel);
  buildSettingsPages(panel);
}

void onShow() {
  frameColour = hostColourOf(hostValues.frameColour, RGB(190, 190, 190));
  panelWasShown = 1;
}

void onMouseMove(HWND panel, int32_t x, int32_t y) {
  HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
  const int32_t tab = inTabBand(layout, x, y) ? tabAt(layout, x, y) : kNoTab;
  if (tab != kNoTab) cursor = LoadCursorW(nullptr, IDC_HAND);
  if (tab != hoverTab) {
    const int32_t before = hoverTab;
    hoverTab = tab;
    redrawTab(panel, before);
    redrawTab(panel, tab);
  }
  if (panelPage == 0 && hoverHeaders(panel, x, y)) cursor = LoadCursorW(nullptr, IDC_HAND);
  SetCursor(cursor);
}

void onLeftButton(HWND panel, int32_t x, int32_t y, WPARAM keys) {
  SetFocus(panel);
  hoverTab = kNoTab;
  if (inTabBand(layout, x, y)) {
    const int32_t tab = tabAt(layout, x, y);
    if (tab != kNoTab) switchPage(panel, tab);
    return;
  }
  // The modifiers of the click itself: a key-up sent elsewhere would leave a tracked flag stuck.
  if (panelPage == 0) clickList(x, y, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
}

void onRightButton(HWND panel, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(panel, &point);
  TrackPopupMenu(panelMenu, TPM_LEFTBUTTON, point.x, point.y, 0, hostMainWindow, nullptr);
}

void onKeyDown(WPARAM key) {
  if (key == VK_SHIFT) shiftDown = true;
  if (key == VK_CONTROL) ctrlDown = true;
  // The list's keys belong to its page: Delete on a settings page must not remove games.
  if (panelPage == 0) listKey(key);
}

void onKeyUp(WPARAM key) {
  if (key == VK_SHIFT) shiftDown = false;
  if (key == VK_CONTROL) ctrlDown = false;
}

TScrollRequest scrollRequest(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      return TScrollRequest::lineUp;
    case SB_LINEDOWN:
      return TScrollRequest::lineDown;
    case SB_PAGEUP:
      return TScrollRequest::pageUp;
    case SB_PAGEDOWN:
      return TScrollRequest::pageDown;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      return TScrollRequest::thumb;
  }
  return TScrollRequest::other;
}

// Messages consumed here answer true and set result.
bool handleInput(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      onKeyDown(wParam);
      return true;
    case WM_KEYUP:
      onKeyUp(wParam);
      return true;
    case WM_VSCROLL:
      if (panelPage == 0) scrollList(scrollRequest(wParam));
      return true;
    case WM_MOUSEMOVE:
      if (!hostBusy()) onMouseMove(panel, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return true;
    case WM_LBUTTONDOWN:
      if (!hostBusy()) onLeftButton(panel, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
      return true;
    case WM_RBUTTONUP:
      onRightButton(panel, lParam);
      return true;
    case WM_MOUSEWHEEL: {
      const bool ctrl = ctrlDown || (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL);
      if (!ctrl && panelPage == 0) wheelList(GET_WHEEL_DELTA_WPARAM(wParam));
      return true;
    }
  }
  return false;
}

}  // namespace

TPanelMetrics panelMetrics() {
  TPanelMetrics m;
  m.marginTop = hostInt(hostValues.marginTop, 0);
  m.marginBottom = hostInt(hostValues.marginBottom, 0);
  m.marginLeft = hostInt(hostValues.marginLeft, 0);
  m.marginRight = hostInt(hostValues.marginRight, 0);
  m.textHeight = hostInt(askHost(hostServices, THostLevel::state, kStateTextHeight), 16);
  return m;
}

const TPanelLayout& currentLayout() {
  return layout;
}

intptr_t panelDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto handle = serviceAs<TServiceDefaultProc>(hostServices.defaultProc);
  return handle ? handle(window, message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

COLORREF hostColourOf(void* value, COLORREF fallback) {
  return hostColour(value, fallback);
}

intptr_t VORLEN_CALL panelMessageProc(void* window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam) {
  HWND panel = static_cast<HWND>(window);
  switch (message) {
    case WM_CREATE: {
      const intptr_t result = panelDefault(panel, message, wParam, lParam);
      onCreate(panel);
      return result;
    }
    case WM_SIZE: {
      const intptr_t result = panelDefault(panel, message, wParam, lParam);
      relayout(LOWORD(lParam), HIWORD(lParam));
      return result;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) shiftDown = ctrlDown = false;
      break;
    case WM_SHOWWINDOW:
      if (wParam) onShow();
      break;
    default:
      if (handleInput(panel, message, wParam, lParam)) return 0;
  }
  return panelDefault(panel, message, wParam, lParam);
}

void VORLEN_CALL panelPaintProc(void* window, void* deviceContext) {
  HWND panel = static_cast<HWND>(window);
  HDC dc = static_cast<HDC>(deviceContext);
  auto background = serviceAs<TServicePaintBackground>(hostServices.paintBackground);
  if (background) background(window, deviceContext);
  const int saved = SaveDC(dc);
  HBRUSH brush = CreateSolidBrush(hostColourOf(hostValues.panelColour, RGB(255, 255, 255)));
  HPEN pen = CreatePen(PS_SOLID, 1, frameColour);
  SelectObject(dc, brush);
  SelectObject(dc, pen);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  paintTabs(dc);
  paintBottomRow(dc);
  if (panelPage == 0)
    paintListPage(dc);
  else
    paintPage(panelPage, panel, dc);
  RestoreDC(dc, saved);
  DeleteObject(pen);
  DeleteObject(brush);
}
