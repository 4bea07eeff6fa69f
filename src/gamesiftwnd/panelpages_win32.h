#pragma once
// Where the settings pages plug into the panel. Page 0 is the game list, which the panel draws
// itself; pages 1 to 3 ("Разбиение", "Фильтры", "Остальное") each fill one entry of kPanelPages.
// A page without an entry, or with a null hook, has no controls and shows the panel background.

#include <windows.h>

#include <cstdint>

struct TPanelPage {
  // Makes the page's controls on the panel, hidden unless the page is current; may raise
  // panelMinHeight. Called once per panel creation.
  void (*build)(HWND panel) = nullptr;
  // Shows or hides every control of the page.
  void (*show)(bool visible) = nullptr;
  // Paints what the page's controls do not cover (labels, frames), after the background.
  void (*paint)(HWND panel, HDC dc) = nullptr;
};

// Indexed by page (0..3).
extern const TPanelPage kPanelPages[4];

// Builds the settings pages' controls in the order other, split, filter.
void buildSettingsPages(HWND panel);
void showPageControls(int32_t page, bool visible);
void paintPage(int32_t page, HWND panel, HDC dc);
