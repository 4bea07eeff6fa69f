#include "panels_win32.h"

#include "commands_win32.h"
#include "mainwindow_win32.h"
#include "procwindow_win32.h"
#include "services_win32.h"

namespace {

// The plug-in keeps a pointer to the records, so they never move: a fixed array.
constexpr int32_t kPanelCapacity = 16;
THostPanelRecord records[kPanelCapacity] = {};
THostPanelList list{records, 0};
std::vector<TPanelInfo> infos;

bool ownBytes = false;  // --panel-record-bytes: bytes 4 to 7 of each record hold host data

// The record keeps a window handle's low 32 bits, as hostapi.h lays it out.
uint32_t recordHandle(HWND window) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

int32_t indexOf(HWND window) {
  for (int32_t i = 0; i < list.count; ++i)
    if (records[i].window == recordHandle(window) && window != nullptr) return i;
  return -1;
}

int32_t addRecord(HWND window, int32_t command, const TPanelInfo& info) {
  if (list.count >= kPanelCapacity) return -1;
  const int32_t index = list.count++;
  records[index] = THostPanelRecord{};
  records[index].window = recordHandle(window);
  // What a 32-bit host may keep right after the handle; a plug-in that took these bytes for part
  // of the handle would never find its panel's record.
  if (ownBytes) records[index].hostWord = 0xC0DE0000u | static_cast<uint32_t>(index + 1);
  records[index].hostData = static_cast<uint64_t>(index);
  records[index].command = command;
  infos.push_back(info);
  return index;
}

}  // namespace

void addHostPanel(HWND window, const char16_t* caption, int32_t command) {
  TPanelInfo info;
  info.caption = caption;
  addRecord(window, command, info);
}

// The panel is a tool window of its own, owned by the host's main window, so that its placement
// is in screen coordinates as the settings file keeps it; it starts hidden.
void* VORLEN_CALL createPanelService(const char16_t* caption, intptr_t left, intptr_t top,
                                     intptr_t width, intptr_t height, void* owner, intptr_t flagA,
                                     intptr_t flagB, intptr_t flagC, TVorlenWindowProc messageProc,
                                     TVorlenPaintProc paintProc) {
  noteEvent("create panel");
  if (list.count >= kPanelCapacity) return nullptr;
  TProcWindow procs{messageProc, paintProc, TProcWindowKind::panel};
  const RECT place{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + width),
                   static_cast<LONG>(top + height)};
  HWND window = createProcWindow(procs, caption ? caption : u"", WS_EX_TOOLWINDOW,
                                 WS_POPUP | WS_CLIPCHILDREN, place, static_cast<HWND>(owner));
  if (window == nullptr) return nullptr;
  TPanelInfo info;
  info.caption = caption ? caption : u"";
  info.plugin = true;
  info.createdWidth = static_cast<int32_t>(width);
  info.createdHeight = static_cast<int32_t>(height);
  info.flags[0] = flagA;
  info.flags[1] = flagB;
  info.flags[2] = flagC;
  const int32_t command = newCommandId();
  addRecord(window, command, info);
  addPanelMenuItem(info.caption, command);
  return window;
}

THostPanelList* panelList() {
  return &list;
}

const std::vector<TPanelInfo>& panelInfos() {
  return infos;
}

void fillPanelRecordBytes(bool fill) {
  ownBytes = fill;
}

HWND panelWindowAt(int32_t index) {
  if (index < 0 || index >= list.count) return nullptr;
  // Back from 32 bits by sign extension, as Windows widens a handle from a 32-bit process.
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(records[index].window)));
}

HWND firstPluginPanel() {
  for (int32_t i = 0; i < list.count; ++i)
    if (infos[i].plugin) return panelWindowAt(i);
  return nullptr;
}

bool isPluginPanel(HWND window) {
  const int32_t index = indexOf(window);
  return index >= 0 && infos[index].plugin;
}

bool showPanelForCommand(int32_t id) {
  for (int32_t i = 0; i < list.count; ++i) {
    if (records[i].command != id || id == 0) continue;
    HWND window = panelWindowAt(i);
    if (infos[i].plugin) {
      ShowWindow(window, SW_SHOW);
      UpdateWindow(window);
    } else {
      SetFocus(window);
    }
    return true;
  }
  return false;
}

void hidePluginPanels() {
  for (int32_t i = 0; i < list.count; ++i)
    if (infos[i].plugin) ShowWindow(panelWindowAt(i), SW_HIDE);
}

void applyPanelMinimum(HWND window, MINMAXINFO& limits) {
  const int32_t index = indexOf(window);
  if (index < 0) return;
  if (records[index].minWidth > 0) limits.ptMinTrackSize.x = records[index].minWidth;
  if (records[index].minHeight > 0) limits.ptMinTrackSize.y = records[index].minHeight;
}
