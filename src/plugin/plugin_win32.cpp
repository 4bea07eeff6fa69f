// The plug-in's two entries: the start entry collects the host's services, builds the menus, has
// the host make the panel and restores the settings; the stop entry saves them.

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "plugin/plugin_win32.h"

#include "Upgnread/gamebase.h"
#include "Upgnread/splitting.h"
#include "gamesiftwnd/panel_win32.h"
#include "platform/win32/hostlock.h"
#include "plugin/hostservices_logic.h"
#include "plugin/panelstate_logic.h"
#include "uchess/fileutil.h"
#include "unpack/decoder.h"

HWND hostMainWindow = nullptr;
HMENU hostGameMenu = nullptr;
HMENU panelMenu = nullptr;
HMENU renameMenu = nullptr;
HWND panelWindow = nullptr;
OPENFILENAMEW openFileDialog = {};

extern "C" void VORLEN_CALL StartVorlenProc(TVorlenLookup lookup);
extern "C" void VORLEN_CALL StopVorlenProc();
static_assert(std::is_same_v<decltype(&StartVorlenProc), TVorlenStart>);
static_assert(std::is_same_v<decltype(&StopVorlenProc), TVorlenStop>);

namespace {

std::wstring dialogFolder;  // the dialog's initial folder lives as long as the dialog

void takeHostValues() {
  fillHostValues(hostServices, hostValues);
  hostMainWindow = static_cast<HWND>(hostValues.mainWindow);
  hostGameMenu = static_cast<HMENU>(hostValues.gameMenu);
  const int32_t bufferLength = hostInt(hostValues.textBufferLength, 0);
  // A host without a usable length leaves the engine's own, so output names still fit a buffer.
  if (bufferLength > 0) textBufferLength = bufferLength;
}

// Plain PGN and the packed files this build reads, as one choice of the dialog.
const std::wstring& openFileFilter() {
  static const std::wstring filter = [] {
    std::wstring patterns;
    for (const std::string& ending : inputEndings()) {
      if (!patterns.empty()) patterns += L';';
      patterns += L'*';
      patterns += std::wstring(ending.begin(), ending.end());
    }
    std::wstring text = L"Базы партий";
    text += L'\0';
    text += patterns;
    text += L'\0';
    text += L'\0';
    return text;
  }();
  return filter;
}

void prepareOpenFileDialog() {
  // The shipping 32-bit build hands the dialog the full 88-byte record; 64-bit has its own size.
  static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEW) == 88);
  dialogFolder = hostFolder().wstring();
  openFileDialog = {};
  openFileDialog.lStructSize = sizeof(OPENFILENAMEW);
  openFileDialog.hwndOwner = nullptr;
  openFileDialog.lpstrFilter = openFileFilter().c_str();
  openFileDialog.nFilterIndex = 1;
  openFileDialog.nMaxFile = static_cast<DWORD>(textBufferLength);
  openFileDialog.lpstrFileTitle = nullptr;
  openFileDialog.lpstrInitialDir = dialogFolder.c_str();
  openFileDialog.lpstrTitle = nullptr;
  openFileDialog.Flags = 0;
  openFileDialog.lpstrDefExt = L"pgn";
}

int32_t screenDpi() {
  HDC screen = GetDC(nullptr);
  const int32_t dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

void createPanel(const TPanelSize& size) {
  panelWidth = size.width;
  panelHeight = size.height;
  auto create = serviceAs<TServiceCreatePanel>(hostServices.createPanel);
  panelWindow = static_cast<HWND>(create(u"Партосев", 0, 0, panelWidth, panelHeight, hostMainWindow,
                                         1, 0, 2, panelMessageProc, panelPaintProc));
}

// The host's record of the panel gets the panel's minimum size and tells its show command. A
// host that keeps no record of the panel leaves the command 0: nothing can show the panel then.
void adoptPanelRecordOfHost(const TPanelSize& size) {
  auto* panels =
      static_cast<const THostPanelList*>(askHost(hostServices, THostLevel::state, kStatePanels));
  if (THostPanelRecord* record = findPanelRecord(panels, panelWindow))
    panelCommand = adoptPanelRecord(*record, size, panelMinHeight);
  if (panelHeight < panelMinHeight) panelHeight = panelMinHeight;
}

}  // namespace

// Asked anew on every command that touches the game lists and before every job, not once
// per run: the host's answer is the lock from then on. Each section the host ever
// named keeps its wrapper until the library is unloaded (never freed, like the one wrapper made
// before), so a host that names the same one every time costs one wrapper and a lock handed out
// earlier is never freed under a holder. Commands run on the interface thread while no job runs
// and no hold is open, so the switch is safe. A host that answers nothing leaves the lock in use
// as it is.
void adoptHostLock() {
  static auto* wrapped = new std::vector<std::pair<void*, TRecursiveLock*>>;
  void* section = askHost(hostServices, THostLevel::state, kStateGameLock);
  if (!section) return;
  for (const auto& [known, lock] : *wrapped)
    if (known == section) return useGameLock(lock);
  TRecursiveLock* lock = wrapHostLock(section);
  wrapped->emplace_back(section, lock);
  useGameLock(lock);
}

void showPanelThroughHost() {
  if (panelCommand != 0)
    SendMessageW(hostMainWindow, WM_COMMAND, static_cast<WPARAM>(panelCommand), 0);
}

extern "C" void VORLEN_CALL StartVorlenProc(TVorlenLookup lookup) {
  if (!lookup || !fillServiceTable(lookup, hostServices)) return;
  takeHostValues();
  buildMenus();
  outputPath = defaultOutputPath();
  prepareOpenFileDialog();
  // No lock is asked for here: the commands that touch the game lists ask for it.
  emptyGameBase();
  const TPanelSize size = panelDefaultSize(screenDpi());
  createPanel(size);
  adoptPanelRecordOfHost(size);
  LoadSettings();
}

extern "C" void VORLEN_CALL StopVorlenProc() {
  if (panelWasShown == 1) SaveSettings();
}
