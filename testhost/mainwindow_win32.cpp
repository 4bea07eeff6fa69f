#include "mainwindow_win32.h"

#include "commands_win32.h"
#include "gameservices_win32.h"
#include "hostvalues_win32.h"
#include "menus_win32.h"
#include "panels_win32.h"
#include "platform/platform.h"

void (*onHostClose)() = nullptr;

namespace {

constexpr wchar_t kMainClass[] = L"VorlenHost";

// The host's own commands; the registered ones start far above.
enum : int32_t {
  kCommandExit = 100,
  kCommandPreviousGame = 101,
  kCommandNextGame = 102,
  kCommandHidePanels = 104,
  kGameListId = 200,
};

HWND gameList = nullptr;
HMENU panelsMenu = nullptr;
HMENU menuBar = nullptr;
int32_t trackingDepth = 0;

HMENU buildMenuBar() {
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kCommandExit, L"Выход");
  hostGames = CreatePopupMenu();
  AppendMenuW(hostGames, MF_STRING, kCommandPreviousGame, L"Предыдущая партия");
  AppendMenuW(hostGames, MF_STRING, kCommandNextGame, L"Следующая партия");
  panelsMenu = CreatePopupMenu();
  AppendMenuW(panelsMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(panelsMenu, MF_STRING, kCommandHidePanels, L"Скрыть панели");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"Файл");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(hostGames), L"Партия");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(panelsMenu), L"Панели");
  return bar;
}

void stepGame(int32_t step) {
  const int32_t count = hostGameList.count();
  if (count == 0) return;
  int32_t next = *hostGameList.currentGameCell() + step;
  if (next < 0) next = 0;
  if (next >= count) next = count - 1;
  selectHostGame(next);
}

bool runHostCommand(int32_t id) {
  switch (id) {
    case kCommandExit:
      PostMessageW(hostMain, WM_CLOSE, 0, 0);
      return true;
    case kCommandPreviousGame:
      stepGame(-1);
      return true;
    case kCommandNextGame:
      stepGame(1);
      return true;
    case kCommandHidePanels:
      hidePluginPanels();
      return true;
  }
  return false;
}

void onCommand(WPARAM wParam, LPARAM lParam) {
  const int32_t id = LOWORD(wParam);
  if (reinterpret_cast<HWND>(lParam) == gameList && lParam != 0) {
    if (HIWORD(wParam) == LBN_SELCHANGE) {
      const LRESULT row = SendMessageW(gameList, LB_GETCURSEL, 0, 0);
      if (row != LB_ERR) hostGameList.selectGame(static_cast<int32_t>(row));
    }
    return;
  }
  if (runHostCommand(id) || showPanelForCommand(id)) return;
  runRegisteredCommand(id);
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(wParam, lParam);
      return 0;
    case WM_SIZE:
      if (gameList) MoveWindow(gameList, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_ENTERMENULOOP:
      ++trackingDepth;
      break;
    case WM_EXITMENULOOP:
      if (trackingDepth > 0) --trackingDepth;
      break;
    case WM_INITMENUPOPUP:
      notePopupMenu(reinterpret_cast<HMENU>(wParam));
      break;
    case WM_CLOSE:
      if (onHostClose) onHostClose();
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring rowText(int32_t index, const TGame& game) {
  auto tag = [&](int i) {
    if (i >= static_cast<int>(game.Tags.size())) return std::wstring();
    std::u16string wide = ansiToUtf16(game.Tags[i].Value);
    return std::wstring(wide.begin(), wide.end());
  };
  return std::to_wstring(index + 1) + L". " + tag(kTagWhite) + L" – " + tag(kTagBlack) + L"   " +
         tag(kTagEvent) + L", " + tag(kTagDate) + L"   " + tag(kTagResult);
}

}  // namespace

void registerMainWindowClass() {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = mainProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  type.lpszClassName = kMainClass;
  RegisterClassExW(&type);
}

HWND createMainWindow(const std::u16string& title) {
  menuBar = buildMenuBar();
  hostMain = CreateWindowExW(0, kMainClass, reinterpret_cast<const wchar_t*>(title.c_str()),
                             WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 16, 16, 900, 680, nullptr,
                             menuBar, GetModuleHandleW(nullptr), nullptr);
  gameList = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                             0, 0, 100, 100, hostMain,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGameListId)),
                             GetModuleHandleW(nullptr), nullptr);
  SendMessageW(gameList, WM_SETFONT, reinterpret_cast<WPARAM>(hostPanelFont()), FALSE);
  const int32_t listCommand = newCommandId();
  addHostPanel(gameList, u"Список партий", listCommand);
  addPanelMenuItem(u"Список партий", listCommand);
  RECT client{};
  GetClientRect(hostMain, &client);
  MoveWindow(gameList, 0, 0, client.right, client.bottom, FALSE);
  return hostMain;
}

void fillGameList(const TGames& games) {
  SendMessageW(gameList, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < games.size(); ++i) {
    const std::wstring text = rowText(static_cast<int32_t>(i), games[i]);
    SendMessageW(gameList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  showCurrentGame();
}

void showCurrentGame() {
  if (gameList) SendMessageW(gameList, LB_SETCURSEL, *hostGameList.currentGameCell(), 0);
}

void addPanelMenuItem(const std::u16string& caption, int32_t command) {
  // Before the separator and "Скрыть панели", which stay last.
  const int count = GetMenuItemCount(panelsMenu);
  InsertMenuW(panelsMenu, count >= 2 ? count - 2 : 0, MF_BYPOSITION | MF_STRING,
              static_cast<UINT_PTR>(command), reinterpret_cast<const wchar_t*>(caption.c_str()));
  if (hostMain) DrawMenuBar(hostMain);
}

HMENU hostMenuBar() {
  return menuBar;
}

bool menuTracking() {
  return trackingDepth > 0;
}
