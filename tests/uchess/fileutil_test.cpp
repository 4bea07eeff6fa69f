#include "uchess/fileutil.h"

#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/tempfolder.h"

using namespace std::string_literals;

// Decimal texts

struct TNumberCase {
  const char* text;
  bool accepted;
  int32_t value;
};

void PrintTo(const TNumberCase& c, std::ostream* out) {
  *out << '"' << c.text << '"';
}

class TextToIntTest : public testing::TestWithParam<TNumberCase> {};

TEST_P(TextToIntTest, AcceptsDigitsThatFitInt32Only) {
  const TNumberCase& c = GetParam();
  int32_t value = -5;
  EXPECT_EQ(textToInt(c.text, value), c.accepted) << c.text;
  // A refused text leaves the caller's value alone.
  EXPECT_EQ(value, c.accepted ? c.value : -5) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, TextToIntTest,
                         testing::Values(TNumberCase{"", true, 0}, TNumberCase{"12a", false, 0},
                                         TNumberCase{"007", true, 7},
                                         TNumberCase{"1200", true, 1200},
                                         TNumberCase{"2147483647", true, INT32_MAX},
                                         TNumberCase{"2147483648", false, 0},
                                         TNumberCase{"4294967297", false, 0},
                                         TNumberCase{"000000000000002147483647", true, INT32_MAX},
                                         TNumberCase{"99999999999999999999999999", false, 0},
                                         TNumberCase{"-1", false, 0}, TNumberCase{" 1", false, 0},
                                         TNumberCase{"+1", false, 0}));

TEST(IntToText, WritesPlainDecimalDigits) {
  EXPECT_EQ(intToText(0), "0");
  EXPECT_EQ(intToText(1200), "1200");
  EXPECT_EQ(intToText(INT32_MAX), "2147483647");
  EXPECT_EQ(intToText(-45), "-45");
  EXPECT_EQ(intToText(INT32_MIN), "-2147483648");
}

TEST(IntToText, RoundTripsThroughTextToInt) {
  for (int32_t n : {0, 1, 9, 10, 99, 100, 65535, 1000000, INT32_MAX}) {
    int32_t back = -1;
    ASSERT_TRUE(textToInt(intToText(n), back));
    EXPECT_EQ(back, n);
  }
}

TEST(PointInRect, BordersBelongToTheRectangle) {
  TRect r{10, 20, 30, 40};
  EXPECT_TRUE(pointInRect(10, 20, r));
  EXPECT_TRUE(pointInRect(30, 40, r));
  EXPECT_TRUE(pointInRect(15, 25, r));
  EXPECT_FALSE(pointInRect(9, 25, r));
  EXPECT_FALSE(pointInRect(31, 25, r));
  EXPECT_FALSE(pointInRect(15, 19, r));
  EXPECT_FALSE(pointInRect(15, 41, r));
}

// Reading files

TEST(ReadWholeFile, FailsOnMissingFileOrFolder) {
  TTempFolder folder;
  std::string bytes = "old";
  EXPECT_FALSE(readWholeFile(folder / "missing.pgn", bytes));
  EXPECT_FALSE(readWholeFile(folder.path(), bytes));
}

TEST(ReadWholeFile, EmptyFileGivesEmptyText) {
  TTempFolder folder;
  std::string bytes = "old";
  EXPECT_TRUE(readWholeFile(folder.write("empty.pgn", ""), bytes));
  EXPECT_EQ(bytes, "");
}

TEST(ReadWholeFile, KeepsEveryByte) {
  TTempFolder folder;
  std::string content = "[Event \"\xC8\xE3\xF0\xE0\"]\r\n\0\xFF end"s;
  std::string bytes;
  ASSERT_TRUE(readWholeFile(folder.write("game.pgn", content), bytes));
  EXPECT_EQ(bytes, content);
}

TEST(ReadFileRange, OffsetIsOneBased) {
  TTempFolder folder;
  auto file = folder.write("a.pgn", "0123456789");
  std::string bytes;
  ASSERT_TRUE(readFileRange(file, 1, 3, bytes));
  EXPECT_EQ(bytes, "012");
  ASSERT_TRUE(readFileRange(file, 5, 4, bytes));
  EXPECT_EQ(bytes, "4567");
}

TEST(ReadFileRange, RangeRunningPastTheEndLeavesTheRestZero) {
  TTempFolder folder;
  auto file = folder.write("a.pgn", "0123456789");
  std::string bytes;
  ASSERT_TRUE(readFileRange(file, 8, 5, bytes));
  EXPECT_EQ(bytes, "789\0\0"s);
  // a string read into before shows none of its old text
  bytes = "abcdefghijklmnop";
  ASSERT_TRUE(readFileRange(file, 8, 5, bytes));
  EXPECT_EQ(bytes, "789\0\0"s);
}

TEST(ReadFileRange, RefusesRangesNoFileCouldHold) {
  TTempFolder folder;
  auto file = folder.write("a.pgn", "0123456789");
  std::string bytes = "old";
  // A damaged length must not turn into a huge allocation.
  EXPECT_FALSE(readFileRange(file, 1, int64_t{1} << 40, bytes));
  EXPECT_FALSE(readFileRange(file, 1, 11, bytes));
  EXPECT_FALSE(readFileRange(file, 0, 3, bytes));
  EXPECT_FALSE(readFileRange(file, 1, -1, bytes));
  EXPECT_FALSE(readFileRange(folder / "missing.pgn", 1, 1, bytes));
}

// Folders

TEST(HostFolder, IsTheFolderOfTheRunningExecutableWithSeparator) {
  std::filesystem::path folder = hostFolder();
  std::filesystem::path executable = executablePath();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.native().back(), std::filesystem::path::preferred_separator);
  EXPECT_EQ(folder / executable.filename(), executable);
  EXPECT_TRUE(std::filesystem::is_regular_file(executable));
}

TEST(FindPgnFiles, TakesPgnSuffixInAnyCaseSortedByName) {
  TTempFolder folder;
  for (const char* name : {"c.Pgn", "b.pgn", "A.PGN", "d.pgnx", "e.txt", "pgn", "fpgn"})
    folder.write(name, "x");
  std::filesystem::create_directory(folder / "sub.pgn");
  std::vector<std::filesystem::path> expected = {"A.PGN", "b.pgn", "c.Pgn"};
  EXPECT_EQ(findPgnFiles(folder.path()), expected);
}

TEST(FindPgnFiles, MissingOrEmptyFolderFindsNothing) {
  TTempFolder folder;
  EXPECT_TRUE(findPgnFiles(folder.path()).empty());
  EXPECT_TRUE(findPgnFiles(folder / "missing").empty());
}
