#pragma once
// What the settings windows share on Win32: the measures they are laid out by.

#include <windows.h>

#include <string_view>

#include "gamesiftwnd/pagelayout_logic.h"

// Margins, check-box size and row height, with texts measured in the panel font.
TPageMetrics pageMetrics(HWND panel);
// A text's extent in the panel font in dc (the font is selected for the call).
SIZE textExtent(HDC dc, std::u16string_view text);
// The desktop's work area in screen coordinates.
TRect workArea();
// The outer size that gives the window a client area of width x height. A window is laid out for
// its client area; a host whose modal window has a system caption and frame would otherwise cut
// the bottom row off. A frameless window keeps the size as it is.
SIZE withWindowFrame(HWND window, int32_t width, int32_t height);
const wchar_t* wide(std::u16string_view text);
