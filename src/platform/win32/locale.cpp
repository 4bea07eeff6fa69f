#include <windows.h>

#include "platform/platform.h"

int compareLocale(const std::filesystem::path& a, const std::filesystem::path& b) {
  const int order = CompareStringW(LOCALE_USER_DEFAULT, 0, a.c_str(), -1, b.c_str(), -1);
  // 0 means the call failed; the names then keep the order of their code units.
  if (order == 0) return (a.native() > b.native()) - (a.native() < b.native());
  return order - CSTR_EQUAL;
}
