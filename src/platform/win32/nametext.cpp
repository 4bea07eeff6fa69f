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

// UTF-16 in a code page; empty when a character has no form there.
std::string narrowText(std::wstring_view wide, UINT codePage) {
  const int length = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  // UTF-8 takes neither flags nor the lossy answer.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* lost = utf8 ? nullptr : &lossy;
  const int bytes =
      WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, lost);
  if (bytes <= 0 || lossy) return {};
  std::string result(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), length, result.data(), bytes, nullptr, lost);
  return lossy ? std::string() : result;
}

}  // namespace

std::string utf8ToNameCodePage(std::string_view utf8) {
  if (utf8.empty()) return {};
  const std::wstring wide = wideText(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
  return wide.empty() ? std::string() : narrowText(wide, nameCodePage);
}

std::string tagTextToUtf8(std::string_view text) {
  return narrowText(tagTextToName(text), CP_UTF8);
}

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
