#include <windows.h>

#include "platform/platform.h"

std::u16string ansiToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (wide <= 0) return {};
  std::u16string result(static_cast<size_t>(wide), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(result.data()),
                      wide);
  return result;
}
