#include "nagwnd/nagwnd_win32.h"

#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/settingsboxes_logic.h"
#include "gamesiftwnd/settingswindows_win32.h"
#include "nagwnd/nagwnd_logic.h"
#include "plugin/hostservices_logic.h"

namespace {

std::array<TOptionBox, kMarkGroupCount> markBoxes{};
TButInf saveButton{};
TButInf cancelButton{};
TMarkMetrics metrics;
int32_t* dialogCell = nullptr;

void VORLEN_CALL boxClicked() {}

void closeWith(int32_t result) {
  if (dialogCell != nullptr) *dialogCell = result;
}

void VORLEN_CALL saveMarks() {
  std::array<bool, kMarkGroupCount> ticked{};
  for (size_t i = 0; i < kMarkGroupCount; ++i) ticked[i] = markBoxes[i].state == kOptionOn;
  keptNags = marksOfBoxes(ticked);
  closeWith(1);
}

void VORLEN_CALL cancelMarks() {
  closeWith(-1);
}

TMarkMetrics measure(HWND window) {
  HDC dc = GetDC(window);
  TMarkMetrics m;
  m.top = hostInt(hostValues.marginTop, 0);
  m.bottom = hostInt(hostValues.marginBottom, 0);
  m.left = hostInt(hostValues.marginLeft, 0);
  m.right = hostInt(hostValues.marginRight, 0);
  m.boxWidth = hostInt(hostValues.checkBoxWidth, 13);
  m.boxHeight = hostInt(hostValues.checkBoxHeight, 13);
  m.rowHeight = rowHeight;
  m.titleHeight = textExtent(dc, kMarkTitle).cy;
  m.titleWidth = textExtent(dc, kMarkTitle).cx;
  for (size_t i = 0; i < kMarkGroupCount; ++i)
    m.captionWidths[i] = textExtent(dc, kMarkGroups[i].caption).cx;
  ReleaseDC(window, dc);
  return m;
}

void addButton(TButInf& button, HWND window, int32_t left, int32_t top, const char16_t* caption,
               TVorlenHandler click) {
  const auto* skin =
      static_cast<const THostSkin*>(askHost(hostServices, THostLevel::state, kStateSkin));
  button = skin != nullptr ? skin->startButton : TButInf{};
  if (skin != nullptr) {
    button.normalFace = skin->buttonFaces[0];
    button.hoverFace = skin->buttonFaces[1];
    button.pressedFace = skin->buttonFaces[2];
  }
  button.click = click;
  HWND handle =
      CreateWindowExW(0, L"knop", L"", WS_CHILD | WS_VISIBLE, left, top, kMarkButtonWidth,
                      kMarkButtonHeight, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  button.window = handle;
  SetWindowRgn(handle, CreateRoundRectRgn(-1, -1, 107, 30, 28, 28), FALSE);
  serviceAs<TServicePrepareCaptionButton>(hostServices.prepareCaptionButton)(&button, caption);
}

// The layout's width and height are those of the client area, where the boxes and the buttons
// are placed: the window gets its frame on top, or a captioned host window would cut the buttons
// off at the bottom (as it once did the status window's "Остановить").
void placeWindow(HWND window, const TMarkLayout& layout) {
  POINT cursor{};
  GetCursorPos(&cursor);
  const SIZE outer = withWindowFrame(window, layout.width, layout.height);
  const TPoint origin = markWindowOrigin({cursor.x, cursor.y}, outer.cx, outer.cy, workArea());
  SetWindowPos(window, nullptr, origin.x, origin.y, outer.cx, outer.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void buildMarkWindow(HWND window) {
  dialogCell = static_cast<int32_t*>(hostValues.dialogResult);
  metrics = measure(window);
  const TMarkLayout layout = markLayout(metrics);
  const auto ticked = markBoxStates(keptNags);
  auto createBox = serviceAs<TServiceOptionControl>(hostServices.optionControl);
  for (size_t i = 0; i < kMarkGroupCount; ++i) {
    markBoxes[i] = TOptionBox{nullptr, ticked[i] ? kOptionOn : kOptionOff, boxClicked, 0};
    createBox(&markBoxes[i], layout.boxLeft[i], layout.boxTop[i], window);
    SetWindowTextW(static_cast<HWND>(markBoxes[i].window), wide(kMarkGroups[i].caption));
  }
  placeWindow(window, layout);
  addButton(saveButton, window, layout.saveLeft, layout.buttonTop, u"Сохранить", saveMarks);
  addButton(cancelButton, window, layout.cancelLeft, layout.buttonTop, u"Отмена", cancelMarks);
}

intptr_t VORLEN_CALL markMessageProc(void* window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
  auto defaultProc = serviceAs<TServiceDefaultProc>(hostServices.defaultProc);
  if (message == WM_SHOWWINDOW && wParam != 0) {
    buildMarkWindow(static_cast<HWND>(window));
  } else if (message == WM_KEYDOWN) {
    if (wParam == VK_ESCAPE) closeWith(-1);
    return 0;
  }
  return defaultProc(window, message, wParam, lParam);
}

void VORLEN_CALL markPaintProc(void* window, void* deviceContext) {
  serviceAs<TServicePaintBackground>(hostServices.paintBackground)(window, deviceContext);
  HDC dc = static_cast<HDC>(deviceContext);
  HGDIOBJ old = SelectObject(dc, panelFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, metrics.left + 10, metrics.top + 10, wide(kMarkTitle),
           static_cast<int>(std::char_traits<char16_t>::length(kMarkTitle)));
  const TMarkLayout layout = markLayout(metrics);
  for (size_t i = 0; i < kMarkGroupCount; ++i) {
    const std::u16string_view caption = kMarkGroups[i].caption;
    RECT place{layout.boxLeft[i] + metrics.boxWidth + 4, layout.boxTop[i], layout.boxLeft[i] + 2000,
               layout.boxTop[i] + metrics.boxHeight};
    DrawTextW(dc, wide(caption), static_cast<int>(caption.size()), &place,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old);
}

}  // namespace

bool runMarkWindowOver(HWND owner) {
  auto run = serviceAs<TServiceModalWindow>(hostServices.modalWindow);
  if (run == nullptr) return false;
  // only the save button stores the marks; a window that could not open saved nothing
  return run(u"Выбор меток", 0, 0, 100, 100, owner, markMessageProc, markPaintProc) == 1;
}
