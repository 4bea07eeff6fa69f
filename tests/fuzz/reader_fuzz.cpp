// libFuzzer entry: the PGN reader over whatever bytes the fuzzer makes. Seed it with
// tests/data/reader.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "support/readerexercise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string problem = exerciseReader(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "reader check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
