#pragma once
// The command line's texts are UTF-8 inside the tool on every system. On Windows the arguments
// arrive as UTF-16 and paths are UTF-16, so a name in any script survives the trip; natively both
// are bytes and pass unchanged.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The program's arguments, the program's name first, as UTF-8 (Windows: the wide command line,
// not the lossy ANSI argv).
std::vector<std::string> programArguments(int argc, char** argv);

// A path given on the command line.
std::filesystem::path argPath(std::string_view utf8);

// A path to show in a message: UTF-8 on Windows, the name's own bytes natively.
std::string pathText(const std::filesystem::path& path);

// A path as UTF-16 for the settings file; native names that are not UTF-8 are read as 8-bit.
std::u16string pathUtf16(const std::filesystem::path& path);

// A text typed to match tags (player names) in the system's 8-bit code page, as the plug-in's
// fields hold it: Windows' ANSI code page; natively unchanged.
std::string systemText(std::string_view utf8);
