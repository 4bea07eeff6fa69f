#include "plugin/settingsload_logic.h"

TSettingsLoad planSettingsLoad(TSettingsContent content, const TPanelSettings& read,
                               const TRect& workArea, int32_t width, int32_t height) {
  TSettingsLoad plan;
  if (content == TSettingsContent::missing) {
    // The visibility stays as the host made it.
    plan.placement = centredPlacement(width, height, workArea);
    return plan;
  }
  plan.placement = clampPlacement(read.placement, workArea);
  plan.showPanel = read.panelVisible;
  plan.takeOutputPath = content != TSettingsContent::placement;
  plan.showOptions = content == TSettingsContent::everything;
  return plan;
}
