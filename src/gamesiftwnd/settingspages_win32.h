#pragma once
// The three settings pages of the panel: their controls, painters and the panel's bottom-row
// buttons that live beside them. The panel calls these while it creates its children, paints a
// page and switches pages.

#include <windows.h>

#include "plugcommon/hostapi.h"

enum class TSettingsPage : int32_t { split = 1, filter = 2, other = 3 };

// Create a page's controls, hidden, and raise panelMinHeight to what the page needs; dc has the
// panel font selected. The panel calls them in the order other, split, filter.
void buildOtherPage(HWND panel, HDC dc);
void buildSplitPage(HWND panel, HDC dc);
void buildFilterPage(HWND panel, HDC dc);
void buildSettingsPages(HWND panel, HDC dc);

// Texts and field frames of the page, with the panel font and frame pen selected into dc.
void paintOtherPage(HDC dc);
void paintSplitPage(HDC dc);
void paintFilterPage(HDC dc);
void paintSettingsPage(TSettingsPage page, HDC dc);

// Shows or hides every control of the page.
void showSettingsPage(TSettingsPage page, bool shown);

// The bottom row: "Старт", the output choice beside the output edit, and the menu button.
void VORLEN_CALL chooseOutput();
void VORLEN_CALL showPanelMenu();
// Where the menu button is, for showPanelMenu; the panel sets it when it makes the button.
extern HWND panelMenuButton;
