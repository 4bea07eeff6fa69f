#pragma once
// The menus a script chooses from and a dump lists: the host's menu bar and the popup menus the
// plug-in made for itself.

#include <windows.h>

#include <string>
#include <vector>

// The plug-in's own popup menus cannot be asked of it, so the host watches the plug-in's
// CreatePopupMenu calls through its import table; false when the import was not found.
bool watchPluginMenus(HMODULE plugin);
// A popup menu about to be shown by the main window's tracking; kept when it is not the host's.
void notePopupMenu(HMENU menu);

// The command identifier of the item with this text: the host's menus first, then the
// plug-in's. 0 when there is none; error then says why. inMenuBar tells whether the item hangs in
// the host's menu bar, which only opens while the main window is enabled.
int32_t findMenuCommand(const std::u16string& text, std::string& error, bool* inMenuBar = nullptr);
// A menu item of the menu bar that the script could not choose because the main window was
// disabled (a modal window owned by it was up), as a user could not; listed by dumpable lines.
void noteRefusedMenu(const std::u16string& text);
const std::vector<std::string>& refusedMenus();
// Every menu as indented UTF-8 lines: separators "----", checked items "[x] ".
std::string menuListing();
