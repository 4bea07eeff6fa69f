#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "platform/platform.h"

namespace {

bool hasPgnSuffix(const std::string& name) {
  if (name.size() < 4) return false;
  std::string suffix = name.substr(name.size() - 4);
  std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return suffix == ".pgn";
}

bool isRegularFile(const std::filesystem::path& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::vector<std::filesystem::path> findPgnFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (hasPgnSuffix(name) && isRegularFile(folder / name)) names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}
