#pragma once
// The host's panels: its own game list and the plug-in's panel windows, with the records the
// plug-in reads (kStatePanels) and the commands that show them.

#include <windows.h>

#include <string>
#include <vector>

#include "plugcommon/hostapi.h"

void* VORLEN_CALL createPanelService(const char16_t* caption, intptr_t left, intptr_t top,
                                     intptr_t width, intptr_t height, void* owner, intptr_t flagA,
                                     intptr_t flagB, intptr_t flagC, TVorlenWindowProc messageProc,
                                     TVorlenPaintProc paintProc);

// What the host remembers of a panel besides its record.
struct TPanelInfo {
  std::u16string caption;
  bool plugin = false;       // made through the panel service
  int32_t createdWidth = 0;  // the size asked at creation
  int32_t createdHeight = 0;
  intptr_t flags[3] = {};
};

// The host's own first record: its game list, shown by its own command.
void addHostPanel(HWND window, const char16_t* caption, int32_t command);
THostPanelList* panelList();
// Records made from now on hold host data in bytes 4 to 7 (--panel-record-bytes).
void fillPanelRecordBytes(bool fill);
const std::vector<TPanelInfo>& panelInfos();
HWND panelWindowAt(int32_t index);
// The first panel made by the plug-in; null when it made none.
HWND firstPluginPanel();
bool isPluginPanel(HWND window);

// The show command of a panel: true when id was one.
bool showPanelForCommand(int32_t id);
void hidePluginPanels();
// The minimum track size of a panel from its record, as the plug-in set it.
void applyPanelMinimum(HWND window, MINMAXINFO& limits);
