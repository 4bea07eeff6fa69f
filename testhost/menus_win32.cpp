#include "menus_win32.h"

#include <cstring>
#include <vector>

#include "mainwindow_win32.h"
#include "panels_win32.h"
#include "script_logic.h"

namespace {

using TCreatePopupMenu = HMENU(WINAPI*)();

TCreatePopupMenu realCreatePopupMenu = nullptr;
std::vector<HMENU> pluginMenus;  // in the order they were made
HMENU openedPopup = nullptr;     // the plug-in's popup menu shown last

HMENU WINAPI watchedCreatePopupMenu() {
  HMENU menu = realCreatePopupMenu ? realCreatePopupMenu() : CreatePopupMenu();
  if (menu) pluginMenus.push_back(menu);
  return menu;
}

// The import slot of function from library in module's import table; null when absent.
ULONG_PTR* importSlot(HMODULE module, const char* library, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (lstrcmpiA(reinterpret_cast<char*>(base + entry->Name), library) != 0) continue;
    if (entry->OriginalFirstThunk == 0) continue;  // names not kept: nothing to match by
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* named = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<char*>(named->Name), function) == 0)
        return &slots->u1.Function;
    }
  }
  return nullptr;
}

struct TMenuItem {
  std::u16string text;
  UINT id = 0;
  HMENU submenu = nullptr;
  bool separator = false;
  bool checked = false;
  bool disabled = false;
};

TMenuItem menuItem(HMENU menu, int position) {
  TMenuItem item;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return item;
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  GetMenuItemInfoW(menu, position, TRUE, &info);
  text.resize(info.cch);
  item.text.assign(text.begin(), text.end());
  item.id = info.wID;
  item.submenu = info.hSubMenu;
  item.separator = (info.fType & MFT_SEPARATOR) != 0;
  item.checked = (info.fState & MFS_CHECKED) != 0;
  item.disabled = (info.fState & MFS_DISABLED) != 0;
  return item;
}

// Depth-first over a menu and its submenus; stops at depth 8 against menus that contain
// themselves.
bool findIn(HMENU menu, const std::u16string& text, int depth, TMenuItem& found) {
  if (menu == nullptr || depth > 8) return false;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    TMenuItem item = menuItem(menu, i);
    if (!item.separator && item.text == text) {
      found = item;
      return true;
    }
    if (findIn(item.submenu, text, depth + 1, found)) return true;
  }
  return false;
}

void listMenu(HMENU menu, int depth, std::string& out) {
  if (menu == nullptr || depth > 8) return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    TMenuItem item = menuItem(menu, i);
    out.append(static_cast<size_t>(depth) * 2, ' ');
    if (item.separator) {
      out += "----\n";
      continue;
    }
    if (item.checked) out += "[x] ";
    out += utf16ToUtf8(item.text);
    if (item.disabled) out += " (disabled)";
    out += "\n";
    listMenu(item.submenu, depth + 1, out);
  }
}

bool containsSubmenu(HMENU menu, HMENU submenu, int depth) {
  if (menu == nullptr || depth > 8) return false;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    HMENU inner = GetSubMenu(menu, i);
    if (inner == submenu || containsSubmenu(inner, submenu, depth + 1)) return true;
  }
  return false;
}

// A plug-in menu that hangs inside another menu is listed there, not on its own.
bool standsAlone(HMENU menu) {
  if (!IsMenu(menu) || containsSubmenu(hostMenuBar(), menu, 0)) return false;
  for (HMENU other : pluginMenus)
    if (other != menu && containsSubmenu(other, menu, 0)) return false;
  return true;
}

// Where the popup menu stands, in the client coordinates of the plug-in's panel.
std::string openPopupLine() {
  HWND popup = FindWindowW(L"#32768", nullptr);
  HWND panel = firstPluginPanel();
  if (popup == nullptr || panel == nullptr || !IsWindowVisible(popup)) return "  (open)\n";
  RECT place{};
  GetWindowRect(popup, &place);
  MapWindowPoints(HWND_DESKTOP, panel, reinterpret_cast<POINT*>(&place), 2);
  return "  (open: left " + std::to_string(place.left) + ", bottom " +
         std::to_string(place.bottom) + " in the panel)\n";
}

}  // namespace

bool watchPluginMenus(HMODULE plugin) {
  ULONG_PTR* slot = importSlot(plugin, "user32.dll", "CreatePopupMenu");
  if (slot == nullptr) return false;
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection)) return false;
  realCreatePopupMenu = reinterpret_cast<TCreatePopupMenu>(*slot);
  *slot = reinterpret_cast<ULONG_PTR>(&watchedCreatePopupMenu);
  VirtualProtect(slot, sizeof(*slot), protection, &protection);
  return true;
}

void notePopupMenu(HMENU menu) {
  if (menu == nullptr || containsSubmenu(hostMenuBar(), menu, 0)) return;
  if (standsAlone(menu)) openedPopup = menu;
  for (HMENU known : pluginMenus)
    if (known == menu) return;
  pluginMenus.push_back(menu);
}

int32_t findMenuCommand(const std::u16string& text, std::string& error, bool* inMenuBar) {
  TMenuItem found;
  bool seen = findIn(hostMenuBar(), text, 0, found);
  if (inMenuBar) *inMenuBar = seen;
  for (size_t i = 0; !seen && i < pluginMenus.size(); ++i)
    if (IsMenu(pluginMenus[i])) seen = findIn(pluginMenus[i], text, 0, found);
  if (!seen)
    error = "no menu item '" + utf16ToUtf8(text) + "'";
  else if (found.submenu)
    error = "menu item '" + utf16ToUtf8(text) + "' opens a submenu";
  else if (found.disabled)
    error = "menu item '" + utf16ToUtf8(text) + "' is disabled";
  else
    return static_cast<int32_t>(found.id);
  return 0;
}

namespace {

std::vector<std::string> refused;

}  // namespace

void noteRefusedMenu(const std::u16string& text) {
  refused.push_back("menu \"" + utf16ToUtf8(text) +
                    "\" not chosen: the menu bar of the disabled main window does not open");
}

const std::vector<std::string>& refusedMenus() {
  return refused;
}

std::string menuListing() {
  std::string out = "menu bar\n";
  listMenu(hostMenuBar(), 1, out);
  int number = 0;
  for (HMENU menu : pluginMenus) {
    if (!standsAlone(menu)) continue;
    out += "plug-in menu " + std::to_string(++number) + "\n";
    listMenu(menu, 1, out);
    if (menuTracking() && menu == openedPopup) out += openPopupLine();
  }
  return out;
}
