#pragma once
// Windows driven by the plug-in's procedures: the panels and the modal windows. The host's own
// window procedure hands every message to the plug-in's message procedure and runs the paint
// cycle around its paint procedure.

#include <windows.h>

#include "plugcommon/hostapi.h"

enum class TProcWindowKind { panel, modal };

struct TProcWindow {
  TVorlenWindowProc message = nullptr;
  TVorlenPaintProc paint = nullptr;
  TProcWindowKind kind = TProcWindowKind::panel;
};

void registerProcWindowClass();

// Creates the window; the plug-in's procedure sees its creation messages already.
HWND createProcWindow(const TProcWindow& procs, const char16_t* caption, DWORD exStyle, DWORD style,
                      RECT place, HWND owner);
// The procedures of a window made here; null for any other window.
const TProcWindow* procWindowOf(HWND window);
