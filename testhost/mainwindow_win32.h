#pragma once
// The host's main window: its menus (file, game, panels), its list of open games, and the
// dispatch of menu commands to the host, the panels and the plug-in's handlers.

#include <windows.h>

#include <string>

#include "plugcommon/gamerecords.h"

// Called when the user closes the main window: the host stops the plug-in before it goes.
extern void (*onHostClose)();

void registerMainWindowClass();
HWND createMainWindow(const std::u16string& title);
void fillGameList(const TGames& games);
// The list's selection follows the host's current game.
void showCurrentGame();
// A panel's item in the host's panel menu, which sends the panel's show command.
void addPanelMenuItem(const std::u16string& caption, int32_t command);
HMENU hostMenuBar();
// True while a popup menu of the main window (the plug-in's, owned by it) is being tracked.
bool menuTracking();
