// "gamesift.dat" of the host folder: the panel's placement and visibility, the output path and
// the options, read at start and written at stop.

#include "gamesiftwnd/panel_win32.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"
#include "plugin/settingsfile_logic.h"
#include "plugin/settingsload_logic.h"
#include "uchess/fileutil.h"

namespace {

std::filesystem::path settingsPath() {
  return hostFolder() / L"gamesift.dat";
}

TRect workArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {area.left, area.top, area.right, area.bottom};
}

void placePanel(const TPanelPlacement& place) {
  SetWindowPos(panelWindow, nullptr, place.left, place.top, place.width, place.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void LoadSettings() {
  TPanelSettings settings;
  settings.outputPath = outputPath;
  settings.autoResetSettings = autoResetSettings == 1;
  const TSettingsContent content = readSettingsFile(settingsPath(), settings);
  const TSettingsLoad plan =
      planSettingsLoad(content, settings, workArea(), panelWidth, panelHeight);
  placePanel(plan.placement);
  if (plan.showPanel) showPanelThroughHost();
  if (plan.takeOutputPath) {
    outputPath = settings.outputPath;
    showOutputPath();
    autoResetSettings = settings.autoResetSettings ? 1 : 0;
    showAutoResetMark();
  }
  if (plan.showOptions) showOptions();
}

void SaveSettings() {
  TPanelSettings settings;
  RECT outer{};
  GetWindowRect(panelWindow, &outer);
  settings.placement = {outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
  settings.panelVisible = IsWindowVisible(panelWindow) != 0;
  settings.outputPath = outputPath;
  settings.autoResetSettings = autoResetSettings == 1;
  // A failed write is not reported: the plug-in is going away and the old file is kept.
  writeSettingsFile(settingsPath(), settings);
}
