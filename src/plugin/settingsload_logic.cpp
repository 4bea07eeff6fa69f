#include "plugin/settingsload_logic.h"

TSettingsLoad planSettingsLoad(TSettingsContent content, const TPanelSettings& read,
                               const TRect& workArea, int32_t width, int32_t height) {
  TSettingsLoad plan;
  if (content == TSettingsContent::missing) {
    // The visibility stays as the host made it.
    plan.placement = centredPlacement(width, height, workArea);
    return plan;
  }
  // A file that ends inside the placement gives the fields it holds; the others are those of the
  // default placement: the default size, centred on the work area, and the visibility the host
  // gave. One that holds none of them is no different from no file.
  if (read.wholeFields == 0)
    return planSettingsLoad(TSettingsContent::missing, read, workArea, width, height);
  TPanelPlacement saved = read.placement;
  if (read.wholeFields < 3) saved.width = width;
  if (read.wholeFields < 4) saved.height = height;
  if (read.wholeFields < 2) saved.top = centredPlacement(saved.width, saved.height, workArea).top;
  plan.placement = clampPlacement(saved, workArea);
  plan.showPanel = read.wholeFields >= 5 && read.panelVisible;
  plan.takeOutputPath = content != TSettingsContent::placement;
  plan.showOptions =
      content == TSettingsContent::everything || content == TSettingsContent::someOptions;
  return plan;
}
