#pragma once
// The drop-down fields' windows: edit boxes over the field records and the one shared pop-up list
// "Recent list" that proposes their items.

#include <windows.h>

#include "gamesiftwnd/dropdown_logic.h"

// Creates the field's edit box (hidden until its page shows) at x, y in parent; the list is made
// with the first field.
void createDropDown(TDropDownField& field, int32_t x, int32_t y, HWND parent, int32_t width);
// The edit box shows the field's accepted text.
void showFieldText(const TDropDownField& field);
void hideRecentList();
