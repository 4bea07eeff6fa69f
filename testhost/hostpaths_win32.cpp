#include "hostpaths_win32.h"

#include <windows.h>

const std::wstring& hostExeFolder() {
  static const std::wstring folder = [] {
    std::wstring name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    name.resize(length);
    return name.substr(0, name.find_last_of(L'\\') + 1);
  }();
  return folder;
}

std::wstring hostPath(const std::u16string& path) {
  std::wstring wide(path.begin(), path.end());
  // Under Wine a Unix path ("/home/...") is a full path too.
  const bool full = (wide.size() >= 2 && wide[1] == L':') ||
                    (!wide.empty() && (wide[0] == L'\\' || wide[0] == L'/'));
  return full ? wide : hostExeFolder() + wide;
}
