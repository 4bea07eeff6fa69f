#pragma once
// The three settings pages of the panel: their controls and painters, plugged into the panel's
// page table.

#include <windows.h>

// Create a page's controls, hidden, and raise panelMinHeight to what the page needs. The panel
// builds them in the order other, split, filter.
void buildOtherPage(HWND panel);
void buildSplitPage(HWND panel);
void buildFilterPage(HWND panel);

// Show or hide every control of a page.
void showOtherPage(bool visible);
void showSplitPage(bool visible);
void showFilterPage(bool visible);

// Texts and field frames of a page, over the panel's background.
void paintOtherPage(HWND panel, HDC dc);
void paintSplitPage(HWND panel, HDC dc);
void paintFilterPage(HWND panel, HDC dc);
