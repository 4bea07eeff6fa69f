#include "hostvalues_win32.h"

#include "buttons_win32.h"
#include "gameservices_win32.h"
#include "panels_win32.h"
#include "services_win32.h"

THostValueStore hostStore;
HWND hostMain = nullptr;
HMENU hostGames = nullptr;
int32_t hostDpi = 96;

namespace {

LOGFONTW fontAt(int32_t points, LONG weight) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(points, hostDpi, 72);
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return font;
}

int32_t measureTextHeight() {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, hostPanelFont());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

}  // namespace

void initHostValues() {
  HDC screen = GetDC(nullptr);
  hostDpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  hostStore.panelFont = fontAt(8, FW_NORMAL);
  hostStore.drawFont = fontAt(8, FW_BOLD);
  hostStore.checkBoxHeight = MulDiv(13, hostDpi, 96);
  hostStore.checkBoxWidth = hostStore.checkBoxHeight;
  hostStore.textHeight = measureTextHeight();
  InitializeCriticalSection(&hostStore.gameLock);
  makeHostSkin(hostStore.skin);
}

HFONT hostPanelFont() {
  static HFONT font = CreateFontIndirectW(&hostStore.panelFont);
  return font;
}

void* VORLEN_CALL hostWindowsService(intptr_t value) {
  noteSecondLevel(kServiceWindows, value);
  if (value == kWindowMain) return hostMain;
  if (value == kWindowGameMenu) return hostGames;
  return nullptr;
}

void* VORLEN_CALL hostValuesService(intptr_t value) {
  noteSecondLevel(kServiceValues, value);
  THostValueStore& s = hostStore;
  switch (value) {
    case kValueTextBufferLength:
      return &s.textBufferLength;
    case kValuePageScrollFraction:
      return &s.pageScrollFraction;
    case kValuePanelColour:
      return &s.panelColour;
    case kValueTickedColour:
      return &s.tickedColour;
    case kValueTickedTextColour:
      return &s.tickedTextColour;
    case kValueMarginTop:
      return &s.margins[0];
    case kValueMarginBottom:
      return &s.margins[1];
    case kValueMarginLeft:
      return &s.margins[2];
    case kValueMarginRight:
      return &s.margins[3];
    case kValueCheckBoxHeight:
      return &s.checkBoxHeight;
    case kValueCheckBoxWidth:
      return &s.checkBoxWidth;
    case kValuePanelFont:
      return &s.panelFont;
    case kValueDrawFont:
      return &s.drawFont;
    case kValueOddRowColour:
      return &s.oddRowColour;
    case kValueHeaderLineColour:
      return &s.headerLineColour;
    case kValueFrameColour:
      return &s.frameColour;
    case kValueGameCapacity:
      return &s.gameCapacity;
    default:
      return nullptr;
  }
}

void* VORLEN_CALL hostStateService(intptr_t value) {
  noteSecondLevel(kServiceState, value);
  THostValueStore& s = hostStore;
  switch (value) {
    case kStateBusy:
      return &s.busy;
    case kStateDialogResult:
      return &s.dialogResult;
    case kStateSkin:
      return &s.skin;
    case kStateGameLock:
      ++s.lockAsks;
      return &s.gameLock;
    case kStateCurrentGame:
      return hostGameList.currentGameCell();
    case kStateHoverWindow:
      return &s.hoverWindow;
    case kStatePressedWindow:
      return &s.pressedWindow;
    case kStatePanels:
      return panelList();
    // The line's identity itself, not a pointer to it: the plug-in compares it with the ids in
    // a move's variation list.
    case kStateCurrentLine:
      return reinterpret_cast<void*>(hostGameList.currentLine());
    case kStateBusyOther:
      return &s.busyOther;
    case kStateRowOrder:
      return const_cast<const int32_t**>(hostGameList.rowOrderCell());
    case kStateTextHeight:
      return &s.textHeight;
    case kStateGames:
      return const_cast<THostGameList*>(hostGameList.list());
    case kStateWheelByPage:
      return &s.wheelByPage;
    default:
      return nullptr;
  }
}
