#pragma once
// The command-line tests run the gamesift program the build made, on real files.

#include <filesystem>
#include <string>
#include <vector>

#include "support/runprogram.h"

inline std::filesystem::path gamesiftProgram() {
  return GAMESIFT_PROGRAM;
}

inline TProgramResult gamesift(const std::vector<std::string>& args,
                               const TProgramOptions& options = {}) {
  return runProgram(gamesiftProgram(), args, options);
}

// The examples shipped at the top of the source tree.
inline std::filesystem::path examplesPath(const std::filesystem::path& name = {}) {
  return std::filesystem::path(GAMESIFT_SOURCE_DIR) / "examples" / name;
}
