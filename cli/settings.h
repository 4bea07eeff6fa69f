#pragma once
// The settings file on the command line: --settings takes the batch options from a
// "gamesift.dat", --save-settings writes the options in force into one. A file is checked whole
// before anything in it is used, so a damaged one is refused instead of half applied.

#include <filesystem>
#include <string>
#include <string_view>

#include "plugin/settingsfile_logic.h"

// Empty when bytes are a whole settings file, else what is wrong with them. content tells how far
// the file goes (a file may stop after the placement, or after the auto-reset flag).
std::string checkSettingsBytes(std::string_view bytes, TSettingsContent& content);

// Reads and checks the file and, when it holds them, puts its options into the option set.
// Empty when that worked, else the problem.
std::string loadSettings(const std::filesystem::path& path, TSettingsContent& content);

// Writes every field, the options in force included, with outputBase as the output path and the
// panel at its default place. Empty when that worked, else the problem.
std::string saveSettings(const std::filesystem::path& path,
                         const std::filesystem::path& outputBase);

// The panel placement written by the command line: a panel of the plug-in's base size centred on
// a full-HD work area. The plug-in fits it to the real screen when it loads the file.
TPanelSettings defaultPanelSettings(const std::filesystem::path& outputBase);
