#include "modal_win32.h"

#include <windows.h>

#include "hostvalues_win32.h"
#include "panels_win32.h"
#include "procwindow_win32.h"

namespace {

int32_t depth = 0;

// Runs messages until the plug-in sets the dialog cell or the window goes; a quit message met on
// the way is put back for the outer loop.
void runModalLoop(HWND window) {
  MSG message{};
  while (hostStore.dialogResult == 0 && IsWindow(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (got < 0) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

// The window is captioned but has no close box: it ends only through the dialog cell. The mouse
// is kept from the panels meanwhile by the busy byte.
intptr_t VORLEN_CALL modalWindowService(const char16_t* caption, intptr_t left, intptr_t top,
                                        intptr_t width, intptr_t height, void* owner,
                                        TVorlenWindowProc messageProc, TVorlenPaintProc paintProc) {
  HWND ownerWindow = static_cast<HWND>(owner);
  const int32_t outerResult = hostStore.dialogResult;
  const uint8_t outerBusy = hostStore.busy;
  hostStore.dialogResult = 0;
  TProcWindow procs{messageProc, paintProc, TProcWindowKind::modal};
  const RECT place{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + width),
                   static_cast<LONG>(top + height)};
  HWND window = createProcWindow(procs, caption ? caption : u"", WS_EX_DLGMODALFRAME,
                                 WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, place, ownerWindow);
  if (window == nullptr) return -1;
  ++depth;
  hostStore.busy = 1;
  const bool ownerWasEnabled = ownerWindow && IsWindowEnabled(ownerWindow);
  if (ownerWasEnabled) EnableWindow(ownerWindow, FALSE);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  runModalLoop(window);
  const intptr_t result = hostStore.dialogResult != 0 ? hostStore.dialogResult : -1;
  if (ownerWasEnabled) EnableWindow(ownerWindow, TRUE);
  if (IsWindow(window)) DestroyWindow(window);
  --depth;
  hostStore.busy = outerBusy;
  hostStore.dialogResult = outerResult;
  return result;
}

// What DefWindowProc does, except that closing never destroys a plug-in window: a panel hides,
// a modal window waits for its dialog cell.
intptr_t VORLEN_CALL defaultProcService(void* window, uint32_t message, uintptr_t wParam,
                                        intptr_t lParam) {
  HWND handle = static_cast<HWND>(window);
  if (message == WM_CLOSE) {
    if (isPluginPanel(handle)) {
      ShowWindow(handle, SW_HIDE);
      return 0;
    }
    if (procWindowOf(handle) != nullptr) return 0;
  }
  return DefWindowProcW(handle, message, wParam, lParam);
}

int32_t modalDepth() {
  return depth;
}
