#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

// "Карпов" in the encodings Russian PGN files come in.
constexpr const char* kUtf8 = "\xD0\x9A\xD0\xB0\xD1\x80\xD0\xBF\xD0\xBE\xD0\xB2";
constexpr const char* kWindows1251 = "\xCA\xE0\xF0\xEF\xEE\xE2";
constexpr const char* kCp866 = "\x8A\xA0\xE0\xAF\xAE\xA2";
constexpr const char* kKoi8 = "\xEB\xC1\xD2\xD0\xCF\xD7";

// Every case leaves the default code page behind for the next.
class NameText : public ::testing::Test {
 protected:
  void TearDown() override { ASSERT_TRUE(setNameCodePage("1251")); }
};

TEST_F(NameText, Utf8NamesStayUtf8WhateverTheCodePage) {
  EXPECT_EQ(tagTextToName(kUtf8), kUtf8);
  ASSERT_TRUE(setNameCodePage("866"));
  EXPECT_EQ(tagTextToName(kUtf8), kUtf8);
  EXPECT_EQ(tagTextToName("Anna"), "Anna");
}

TEST_F(NameText, EightBitNamesAreReadAsWindows1251ByDefault) {
  EXPECT_EQ(tagTextToName(kWindows1251), kUtf8);
  // One stray byte spoils the UTF-8, so the whole text is 8-bit.
  EXPECT_EQ(tagTextToName(std::string(kUtf8) + "\xB9"),
            "\xD0\xA0\xD1\x99\xD0\xA0\xC2\xB0\xD0\xA1\xD0\x82\xD0\xA0\xD1\x97\xD0\xA0\xD1\x95"
            "\xD0\xA0\xD0\x86\xE2\x84\x96");
}

TEST_F(NameText, OtherCodePagesByNumberOrName) {
  ASSERT_TRUE(setNameCodePage("866"));
  EXPECT_EQ(tagTextToName(kCp866), kUtf8);
  ASSERT_TRUE(setNameCodePage("20866"));
  EXPECT_EQ(tagTextToName(kKoi8), kUtf8);
  ASSERT_TRUE(setNameCodePage("KOI8-R"));
  EXPECT_EQ(tagTextToName(kKoi8), kUtf8);
  ASSERT_TRUE(setNameCodePage("28595"));  // ISO-8859-5: "Ка"
  EXPECT_EQ(tagTextToName("\xBA\xD0"), "\xD0\x9A\xD0\xB0");
}

TEST_F(NameText, UnknownCodePageChangesNothing) {
  ASSERT_TRUE(setNameCodePage("866"));
  EXPECT_FALSE(setNameCodePage("no-such-page"));
  EXPECT_FALSE(setNameCodePage(""));
  EXPECT_EQ(tagTextToName(kCp866), kUtf8);
}

TEST_F(NameText, BytesTheCodePageLacksBecomeUnderscores) {
  ASSERT_TRUE(setNameCodePage("932"));  // Shift-JIS: 0x81 opens a pair that "A" cannot end
  EXPECT_EQ(tagTextToName("x\x81"), "x_");
}

}  // namespace
