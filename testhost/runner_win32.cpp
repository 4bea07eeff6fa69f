#include "runner_win32.h"

#include <windows.h>

#include <cstdio>

#include "dialogs_win32.h"
#include "dump_win32.h"
#include "gameservices_win32.h"
#include "hostvalues_win32.h"
#include "mainwindow_win32.h"
#include "menus_win32.h"
#include "modal_win32.h"
#include "panels_win32.h"
#include "procwindow_win32.h"

namespace {

constexpr UINT_PTR kRunnerTimer = 0x5C51;
constexpr UINT kTickMs = 20;
// The host counts as idle once nothing modal has been open for this many ticks in a row.
constexpr int kIdleTicks = 3;
constexpr DWORD kShotSettleMs = 400;
constexpr DWORD kShotTimeoutMs = 30000;
constexpr DWORD kStopWaitMs = 60000;

enum class TWait { none, idle, until, shotSettle, shotTaken, file, beforeStop };

TRunnerSetup setup;
size_t next = 0;
bool inTick = false;
bool finishing = false;
TWait waiting = TWait::none;
DWORD deadline = 0;
int idleTicks = 0;
std::u16string shotName;
std::wstring awaitedPath;
std::vector<std::string> problems;
WPARAM heldModifiers = 0;  // MK_SHIFT / MK_CONTROL of the keys the script holds down

void fail(const TScriptAction& action, const std::string& problem) {
  problems.push_back("line " + std::to_string(action.line) + ": " + problem);
  std::fprintf(stderr, "vorlen-host: %s\n", problems.back().c_str());
  next = setup.actions.size();  // the rest of the script would only add noise
}

bool idleNow() {
  return modalDepth() == 0 && !dialogOpen() && !menuTracking();
}

bool passed(DWORD when) {
  return static_cast<LONG>(GetTickCount() - when) >= 0;
}

std::wstring shotRequestPath() {
  return setup.dumpFolder + std::wstring(shotName.begin(), shotName.end()) + L".request";
}

void requestShot() {
  HANDLE file = CreateFileW(shotRequestPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// The point in the panel's client area goes to the window that lies there, as the mouse would.
HWND windowAt(HWND parent, POINT& point) {
  for (int depth = 0; depth < 16; ++depth) {
    HWND found = nullptr;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
      RECT area{};
      GetWindowRect(child, &area);
      MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&area), 2);
      if (PtInRect(&area, point)) {
        found = child;
        break;
      }
    }
    if (found == nullptr) return parent;
    MapWindowPoints(parent, found, &point, 1);
    parent = found;
  }
  return parent;
}

BOOL CALLBACK findModal(HWND window, LPARAM found) {
  const TProcWindow* procs = procWindowOf(window);
  if (procs == nullptr || procs->kind != TProcWindowKind::modal || !IsWindowVisible(window))
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;  // the thread's windows come newest first
}

// The window a click goes to: the panel, or the newest modal window the plug-in runs.
HWND clickParent(bool modal) {
  if (!modal) return firstPluginPanel();
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findModal, reinterpret_cast<LPARAM>(&found));
  return found;
}

void click(const TScriptAction& action, bool right, bool modal = false) {
  HWND panel = clickParent(modal);
  if (panel == nullptr)
    return fail(action, modal ? "no modal window to click" : "the plug-in made no panel to click");
  POINT point{action.x, action.y};
  HWND target = windowAt(panel, point);
  const LPARAM where = MAKELPARAM(point.x, point.y);
  PostMessageW(target, WM_MOUSEMOVE, 0, where);
  // A real mouse message carries the modifier keys held at the click.
  PostMessageW(target, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
               (right ? MK_RBUTTON : MK_LBUTTON) | heldModifiers, where);
  PostMessageW(target, right ? WM_RBUTTONUP : WM_LBUTTONUP, heldModifiers, where);
}

// The panel's child whose window text, or else whose class name, is text.
HWND childNamed(HWND panel, const std::u16string& text) {
  const std::wstring wanted(text.begin(), text.end());
  for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t found[256] = {};
    GetWindowTextW(child, found, 256);
    if (wanted == found) return child;
    GetClassNameW(child, found, 256);
    if (lstrcmpiW(wanted.c_str(), found) == 0) return child;
  }
  return nullptr;
}

void press(const TScriptAction& action) {
  HWND panel = firstPluginPanel();
  HWND child = panel ? childNamed(panel, action.text) : nullptr;
  if (child == nullptr) return fail(action, "the panel has no child " + utf16ToUtf8(action.text));
  RECT area{};
  GetWindowRect(child, &area);
  MapWindowPoints(HWND_DESKTOP, panel, reinterpret_cast<POINT*>(&area), 2);
  TScriptAction at = action;
  at.x = (area.left + area.right) / 2;
  at.y = (area.top + area.bottom) / 2;
  click(at, false);
}

HWND keyTarget() {
  if (HWND focus = GetFocus()) return focus;
  HWND panel = firstPluginPanel();
  return panel ? panel : hostMain;
}

void trackModifier(UINT message, int32_t code) {
  const WPARAM bit = code == VK_SHIFT ? MK_SHIFT : code == VK_CONTROL ? MK_CONTROL : 0;
  if (message == WM_KEYDOWN) heldModifiers |= bit;
  if (message == WM_KEYUP) heldModifiers &= ~bit;
}

void postKey(UINT message, int32_t code) {
  trackModifier(message, code);
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(code), MAPVK_VK_TO_VSC);
  LPARAM bits = 1 | (static_cast<LPARAM>(scan) << 16);
  if (message == WM_KEYUP) bits |= (1 << 30) | (static_cast<LPARAM>(1) << 31);
  PostMessageW(keyTarget(), message, static_cast<WPARAM>(code), bits);
}

void chooseMenu(const TScriptAction& action) {
  std::string error;
  bool inMenuBar = false;
  const int32_t id = findMenuCommand(action.text, error, &inMenuBar);
  if (id == 0) return fail(action, error);
  // While a modal window owned by the main window is up, the main window is disabled and its menu
  // bar does not open: the item cannot be chosen, which the dump section "windows" tells.
  if (inMenuBar && !IsWindowEnabled(hostMain)) return noteRefusedMenu(action.text);
  // A popup menu that is up closes first, as it does when the user picks an item.
  if (menuTracking()) EndMenu();
  PostMessageW(hostMain, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void dump(const TScriptAction& action) {
  if (setup.dumpFolder.empty()) return;
  std::string error;
  if (!writeDump(setup.dumpFolder, action.text, action.sections, error)) fail(action, error);
}

void queue(TAnswerKind kind, const TScriptAction& action) {
  TDialogAnswer answer;
  answer.kind = kind;
  answer.button = kind == TAnswerKind::button ? action.x : 0;
  answer.path = action.text;
  queueAnswer(answer);
}

void waitFor(TWait kind, DWORD milliseconds) {
  waiting = kind;
  deadline = GetTickCount() + milliseconds;
  idleTicks = 0;
}

void screenshot(const TScriptAction& action) {
  if (!setup.screenshots || setup.dumpFolder.empty()) return;
  shotName = action.text;
  RedrawWindow(hostMain, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (HWND panel = firstPluginPanel())
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  waitFor(TWait::shotSettle, kShotSettleMs);
}

// A real wheel message goes to the panel with the modifier keys held and the pointer's screen
// position; the pointer is put at the panel's centre.
void turnWheel(const TScriptAction& action) {
  HWND panel = firstPluginPanel();
  if (panel == nullptr) return fail(action, "the plug-in made no panel to scroll");
  RECT area{};
  GetWindowRect(panel, &area);
  const LPARAM where = MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  const WPARAM delta = static_cast<WORD>(static_cast<SHORT>(action.x));
  PostMessageW(panel, WM_MOUSEWHEEL, MAKEWPARAM(heldModifiers, delta), where);
}

// A handshake with the driver: the script goes on once the file is there.
void awaitFile(const TScriptAction& action) {
  awaitedPath = setup.dumpFolder + std::wstring(action.text.begin(), action.text.end());
  waitFor(TWait::file, static_cast<DWORD>(action.x) * 1000);
}

void selectGame(const TScriptAction& action) {
  if (action.x >= hostGameList.count()) return fail(action, "no game " + std::to_string(action.x));
  selectHostGame(action.x);
}

void setHostPosition(const TScriptAction& action) {
  hostGameList.setPosition(action.numbers[0]);
  for (size_t i = 1; i + 1 < action.numbers.size(); i += 2) {
    hostGameList.enterVariation(action.numbers[i]);
    hostGameList.setPosition(action.numbers[i + 1]);
  }
}

void run(const TScriptAction& action) {
  switch (action.kind) {
    case TActionKind::menu:
      return chooseMenu(action);
    case TActionKind::click:
      return click(action, false);
    case TActionKind::rightClick:
      return click(action, true);
    case TActionKind::modalClick:
      return click(action, false, true);
    case TActionKind::press:
      return press(action);
    case TActionKind::key:
      postKey(WM_KEYDOWN, action.x);
      return postKey(WM_KEYUP, action.x);
    case TActionKind::keyDown:
      return postKey(WM_KEYDOWN, action.x);
    case TActionKind::keyUp:
      return postKey(WM_KEYUP, action.x);
    case TActionKind::type:
      for (char16_t c : action.text) PostMessageW(keyTarget(), WM_CHAR, c, 1);
      return;
    case TActionKind::answer:
      return queue(TAnswerKind::button, action);
    case TActionKind::answerFile:
      return queue(TAnswerKind::file, action);
    case TActionKind::answerFolder:
      return queue(TAnswerKind::folder, action);
    case TActionKind::wait:
      return waitFor(TWait::idle, static_cast<DWORD>(action.x) * 1000);
    case TActionKind::sleep:
      return waitFor(TWait::until, static_cast<DWORD>(action.x));
    case TActionKind::select:
      return selectGame(action);
    case TActionKind::position:
      return setHostPosition(action);
    case TActionKind::dump:
      return dump(action);
    case TActionKind::screenshot:
      return screenshot(action);
    case TActionKind::hidePanels:
      return hidePluginPanels();
    case TActionKind::wheel:
      return turnWheel(action);
    case TActionKind::await:
      return awaitFile(action);
    case TActionKind::stop:
      return waitFor(TWait::beforeStop, kStopWaitMs);
  }
}

const TScriptAction& currentAction() {
  static const TScriptAction none;
  return next > 0 && next <= setup.actions.size() ? setup.actions[next - 1] : none;
}

// True once the action in progress is over; a wait that runs out is a failure.
bool waitOver() {
  switch (waiting) {
    case TWait::none:
      return true;
    case TWait::until:
      return passed(deadline);
    case TWait::shotSettle:
      if (!passed(deadline)) return false;
      requestShot();
      waitFor(TWait::shotTaken, kShotTimeoutMs);
      return false;
    case TWait::shotTaken:
      if (GetFileAttributesW(shotRequestPath().c_str()) == INVALID_FILE_ATTRIBUTES) return true;
      if (passed(deadline)) fail(currentAction(), "nobody took the screenshot");
      return passed(deadline);
    case TWait::file:
      if (GetFileAttributesW(awaitedPath.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
      if (passed(deadline)) fail(currentAction(), "the awaited file never came");
      return passed(deadline);
    default:
      break;
  }
  idleTicks = idleNow() ? idleTicks + 1 : 0;
  if (idleTicks >= kIdleTicks) {
    if (waiting == TWait::beforeStop) setup.stopPlugin();
    return true;
  }
  if (!passed(deadline)) return false;
  fail(currentAction(), "still busy when the wait ran out");
  return true;
}

void writeLog() {
  if (setup.dumpFolder.empty()) return;
  std::string text;
  for (const std::string& problem : problems) text += problem + "\n";
  for (const std::string& line : dialogLog()) text += line + "\n";
  HANDLE file = CreateFileW((setup.dumpFolder + L"runner.log").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// The end of the script: the plug-in is stopped (when the script did not) once the host is idle;
// a host that never gets idle is left without stopping the plug-in.
void finish() {
  if (!finishing) {
    finishing = true;
    waitFor(TWait::beforeStop, problems.empty() ? kStopWaitMs : 10000);
    return;
  }
  KillTimer(hostMain, kRunnerTimer);
  writeLog();
  if (!idleNow()) {
    std::fprintf(stderr, "vorlen-host: still busy at the end of the script\n");
    ExitProcess(static_cast<UINT>(2 + runnerFailures()));
  }
  DestroyWindow(hostMain);
}

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
  answerDialogs();
  if (inTick) return;
  inTick = true;
  if (waitOver()) {
    waiting = TWait::none;
    if (next < setup.actions.size())
      run(setup.actions[next++]);
    else
      finish();
  }
  inTick = false;
}

}  // namespace

void startRunner(TRunnerSetup runnerSetup) {
  setup = std::move(runnerSetup);
  SetTimer(hostMain, kRunnerTimer, kTickMs, tick);
}

int32_t runnerFailures() {
  return static_cast<int32_t>(problems.size()) + dialogFailures();
}
