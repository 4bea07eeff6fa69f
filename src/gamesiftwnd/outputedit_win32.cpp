#include "gamesiftwnd/outputedit_win32.h"

#include <string>

#include "Upgnread/gamebase.h"
#include "Upgnread/splitting.h"
#include "gamesiftwnd/outputpath_logic.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/panelchildren_win32.h"
#include "plugin/commands_win32.h"
#include "plugin/panelstate_logic.h"

namespace {

WNDPROC editOwnProc = nullptr;

std::u16string editText() {
  std::wstring text(static_cast<size_t>(textBufferLength) + 1, L'\0');
  const int length = GetWindowTextW(outputEdit, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return std::u16string(text.begin(), text.end());
}

LRESULT CALLBACK editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KILLFOCUS) {
    commitOutputEdit();
  } else if (message == WM_CHAR) {
    switch (wParam) {
      case 1:
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
      case 13:
        commitOutputEdit();
        return 0;
      case 27:
        showOutputPath();
        return 0;
    }
  }
  return CallWindowProcW(editOwnProc, edit, message, wParam, lParam);
}

}  // namespace

void attachOutputEdit(HWND edit) {
  editOwnProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
}

void commitOutputEdit() {
  if (!outputEdit) return;
  const std::u16string text = editText();
  if (outputPathNeedsReset(text)) resetSettings();
  setOutputPath(text);
}

void showOutputPath() {
  if (!outputEdit) return;
  const std::wstring text(outputPath.begin(), outputPath.end());
  SetWindowTextW(outputEdit, text.c_str());
}
