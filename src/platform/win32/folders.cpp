#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/platform.h"

namespace {

// The pattern also matches through short 8.3 names (a ".pgnx" file has a ".PGN" short name), so
// the long name is checked again.
bool hasPgnSuffix(const std::wstring& name) {
  constexpr wchar_t kSuffix[] = L".pgn";
  if (name.size() < 4) return false;
  const size_t start = name.size() - 4;
  for (size_t i = 0; i < 4; ++i) {
    wchar_t c = name[start + i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    if (c != kSuffix[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::filesystem::path> findPgnFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder / L"*.pgn").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && hasPgnSuffix(name))
      names.emplace_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}
