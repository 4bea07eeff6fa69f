#pragma once
// The scenario runner: plays a parsed script on a timer of the main window, one action per tick,
// so that it goes on inside every modal loop (message boxes, file dialogs, the plug-in's modal
// windows, popup menus) just as a user would.

#include <string>
#include <vector>

#include "script_logic.h"

struct TRunnerSetup {
  std::vector<TScriptAction> actions;
  std::wstring dumpFolder;   // with its final backslash; empty: dumps are skipped
  bool screenshots = false;  // a driver takes pictures when asked through the dump folder
  void (*stopPlugin)() = nullptr;
};

void startRunner(TRunnerSetup setup);
// 0 when every action worked and every dialog got its answer; else the number of failures.
int32_t runnerFailures();
