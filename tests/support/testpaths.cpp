#include "support/testpaths.h"

#include <cstdlib>

std::filesystem::path testDataPath(const std::filesystem::path& name) {
  return std::filesystem::path(GAMESIFT_TEST_DATA) / name;
}

std::filesystem::path sharedDataPath(const std::filesystem::path& name) {
  const char* fromEnvironment = std::getenv("GAMESIFT_SHARED_DATA");
  std::filesystem::path root = fromEnvironment && *fromEnvironment
                                   ? std::filesystem::path(fromEnvironment)
                                   : std::filesystem::path(GAMESIFT_SHARED_DATA);
  if (!std::filesystem::is_directory(root)) return {};
  return root / name;
}
