#include <iconv.h>

#include <cerrno>
#include <string>

#include "platform/platform.h"
#include "platform/posix/textcodes.h"

namespace {

// Empty: Windows-1251 from the table of our own, which needs no converter installed.
std::string nameCodePage;

// The converter's name for a Windows code-page number.
std::string converterName(std::string_view name) {
  if (name.empty() || name.find_first_not_of("0123456789") != std::string_view::npos)
    return std::string(name);
  const std::string number(name);
  if (number == "65001") return "UTF-8";
  if (number == "20866") return "KOI8-R";
  if (number == "21866") return "KOI8-U";
  if (number.size() == 5 && number.starts_with("2859")) return "ISO-8859-" + number.substr(4);
  if (number == "28605") return "ISO-8859-15";
  return "CP" + number;
}

bool isWindows1251(const std::string& name) {
  return name == "CP1251" || name == "WINDOWS-1251" || name == "cp1251" || name == "windows-1251";
}

// UTF-8 text in the chosen code page; empty when the converter refuses any of it.
std::string textInCodePage(std::string_view utf8) {
  iconv_t converter = iconv_open(nameCodePage.c_str(), "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string result(utf8.size() * 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* out = result.data();
  size_t outLeft = result.size();
  const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  if (done == static_cast<size_t>(-1) || inLeft > 0) return {};
  result.resize(result.size() - outLeft);
  return result;
}

// Text in the chosen code page as UTF-8; a byte the converter refuses becomes "_".
std::string convertedText(std::string_view text) {
  iconv_t converter = iconv_open("UTF-8", nameCodePage.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string result;
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buffer[256];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    result.append(buffer, static_cast<size_t>(out - buffer));
    if (done == static_cast<size_t>(-1) && errno != E2BIG) {
      result.push_back('_');
      ++in;
      --inLeft;
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(converter);
  return result;
}

}  // namespace

std::string tagTextToName(std::string_view text) {
  std::u16string ignored;
  if (utf8ToUtf16(text, ignored)) return std::string(text);
  if (nameCodePage.empty()) return std::filesystem::path(windows1251ToUtf16(text)).native();
  return convertedText(text);
}

std::string utf8ToNameCodePage(std::string_view utf8) {
  std::u16string wide;
  if (!utf8ToUtf16(utf8, wide)) return {};
  if (!nameCodePage.empty()) return textInCodePage(utf8);
  std::string bytes;
  return utf16ToWindows1251(wide, bytes) ? bytes : std::string();
}

std::string tagTextToUtf8(std::string_view text) {
  return tagTextToName(text);
}

bool setNameCodePage(std::string_view name) {
  const std::string chosen = converterName(name);
  if (chosen.empty()) return false;
  if (isWindows1251(chosen)) {
    nameCodePage.clear();
    return true;
  }
  iconv_t converter = iconv_open("UTF-8", chosen.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(converter);
  nameCodePage = chosen;
  return true;
}
