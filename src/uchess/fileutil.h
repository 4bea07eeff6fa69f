#pragma once
// Small file and text routines shared by the units.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The folder of the running program's executable, ending with the path separator.
std::filesystem::path hostFolder();

// Reads count bytes from the 1-based offset; false when the file cannot be opened or read.
bool readFileRange(const std::filesystem::path& path, int64_t offset, int64_t count,
                   std::string& bytes);
bool readWholeFile(const std::filesystem::path& path, std::string& bytes);

std::string intToText(int32_t value);
// Decimal digits only; an empty text is 0. A value beyond int32 is not a number.
bool textToInt(std::string_view text, int32_t& value);

struct TRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
bool pointInRect(int32_t x, int32_t y, const TRect& rect);
