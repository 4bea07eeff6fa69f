#pragma once
// "gamesift.dat": the panel's placement and visibility, the output path, the auto-reset flag and,
// when auto-reset is off, every batch option. The order of the fields is the whole format.

#include <cstdint>
#include <filesystem>
#include <string>

#include "uchess/fileutil.h"

// The panel's outer rectangle in screen coordinates.
struct TPanelPlacement {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// How far a settings file went: each level includes the ones before it.
enum class TSettingsContent : uint8_t {
  missing,      // no file, or it could not be opened
  placement,    // fields 1-5 (or fewer, in a file that ends early)
  pathAndFlag,  // fields 1-7, options at their defaults
  someOptions,  // fields 1-7 and the options up to where the file ended; the rest defaults
  everything,   // fields 1-37
};

constexpr int32_t kSettingsFieldCount = 37;

struct TPanelSettings {
  TPanelPlacement placement;
  bool panelVisible = false;
  std::u16string outputPath;
  bool autoResetSettings = true;
  // How many fields, from the first, the file held whole. A field the file ends inside or before
  // (or a text whose length runs past its end) is not read: it and every later one keep their
  // defaults, rather than loading as zeros.
  int32_t wholeFields = kSettingsFieldCount;
};

constexpr int32_t kSmallestPanelWidth = 600;
constexpr int32_t kSmallestPanelHeight = 450;

// Reads the file into settings and, when it holds them, into the batch options, by the file's
// reading rules for every field the file holds whole. When the file ends early, the fields it lacks get
// their defaults: the options the built-in ones, the auto-reset flag on; the placement fields and
// the output path are left for the caller, which knows their defaults (wholeFields tells). The
// placement is returned as stored; clampPlacement fits it to the screen.
TSettingsContent readSettingsFile(const std::filesystem::path& path, TPanelSettings& settings);

// Writes fields 1-7 and, unless auto-reset is on, the batch options. The old file is replaced only
// after the new one was written whole, so a failed write never loses the settings already saved.
bool writeSettingsFile(const std::filesystem::path& path, const TPanelSettings& settings);

// The saved placement brought back onto the work area, as the panel is placed when loading.
TPanelPlacement clampPlacement(TPanelPlacement saved, const TRect& workArea);

// The default placement of a panel of the given size: centred on the work area.
TPanelPlacement centredPlacement(int32_t width, int32_t height, const TRect& workArea);
