// The rename window: the tag's values in two lists, an edit under each, "Заменить" and "Закрыть".

#include "pgnrenamwnd/renamewindow_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "Upgnread/gamebase.h"
#include "gamesiftwnd/gamelist_win32.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/panelchildren_win32.h"
#include "pgnrenamwnd/rename_logic.h"
#include "platform/platform.h"
#include "plugin/hostservices_logic.h"
#include "plugin/plugin_win32.h"

namespace {

struct TRenameWindow {
  HWND window = nullptr;
  HWND lists[2] = {};  // from, to
  HWND edits[2] = {};
  TButInf buttons[2] = {};
  HWND lastEdit = nullptr;
  bool built = false;
};

int32_t renameTag = kTagWhite;
TRenameWindow renameWindow;
WNDPROC listOwnProc = nullptr;
WNDPROC editOwnProc = nullptr;

void closeWindow() {
  if (auto* cell = static_cast<int32_t*>(hostValues.dialogResult)) *cell = -1;
}

int sideOf(HWND control) {
  return control == renameWindow.lists[1] || control == renameWindow.edits[1] ? 1 : 0;
}

std::string editText(HWND edit) {
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  // Tags are 8-bit texts in the system code page, as the list showed them.
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(std::max(bytes, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, out.data(), bytes, nullptr, nullptr);
  return out;
}

// The selected item of a list into the edit under it; nothing when no item is selected.
void copySelection(int side) {
  const LRESULT item = SendMessageW(renameWindow.lists[side], LB_GETCURSEL, 0, 0);
  if (item == LB_ERR) return;
  const LRESULT length = SendMessageW(renameWindow.lists[side], LB_GETTEXTLEN, item, 0);
  std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  SendMessageW(renameWindow.lists[side], LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  SetWindowTextW(renameWindow.edits[side], text.c_str());
}

void VORLEN_CALL applyRenameNow() {
  const std::string oldValue = editText(renameWindow.edits[0]);
  const std::string newValue = editText(renameWindow.edits[1]);
  if (newValue.empty()) {
    defaultBeep();
    return;
  }
  int32_t count = 0;
  {
    TLockHold hold(gameLock());
    count = applyRename(panelGames, renameTag, oldValue, newValue);
  }
  const std::u16string message = renameMessage(count);
  MessageBoxW(GetActiveWindow(), reinterpret_cast<const wchar_t*>(message.c_str()),
              reinterpret_cast<const wchar_t*>(kRenameCaption.c_str()), MB_ICONINFORMATION);
  refreshList();
  // The message box took the focus; the user goes on where the name was typed.
  SetFocus(renameWindow.lastEdit ? renameWindow.lastEdit : renameWindow.edits[1]);
}

void VORLEN_CALL closeClicked() {
  closeWindow();
}

bool isPagingKey(WPARAM key) {
  return key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN;
}

LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const int side = sideOf(list);
  if (message == WM_KEYDOWN) {
    if (wParam == VK_ESCAPE) return closeWindow(), 0;
    if (wParam == VK_TAB) return SetFocus(renameWindow.edits[side]), 0;
    if (wParam == VK_RETURN || wParam == VK_SPACE) return copySelection(side), 0;
    const LRESULT result = CallWindowProcW(listOwnProc, list, message, wParam, lParam);
    if (isPagingKey(wParam)) copySelection(side);
    return result;
  }
  const LRESULT result = CallWindowProcW(listOwnProc, list, message, wParam, lParam);
  if (message == WM_LBUTTONUP) copySelection(side);
  return result;
}

bool editKey(HWND edit, WPARAM key) {
  const int side = sideOf(edit);
  if (isPagingKey(key)) {
    SendMessageW(renameWindow.lists[side], WM_KEYDOWN, key, 0);
    return true;
  }
  if (key == VK_ESCAPE) return closeWindow(), true;
  if (key == VK_RETURN || key == VK_TAB) {
    if (side == 0) {
      SetWindowTextW(renameWindow.edits[1], L"");
      SetFocus(renameWindow.edits[1]);
    } else if (key == VK_RETURN) {
      applyRenameNow();
    }
    return true;
  }
  return false;
}

LRESULT CALLBACK editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) renameWindow.lastEdit = edit;
  if (message == WM_KEYDOWN && editKey(edit, wParam)) return 0;
  if (message == WM_CHAR) {
    if (wParam == 1) return SendMessageW(edit, EM_SETSEL, 0, -1), 0;
    // Their key-down did the work; the edit must not beep at them.
    if (wParam == 13 || wParam == 9 || wParam == 27) return 0;
  }
  return CallWindowProcW(editOwnProc, edit, message, wParam, lParam);
}

HWND makeControl(const wchar_t* cls, const wchar_t* text, DWORD style, const RECT& r) {
  HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, renameWindow.window, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(panelFont), FALSE);
  return control;
}

void fillLists() {
  std::vector<std::string> values;
  {
    TLockHold hold(gameLock());
    values = renameValues(panelGames, renameTag);
  }
  for (HWND list : renameWindow.lists) SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& value : values) {
    const std::u16string text = ansiToUtf16(value);
    const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    SendMessageW(renameWindow.lists[0], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
    if (!value.empty())
      SendMessageW(renameWindow.lists[1], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
  }
}

// Centred on the mouse, kept inside the work area.
void placeOnMouse(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  POINT mouse{};
  GetCursorPos(&mouse);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = std::min<int>(mouse.x - width / 2, work.right - width);
  int y = std::min<int>(mouse.y - height / 2, work.bottom - height);
  x = std::max<int>(x, work.left);
  y = std::max<int>(y, work.top);
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void makeButtons(int32_t w, int32_t h, const TPanelMetrics& m) {
  const auto* skin =
      static_cast<const THostSkin*>(askHost(hostServices, THostLevel::state, kStateSkin));
  const wchar_t* texts[2] = {L"Заменить", L"Закрыть"};
  const char16_t* captions[2] = {u"Заменить", u"Закрыть"};
  const TVorlenHandler clicks[2] = {applyRenameNow, closeClicked};
  auto prepare = serviceAs<TServicePrepareCaptionButton>(hostServices.prepareCaptionButton);
  for (int i = 0; i < 2; ++i) {
    renameWindow.buttons[i] = skin ? skin->startButton : TButInf{};
    renameWindow.buttons[i].click = clicks[i];
    const int x = w - m.marginLeft - (i == 0 ? 226 : 113);
    renameWindow.buttons[i].window = makeHostButton(
        renameWindow.window, texts[i], x, h - m.marginBottom - 42, 105, 28, {-1, -1, 107, 30}, 28);
    if (prepare) prepare(&renameWindow.buttons[i], captions[i]);
  }
}

void buildContents(HWND window) {
  renameWindow.window = window;
  RECT client{};
  GetClientRect(window, &client);
  const int32_t w = client.right;
  const int32_t h = client.bottom;
  const TPanelMetrics m = panelMetrics();
  const int32_t t = m.textHeight;
  const int32_t top = m.marginTop + measureText(window, L"На").cy + 13;
  const int32_t width = w / 2 - (m.marginLeft + 14) - 7;
  const int32_t height = std::max(h - top - m.marginBottom - t - 72, 20);
  const int32_t lefts[2] = {m.marginLeft + 14, w / 2 + 7};
  const wchar_t* names[2] = {L"Names from", L"Names to"};
  for (int i = 0; i < 2; ++i) {
    const RECT list{lefts[i], top, lefts[i] + width, top + height};
    renameWindow.lists[i] =
        makeControl(L"LISTBOX", names[i], WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS, list);
    SendMessageW(renameWindow.lists[i], LB_SETITEMHEIGHT, 0, t + 3);
    const RECT edit{lefts[i], list.bottom + 7, list.right, list.bottom + 7 + t + 3};
    renameWindow.edits[i] = makeControl(L"EDIT", L"", ES_AUTOHSCROLL, edit);
    SendMessageW(renameWindow.edits[i], EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(2, 2));
    listOwnProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        renameWindow.lists[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc)));
    editOwnProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        renameWindow.edits[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
  }
  placeOnMouse(window);
  makeButtons(w, h, m);
  fillLists();
}

void frame(HDC dc, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, renameWindow.window, reinterpret_cast<POINT*>(&r), 2);
  Rectangle(dc, r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
}

intptr_t VORLEN_CALL renameMessageProc(void* window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam) {
  HWND handle = static_cast<HWND>(window);
  if (message == WM_SHOWWINDOW && wParam && !renameWindow.built) {
    renameWindow.built = true;
    buildContents(handle);
  } else if (message == WM_KEYDOWN) {
    if (wParam == VK_ESCAPE) closeWindow();
    return 0;
  } else if (message == WM_ACTIVATE && LOWORD(wParam) == WA_ACTIVE) {
    SetFocus(renameWindow.lastEdit ? renameWindow.lastEdit : renameWindow.edits[0]);
    return 0;
  }
  return panelDefault(handle, message, wParam, lParam);
}

void VORLEN_CALL renamePaintProc(void* window, void* deviceContext) {
  HDC dc = static_cast<HDC>(deviceContext);
  auto background = serviceAs<TServicePaintBackground>(hostServices.paintBackground);
  if (background) background(window, deviceContext);
  const TPanelMetrics m = panelMetrics();
  RECT client{};
  GetClientRect(static_cast<HWND>(window), &client);
  const int saved = SaveDC(dc);
  SelectObject(dc, panelFont);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  HPEN pen = CreatePen(PS_SOLID, 1, frameColour);
  SelectObject(dc, pen);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  for (HWND control :
       {renameWindow.lists[0], renameWindow.lists[1], renameWindow.edits[0], renameWindow.edits[1]})
    if (control) frame(dc, control);
  TextOutW(dc, m.marginLeft + 14, m.marginTop + 10, L"С", 1);
  TextOutW(dc, client.right / 2 + 5, m.marginTop + 10, L"На", 2);
  RestoreDC(dc, saved);
  DeleteObject(pen);
}

}  // namespace

void openRenameWindow(int32_t tag) {
  renameTag = tag;
  renameWindow = TRenameWindow{};
  auto open = serviceAs<TServiceModalWindow>(hostServices.modalWindow);
  if (!open) return;
  open(u"Переименовать", 0, 0, 500, 400, panelWindow, renameMessageProc, renamePaintProc);
  renameWindow = TRenameWindow{};
}
