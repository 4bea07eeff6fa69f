#pragma once
// The faces of the tabs and the column headers: a background picture, the caption centred, the
// current one marked "» ", the hovered one underlined.

#include <windows.h>

// Loads the two background pictures; called at each creation of the panel window.
void loadFacePictures();
void paintFace(HDC dc, const RECT& area, const wchar_t* caption, bool current, bool hover);
// Repaints one tab (0..3) or header (1..6) on a window device context.
void redrawTab(HWND panel, int tab);
void redrawHeader(HWND panel, int column);
// The tabs with the edge line after the last one, and the six headers.
void paintTabs(HDC dc);
void paintHeaders(HDC dc);

extern const wchar_t* const kPageNames[4];
extern const wchar_t* const kColumnCaptions[6];
