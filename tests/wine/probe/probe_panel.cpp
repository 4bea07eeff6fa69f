// The probe's panel: made through the host, with a host check box and a host button on it and a
// button face painted by the host.

#include "probe.h"

namespace {

HWND panel = nullptr;
int32_t panelCommand = 0;
TOptionBox option{};
TButInf button{};
HWND edit = nullptr;
HMENU popup = nullptr;
bool shownOnce = false;

void VORLEN_CALL optionChanged() {
  probeLog("option state " + std::to_string(option.state));
}

void VORLEN_CALL buttonClicked() {
  wchar_t text[64] = {};
  GetWindowTextW(edit, text, 64);
  probeLog("button clicked, edit «" + utf8(text) + "»");
}

void VORLEN_CALL popupChosen() {
  probeLog("popup item chosen");
}

// The popup menu of a right click, owned by the host's main window as the real panel's is.
void makePopup() {
  popup = CreatePopupMenu();
  const TCommandRecord record{9, 0};
  const intptr_t id =
      service<TServiceRegisterCommand>(kServiceRegisterCommand)(&record, popupChosen);
  AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(id), L"Проба: пункт меню");
}

void showPopup(HWND window, LPARAM lParam) {
  POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(window, &point);
  TrackPopupMenu(popup, TPM_LEFTBUTTON, point.x, point.y, 0, probeHost.main, nullptr);
}

void addControls(HWND window) {
  option.state = kOptionOff;
  option.handler = optionChanged;
  service<TServiceOptionControl>(kServiceOptionControl)(&option, 20, 60, window);
  const auto* skin = static_cast<const THostSkin*>(hostValue(kServiceState, kStateSkin));
  button = TButInf{};
  button.normalFace = skin->buttonFaces[0];
  button.hoverFace = skin->buttonFaces[1];
  button.pressedFace = skin->buttonFaces[2];
  button.click = buttonClicked;
  button.window = CreateWindowExW(0, L"knop", L"", WS_CHILD | WS_VISIBLE, 20, 100, 105, 28, window,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
  service<TServicePrepareCaptionButton>(kServicePrepareCaptionButton)(&button, u"Нажми");
  edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 150,
                         58, 140, 20, window, nullptr, GetModuleHandleW(nullptr), nullptr);
}

intptr_t VORLEN_CALL panelProc(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto defaultProc = service<TServiceDefaultProc>(kServiceDefaultProc);
  if (message == WM_CREATE) {
    const intptr_t result = defaultProc(window, message, wParam, lParam);
    addControls(static_cast<HWND>(window));
    return result;
  }
  if (message == WM_RBUTTONUP) {
    showPopup(static_cast<HWND>(window), lParam);
    return 0;
  }
  if (message == WM_SHOWWINDOW && wParam && !shownOnce) {
    shownOnce = true;
    probeLog("panel shown");
  }
  return defaultProc(window, message, wParam, lParam);
}

void VORLEN_CALL panelPaint(void* window, void* dc) {
  service<TServicePaintBackground>(kServicePaintBackground)(window, dc);
  const auto* font = static_cast<const LOGFONTW*>(hostValue(kServiceValues, kValuePanelFont));
  HFONT made = CreateFontIndirectW(font);
  HGDIOBJ old = SelectObject(static_cast<HDC>(dc), made);
  SetBkMode(static_cast<HDC>(dc), TRANSPARENT);
  TextOutW(static_cast<HDC>(dc), 40, 60, L"Флажок", 6);
  SelectObject(static_cast<HDC>(dc), old);
  DeleteObject(made);
  // The face service draws at the origin: the face goes through a viewport offset.
  const auto* skin = static_cast<const THostSkin*>(hostValue(kServiceState, kStateSkin));
  const TFaceSize size{90, 21};
  POINT origin{};
  SetViewportOrgEx(static_cast<HDC>(dc), 150, 103, &origin);
  service<TServiceButtonFace>(kServiceButtonFace)(skin->startButton.normalFace, u"Обзор...", 1,
                                                  &size, dc);
  SetViewportOrgEx(static_cast<HDC>(dc), origin.x, origin.y, nullptr);
}

}  // namespace

void createProbePanel() {
  makePopup();
  auto create = service<TServiceCreatePanel>(kServiceCreatePanel);
  panel = static_cast<HWND>(
      create(u"Проба", 0, 0, 320, 200, probeHost.main, 1, 0, 2, panelProc, panelPaint));
  const auto* panels = static_cast<const THostPanelList*>(hostValue(kServiceState, kStatePanels));
  for (int32_t i = panels->count - 1; i >= 0; --i) {
    if (panels->records[i].window != reinterpret_cast<uintptr_t>(panel)) continue;
    panels->records[i].minWidth = 300;
    panels->records[i].minHeight = 180;
    panelCommand = panels->records[i].command;
  }
  probeLog(std::string("panel ") + (panel ? "made" : "missing") + ", show command " +
           (panelCommand != 0 ? "given" : "missing"));
  MoveWindow(panel, 400, 300, 320, 200, FALSE);
}

void VORLEN_CALL probeShowPanel() {
  SendMessageW(probeHost.main, WM_COMMAND, static_cast<WPARAM>(panelCommand), 0);
}
