#pragma once
// Text decoders the POSIX services share; Windows has them in the system.

#include <string>
#include <string_view>

// UTF-8 as UTF-16; false (result unspecified) on a malformed, overlong or surrogate sequence.
bool utf8ToUtf16(std::string_view text, std::u16string& result);

// UTF-16 as Windows-1251 bytes; false when a character has no byte there.
bool utf16ToWindows1251(std::u16string_view text, std::string& result);

// Windows-1251 bytes as UTF-16 (the code page of most Russian PGN files).
std::u16string windows1251ToUtf16(std::string_view text);
