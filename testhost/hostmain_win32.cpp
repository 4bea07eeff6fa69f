// vorlen-host.exe: a stand-in for the host application. It opens a PGN file's games, offers every
// host service the plug-in asks for, loads the plug-in, starts it, and either runs a scenario
// script or waits for a user; at the end it stops the plug-in.

#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Upgnread/pgnscan.h"
#include "buttons_win32.h"
#include "dump_win32.h"
#include "gameservices_win32.h"
#include "hostargs_logic.h"
#include "hostpaths_win32.h"
#include "hostvalues_win32.h"
#include "mainwindow_win32.h"
#include "menus_win32.h"
#include "optionbox_win32.h"
#include "panels_win32.h"
#include "pgnlongwork/jobstate.h"
#include "procwindow_win32.h"
#include "runner_win32.h"
#include "services_win32.h"
#include "uchess/fileutil.h"

namespace {

enum : int {
  kExitFine = 0,
  kExitScriptFailed = 1,
  kExitUsage = 2,
  kExitNoPlugin = 3,
  kExitWrongDpi = 4,
  kExitNoGames = 5,
};

TVorlenStop pluginStop = nullptr;
bool pluginStopped = false;

void stopPlugin() {
  if (pluginStopped || pluginStop == nullptr) return;
  pluginStopped = true;
  pluginStop();
}

std::wstring wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

std::wstring fullPath(const std::u16string& path) {
  wchar_t full[32768] = {};
  const DWORD length = GetFullPathNameW(wide(path).c_str(), 32768, full, nullptr);
  return length > 0 && length < 32768 ? std::wstring(full, length) : wide(path);
}

int report(int code, const std::string& message) {
  std::fprintf(stderr, "vorlen-host: %s\n", message.c_str());
  return code;
}

bool openGames(const THostArgs& args, TGames& games) {
  if (args.games.empty()) return true;
  // The reader names each game's file after currentFile: the host's games carry their file, as
  // a real host's do, so the plug-in can tell a game it already holds.
  const std::filesystem::path path(hostPath(args.games));
  setCurrentFile(path);
  const int code = loadPgnFile(path, false, games);
  if (code > kLastGameCode && games.empty()) return false;
  hostGameList.load(games, !args.tagsOnly);
  return true;
}

bool readScript(const THostArgs& args, std::vector<TScriptAction>& actions, std::string& error) {
  std::string text;
  if (!readWholeFile(std::filesystem::path(fullPath(args.script)), text)) {
    error = "cannot read the script " + utf16ToUtf8(args.script);
    return false;
  }
  return parseScript(text, actions, error);
}

HWND openHostWindow(const THostArgs& args, const TGames& games) {
  registerMainWindowClass();
  registerProcWindowClass();
  registerButtonClass();
  registerOptionBoxClass();
  std::u16string title = u"Vorlen";
  if (!args.games.empty()) title += u" — " + args.games.substr(args.games.find_last_of(u"\\/") + 1);
  HWND window = createMainWindow(title);
  fillGameList(games);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}

// An exported entry as the function it is; GetProcAddress knows only one function type.
template <class TEntry>
TEntry entry(HMODULE module, const char* name) {
  return reinterpret_cast<TEntry>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Loads the plug-in and runs its start entry; false when it is not a plug-in.
bool startPlugin(const THostArgs& args, HMODULE& plugin) {
  const std::wstring path = hostPath(args.dll.empty() ? u"gamesift.dll" : args.dll);
  plugin = LoadLibraryW(path.c_str());
  if (plugin == nullptr) return false;
  auto start = entry<TVorlenStart>(plugin, "StartVorlenProc");
  pluginStop = entry<TVorlenStop>(plugin, "StopVorlenProc");
  if (start == nullptr || pluginStop == nullptr) return false;
  watchPluginMenus(plugin);
  start(hostLookup);
  markStartReturned();
  return true;
}

void runMessages() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::wstring folderWithSlash(const std::u16string& folder) {
  if (folder.empty()) return {};
  std::wstring full = fullPath(folder);
  if (full.back() != L'\\') full += L'\\';
  return full;
}

int runHost(const THostArgs& args) {
  hostSupportsPlugins = !args.noSupport;
  initHostValues();
  hostStore.wheelByPage = args.wheelByPage ? 1 : 0;
  fillPanelRecordBytes(args.panelRecordBytes);
  if (args.dpi != 0 && args.dpi != hostDpi)
    return report(kExitWrongDpi, "the screen has " + std::to_string(hostDpi) +
                                     " dpi, the run expects " + std::to_string(args.dpi));
  TGames games;
  if (!openGames(args, games))
    return report(kExitNoGames, "cannot read " + utf16ToUtf8(args.games));
  std::vector<TScriptAction> actions;
  std::string error;
  if (!args.script.empty() && !readScript(args, actions, error)) return report(kExitUsage, error);
  openHostWindow(args, games);
  const std::wstring dumpFolder = folderWithSlash(args.dumpDir);
  snapshotHostFolder(dumpFolder);
  HMODULE plugin = nullptr;
  if (!startPlugin(args, plugin)) return report(kExitNoPlugin, "cannot load the plug-in");
  onHostClose = stopPlugin;
  if (!args.script.empty())
    startRunner(TRunnerSetup{std::move(actions), dumpFolder, args.screenshots, stopPlugin});
  runMessages();
  stopPlugin();
  FreeLibrary(plugin);
  return runnerFailures() == 0 ? kExitFine : kExitScriptFailed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i], argv[i] + lstrlenW(argv[i]));
  THostArgs args;
  std::string error;
  if (!parseHostArgs(arguments, args, error)) return report(kExitUsage, error);
  OleInitialize(nullptr);
  const int code = runHost(args);
  OleUninitialize();
  return code;
}
