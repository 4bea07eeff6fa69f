#include "pgnstatwnd/statuswindow_win32.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "Upgnread/gamebase.h"
#include "gamesiftwnd/gamelist_win32.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/panelchildren_win32.h"
#include "gamesiftwnd/settingswindows_win32.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnstatwnd/statuswindow_logic.h"
#include "plugin/hostservices_logic.h"
#include "plugin/plugin_win32.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;

HWND statusWindow = nullptr;
HWND progressBar = nullptr;
TButInf stopButton{};
TStatusShown shown;
bool built = false;
int32_t textHeight = 0;

void VORLEN_CALL stopClicked() {
  stopRequested = true;
}

int32_t widestStageText(HWND window) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, panelFont);
  int32_t widest = 0;
  for (const std::u16string& text : kStageTexts) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()),
                          static_cast<int>(text.size()), &extent);
    widest = std::max<int32_t>(widest, extent.cx);
    textHeight = extent.cy;
  }
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return widest;
}

void makeStopButton(HWND window, int32_t x, int32_t y) {
  if (const auto* skin =
          static_cast<const THostSkin*>(askHost(hostServices, THostLevel::state, kStateSkin)))
    stopButton = skin->startButton;
  stopButton.click = stopClicked;
  stopButton.window = makeHostButton(window, L"Остановить", x, y, 105, 28, {-1, -1, 107, 30}, 28);
  auto prepare = serviceAs<TServicePrepareCaptionButton>(hostServices.prepareCaptionButton);
  if (prepare) prepare(&stopButton, u"Остановить");
}

// Centred on the host's main window, inside the work area. The contents are laid out for a
// client area of width x height, so the frame the window really has is added.
void placeWindow(HWND window, int32_t width, int32_t height) {
  const SIZE outer = withWindowFrame(window, width, height);
  width = outer.cx;
  height = outer.cy;
  RECT owner{};
  GetWindowRect(hostMainWindow, &owner);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int32_t x = (owner.left + owner.right - width) / 2;
  int32_t y = (owner.top + owner.bottom - height) / 2;
  x = std::max<int32_t>(0, std::min<int32_t>(x, work.right - width));
  y = std::max<int32_t>(0, std::min<int32_t>(y, work.bottom - height));
  SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void buildContents(HWND window) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  const TPanelMetrics m = panelMetrics();
  const int32_t w = std::max(widestStageText(window), 350);
  const int32_t h = textHeight;
  int32_t y = m.marginTop + 5 + 2 * h + 10;
  progressBar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, m.marginLeft + 10,
                                y, w, h + 2, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(progressBar, PBM_SETRANGE32, 0, 100);
  y += h + 15;
  const int32_t width = statusWidth(w, m.marginLeft, m.marginRight);
  makeStopButton(window, width - m.marginRight - 113, y);
  placeWindow(window, width, y + 35 + m.marginBottom);
  shown = TStatusShown{};
  SetTimer(window, kPollTimer, 1, nullptr);
}

TJobSnapshot snapshot() {
  TJobSnapshot job;
  job.stage = stage.load(std::memory_order_relaxed);
  job.mode = jobMode.load(std::memory_order_relaxed);
  job.bytesDone = bytesDone.load(std::memory_order_relaxed);
  job.bytesTotal = bytesTotal.load(std::memory_order_relaxed);
  job.itemsDone = itemsDone.load(std::memory_order_relaxed);
  job.itemsTotal = itemsTotal.load(std::memory_order_relaxed);
  job.file = currentFileCopy();
  return job;
}

void onTick(HWND window) {
  const TStatusTick tick = statusTick(shown, snapshot());
  if (tick.setRange) SendMessageW(progressBar, PBM_SETRANGE32, 0, tick.rangeMax);
  if (tick.setPosition) SendMessageW(progressBar, PBM_SETPOS, tick.position, 0);
  if (tick.close) {
    if (tick.refreshPanel) refreshList();
    KillTimer(window, kPollTimer);
    if (auto* cell = static_cast<int32_t*>(hostValues.dialogResult)) *cell = 1;
    return;
  }
  if (tick.changed) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

intptr_t VORLEN_CALL statusMessageProc(void* window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam) {
  HWND handle = static_cast<HWND>(window);
  // Built once per opening: a second show must not add a second bar.
  if (message == WM_SHOWWINDOW && wParam && !built) {
    built = true;
    statusWindow = handle;
    buildContents(handle);
  } else if (message == WM_TIMER && wParam == kPollTimer) {
    onTick(handle);
    return 0;
  }
  return panelDefault(handle, message, wParam, lParam);
}

void VORLEN_CALL statusPaintProc(void* window, void* deviceContext) {
  HDC dc = static_cast<HDC>(deviceContext);
  auto background = serviceAs<TServicePaintBackground>(hostServices.paintBackground);
  if (background) background(window, deviceContext);
  const TPanelMetrics m = panelMetrics();
  const uint8_t now = std::min<uint8_t>(shown.stage, kStageCount - 1);
  HGDIOBJ old = SelectObject(dc, panelFont);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  const std::u16string& text = kStageTexts[now];
  TextOutW(dc, m.marginLeft + 10, m.marginTop + 5, reinterpret_cast<const wchar_t*>(text.c_str()),
           static_cast<int>(text.size()));
  const std::u16string file = shownFileName(now, shown.file);
  TextOutW(dc, m.marginLeft + 10, m.marginTop + textHeight + 10,
           reinterpret_cast<const wchar_t*>(file.c_str()), static_cast<int>(file.size()));
  SelectObject(dc, old);
}

int waitInStatusWindow() {
  built = false;
  auto open = serviceAs<TServiceModalWindow>(hostServices.modalWindow);
  if (!open) return -1;
  // Owned by the host's main window, which the host disables while the window is up:
  // its menu cannot start a transfer into the game base the worker is filling.
  const intptr_t result = open(u"Выполняется действие", 0, 0, 200, 200, hostMainWindow,
                               statusMessageProc, statusPaintProc);
  return result == -1 ? -1 : 1;
}

}  // namespace

void runJobWithStatus(uint8_t mode) {
  adoptHostLock();
  startJob(mode, waitInStatusWindow);
}
