#pragma once
// Runs of the engine's smaller readers over arbitrary bytes, shared by the fuzz targets and the
// tests that replay the inputs the fuzzers once broke. Each answers an empty text when every
// check held, else what went wrong; a crash or a leak is the sanitizers' to catch.

#include <string>
#include <string_view>

// A FEN text set up as a journal's start board, then a few moves tried on it.
std::string exerciseFen(std::string_view bytes);
// The bytes as an ECO base file: loaded, then every key looked up again.
std::string exerciseEcoBase(std::string_view bytes);
// The bytes as a settings file through the byte file: read, written back, read again.
std::string exerciseSettingsFile(std::string_view bytes);
// The date, rating and whole-number readers over the bytes as a tag value.
std::string exerciseNumbers(std::string_view bytes);
