// The panel window as far as the plug-in's start and stop need it: the host's default handling,
// the shown flag, the size and the host's background. Its children and pages come with their own
// units.

#include "plugin/panel_win32.h"

#include <windows.h>

#include "plugin/hostservices_logic.h"
#include "plugin/panelstate_logic.h"

namespace {

intptr_t defaultHandling(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto handle = serviceAs<TServiceDefaultProc>(hostServices.defaultProc);
  return handle(window, message, wParam, lParam);
}

}  // namespace

intptr_t VORLEN_CALL panelMessageProc(void* window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam) {
  switch (message) {
    case WM_SIZE: {
      const intptr_t result = defaultHandling(window, message, wParam, lParam);
      panelWidth = LOWORD(lParam);
      panelHeight = HIWORD(lParam);
      return result;
    }
    case WM_SHOWWINDOW:
      if (wParam) panelWasShown = 1;
      break;
  }
  return defaultHandling(window, message, wParam, lParam);
}

void VORLEN_CALL panelPaintProc(void* window, void* deviceContext) {
  auto paint = serviceAs<TServicePaintBackground>(hostServices.paintBackground);
  paint(window, deviceContext);
}

void showOutputPath() {}
