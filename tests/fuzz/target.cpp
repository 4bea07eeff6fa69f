// libFuzzer entry shared by every fuzz target: the build names the check to run
// (GAMESIFT_FUZZ_CHECK) and the header declaring it (GAMESIFT_FUZZ_HEADER).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include GAMESIFT_FUZZ_HEADER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem =
      GAMESIFT_FUZZ_CHECK(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
