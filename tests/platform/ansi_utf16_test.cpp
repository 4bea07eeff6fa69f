#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"

TEST(AnsiToUtf16, ReadsValidUtf8) {
  EXPECT_EQ(ansiToUtf16("Anna"), u"Anna");
  EXPECT_EQ(ansiToUtf16("\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0"), u"\u0410\u043D\u043D\u0430");
  EXPECT_EQ(ansiToUtf16("\xE2\x82\xAC"), u"\u20AC");
  EXPECT_EQ(ansiToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");  // a surrogate pair
  EXPECT_EQ(ansiToUtf16(""), u"");
}

TEST(AnsiToUtf16, ReadsOtherBytesAsWindows1251) {
  EXPECT_EQ(ansiToUtf16("\xC0\xED\xED\xE0"), u"\u0410\u043D\u043D\u0430");
  EXPECT_EQ(ansiToUtf16("\xA8\xB8\x88\xB9"), u"\u0401\u0451\u20AC\u2116");
  EXPECT_EQ(ansiToUtf16("\x98"), u"\u0098");
}

TEST(AnsiToUtf16, MalformedUtf8FallsBackToWindows1251) {
  EXPECT_EQ(ansiToUtf16("\xC0\x80"), u"\u0410\u0402");                      // overlong
  EXPECT_EQ(ansiToUtf16("\xED\xA0\x80"), u"\u043D\u00A0\u0402");            // a surrogate
  EXPECT_EQ(ansiToUtf16("ab\xD0"), u"ab\u0420");                            // cut short
  EXPECT_EQ(ansiToUtf16("\xF4\x90\x80\x80"), u"\u0444\u0452\u0402\u0402");  // beyond U+10FFFF
}
