#pragma once
// The host's values and state cells that the second-level services hand out by pointer, and the
// answers of those services (10001, 10002, 10005).

#include <windows.h>

#include <cstdint>

#include "plugcommon/hostapi.h"

// Everything the plug-in may point into; one instance, alive for the whole run.
struct THostValueStore {
  // kServiceValues
  int32_t textBufferLength = 1024;
  double pageScrollFraction = 0.9;
  uint32_t panelColour = RGB(240, 240, 236);
  uint32_t tickedColour = RGB(51, 102, 187);
  uint32_t tickedTextColour = RGB(255, 255, 255);
  uint32_t oddRowColour = RGB(226, 231, 238);
  uint32_t headerLineColour = RGB(70, 90, 130);
  uint32_t frameColour = RGB(160, 164, 170);
  int32_t margins[4] = {6, 6, 6, 6};  // top, bottom, left, right
  int32_t checkBoxHeight = 13;
  int32_t checkBoxWidth = 13;
  LOGFONTW panelFont{};
  LOGFONTW drawFont{};
  int32_t gameCapacity = 1000;
  // kServiceState
  uint8_t busy = 0;
  uint8_t busyOther = 0;
  int32_t dialogResult = 0;
  THostSkin skin{};
  CRITICAL_SECTION gameLock{};
  int32_t lockAsks = 0;          // how often the plug-in asked for the lock (kStateGameLock)
  int32_t lockAsksAtStart = -1;  // the count when the start entry returned; -1 before
  void* hoverWindow = nullptr;
  void* pressedWindow = nullptr;
  int32_t textHeight = 0;
  uint8_t wheelByPage = 0;
};

extern THostValueStore hostStore;
extern HWND hostMain;    // the host's main window
extern HMENU hostGames;  // the game menu the plug-in adds its items to
extern int32_t hostDpi;  // the screen's logical pixels per inch

// Sets the values that follow the screen (fonts, check boxes, text height), the lock and the skin.
void initHostValues();

// The second-level services.
void* VORLEN_CALL hostWindowsService(intptr_t value);
void* VORLEN_CALL hostValuesService(intptr_t value);
void* VORLEN_CALL hostStateService(intptr_t value);

// The host's fonts as GDI objects (made on first use, kept for the run).
HFONT hostPanelFont();
