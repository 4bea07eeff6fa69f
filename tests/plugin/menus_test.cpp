#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/menus_logic.h"

namespace {

// The items in the order the start entry appends them: the rename submenu first.
std::vector<TMenuItem> appendOrder() {
  std::vector<TMenuItem> items(std::begin(kRenameItems), std::end(kRenameItems));
  items.insert(items.end(), std::begin(kMenuItems), std::end(kMenuItems));
  return items;
}

std::vector<std::u16string> textsOf(TMenu menu) {
  std::vector<std::u16string> texts;
  for (const TMenuItem& item : appendOrder())
    if (item.menu == menu) texts.emplace_back(item.text);
  return texts;
}

TEST(PluginMenus, CommandsRegisterInTheFixedOrder) {
  std::vector<TCommand> registered;
  for (const TMenuItem& item : appendOrder())
    if (item.kind == TMenuItemKind::command) registered.push_back(item.command);
  const std::vector<TCommand> expected = {
      TCommand::renamePlayer,       TCommand::renameTournament, TCommand::renameSite,
      TCommand::transferAllAndShow, TCommand::transferAll,      TCommand::transferCurrentAndShow,
      TCommand::transferCurrent,    TCommand::openPgnFile,      TCommand::batchFromFolder,
      TCommand::deleteSelected,     TCommand::deleteAll,        TCommand::resetSettings,
      TCommand::toggleAutoReset};
  EXPECT_EQ(registered, expected);
}

TEST(PluginMenus, HostGameMenuGetsASeparatorAndTheTwoTransfers) {
  const std::vector<std::u16string> expected = {u"", u"Перенести в \"Партосев\"",
                                                u"Перенести партию в \"Партосев\""};
  EXPECT_EQ(textsOf(TMenu::hostGame), expected);
  EXPECT_EQ(kMenuItems[0].kind, TMenuItemKind::separator);
}

TEST(PluginMenus, PanelMenuTextsInOrder) {
  const std::vector<std::u16string> expected = {u"Перенести все партии",
                                                u"Перенести текущую партию",
                                                u"Открыть...",
                                                u"Пакетная обработка...",
                                                u"",
                                                u"Переименовать",
                                                u"Удалить выделенные",
                                                u"Удалить все",
                                                u"",
                                                u"Сбросить настройки",
                                                u"Автоматически сбрасывать настройки"};
  EXPECT_EQ(textsOf(TMenu::panel), expected);
}

TEST(PluginMenus, RenameSubmenuTextsInOrder) {
  const std::vector<std::u16string> expected = {u"Имя игрока", u"Название турнира",
                                                u"Расположение"};
  EXPECT_EQ(textsOf(TMenu::rename), expected);
}

TEST(PluginMenus, EveryCommandHasExactlyOneItem) {
  std::vector<int> uses(kCommandCount, 0);
  for (const TMenuItem& item : appendOrder()) {
    const bool hasCommand = item.kind == TMenuItemKind::command;
    EXPECT_EQ(hasCommand, item.command != TCommand::none);
    if (hasCommand) ++uses[static_cast<int>(item.command)];
  }
  EXPECT_TRUE(std::all_of(uses.begin(), uses.end(), [](int n) { return n == 1; }));
}

TEST(PluginMenus, OnlyTheAutoResetItemStartsChecked) {
  for (const TMenuItem& item : appendOrder())
    EXPECT_EQ(item.checked, item.command == TCommand::toggleAutoReset);
}

TEST(PluginMenus, SeparatorsCarryTheSeparatorIdentifier) {
  separatorCommand = 41;
  commandIds[static_cast<int>(TCommand::deleteAll)] = 52;
  EXPECT_EQ(commandId(TCommand::none), 41);
  EXPECT_EQ(commandId(TCommand::deleteAll), 52);
  separatorCommand = 0;
  commandIds[static_cast<int>(TCommand::deleteAll)] = 0;
}

}  // namespace
