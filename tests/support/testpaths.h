#pragma once
// Where tests find their files: the small cases under tests/data and the real games beside the
// repository, which may be absent (tests that need them skip).

#include <filesystem>

#include <gtest/gtest.h>

// tests/data of the source tree.
std::filesystem::path testDataPath(const std::filesystem::path& name = {});

// ../shared/data (or $GAMESIFT_SHARED_DATA); empty when the folder is not there.
std::filesystem::path sharedDataPath(const std::filesystem::path& name = {});

// Skips the current test when the shared real games are not present.
#define SKIP_WITHOUT_SHARED_DATA(path)                               \
  do {                                                               \
    if ((path).empty() || !std::filesystem::exists(path))            \
      GTEST_SKIP() << "real games not present: " << (path).string(); \
  } while (0)

#include <string>
#include <vector>

// The bytes of every file of a tests/data folder (none when it is missing), with their names.
struct TDataFile {
  std::string name;
  std::string bytes;
};
std::vector<TDataFile> testDataFiles(const std::filesystem::path& folder);
