#include "gamesiftwnd/panelpages_win32.h"

#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/settingspages_win32.h"

const TPanelPage kPanelPages[4] = {
    {},  // the game list: the panel's own
    {buildSplitPage, showSplitPage, paintSplitPage},
    {buildFilterPage, showFilterPage, paintFilterPage},
    {buildOtherPage, showOtherPage, paintOtherPage},
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
