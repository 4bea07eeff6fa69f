#pragma once
// What loading the settings file changes, decided from how far the file went: where the panel
// goes, whether the host is asked to show it, and which of the values read are taken over.

#include "plugin/settingsfile_logic.h"

struct TSettingsLoad {
  TPanelPlacement placement;
  bool showPanel = false;       // send the host the command that shows the panel
  bool takeOutputPath = false;  // outputPath and the auto-reset flag (with its check mark)
  bool showOptions = false;     // the options were read: the option controls must show them
};

// width and height are the panel's default size, used when there is no file and for the
// placement fields a file that ends early does not hold.
TSettingsLoad planSettingsLoad(TSettingsContent content, const TPanelSettings& read,
                               const TRect& workArea, int32_t width, int32_t height);
