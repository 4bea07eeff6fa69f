#pragma once
// The panel window: the message and paint procedures that the host calls for it, and what its
// parts (the list, the bottom row, the settings pages) share.

#include <windows.h>

#include <cstdint>

#include "gamesiftwnd/panellayout_logic.h"
#include "plugcommon/hostapi.h"

intptr_t VORLEN_CALL panelMessageProc(void* window, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam);
void VORLEN_CALL panelPaintProc(void* window, void* deviceContext);

// Bring the panel's controls up to date after the settings changed under them.
void showOutputPath();  // the output path edit shows outputPath
void showOptions();     // every option control shows its option

// The panel's state shared by its parts

extern uint8_t panelPage;  // 0 "Партии", 1 "Разбиение", 2 "Фильтры", 3 "Остальное"
extern int32_t hoverTab;
extern int32_t hoverColumn;
extern int32_t listRowHeight;
extern HFONT panelFont;       // made once from the host's panel font
extern COLORREF frameColour;  // re-read each time the panel is shown
extern int32_t rowHeight;     // the settings pages' row height

// The host's margins and text height.
TPanelMetrics panelMetrics();
// Where everything lies at the panel's current size.
const TPanelLayout& currentLayout();

// The host's default handling of a panel message.
intptr_t panelDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A host colour (service 10002) with a fallback where the host gives none.
COLORREF hostColourOf(void* value, COLORREF fallback);
