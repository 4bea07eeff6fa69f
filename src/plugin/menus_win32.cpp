// The plug-in's menus: the two items in the host's game menu, the panel menu and its rename
// submenu, each command registered with the host as it is appended.

#include "plugin/commands_win32.h"
#include "plugin/hostservices_logic.h"
#include "plugin/menus_logic.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"

namespace {

// The same record goes with every registration.
const TCommandRecord kCommandRecord = {9, 0};

constexpr TVorlenHandler kHandlers[kCommandCount] = {
    TransferAllAndShow, TransferAll,   TransferCurrentAndShow, TransferCurrent, OpenPgnFile,
    BatchFromFolder,    RenamePlayer,  RenameTournament,       RenameSite,      DeleteSelected,
    DeleteAll,          ResetSettings, ToggleAutoReset,
};

int32_t registerCommand(TVorlenHandler handler) {
  auto service = serviceAs<TServiceRegisterCommand>(hostServices.registerCommand);
  return static_cast<int32_t>(service(&kCommandRecord, handler));
}

HMENU menuOf(TMenu menu) {
  switch (menu) {
    case TMenu::hostGame:
      return hostGameMenu;
    case TMenu::panel:
      return panelMenu;
    case TMenu::rename:
      return renameMenu;
  }
  return nullptr;
}

// Menu item identifiers are 16-bit on Win32; the host's identifiers are taken as it gives them.
UINT_PTR itemId(int32_t command) {
  return static_cast<UINT_PTR>(static_cast<uint32_t>(command));
}

void appendItem(const TMenuItem& item) {
  const auto* text = reinterpret_cast<const wchar_t*>(item.text);
  HMENU menu = menuOf(item.menu);
  switch (item.kind) {
    case TMenuItemKind::separator:
      AppendMenuW(menu, MF_SEPARATOR, itemId(separatorCommand), text);
      return;
    case TMenuItemKind::submenu:
      AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(renameMenu), text);
      return;
    case TMenuItemKind::command: {
      const int index = static_cast<int>(item.command);
      commandIds[index] = registerCommand(kHandlers[index]);
      const UINT check = item.checked ? MF_CHECKED : MF_UNCHECKED;
      AppendMenuW(menu, MF_STRING | check, itemId(commandIds[index]), text);
      return;
    }
  }
}

}  // namespace

void buildMenus() {
  renameMenu = CreatePopupMenu();
  separatorCommand = registerCommand(nullptr);
  for (const TMenuItem& item : kRenameItems) appendItem(item);
  panelMenu = CreatePopupMenu();
  for (const TMenuItem& item : kMenuItems) appendItem(item);
}

void showAutoResetMark() {
  const UINT check = autoResetSettings == 1 ? MF_CHECKED : MF_UNCHECKED;
  CheckMenuItem(panelMenu, static_cast<UINT>(itemId(commandId(TCommand::toggleAutoReset))),
                MF_BYCOMMAND | check);
}
