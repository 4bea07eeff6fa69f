#include "support/testpaths.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

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

std::vector<TDataFile> testDataFiles(const std::filesystem::path& folder) {
  std::vector<TDataFile> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(testDataPath(folder), error)) {
    std::ifstream in(entry.path(), std::ios::binary);
    files.push_back(
        {entry.path().filename().string(), std::string(std::istreambuf_iterator<char>(in), {})});
  }
  std::sort(files.begin(), files.end(),
            [](const TDataFile& a, const TDataFile& b) { return a.name < b.name; });
  return files;
}
