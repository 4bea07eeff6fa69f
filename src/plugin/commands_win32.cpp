// The menu commands. The transfers, loading, renaming and deleting arrive with the windows they
// need; until then their handlers leave everything as it is.

#include "plugin/commands_win32.h"

#include "Upgnread/options.h"
#include "plugin/panel_win32.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"

namespace {

void showPanelUnlessVisible() {
  if (!IsWindowVisible(panelWindow)) showPanelThroughHost();
}

}  // namespace

void VORLEN_CALL TransferAllAndShow() {
  TransferAll();
  showPanelUnlessVisible();
}

void VORLEN_CALL TransferCurrentAndShow() {
  TransferCurrent();
  showPanelUnlessVisible();
}

void VORLEN_CALL TransferAll() {}
void VORLEN_CALL TransferCurrent() {}
void VORLEN_CALL OpenPgnFile() {}
void VORLEN_CALL BatchFromFolder() {}
void VORLEN_CALL RenamePlayer() {}
void VORLEN_CALL RenameTournament() {}
void VORLEN_CALL RenameSite() {}
void VORLEN_CALL DeleteSelected() {}
void VORLEN_CALL DeleteAll() {}

void resetSettings() {
  resetOptions();
  showOptions();
}

void VORLEN_CALL ResetSettings() {
  resetSettings();
}

void VORLEN_CALL ToggleAutoReset() {
  autoResetSettings = static_cast<uint8_t>(1 - autoResetSettings);
  showAutoResetMark();
}
