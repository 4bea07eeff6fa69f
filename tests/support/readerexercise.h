#pragma once
// One run of the PGN reader over arbitrary bytes, shared by the fuzz target and the tests that
// replay its corpus: reads the bytes as a file and as a movetext, and checks what must hold
// whatever the bytes were. Depends on nothing but the engine, so the fuzzer can build it alone.

#include <string>
#include <string_view>

// Empty when every check held, else what went wrong.
std::string exerciseReader(std::string_view bytes);
