#include "btfile/bytefile.h"

#include <chrono>
#include <memory>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "support/tempfolder.h"

using namespace std::string_literals;

namespace {

std::string pattern(int length) {
  std::string bytes(static_cast<size_t>(length), '\0');
  for (int i = 0; i < length; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(i % 251);
  return bytes;
}

}  // namespace

// Encodings

TEST(ByteFileEncoding, WritesTheDocumentedBytes) {
  TTempFolder folder;
  {
    bytefile out(folder / "f.dat", false);
    ASSERT_FALSE(out.failed);
    out.writeint(0x01020304);
    out.writeword(0x0102);
    out.writewstr(u"ab");
    out.writestr("xy");
    out.writebool(true);
    out.writebool(false);
    out.writeint(-2);
  }
  EXPECT_EQ(folder.read("f.dat"),
            "\x01\x02\x03\x04"
            "\x02\x01"
            "\0\0\0\x02\x61\0\x62\0"
            "\0\0\0\x02xy"
            "\x01\0"
            "\xFF\xFF\xFF\xFE"s);
}

TEST(ByteFileEncoding, ReadsBackWhatItWrote) {
  TTempFolder folder;
  std::string longText = pattern(5000);
  {
    bytefile out(folder / "f.dat", false);
    out.writeint(-123456789);
    out.writestr(longText);
    out.writewstr(u"\u041F\u0430\u0440\u0442\u0438\u044F");
    out.writestr("");
    out.writeword(0xFFFE);
    out.writebool(true);
  }
  bytefile in(folder / "f.dat", true);
  ASSERT_FALSE(in.failed);
  EXPECT_EQ(in.size(), 4 + 4 + 5000 + 4 + 12 + 4 + 2 + 1);
  EXPECT_EQ(in.readint(), -123456789);
  EXPECT_EQ(in.readstr(), longText);
  EXPECT_EQ(in.readwstr(), u"\u041F\u0430\u0440\u0442\u0438\u044F");
  EXPECT_EQ(in.readstr(), "");
  EXPECT_EQ(in.readword(), 0xFFFE);
  EXPECT_FALSE(in.eof());
  EXPECT_TRUE(in.readbool());
  EXPECT_TRUE(in.eof());
  EXPECT_FALSE(in.failed);
}

TEST(ByteFileEncoding, AnyNonZeroByteIsTrue) {
  TTempFolder folder;
  bytefile in(folder.write("f.dat", "\x7F\x00\x80"s), true);
  EXPECT_TRUE(in.readbool());
  EXPECT_FALSE(in.readbool());
  EXPECT_TRUE(in.readbool());
}

// Short and damaged files

TEST(ByteFileDamage, IntCutShortReadsZerosInTheLowBytes) {
  TTempFolder folder;
  bytefile in(folder.write("f.dat", "\x01\x02"), true);
  EXPECT_EQ(in.readint(), 0x01020000);
  EXPECT_TRUE(in.eof());
  EXPECT_EQ(in.position(), 2);
  EXPECT_EQ(in.readbyte(), 0);
  EXPECT_FALSE(in.failed);
}

TEST(ByteFileDamage, LengthPastTheEndReadsEmptyAndFails) {
  TTempFolder folder;
  std::string bytes = "\0\0\x03\xE8"s + std::string(16, 'z');  // 1000 in a 20-byte file
  bytefile in(folder.write("f.dat", bytes), true);
  EXPECT_EQ(in.readstr(), "");
  EXPECT_TRUE(in.failed);
  // Everything after the failure reads as zeros.
  EXPECT_EQ(in.readint(), 0);
  EXPECT_FALSE(in.readbool());
  EXPECT_EQ(in.readstr(), "");
}

TEST(ByteFileDamage, WideLengthCountsTwoBytesPerCharacter) {
  TTempFolder folder;
  // Ten characters need 20 bytes; only 16 follow the length.
  bytefile in(folder.write("f.dat", "\0\0\0\x0A"s + std::string(16, 'z')), true);
  EXPECT_EQ(in.readwstr(), u"");
  EXPECT_TRUE(in.failed);
}

TEST(ByteFileDamage, NegativeLengthReadsEmptyWithoutFailing) {
  TTempFolder folder;
  bytefile in(folder.write("f.dat", "\xFF\xFF\xFF\xFF\0\0\0\x07"s), true);
  EXPECT_EQ(in.readstr(), "");
  EXPECT_FALSE(in.failed);
  EXPECT_EQ(in.readint(), 7);
}

TEST(ByteFileDamage, MissingFileFailsAndReadsZeros) {
  TTempFolder folder;
  {
    bytefile in(folder / "missing.dat", true);
    EXPECT_TRUE(in.failed);
    EXPECT_EQ(in.readint(), 0);
    EXPECT_EQ(in.readstr(), "");
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(in.size(), 0);
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "missing.dat"));
}

TEST(ByteFileDamage, RandomFilesNeverYieldMoreThanTheyHold) {
  TTempFolder folder;
  std::mt19937 random(20240611);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(random() % 64, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 4 == 0 ? 0 : random());
    bytefile in(folder.write("f.dat", bytes), true);
    for (int field = 0; field < 12; ++field) {
      EXPECT_LE(in.readstr().size(), bytes.size());
      EXPECT_LE(in.readwstr().size() * 2, bytes.size());
      in.readint();
    }
    // A failure stops the position where it happened; otherwise the reads ran to the end.
    EXPECT_TRUE(in.eof() || in.failed);
  }
}

// Buffering

TEST(ByteFileBuffer, RewritingABytesOwnValueWritesNothing) {
  TTempFolder folder;
  auto file = folder.write("f.dat", "abcdef");
  auto old = std::filesystem::last_write_time(file) - std::chrono::hours(24);
  std::filesystem::last_write_time(file, old);
  {
    bytefile f(file, true);
    f.seek(2);
    f.writebyte('c');
    f.writebyte('d');
  }
  EXPECT_EQ(std::filesystem::last_write_time(file), old);
  EXPECT_EQ(folder.read("f.dat"), "abcdef");
  {
    bytefile f(file, true);
    f.seek(2);
    f.writebyte('C');
  }
  EXPECT_EQ(folder.read("f.dat"), "abCdef");
}

TEST(ByteFileBuffer, FlushesWholeBlocksAndTheLastPartOnClose) {
  TTempFolder folder;
  std::string bytes = pattern(5000);
  auto file = folder / "f.dat";
  {
    auto out = std::make_unique<bytefile>(file, false);
    for (int i = 0; i < 4096; ++i) out->writebyte(static_cast<uint8_t>(bytes[i]));
    EXPECT_EQ(std::filesystem::file_size(file), 2048u);
    out->writebyte(static_cast<uint8_t>(bytes[4096]));
    EXPECT_EQ(std::filesystem::file_size(file), 4096u);
    for (int i = 4097; i < 5000; ++i) out->writebyte(static_cast<uint8_t>(bytes[i]));
    EXPECT_EQ(out->size(), 5000);
  }
  EXPECT_EQ(folder.read("f.dat"), bytes);
}

TEST(ByteFileBuffer, SeeksAcrossBlocksAndWritesBackChanges) {
  TTempFolder folder;
  std::string bytes = pattern(5000);
  auto file = folder.write("f.dat", bytes);
  {
    bytefile f(file, true);
    f.seek(4000);
    EXPECT_EQ(f.readbyte(), static_cast<uint8_t>(bytes[4000]));
    f.writebyte('X');  // lands at 4001
    f.seek(10);
    EXPECT_EQ(f.readbyte(), static_cast<uint8_t>(bytes[10]));
    f.seek(2046);  // an int straddling two blocks
    EXPECT_EQ(f.readint(),
              static_cast<int32_t>((uint8_t(bytes[2046]) << 24) | (uint8_t(bytes[2047]) << 16) |
                                   (uint8_t(bytes[2048]) << 8) | uint8_t(bytes[2049])));
    f.seek(4999);
    f.writestr("tail");  // grows the file past its old end
    EXPECT_EQ(f.size(), 4999 + 8);
  }
  std::string expected =
      bytes.substr(0, 4001) + "X" + bytes.substr(4002, 4999 - 4002) + "\0\0\0\x04tail"s;
  EXPECT_EQ(folder.read("f.dat"), expected);
}

TEST(ByteFileBuffer, WritingReplacesAnOldFile) {
  TTempFolder folder;
  auto file = folder.write("f.dat", pattern(3000));
  {
    bytefile out(file, false);
    out.writeint(5);
  }
  EXPECT_EQ(folder.read("f.dat"), "\0\0\0\x05"s);
}
