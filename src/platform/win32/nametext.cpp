#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace {

UINT nameCodePage = CP_ACP;

// The text in a code page as UTF-16; empty when the code page refuses it (flags say how strictly).
std::wstring wideText(std::string_view text, UINT codePage, DWORD flags) {
  const int length = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (wide <= 0) return {};
  std::wstring result(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), length, result.data(), wide);
  return result;
}

}  // namespace

std::wstring tagTextToName(std::string_view text) {
  if (text.empty()) return {};
  // MB_ERR_INVALID_CHARS refuses malformed, overlong and surrogate sequences alike.
  std::wstring name = wideText(text, CP_UTF8, MB_ERR_INVALID_CHARS);
  if (!name.empty()) return name;
  return wideText(text, nameCodePage, 0);
}

bool setNameCodePage(std::string_view name) {
  if (name.empty() || name.size() > 5 || name.find_first_not_of("0123456789") != name.npos)
    return false;
  const UINT number = static_cast<UINT>(std::stoul(std::string(name)));
  if (!IsValidCodePage(number)) return false;
  nameCodePage = number;
  return true;
}
