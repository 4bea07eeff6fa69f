#pragma once
// The panel's process-wide values that the start and stop entries set and the panel keeps up to
// date, and the rules that size the panel from the screen's resolution.

#include <cstdint>
#include <string>

#include "plugcommon/hostapi.h"

// Sizes in pixels; the defaults are later overwritten with the client size on every resize.
extern int32_t panelWidth;
extern int32_t panelHeight;
extern int32_t panelMinHeight;  // raised by the settings pages while the panel is created
// The host's command that shows the panel; 0 while the host's panel record was not found.
extern int32_t panelCommand;
// Where batch output goes: a path without extension, from which output file names are built.
extern std::u16string outputPath;
extern uint8_t autoResetSettings;
// Set each time the panel is shown; only then does the stop entry save the settings file.
extern uint8_t panelWasShown;

inline constexpr int32_t kInitialPanelMinHeight = 450;

// The panel's default size and its smallest width at a resolution in logical pixels per inch.
struct TPanelSize {
  int32_t width = 0;
  int32_t height = 0;
  int32_t minWidth = 0;
};
TPanelSize panelDefaultSize(int32_t dpi);

// The host folder followed by "output".
std::u16string defaultOutputPath();

// A window handle as the host's panel record holds it: its low 32 bits (hostapi.h).
uint32_t panelRecordHandle(const void* window);

// The record of the panel with this window, searched from the last record to the first; null
// when none has it (or the host gave no records). Only the handle's 4 bytes at the record's
// start are compared; the host's bytes after them may hold anything.
THostPanelRecord* findPanelRecord(const THostPanelList* panels, const void* window);

// Gives the panel's record its minimum size and returns the command that shows the panel.
int32_t adoptPanelRecord(THostPanelRecord& record, const TPanelSize& size, int32_t minHeight);
