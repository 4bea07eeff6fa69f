#include "procwindow_win32.h"

#include "panels_win32.h"

namespace {

constexpr wchar_t kClassName[] = L"VorlenPluginWindow";
constexpr wchar_t kProcProperty[] = L"VorlenProcs";

// The procedures handed to the window being created, until its first message adopts them.
TProcWindow* unadopted = nullptr;

void paintThroughPlugin(HWND window, const TProcWindow& procs) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  procs.paint(window, dc);
  EndPaint(window, &paint);
}

LRESULT CALLBACK procWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* procs = static_cast<TProcWindow*>(GetPropW(window, kProcProperty));
  if (message == WM_NCCREATE) {
    procs = static_cast<TProcWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetPropW(window, kProcProperty, procs);
    if (procs == unadopted) unadopted = nullptr;
  }
  if (procs == nullptr || procs->message == nullptr)
    return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      if (procs->paint == nullptr) break;
      paintThroughPlugin(window, *procs);
      return 0;
    case WM_ERASEBKGND:
      if (procs->paint != nullptr) return 1;  // the paint procedure covers the whole window
      break;
    case WM_GETMINMAXINFO:
      applyPanelMinimum(window, *reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case WM_NCDESTROY: {
      const LRESULT result = procs->message(window, message, wParam, lParam);
      RemovePropW(window, kProcProperty);
      delete procs;
      return result;
    }
  }
  return procs->message(window, message, wParam, lParam);
}

}  // namespace

void registerProcWindowClass() {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = procWindowProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.lpszClassName = kClassName;
  RegisterClassExW(&type);
}

HWND createProcWindow(const TProcWindow& procs, const char16_t* caption, DWORD exStyle, DWORD style,
                      RECT place, HWND owner) {
  auto* copy = new TProcWindow(procs);
  unadopted = copy;
  HWND window =
      CreateWindowExW(exStyle, kClassName, reinterpret_cast<const wchar_t*>(caption), style,
                      place.left, place.top, place.right - place.left, place.bottom - place.top,
                      owner, nullptr, GetModuleHandleW(nullptr), copy);
  // A window that got as far as its first message owns the copy, even when it refused to be
  // created (its destruction freed it); one that never started leaves it here.
  if (unadopted == copy) delete copy;
  unadopted = nullptr;
  return window;
}

const TProcWindow* procWindowOf(HWND window) {
  return window ? static_cast<const TProcWindow*>(GetPropW(window, kProcProperty)) : nullptr;
}
