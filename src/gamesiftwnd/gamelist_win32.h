#pragma once
// The game list on page 0: its rows, its scroll bar, its keys, clicks and wheel.

#include <windows.h>

#include <cstdint>

#include "gamesiftwnd/listscroll_logic.h"

// The list's scroll bar, made with the panel.
extern HWND listScrollBar;

// Place the scroll bar, keep the cursor visible, and repaint the panel now if it is visible.
void refreshList();
// Only the scroll bar's place, range and visibility.
void placeScrollBar();
// Headers, rows and frame of page 0.
void paintListPage(HDC dc);
// Repaints the headers and rows at once.
void repaintRows();

void scrollList(TScrollRequest request);
void wheelList(int32_t delta);
// A key of the list (page 0 only); true when it was one.
bool listKey(WPARAM key);
// A click on page 0 below the tabs.
void clickList(int32_t x, int32_t y, bool shift, bool ctrl);
// Hover over the headers (page 0 only); true when the hand cursor applies.
bool hoverHeaders(HWND panel, int32_t x, int32_t y);
