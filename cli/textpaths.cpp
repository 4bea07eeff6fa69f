#include "cli/textpaths.h"

#ifdef _WIN32
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>
#endif

#include "platform/platform.h"

namespace {

#ifdef _WIN32
std::string narrowText(std::wstring_view wide, UINT codePage) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string result(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), length, result.data(), bytes, nullptr, nullptr);
  return result;
}
#endif

}  // namespace

std::vector<std::string> programArguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(narrowText(wide[i], CP_UTF8));
    LocalFree(wide);
    return arguments;
  }
#endif
  return std::vector<std::string>(argv, argv + argc);
}

std::filesystem::path argPath(std::string_view utf8) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
  return std::filesystem::path(std::string(utf8));
#endif
}

std::string pathText(const std::filesystem::path& path) {
#ifdef _WIN32
  return narrowText(path.native(), CP_UTF8);
#else
  return path.native();
#endif
}

std::u16string pathUtf16(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring& wide = path.native();
  return std::u16string(wide.begin(), wide.end());
#else
  // Not path::u16string(): it throws on bytes that are not UTF-8, which old file names can hold.
  return ansiToUtf16(path.native());
#endif
}

std::string systemText(std::string_view utf8) {
#ifdef _WIN32
  return narrowText(argPath(utf8).native(), CP_ACP);
#else
  return std::string(utf8);
#endif
}
