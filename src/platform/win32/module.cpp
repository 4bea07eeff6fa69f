#include <windows.h>

#include <string>

#include "platform/platform.h"

// The main module, not this library: the plug-in's files lie beside the host program.
std::filesystem::path executablePath() {
  std::wstring name(MAX_PATH, L'\0');
  // A name that fills the buffer may have been cut, so long paths get a larger buffer.
  while (name.size() <= 32768) {
    DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name);
    }
    name.resize(name.size() * 2);
  }
  return {};
}
