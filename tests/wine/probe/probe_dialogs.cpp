// The commands that open the system's dialogs and the host's modal window, and the lock test.

// windows.h (through probe.h) comes before the dialog headers, which need it.
#include "probe.h"

#include <commdlg.h>
#include <shlobj.h>

namespace {

std::string answerName(int answer) {
  switch (answer) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDYES:
      return "Yes";
    case IDNO:
      return "No";
    default:
      return std::to_string(answer);
  }
}

void chooseFile(bool save) {
  wchar_t name[1024] = {};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = probeHost.main;
  dialog.lpstrFilter = L"Базы партий\0*.pgn\0\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name;
  dialog.nMaxFile = 1024;
  dialog.lpstrTitle = save ? L"Проба сохранения" : L"Проба открытия";
  dialog.lpstrDefExt = L"pgn";
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  const std::string what = save ? "save " : "open ";
  probeLog(what + (chosen ? utf8(insideHost(name)) : "cancelled"));
}

intptr_t VORLEN_CALL modalProc(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  static int ticks = 0;
  HWND handle = static_cast<HWND>(window);
  if (message == WM_SHOWWINDOW && wParam) {
    probeLog("modal shown");
    ticks = 0;
    SetTimer(handle, 1, 30, nullptr);
  } else if (message == WM_TIMER && ++ticks == 3) {
    KillTimer(handle, 1);
    *probeHost.dialogCell = 1;
  }
  return service<TServiceDefaultProc>(kServiceDefaultProc)(window, message, wParam, lParam);
}

void VORLEN_CALL modalPaint(void* window, void* dc) {
  service<TServicePaintBackground>(kServicePaintBackground)(window, dc);
}

DWORD WINAPI takeLock(void* lock) {
  EnterCriticalSection(static_cast<CRITICAL_SECTION*>(lock));
  LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(lock));
  return 0;
}

}  // namespace

void VORLEN_CALL probeMessageBox() {
  const int answer = MessageBoxW(probeHost.main, L"Продолжить работу?", L"Проба", MB_YESNOCANCEL);
  probeLog("message box " + answerName(answer));
}

void VORLEN_CALL probeOpenFile() {
  chooseFile(false);
}

void VORLEN_CALL probeSaveFile() {
  chooseFile(true);
}

void VORLEN_CALL probeFolder() {
  BROWSEINFOW browse{};
  browse.hwndOwner = probeHost.main;
  browse.lpszTitle = L"Выберите папку";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
  LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
  wchar_t path[MAX_PATH] = {};
  if (chosen) {
    SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
  }
  probeLog("folder " + (chosen ? utf8(insideHost(path)) : std::string("cancelled")));
}

void VORLEN_CALL probeModalWindow() {
  auto modal = service<TServiceModalWindow>(kServiceModalWindow);
  const intptr_t result =
      modal(u"Проба окна", 0, 0, 300, 160, probeHost.main, modalProc, modalPaint);
  probeLog("modal returned " + std::to_string(result) + ", dialog cell " +
           std::to_string(*probeHost.dialogCell));
}

// The host's lock must be one lock for both threads: the worker waits while the interface
// thread holds it.
void VORLEN_CALL probeLock() {
  auto* lock = static_cast<CRITICAL_SECTION*>(hostValue(kServiceState, kStateGameLock));
  EnterCriticalSection(lock);
  HANDLE worker = CreateThread(nullptr, 0, takeLock, lock, 0, nullptr);
  const bool waited = WaitForSingleObject(worker, 200) == WAIT_TIMEOUT;
  LeaveCriticalSection(lock);
  const bool ended = WaitForSingleObject(worker, 5000) == WAIT_OBJECT_0;
  CloseHandle(worker);
  probeLog(std::string("lock ") + (waited && ended ? "shared by both threads" : "broken"));
}
