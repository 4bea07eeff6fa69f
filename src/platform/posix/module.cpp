#include <system_error>

#include "platform/platform.h"

// The kernel's link names the running executable whatever the process was started as.
std::filesystem::path executablePath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path;
}
