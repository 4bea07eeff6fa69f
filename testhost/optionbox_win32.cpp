#include "optionbox_win32.h"

#include <windows.h>

#include "hostvalues_win32.h"

namespace {

constexpr wchar_t kOptionClass[] = L"VorlenOption";

TOptionBox* boxOf(HWND window) {
  return reinterpret_cast<TOptionBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void paintBox(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT area{};
  GetClientRect(window, &area);
  const TOptionBox* box = boxOf(window);
  UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (box && box->state == kOptionOn) state |= DFCS_CHECKED;
  DrawFrameControl(dc, &area, DFC_BUTTON, state);
  EndPaint(window, &paint);
}

// The record's state is flipped and shown before the handler runs, so the handler reads the new
// choice and may change other boxes.
void flipBox(HWND window) {
  TOptionBox* box = boxOf(window);
  if (box == nullptr) return;
  box->state = box->state == kOptionOn ? kOptionOff : kOptionOn;
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  if (box->handler) box->handler();
}

LRESULT CALLBACK optionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paintBox(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      flipBox(window);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void registerOptionBoxClass() {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = optionProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hCursor = LoadCursorW(nullptr, IDC_HAND);
  type.lpszClassName = kOptionClass;
  RegisterClassExW(&type);
}

void VORLEN_CALL optionControlService(TOptionBox* box, intptr_t left, intptr_t top, void* parent) {
  if (box == nullptr) return;
  HWND window =
      CreateWindowExW(0, kOptionClass, L"", WS_CHILD | WS_VISIBLE, static_cast<int>(left),
                      static_cast<int>(top), hostStore.checkBoxWidth, hostStore.checkBoxHeight,
                      static_cast<HWND>(parent), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
  box->window = window;
}
