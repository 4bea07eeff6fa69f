#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "platform/platform.h"

namespace {

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return text;
}

bool endsInOneOf(const std::string& name, const std::vector<std::string>& endings) {
  const std::string lower = lowered(name);
  return std::any_of(endings.begin(), endings.end(),
                     [&](const std::string& ending) { return lower.ends_with(ending); });
}

bool isRegularFile(const std::filesystem::path& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::vector<std::filesystem::path> findFilesEnding(const std::filesystem::path& folder,
                                                   const std::vector<std::string>& endings) {
  std::vector<std::filesystem::path> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (endsInOneOf(name, endings) && isRegularFile(folder / name)) names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::filesystem::path> findPgnFiles(const std::filesystem::path& folder) {
  return findFilesEnding(folder, {".pgn"});
}
