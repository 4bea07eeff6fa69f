#include "gamesiftwnd/panelpages_win32.h"

#include "gamesiftwnd/panel_win32.h"

// The settings pages fill their entries here as they are built.
const TPanelPage kPanelPages[4] = {
    {},  // the game list: the panel's own
    {},  // "Разбиение"
    {},  // "Фильтры"
    {},  // "Остальное"
};

void buildSettingsPages(HWND panel) {
  constexpr int32_t kBuildOrder[] = {3, 1, 2};
  for (int32_t page : kBuildOrder)
    if (kPanelPages[page].build) kPanelPages[page].build(panel);
}

void showPageControls(int32_t page, bool visible) {
  if (page < 0 || page > 3) return;
  if (kPanelPages[page].show) kPanelPages[page].show(visible);
}

void paintPage(int32_t page, HWND panel, HDC dc) {
  if (page < 0 || page > 3) return;
  if (kPanelPages[page].paint) kPanelPages[page].paint(panel, dc);
}

// Until the option controls exist there is nothing that shows the options.
void showOptions() {}
