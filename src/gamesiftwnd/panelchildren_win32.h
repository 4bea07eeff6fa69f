#pragma once
// The panel's child windows: the list's scroll bar, the output edit and the three host buttons of
// the bottom row.

#include <windows.h>

#include "gamesiftwnd/panellayout_logic.h"
#include "plugcommon/hostapi.h"

extern HWND outputEdit;

// The text whose width places the output edit, and the text written before it.
inline constexpr const wchar_t* kEditLabelMeasured = L"Сохранять в";
inline constexpr const wchar_t* kEditLabel = L"Сохранить в";

// Makes every child; called on each creation of the panel window.
void buildPanelChildren(HWND panel);
// The widths, in panelFont, of the bottom row's captions, measured when the children were made.
const TBottomRowTexts& bottomRowTexts();
// Moves the bottom row's children to their places; no change of z-order.
void placeBottomRow(const TPanelLayout& layout);
// The label "Сохранить в" and the frame around the output edit.
void paintBottomRow(HDC dc);
// A host button (class "knop") on parent with a rounded window region; null when it failed.
HWND makeHostButton(HWND parent, const wchar_t* text, int x, int y, int width, int height,
                    const RECT& region, int ellipse);
HWND makeHostButton(HWND parent, const wchar_t* text, const TButtonShape& shape);

// The extent of a text in panelFont.
SIZE measureText(HWND window, const wchar_t* text);

// The bottom row's button handlers.
void VORLEN_CALL startBatch();
void VORLEN_CALL chooseOutput();
void VORLEN_CALL showPanelMenu();
