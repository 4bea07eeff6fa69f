#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/platform.h"

namespace {

// The search takes every name and checks the long one: a pattern would also match through short
// 8.3 names (a ".pgnx" file has a ".PGN" short name).
bool endsWith(const std::wstring& name, const std::string& ending) {
  if (name.size() < ending.size()) return false;
  const size_t start = name.size() - ending.size();
  for (size_t i = 0; i < ending.size(); ++i) {
    wchar_t c = name[start + i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    if (c != static_cast<wchar_t>(static_cast<unsigned char>(ending[i]))) return false;
  }
  return true;
}

bool endsInOneOf(const std::wstring& name, const std::vector<std::string>& endings) {
  return std::any_of(endings.begin(), endings.end(),
                     [&](const std::string& ending) { return endsWith(name, ending); });
}

}  // namespace

std::vector<std::filesystem::path> findFilesEnding(const std::filesystem::path& folder,
                                                   const std::vector<std::string>& endings) {
  std::vector<std::filesystem::path> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && endsInOneOf(name, endings))
      names.emplace_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::filesystem::path> findPgnFiles(const std::filesystem::path& folder) {
  return findFilesEnding(folder, {".pgn"});
}
