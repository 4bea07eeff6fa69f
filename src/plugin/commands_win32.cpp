// The menu commands: loading files and folders, transfers from the host, renaming, deleting and
// the two settings commands.

#include "plugin/commands_win32.h"

#include <shlobj.h>

#include <string>

#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/splitting.h"
#include "gamesiftwnd/gamelist_win32.h"
#include "gamesiftwnd/outputedit_win32.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/transfer_win32.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnrenamwnd/renamewindow_win32.h"
#include "pgnstatwnd/statuswindow_win32.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"
#include "uchess/fileutil.h"

namespace {

// Every command below that touches the game base, the options or the lock does nothing while a
// job runs: the host's own menu is shut while the status window is up (its owner is the host's
// main window), but the panel's menu can still be reached, and a transfer or a second job must
// never run beside the worker.

void showPanelUnlessVisible() {
  if (!IsWindowVisible(panelWindow)) showPanelThroughHost();
}

// The browser starts in the host folder.
int CALLBACK browserStarted(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

// The chosen folder, or empty when cancelled or when it has no file-system path.
std::wstring chooseFolder() {
  const std::wstring start = hostFolder().wstring();
  BROWSEINFOW browse{};
  browse.hwndOwner = panelWindow;
  browse.lpszTitle = L"Выберите папку с партиями";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
  browse.lpfn = browserStarted;
  browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return {};
  wchar_t path[MAX_PATH] = {};
  const BOOL converted = SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  // A folder without a path (a virtual one) is a cancel, not an empty or stale name.
  return converted ? std::wstring(path) : std::wstring();
}

}  // namespace

void VORLEN_CALL TransferAllAndShow() {
  if (jobRunning()) return;
  TransferAll();
  showPanelUnlessVisible();
}

void VORLEN_CALL TransferCurrentAndShow() {
  if (jobRunning()) return;
  TransferCurrent();
  showPanelUnlessVisible();
}

void VORLEN_CALL TransferAll() {
  if (jobRunning()) return;
  adoptHostLock();
  transferAllGames();
}

void VORLEN_CALL TransferCurrent() {
  if (jobRunning()) return;
  adoptHostLock();
  transferCurrentGame();
}

void VORLEN_CALL OpenPgnFile() {
  if (jobRunning()) return;
  commitOutputEdit();
  std::wstring name(static_cast<size_t>(textBufferLength) + 1, L'\0');
  openFileDialog.lpstrFile = name.data();
  openFileDialog.nMaxFile = static_cast<DWORD>(name.size());
  const BOOL chosen = GetOpenFileNameW(&openFileDialog);
  openFileDialog.lpstrFile = nullptr;
  if (!chosen) return;
  name.resize(wcslen(name.c_str()));
  if (name.empty()) return;
  setCurrentFile(std::filesystem::path(name));
  runJobWithStatus(kJobLoadFile);
}

void VORLEN_CALL BatchFromFolder() {
  if (jobRunning()) return;
  commitOutputEdit();
  const std::wstring folder = chooseFolder();
  if (folder.empty()) return;
  {
    TLockHold hold(gameLock());
    sourceFolder = std::filesystem::path(folder);
  }
  runJobWithStatus(kJobLoadFolder);
}

void VORLEN_CALL RenamePlayer() {
  if (jobRunning()) return;
  openRenameWindow(kTagWhite);
}
void VORLEN_CALL RenameTournament() {
  if (jobRunning()) return;
  openRenameWindow(kTagEvent);
}
void VORLEN_CALL RenameSite() {
  if (jobRunning()) return;
  openRenameWindow(kTagSite);
}

void VORLEN_CALL DeleteSelected() {
  if (jobRunning()) return;
  {
    TLockHold hold(gameLock());
    removeMarkedGames(tickedGames);
  }
  refreshList();
}

void VORLEN_CALL DeleteAll() {
  if (jobRunning()) return;
  {
    TLockHold hold(gameLock());
    const int32_t cursor = listCursor;
    emptyGameBase();
    listCursor = cursor;
  }
  refreshList();
}

void resetSettings() {
  resetOptions();
  showOptions();
}

void VORLEN_CALL ResetSettings() {
  if (jobRunning()) return;
  resetSettings();
}

void VORLEN_CALL ToggleAutoReset() {
  autoResetSettings = static_cast<uint8_t>(1 - autoResetSettings);
  showAutoResetMark();
}
