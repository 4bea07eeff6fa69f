#pragma once
// The plug-in's Win32 handles, shared by the main unit and the windows built on the panel.

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include "plugcommon/hostapi.h"

extern HWND hostMainWindow;  // owner of message boxes and of the panel menu
extern HMENU hostGameMenu;   // the host's menu that receives the two transfer items
extern HMENU panelMenu;      // the pop-up menu of the panel
extern HMENU renameMenu;     // the submenu "Переименовать" of panelMenu
extern HWND panelWindow;
// The one open-file dialog description of the run; its file-name buffer is attached when used.
extern OPENFILENAMEW openFileDialog;

// The settings file "gamesift.dat" of the host folder.
void LoadSettings();
void SaveSettings();

// The host's lock guards every game array from here on, on both threads; asked anew before each
// job and transfer (the host's answer of the moment is the one used).
void adoptHostLock();

// Sends the host the command that shows the panel; nothing when the host's panel record was not
// found at start.
void showPanelThroughHost();

// The menus

// Registers the commands with the host and fills the host's game menu, panelMenu and renameMenu.
void buildMenus();
// Sets the check mark of the auto-reset item to autoResetSettings.
void showAutoResetMark();
