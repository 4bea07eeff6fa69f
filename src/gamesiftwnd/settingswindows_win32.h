#pragma once
// What the settings windows share on Win32: the panel font and the host's measures they are laid
// out by.

#include <windows.h>

#include <string_view>

#include "gamesiftwnd/pagelayout_logic.h"

// The panel's own font, made once from the host's description.
HFONT settingsFont();
// The host's text height: a field is one pixel taller.
int32_t hostTextHeight();
// Margins, check-box size and row height, with texts measured in dc (the panel font selected).
TPageMetrics pageMetrics(HDC dc);
int32_t textWidth(HDC dc, std::u16string_view text);
int32_t textHeight(HDC dc, std::u16string_view text);
// The desktop's work area in screen coordinates.
TRect workArea();
const wchar_t* wide(std::u16string_view text);
