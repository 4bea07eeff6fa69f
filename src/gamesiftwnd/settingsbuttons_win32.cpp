// Two buttons of the panel's bottom row: the output choice and the menu.

#include <algorithm>
#include <vector>

#include "gamesiftwnd/outputchoice_logic.h"
#include "gamesiftwnd/settingspages_win32.h"
#include "plugin/commands_win32.h"
#include "plugin/hostservices_logic.h"
#include "plugin/panel_win32.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"

void VORLEN_CALL chooseOutput() {
  const int32_t length = std::max(hostInt(hostValues.textBufferLength, 0), 260);
  std::vector<wchar_t> name(static_cast<size_t>(length) + 1, L'\0');
  OPENFILENAMEW dialog = openFileDialog;
  dialog.hwndOwner = hostMainWindow;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(length);
  if (!GetSaveFileNameW(&dialog) || name[0] == L'\0') return;
  const std::wstring chosen(name.data());
  const std::u16string base = outputBaseOf(std::u16string(chosen.begin(), chosen.end()));
  if (base != outputPath && autoResetSettings == 1) resetSettings();
  outputPath = base;
  showOutputPath();
}

void VORLEN_CALL showPanelMenu() {
  RECT button{};
  if (panelMenuButton != nullptr) GetWindowRect(panelMenuButton, &button);
  TrackPopupMenu(panelMenu, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_LEFTBUTTON, button.left,
                 button.top, 0, hostMainWindow, nullptr);
}
