#include "dump_win32.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "controls_win32.h"
#include "dialogs_win32.h"
#include "gameservices_win32.h"
#include "hostpaths_win32.h"
#include "hostvalues_win32.h"
#include "menus_win32.h"
#include "modal_win32.h"
#include "panels_win32.h"
#include "procwindow_win32.h"
#include "script_logic.h"
#include "services_win32.h"

namespace {

struct TFileStamp {
  ULONGLONG size = 0;
  ULONGLONG written = 0;
};

using TFolderState = std::map<std::wstring, TFileStamp>;

TFolderState atStart;
std::wstring excludedFolder;  // the dump folder, when it lies inside the host folder

std::string utf8(const std::wstring& text) {
  return utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

void scanFolder(const std::wstring& relative, TFolderState& state, int depth) {
  if (depth > 8) return;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((hostExeFolder() + relative + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = relative + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (lstrcmpiW((hostExeFolder() + path + L"\\").c_str(), excludedFolder.c_str()) != 0)
        scanFolder(path + L"\\", state, depth + 1);
      continue;
    }
    TFileStamp stamp;
    stamp.size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    stamp.written = (static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                    found.ftLastWriteTime.dwLowDateTime;
    state[path] = stamp;
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// Names only, because sizes of the programs and the pictures differ from build to build; what
// the run wrote is marked.
std::string filesSection() {
  TFolderState now;
  scanFolder(L"", now, 0);
  std::string out;
  for (const auto& [path, stamp] : now) {
    out += utf8(path);
    auto before = atStart.find(path);
    if (before == atStart.end())
      out += " (new)";
    else if (before->second.size != stamp.size || before->second.written != stamp.written)
      out += " (changed)";
    out += "\n";
  }
  for (const auto& [path, stamp] : atStart)
    if (now.find(path) == now.end()) out += utf8(path) + " (removed)\n";
  return out;
}

std::string panelsSection() {
  std::string out;
  const THostPanelList* list = panelList();
  for (int32_t i = 0; i < list->count; ++i) {
    const TPanelInfo& info = panelInfos()[i];
    const THostPanelRecord& record = list->records[i];
    out += "panel " + std::to_string(i + 1) + " \"" + utf16ToUtf8(info.caption) + "\"" +
           (info.plugin ? " (plug-in)\n" : " (host)\n");
    if (info.plugin) {
      out += "  created " + std::to_string(info.createdWidth) + "x" +
             std::to_string(info.createdHeight) + ", flags " + std::to_string(info.flags[0]) + " " +
             std::to_string(info.flags[1]) + " " + std::to_string(info.flags[2]) + "\n";
    }
    if (record.hostWord != 0) {
      char word[16];
      wsprintfA(word, "%08lX", static_cast<unsigned long>(record.hostWord));
      out += std::string("  host bytes 4-7 0x") + word + "\n";
    }
    out += "  minimum width " + std::to_string(record.minWidth) + "\n";
    out += "  minimum height " + std::to_string(record.minHeight) + "\n";
  }
  return out;
}

// What the plug-in made of the screen's resolution: the size it asked for and the minimum width
// it set.
std::string sizesSection() {
  std::string out;
  const THostPanelList* list = panelList();
  for (int32_t i = 0; i < list->count; ++i) {
    const TPanelInfo& info = panelInfos()[i];
    if (!info.plugin) continue;
    out += "\"" + utf16ToUtf8(info.caption) + "\" created " + std::to_string(info.createdWidth) +
           "x" + std::to_string(info.createdHeight) + ", minimum width " +
           std::to_string(list->records[i].minWidth) + "\n";
  }
  return out;
}

std::string placementSection() {
  std::string out;
  const THostPanelList* list = panelList();
  for (int32_t i = 0; i < list->count; ++i) {
    if (!panelInfos()[i].plugin) continue;
    HWND window = panelWindowAt(i);
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    out += "\"" + utf16ToUtf8(panelInfos()[i].caption) + "\" " +
           (IsWindowVisible(window) ? "visible" : "hidden") + " at " + std::to_string(outer.left) +
           "," + std::to_string(outer.top) + " size " + std::to_string(outer.right - outer.left) +
           "x" + std::to_string(outer.bottom - outer.top) + " client " +
           std::to_string(client.right) + "x" + std::to_string(client.bottom) + "\n";
  }
  return out;
}

std::string linesOf(const std::vector<std::string>& lines, size_t count) {
  std::string out;
  for (size_t i = 0; i < count && i < lines.size(); ++i) out += lines[i] + "\n";
  return out;
}

bool lockFree() {
  if (!TryEnterCriticalSection(&hostStore.gameLock)) return false;
  // Entered: free, unless this thread already held it (then it enters again, recursively).
  const bool nested = hostStore.gameLock.RecursionCount > 1;
  LeaveCriticalSection(&hostStore.gameLock);
  return !nested;
}

std::string stateSection() {
  return "current game " + std::to_string(*hostGameList.currentGameCell()) + "\n" +
         "variation depth " + std::to_string(hostGameList.depth()) + "\n" + "current move " +
         std::to_string(hostGameList.currentMove()) + "\n" + "busy " +
         std::to_string(hostStore.busy) + " " + std::to_string(hostStore.busyOther) + "\n" +
         "dialog cell " + std::to_string(hostStore.dialogResult) + "\n" + "modal windows " +
         std::to_string(modalDepth()) + "\n" + "lock " + (lockFree() ? "free" : "held") + "\n";
}

BOOL CALLBACK collectModal(HWND window, LPARAM found) {
  const TProcWindow* procs = procWindowOf(window);
  if (procs != nullptr && procs->kind == TProcWindowKind::modal && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

std::string windowCaption(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return utf8(text);
}

std::string enabledText(HWND window) {
  return IsWindowEnabled(window) ? "enabled" : "disabled";
}

// Which of the host's windows take input now, who owns each modal window the plug-in has open,
// and the menu items a script could not choose because the main window was disabled.
std::string windowsSection() {
  std::string out = "main window " + enabledText(hostMain) + "\n";
  HWND panel = firstPluginPanel();
  if (panel != nullptr) out += "panel " + enabledText(panel) + "\n";
  std::vector<HWND> modals;
  EnumThreadWindows(GetCurrentThreadId(), collectModal, reinterpret_cast<LPARAM>(&modals));
  // EnumThreadWindows runs from the newest window; the oldest is listed first
  for (auto it = modals.rbegin(); it != modals.rend(); ++it) {
    HWND owner = GetWindow(*it, GW_OWNER);
    const std::string ownerName = owner == hostMain  ? "the main window"
                                  : owner == panel   ? "the panel"
                                  : owner == nullptr ? "nobody"
                                                     : "\"" + windowCaption(owner) + "\"";
    out += "modal \"" + windowCaption(*it) + "\" owned by " + ownerName + "\n";
  }
  for (const std::string& line : refusedMenus()) out += line + "\n";
  return out;
}

// How often the plug-in asked for the host's lock: during its start entry, and since (each
// command that touches the game lists and each job asks anew).
std::string lockSection() {
  const int32_t atStart =
      hostStore.lockAsksAtStart < 0 ? hostStore.lockAsks : hostStore.lockAsksAtStart;
  return "asked during the start " + std::to_string(atStart) + "\n" + "asked since " +
         std::to_string(hostStore.lockAsks - atStart) + "\n";
}

// The list's scroll bar: the pixel position the wheel and the keys move, its range and page.
std::string scrollSection() {
  HWND panel = firstPluginPanel();
  HWND bar = panel ? FindWindowExW(panel, nullptr, L"ScrollBar", nullptr) : nullptr;
  if (bar == nullptr) return "no scroll bar\n";
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &info);
  return std::string(IsWindowVisible(bar) ? "visible" : "hidden") + " position " +
         std::to_string(info.nPos) + " range " + std::to_string(info.nMin) + "-" +
         std::to_string(info.nMax) + " page " + std::to_string(info.nPage) + "\n";
}

bool sectionText(const std::string& section, std::string& text) {
  if (section == "menus")
    text = menuListing();
  else if (section == "panels")
    text = panelsSection();
  else if (section == "sizes")
    text = sizesSection();
  else if (section == "placement")
    text = placementSection();
  else if (section == "files")
    text = filesSection();
  else if (section == "messages")
    text = linesOf(dialogLog(), dialogLog().size());
  else if (section == "start")
    text = linesOf(serviceLog(), startLogLength());
  else if (section == "state")
    text = stateSection();
  else if (section == "controls")
    text = controlsSection();
  else if (section == "scroll")
    text = scrollSection();
  else if (section == "windows")
    text = windowsSection();
  else if (section == "lock")
    text = lockSection();
  else
    return false;
  return true;
}

bool writeText(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

}  // namespace

void snapshotHostFolder(const std::wstring& excluded) {
  excludedFolder = excluded;
  if (!excludedFolder.empty() && excludedFolder.back() != L'\\') excludedFolder += L'\\';
  atStart.clear();
  scanFolder(L"", atStart, 0);
}

bool writeDump(const std::wstring& folder, const std::u16string& name,
               const std::vector<std::string>& sections, std::string& error) {
  static const std::vector<std::string> kAll = {"menus",    "panels",   "sizes",   "placement",
                                                "files",    "messages", "start",   "state",
                                                "controls", "scroll",   "windows", "lock"};
  for (const std::string& section : sections.empty() ? kAll : sections) {
    std::string text;
    if (!sectionText(section, text)) {
      error = "unknown dump section '" + section + "'";
      return false;
    }
    const std::wstring path = folder + std::wstring(name.begin(), name.end()) + L"-" +
                              std::wstring(section.begin(), section.end()) + L".txt";
    if (!writeText(path, text)) {
      error = "cannot write " + utf8(path);
      return false;
    }
  }
  return true;
}
