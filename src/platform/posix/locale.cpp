#include <locale.h>
#include <wchar.h>

#include <string>

#include "platform/platform.h"

namespace {

// The environment's collation, made once and kept: the process-wide locale is left alone.
locale_t userCollation() {
  static const locale_t collation = [] {
    locale_t made = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, "", locale_t(0));
    return made ? made : newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, "C", locale_t(0));
  }();
  return collation;
}

// File names are bytes natively; wcscoll needs whole characters, surrogate pairs joined.
std::wstring wideName(const std::filesystem::path& path) {
  const std::u16string units = ansiToUtf16(path.native());
  std::wstring wide;
  wide.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t code = units[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
    }
    wide.push_back(static_cast<wchar_t>(code));
  }
  return wide;
}

}  // namespace

int compareLocale(const std::filesystem::path& a, const std::filesystem::path& b) {
  const std::wstring wa = wideName(a);
  const std::wstring wb = wideName(b);
  const locale_t collation = userCollation();
  const int order = collation ? wcscoll_l(wa.c_str(), wb.c_str(), collation) : wa.compare(wb);
  return (order > 0) - (order < 0);
}
