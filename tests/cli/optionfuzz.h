#pragma once
// The command line's option values over arbitrary bytes, shared by the fuzz target and the test
// that replays what the fuzzer once broke. Empty when every check held, else what went wrong.

#include <string>
#include <string_view>

// The first byte picks a value reader (or the whole command line), the rest is the text.
std::string exerciseOptionValues(std::string_view bytes);
