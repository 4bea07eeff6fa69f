#include <sys/stat.h>

#include "platform/platform.h"

TFileIdentity fileIdentity(const std::filesystem::path& path) {
  TFileIdentity identity;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return identity;
  identity.known = true;
  identity.volume = static_cast<uint64_t>(info.st_dev);
  identity.index = static_cast<uint64_t>(info.st_ino);
  return identity;
}
