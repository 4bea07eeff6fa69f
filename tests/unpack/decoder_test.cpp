// The packings told by their bytes, streams written one after another, and where a text that
// broke off is cut.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "Upgnread/blocksource.h"
#include "platform/platform.h"
#include "support/tempfolder.h"
#include "unpack/decodeahead.h"
#ifdef GAMESIFT_LIBARCHIVE_FILE
#include "unpack/archivecalls.h"
#endif
#include "unpack/decoder.h"

namespace {

TEST(PackingOf, ToldByTheFirstBytesOnly) {
  struct TCase {
    std::string head;
    TPacking packing;
  };
  const std::vector<TCase> cases = {
      {"\x1F\x8B\x08\x00", TPacking::gzip},
      {"BZh91AY", TPacking::bzip2},
      {"BZh0", TPacking::plain},  // no block size: text that happens to start so
      {std::string("\xFD" "7zXZ\0", 6), TPacking::xz},
      {std::string("\xFD" "7zXZ", 5), TPacking::plain},
      {"\x28\xB5\x2F\xFD", TPacking::zstd},
      {"\x5E\x2A\x4D\x18", TPacking::zstd},  // a skippable frame first
      {"PK\x03\x04", TPacking::zip},
      {"PK\x05\x06", TPacking::zip},  // an archive without members
      {"[Event \"", TPacking::plain},
      {"\xEF\xBB\xBF[Event", TPacking::plain},
      {"P", TPacking::plain},
      {"", TPacking::plain},
  };
  for (const TCase& test : cases)
    EXPECT_EQ(packingOf(test.head), test.packing) << testing::PrintToString(test.head);
}

// Decodes the whole file as its first text, on a thread of its own when ahead; problem receives
// what the decoder said.
std::string decodedText(const std::filesystem::path& path, std::string& problem, bool& broken,
                        bool ahead) {
  TOsFile file;
  EXPECT_TRUE(file.open(path, TOpenMode::readShared));
  TByteSource source(file);
  const TPacking packing = packingOf(source.peek(kPackingHeadBytes));
  std::unique_ptr<TPackedInput> input = openPacked(packing, source);
  if (!input) return {};
  std::string member;
  TDecoder* decoder = input->next(member);
  if (!decoder) return {};
  std::unique_ptr<TDecodeAhead> thread =
      ahead ? std::make_unique<TDecodeAhead>(*decoder, source, nullptr, 1) : nullptr;
  TDecoder& reading = ahead ? *thread : *decoder;
  std::string text;
  char buffer[1000];
  int64_t got;
  while ((got = reading.decode(buffer, sizeof buffer)) > 0) text.append(buffer, got);
  broken = got < 0;
  problem = reading.problem();
  return text;
}

struct TTool {
  const char* name;
  TPacking packing;
};

class StreamPacking : public ::testing::TestWithParam<TTool> {
 protected:
  void SetUp() override {
    if (!packingBuilt(GetParam().packing)) GTEST_SKIP() << "not built";
    if (std::system((std::string("command -v ") + GetParam().name + " >/dev/null").c_str()) != 0)
      GTEST_SKIP() << GetParam().name << " is not installed";
  }
  std::filesystem::path pack(const std::string& name, const std::string& text) {
    const std::filesystem::path plain = folder.write(name, text);
    const std::string command = std::string(GetParam().name) + " -q -c '" + plain.string() +
                                "' > '" + plain.string() + ".packed'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return plain.string() + ".packed";
  }
  std::string bytesOf(const std::filesystem::path& path) { return folder.read(path.filename()); }

  TTempFolder folder;
};

// Each case is read by the decoder itself and by a thread decoding ahead of the reader.
TEST_P(StreamPacking, StreamsOneAfterAnotherReadAsOneText) {
  const std::string joined =
      bytesOf(pack("a", "[Event \"a\"]\n\n1. e4 *\n\n")) + bytesOf(pack("b", "[Event \"b\"]\n"));
  for (bool ahead : {false, true}) {
    std::string problem;
    bool broken = true;
    EXPECT_EQ(decodedText(folder.write("joined", joined), problem, broken, ahead),
              "[Event \"a\"]\n\n1. e4 *\n\n[Event \"b\"]\n");
    EXPECT_FALSE(broken);
    EXPECT_EQ(problem, "");
  }
}

TEST_P(StreamPacking, ForeignBytesAfterTheStreamLeaveTheTextWhole) {
  const std::string text(5000000, 'x');
  const std::string bytes = bytesOf(pack("a", text)) + "not packed";
  for (bool ahead : {false, true}) {
    std::string problem;
    bool broken = true;
    EXPECT_EQ(decodedText(folder.write("tail", bytes), problem, broken, ahead), text);
    EXPECT_FALSE(broken);
    EXPECT_NE(problem.find("holds bytes after its"), std::string::npos) << problem;
  }
}

TEST_P(StreamPacking, CutShortIsBrokenNotEnded) {
  std::string bytes = bytesOf(pack("a", std::string(100000, 'y')));
  bytes.resize(bytes.size() - 5);
  for (bool ahead : {false, true}) {
    std::string problem;
    bool broken = false;
    decodedText(folder.write("cut", bytes), problem, broken, ahead);
    EXPECT_TRUE(broken);
    EXPECT_NE(problem.find("cut short"), std::string::npos) << problem;
  }
}

TEST_P(StreamPacking, ProgressFollowsThePackedBytes) {
  const std::string text(300000, 'z');
  const std::filesystem::path packed = pack("a", text);
  TOsFile file;
  ASSERT_TRUE(file.open(packed, TOpenMode::readShared));
  TByteSource source(file);
  std::unique_ptr<TPackedInput> input = openPacked(GetParam().packing, source);
  std::string member;
  TDecoder* decoder = input->next(member);
  ASSERT_NE(decoder, nullptr);
  std::atomic<int64_t> progress{0};
  TStreamBlocks blocks(*decoder, source, &progress);
  std::string read;
  bool last = false;
  ASSERT_TRUE(blocks.read(1, 1 << 20, read, last));
  EXPECT_TRUE(last);
  EXPECT_EQ(read.size(), text.size());
  EXPECT_EQ(progress.load(), static_cast<int64_t>(std::filesystem::file_size(packed)));
}

INSTANTIATE_TEST_SUITE_P(Tools, StreamPacking,
                         ::testing::Values(TTool{"gzip", TPacking::gzip},
                                           TTool{"bzip2", TPacking::bzip2},
                                           TTool{"xz", TPacking::xz},
                                           TTool{"zstd", TPacking::zstd}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LastGameStart, TheTagSectionOfTheLastGameNotItsSecondTag) {
  const std::string spaced = "[A \"1\"]\n[B \"2\"]\n\n1. e4 *\n\n[A \"3\"]\n[B \"4\"]\n\n1. d4";
  EXPECT_EQ(lastGameStart(spaced), spaced.find("[A \"3\"]"));
  // Games joined without an empty line still part where the movetext ends.
  const std::string joined = "[A \"1\"]\r\n\r\n1. e4 *\r\n[A \"2\"]\r\n[B \"x\"]";
  EXPECT_EQ(lastGameStart(joined), joined.find("[A \"2\"]"));
  EXPECT_EQ(lastGameStart("[A \"1\"]\n[B \"2\"]\n\n1. e4"), 0u);
  EXPECT_EQ(lastGameStart("no game at all"), 0u);
}

// Gives its text in small pieces, then breaks.
class TBreakingDecoder : public TDecoder {
 public:
  explicit TBreakingDecoder(std::string text) : text(std::move(text)) {}
  int64_t decode(char* out, int64_t count) override {
    if (given == text.size()) return fail("broke here");
    const size_t piece = std::min<size_t>({text.size() - given, 7, static_cast<size_t>(count)});
    text.copy(out, piece, given);
    given += piece;
    return static_cast<int64_t>(piece);
  }

 private:
  std::string text;
  size_t given = 0;
};

TEST(StreamBlocks, ABrokenTextEndsBeforeTheGameItCuts) {
  const std::string first = "[Event \"a\"]\n\n1. e4 *\n\n";
  TBreakingDecoder decoder(first + "[Event \"b\"]\n\n1. d4 d5 2. c");
  TOsFile none;
  TByteSource source(none);
  TStreamBlocks blocks(decoder, source, nullptr);
  std::string text;
  bool last = false;
  ASSERT_TRUE(blocks.read(1, 1000, text, last));
  EXPECT_EQ(text, first);
  EXPECT_TRUE(last);
  EXPECT_TRUE(blocks.brokeOff());
  EXPECT_EQ(blocks.problem(), "broke here");
  EXPECT_FALSE(blocks.finishedAt(5));
  EXPECT_TRUE(blocks.finishedAt(1 + static_cast<int64_t>(first.size())));
}

// Gives text for ever, as a reader that stops early meets it.
class TEndlessDecoder : public TDecoder {
 public:
  int64_t decode(char* out, int64_t count) override {
    std::fill(out, out + count, 'e');
    return count;
  }
};

TEST(DecodeAhead, GivesTheTextAndBreakOfItsDecoderAndEndsWhenTheReaderStopsEarly) {
  const std::string text = "[Event \"a\"]\n\n1. e4 *\n\n[Event \"b\"]\n\n1. d4 d5 2. c";
  TBreakingDecoder breaking(text);
  TOsFile none;
  TByteSource source(none);
  TDecodeAhead ahead(breaking, source, nullptr, 1);
  std::string read(text.size() + 10, '\0');
  EXPECT_EQ(ahead.decode(read.data(), static_cast<int64_t>(read.size())),
            static_cast<int64_t>(text.size()));
  EXPECT_EQ(read.substr(0, text.size()), text);
  EXPECT_EQ(ahead.decode(read.data(), 10), -1);
  EXPECT_EQ(ahead.problem(), "broke here");

  TEndlessDecoder endless;
  auto stopped = std::make_unique<TDecodeAhead>(endless, source, nullptr, 1 << 22);
  ASSERT_EQ(stopped->decode(read.data(), 10), 10);
  stopped.reset();  // must not wait for an end that never comes
}

TEST(StreamBlocks, BlocksGoForwardFromWhereTheReadingStopped) {
  TBreakingDecoder decoder("0123456789abcdefghij");
  TOsFile none;
  TByteSource source(none);
  TStreamBlocks blocks(decoder, source, nullptr);
  std::string text;
  bool last = true;
  ASSERT_TRUE(blocks.read(1, 8, text, last));
  EXPECT_EQ(text, "01234567");
  EXPECT_FALSE(last);
  ASSERT_TRUE(blocks.read(5, 8, text, last));
  EXPECT_EQ(text, "456789ab");
}

#ifdef GAMESIFT_LIBARCHIVE_FILE
// Zip archives are read with zlib alone where libarchive cannot be loaded, so every zip read here
// would pass without it: whether the library the build names is loaded is asked on its own.
TEST(ZipReading, LoadsTheLibraryTheBuildNames) {
  const TArchiveCalls* calls = archiveCalls();
  ASSERT_NE(calls, nullptr) << GAMESIFT_LIBARCHIVE_FILE;
  EXPECT_EQ(archiveCalls(), calls);
  EXPECT_EQ(loadSharedLibrary("libgamesift-no-such-library.so.0"), nullptr);
}
#endif

}  // namespace
