#pragma once
// The command-line tests run the gamesift program the build made, on real files.

#include <cstdlib>
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

// The number a report line gives for label, or -1 when no line has it.
inline int reported(const std::string& report, const std::string& label) {
  const size_t at = report.find(label + ": ");
  return at == std::string::npos ? -1 : std::atoi(report.c_str() + at + label.size() + 2);
}

// The examples shipped at the top of the source tree.
inline std::filesystem::path examplesPath(const std::filesystem::path& name = {}) {
  return std::filesystem::path(GAMESIFT_SOURCE_DIR) / "examples" / name;
}
