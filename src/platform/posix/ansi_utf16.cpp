#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/platform.h"
#include "platform/posix/textcodes.h"

namespace {

// Windows-1251 bytes 0x80..0xFF; 0x98 has no character and stands for itself, as on Windows.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Decodes one UTF-8 sequence at pos; false on a malformed, overlong or surrogate sequence.
bool decodeUtf8(std::string_view text, size_t& pos, char32_t& code) {
  const auto lead = static_cast<uint8_t>(text[pos]);
  int extra = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    code = lead;
    ++pos;
    return true;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    code = lead & 0x1F;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    code = lead & 0x0F;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    code = lead & 0x07;
    least = 0x10000;
  } else {
    return false;
  }
  if (text.size() - pos <= static_cast<size_t>(extra)) return false;
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<uint8_t>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
  pos += extra + 1;
  return true;
}

}  // namespace

bool utf8ToUtf16(std::string_view text, std::u16string& result) {
  result.clear();
  size_t pos = 0;
  while (pos < text.size()) {
    char32_t code = 0;
    if (!decodeUtf8(text, pos, code)) return false;
    if (code < 0x10000) {
      result.push_back(static_cast<char16_t>(code));
    } else {
      code -= 0x10000;
      result.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      result.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
  }
  return true;
}

std::u16string windows1251ToUtf16(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<uint8_t>(c);
    result.push_back(byte < 0x80 ? char16_t(byte) : kCp1251High[byte - 0x80]);
  }
  return result;
}

bool utf16ToWindows1251(std::u16string_view text, std::string& result) {
  result.clear();
  for (const char16_t c : text) {
    if (c < 0x80) {
      result.push_back(static_cast<char>(c));
      continue;
    }
    const auto found = std::find(kCp1251High.begin(), kCp1251High.end(), c);
    if (found == kCp1251High.end()) return false;
    result.push_back(static_cast<char>(0x80 + (found - kCp1251High.begin())));
  }
  return true;
}

std::u16string ansiToUtf16(std::string_view text) {
  std::u16string result;
  if (utf8ToUtf16(text, result)) return result;
  return windows1251ToUtf16(text);
}
