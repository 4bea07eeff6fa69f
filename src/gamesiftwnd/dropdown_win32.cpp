// The field procedure of the edit boxes and the procedure of the shared list. Which texts a field
// takes and what they store is decided by the field records' own rules; here are the keys, the
// focus and the list.

#include "gamesiftwnd/dropdown_win32.h"

#include <windowsx.h>

#include <algorithm>

#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/settingsfields_logic.h"
#include "gamesiftwnd/settingswindows_win32.h"
#include "platform/platform.h"
#include "plugin/hostservices_logic.h"
#include "plugin/plugin_win32.h"

namespace {

HWND recentList = nullptr;
TDropDownField* served = nullptr;  // the field of the last showDropDown
WNDPROC editDefault = nullptr;
WNDPROC listDefault = nullptr;

TDropDownField* fieldOf(HWND edit) {
  return reinterpret_cast<TDropDownField*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
}

HWND editOf(const TDropDownField& field) {
  return static_cast<HWND>(field.edit);
}

bool listServes(const TDropDownField* field) {
  return field == served && IsWindowVisible(recentList);
}

void rebuildPlayerItems(TDropDownField& field) {
  const bool white = &field == &settingsField(TFieldId::whitePlayer);
  if (!white && &field != &settingsField(TFieldId::blackPlayer)) return;
  TLockHold hold(gameLock());
  field.items = playerItems(field.items.front(), panelGames, white, !white || ignoreColour);
}

void showDropDown(HWND edit) {
  TDropDownField* field = fieldOf(edit);
  if (field == nullptr) return;
  served = field;
  rebuildPlayerItems(*field);
  SendMessageW(recentList, WM_SETREDRAW, FALSE, 0);
  SendMessageW(recentList, LB_RESETCONTENT, 0, 0);
  for (const std::u16string& item : field->items)
    SendMessageW(recentList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item.c_str())));
  SendMessageW(recentList, LB_SETCURSEL, static_cast<WPARAM>(field->index), 0);
  SendMessageW(recentList, WM_SETREDRAW, TRUE, 0);
  RECT place{};
  GetWindowRect(edit, &place);
  const int32_t height = listHeight(field->items.size(), panelMetrics().textHeight);
  const TRect list =
      listPlacement({place.left, place.top, place.right, place.bottom}, height, workArea().bottom);
  SetWindowPos(recentList, nullptr, list.left, list.top, list.right - list.left, height,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

void checkTyped(HWND edit) {
  TDropDownField* field = fieldOf(edit);
  if (field == nullptr) return;
  const int32_t limit = std::max(hostInt(hostValues.textBufferLength, 0), 2);
  std::u16string text(static_cast<size_t>(limit), u'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.data()), limit)));
  if (commitTyped(*field, text)) return;
  defaultBeep();
  showFieldText(*field);
}

void pickFromList(int32_t y, bool checkClick) {
  const LRESULT selected = SendMessageW(recentList, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR || served == nullptr) return;
  RECT item{};
  SendMessageW(recentList, LB_GETITEMRECT, static_cast<WPARAM>(selected),
               reinterpret_cast<LPARAM>(&item));
  if (checkClick && (y < item.top || y >= item.bottom)) return;
  TDropDownField& field = *served;
  ShowWindow(recentList, SW_HIDE);
  // the list had the focus; the field gets it back so typing goes on where the user was
  SetFocus(editOf(field));
  if (pickItem(field, static_cast<int32_t>(selected))) showFieldText(field);
}

// Selects the first item that begins with text, as the list itself searches.
void searchList(const std::u16string& text) {
  SendMessageW(recentList, LB_SETCURSEL,
               static_cast<WPARAM>(SendMessageW(recentList, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(wide(text.c_str())))),
               0);
}

std::u16string editText(HWND edit) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.data()),
                                                 static_cast<int>(text.size()))));
  return text;
}

LRESULT fieldCharacter(HWND edit, TDropDownField& field, WPARAM key, LPARAM lParam) {
  if (key == VK_RETURN) {
    if (field.readOnly && listServes(&field)) {
      SetFocus(recentList);
      pickFromList(0, false);
    } else {
      SetFocus(hostMainWindow);  // leaving the field checks its text
    }
    return 0;
  }
  if (key == VK_ESCAPE) {
    showFieldText(field);
    return 0;
  }
  if (field.readOnly) {
    if (key >= 0x20 && listServes(&field)) searchList(std::u16string(1, char16_t(key)));
    return 0;
  }
  const LRESULT result = CallWindowProcW(editDefault, edit, WM_CHAR, key, lParam);
  if (listServes(&field)) searchList(editText(edit));
  return result;
}

LRESULT CALLBACK fieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  TDropDownField* field = fieldOf(edit);
  switch (message) {
    case WM_SETFOCUS:
      PostMessageW(edit, EM_SETSEL, 0, -1);
      break;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) != recentList) {
        checkTyped(edit);
        ShowWindow(recentList, SW_HIDE);
      }
      break;
    case WM_CHAR:
      if (field != nullptr) return fieldCharacter(edit, *field, wParam, lParam);
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = CallWindowProcW(editDefault, edit, message, wParam, lParam);
      showDropDown(edit);
      return result;
    }
  }
  return CallWindowProcW(editDefault, edit, message, wParam, lParam);
}

void frameList(HWND list) {
  HDC dc = GetWindowDC(list);
  RECT edges{};
  GetWindowRect(list, &edges);
  OffsetRect(&edges, -edges.left, -edges.top);
  HBRUSH brush = CreateSolidBrush(hostColour(hostValues.frameColour, RGB(190, 190, 190)));
  FrameRect(dc, &edges, brush);
  DeleteObject(brush);
  ReleaseDC(list, dc);
}

LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(listDefault, list, message, wParam, lParam);
  switch (message) {
    case WM_KILLFOCUS:
      if (served != nullptr && reinterpret_cast<HWND>(wParam) != editOf(*served)) {
        ShowWindow(list, SW_HIDE);
        // text typed before the list took the focus is checked like on any other way out
        checkTyped(editOf(*served));
      }
      break;
    case WM_PAINT:
    case WM_NCPAINT:
      frameList(list);
      break;
    case WM_CHAR:
      if (wParam == VK_RETURN) pickFromList(0, false);
      if (wParam == VK_ESCAPE) ShowWindow(list, SW_HIDE);
      break;
    case WM_LBUTTONUP:
      pickFromList(GET_Y_LPARAM(lParam), true);
      break;
  }
  return result;
}

void createRecentList(HWND parent) {
  recentList =
      CreateWindowExW(WS_EX_TOOLWINDOW, L"LISTBOX", L"Recent list",
                      WS_POPUP | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 0,
                      0, 10, 10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(recentList, WM_SETFONT, reinterpret_cast<WPARAM>(panelFont), FALSE);
  SendMessageW(recentList, LB_SETITEMHEIGHT, 0, panelMetrics().textHeight + 3);
  listDefault = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(recentList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc)));
}

}  // namespace

void createDropDown(TDropDownField& field, int32_t x, int32_t y, HWND parent, int32_t width) {
  const DWORD style = WS_CHILD | ES_AUTOHSCROLL | (field.readOnly ? ES_READONLY : 0);
  HWND edit = CreateWindowExW(0, L"EDIT", wide(field.text.c_str()), style, x, y, width,
                              panelMetrics().textHeight + 1, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  field.edit = edit;
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(panelFont), FALSE);
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&field));
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProc)));
  if (editDefault == nullptr) editDefault = previous;
  if (recentList == nullptr) createRecentList(parent);
}

void showFieldText(const TDropDownField& field) {
  if (field.edit != nullptr) SetWindowTextW(editOf(field), wide(field.text.c_str()));
}

void hideRecentList() {
  if (recentList != nullptr) ShowWindow(recentList, SW_HIDE);
}
