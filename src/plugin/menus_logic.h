#pragma once
// The plug-in's menu items: which menu each goes to, in which order, with which text and command.
// The start entry walks these tables; registering a command with the host and appending its item
// happen in table order, so the tables are also the order of the host's command identifiers.

#include <cstdint>

// The commands the host calls back, one handler each.
enum class TCommand : uint8_t {
  transferAllAndShow,
  transferAll,
  transferCurrentAndShow,
  transferCurrent,
  openPgnFile,
  batchFromFolder,
  renamePlayer,
  renameTournament,
  renameSite,
  deleteSelected,
  deleteAll,
  resetSettings,
  toggleAutoReset,
  none,  // separators and the rename submenu
};
inline constexpr int kCommandCount = static_cast<int>(TCommand::none);

enum class TMenu : uint8_t { hostGame, panel, rename };
enum class TMenuItemKind : uint8_t { separator, command, submenu };

struct TMenuItem {
  TMenu menu;
  TMenuItemKind kind;
  TCommand command;
  const char16_t* text;
  bool checked = false;
};

// The rename submenu, filled before the panel menu exists.
inline constexpr TMenuItem kRenameItems[] = {
    {TMenu::rename, TMenuItemKind::command, TCommand::renamePlayer, u"Имя игрока"},
    {TMenu::rename, TMenuItemKind::command, TCommand::renameTournament, u"Название турнира"},
    {TMenu::rename, TMenuItemKind::command, TCommand::renameSite, u"Расположение"},
};

// The host's game menu and the panel menu, filled together in this order.
inline constexpr TMenuItem kMenuItems[] = {
    {TMenu::hostGame, TMenuItemKind::separator, TCommand::none, u""},
    {TMenu::hostGame, TMenuItemKind::command, TCommand::transferAllAndShow,
     u"Перенести в \"Партосев\""},
    {TMenu::panel, TMenuItemKind::command, TCommand::transferAll, u"Перенести все партии"},
    {TMenu::hostGame, TMenuItemKind::command, TCommand::transferCurrentAndShow,
     u"Перенести партию в \"Партосев\""},
    {TMenu::panel, TMenuItemKind::command, TCommand::transferCurrent, u"Перенести текущую партию"},
    {TMenu::panel, TMenuItemKind::command, TCommand::openPgnFile, u"Открыть..."},
    {TMenu::panel, TMenuItemKind::command, TCommand::batchFromFolder, u"Пакетная обработка..."},
    {TMenu::panel, TMenuItemKind::separator, TCommand::none, u""},
    {TMenu::panel, TMenuItemKind::submenu, TCommand::none, u"Переименовать"},
    {TMenu::panel, TMenuItemKind::command, TCommand::deleteSelected, u"Удалить выделенные"},
    {TMenu::panel, TMenuItemKind::command, TCommand::deleteAll, u"Удалить все"},
    {TMenu::panel, TMenuItemKind::separator, TCommand::none, u""},
    {TMenu::panel, TMenuItemKind::command, TCommand::resetSettings, u"Сбросить настройки"},
    // The auto-reset flag starts on, so its item starts checked.
    {TMenu::panel, TMenuItemKind::command, TCommand::toggleAutoReset,
     u"Автоматически сбрасывать настройки", true},
};

// The host's identifier of each command, as its registration answered; 0 before.
extern int32_t commandIds[kCommandCount];
// The identifier the separators carry: a registration without a handler.
extern int32_t separatorCommand;

inline int32_t commandId(TCommand command) {
  return command == TCommand::none ? separatorCommand : commandIds[static_cast<int>(command)];
}
