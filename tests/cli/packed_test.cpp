// Packed inputs, standard input and standard output through the real program: files packed by
// the real tools must give the bytes the plain file gives, and damage must cost only what it
// cuts, with the report naming it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cliprogram.h"
#include "support/tempfolder.h"
#include "support/testpaths.h"

namespace fs = std::filesystem;

namespace {

struct TPacker {
  const char* name;     // as --version names it
  const char* ending;   // of the packed file
  const char* command;  // packs the file named by $1 into the file named by $2
};

// bzip2 -1 packs in 100 kB blocks and zstd in 128 kB ones: the text below spans several, so a
// cut leaves whole blocks before it.
const TPacker kPackers[] = {
    {"gzip", ".pgn.gz", "gzip -c \"$1\" > \"$2\""},
    {"bzip2", ".pgn.bz2", "bzip2 -1 -c \"$1\" > \"$2\""},
    {"xz", ".pgn.xz", "xz -c \"$1\" > \"$2\""},
    {"zstd", ".pgn.zst", "zstd -q -c \"$1\" > \"$2\""},
    {"zip", ".zip", "zip -q -j \"$2\" \"$1\""},
};

bool shell(const std::string& script, const std::vector<std::string>& args = {}) {
  std::string line = "sh -c '" + script + "' sh";
  for (const std::string& arg : args) line += " '" + arg + "'";
  return std::system(line.c_str()) == 0;
}

// Games of different moves, tags and comments, many enough for several packed blocks.
std::string manyGames(int count, const std::string& event) {
  static const char* const kLines[] = {"1. e4 e5 2. Nf3 Nc6 3. Bb5 a6", "1. d4 d5 2. c4 e6 3. Nc3",
                                       "1. c4 {English} e5 2. Nc3 (2. g3) Nf6", "1. Nf3 d5 2. g3"};
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "[Event \"" + event + " " + std::to_string(i) + "\"]\n[Site \"?\"]\n[Date \"2020.01." +
            std::to_string(1 + i % 28) + "\"]\n[Round \"" + std::to_string(i) +
            "\"]\n[White \"W" + std::to_string(i * 7919 % 1000) + "\"]\n[Black \"B" +
            std::to_string(i % 97) + "\"]\n[Result \"1-0\"]\n\n" + kLines[i % 4] + " {note " +
            std::to_string(i * 31) + "} 1-0\n\n";
  }
  return text;
}

class PackedInput : public ::testing::TestWithParam<TPacker> {
 protected:
  void SetUp() override {
    const TPacker& packer = GetParam();
    if (gamesift({"--version"}).out.find(packer.name) == std::string::npos)
      GTEST_SKIP() << "this build reads no " << packer.name;
    if (!shell(std::string("command -v ") + packer.name + " >/dev/null"))
      GTEST_SKIP() << "the tool " << packer.name << " is not installed";
  }

  fs::path pack(const fs::path& plain, const std::string& stem) {
    const fs::path packed = folder / (stem + GetParam().ending);
    EXPECT_TRUE(shell(GetParam().command, {plain.string(), packed.string()}));
    return packed;
  }
  // The output the program writes for the input, with the status and report.
  TProgramResult written(const fs::path& input, std::vector<std::string> options = {}) {
    options.insert(options.begin(), input.string());
    options.insert(options.end(), {"-o", "-", "-q"});
    return gamesift(options);
  }

  TTempFolder folder;
};

TEST_P(PackedInput, GivesTheBytesOfThePlainFile) {
  const fs::path plain = folder.write("games.pgn", manyGames(3000, "Open"));
  const TProgramResult expected = written(plain, {"--strip-comments", "--drop-duplicates"});
  ASSERT_EQ(expected.status, 0) << expected.err;
  const TProgramResult packed =
      written(pack(plain, "packed"), {"--strip-comments", "--drop-duplicates"});
  EXPECT_EQ(packed.status, 0) << packed.err;
  EXPECT_EQ(packed.out, expected.out);
}

TEST_P(PackedInput, FromStandardInputToldByItsBytes) {
  const fs::path plain = folder.write("games.pgn", manyGames(200, "Open"));
  const TProgramResult expected = written(plain);
  const fs::path packed = pack(plain, "packed");
  const TProgramResult piped = runProgram(
      "/bin/sh", {"-c", "exec \"$0\" - -o - -q < \"$1\"", gamesiftProgram().string(),
                  packed.string()});
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, expected.out);
}

TEST_P(PackedInput, CutShortKeepsTheGamesBeforeTheCut) {
  const fs::path plain = folder.write("games.pgn", manyGames(6000, "Open"));
  const TProgramResult whole = written(plain);
  const fs::path packed = pack(plain, "cut");
  fs::resize_file(packed, fs::file_size(packed) * 2 / 3);
  const TProgramResult cut = written(packed);
  EXPECT_EQ(cut.status, 1);
  ASSERT_FALSE(cut.out.empty()) << cut.err;
  EXPECT_LT(cut.out.size(), whole.out.size());
  // Whole games only, the first ones of the file.
  EXPECT_EQ(whole.out.compare(0, cut.out.size(), cut.out), 0);
  EXPECT_EQ(whole.out.compare(cut.out.size(), 7, "[Event "), 0);
  EXPECT_NE(cut.err.find(packed.filename().string()), std::string::npos) << cut.err;
  EXPECT_NE(cut.err.find("broken off at line "), std::string::npos) << cut.err;
}

// The lines of what was skipped, with the name they give the input replaced.
std::string skipLines(const std::string& report, const std::string& name) {
  std::string lines;
  for (size_t at = report.find(name + ":"); at != std::string::npos;
       at = report.find(name + ":", at + 1)) {
    const size_t end = report.find('\n', at);
    lines += "INPUT" + report.substr(at + name.size(), end - at - name.size()) + "\n";
  }
  return lines;
}

TEST_P(PackedInput, SkipReportGivesTheLinesOfTheText) {
  const fs::path plain = folder.write(
      "games.pgn", manyGames(2000, "Open") + "a heading between games\n\n" +
                       "[Event \"bad\"]\n\n1. e4 e5 2. Ke3 *\n\n" + manyGames(2000, "More"));
  const std::string expected =
      skipLines(gamesift({plain.string(), "-o", "-", "-v"}).err, plain.string());
  ASSERT_NE(expected.find(":20001: skipped "), std::string::npos) << expected;
  ASSERT_NE(expected.find(":20003: bad game"), std::string::npos) << expected;
  const fs::path packed = pack(plain, "packed");
  const std::string name = packed.string() + (GetParam().name == std::string("zip") ? ":games.pgn" : "");
  EXPECT_EQ(skipLines(gamesift({packed.string(), "-o", "-", "-v"}).err, name), expected);
}

TEST_P(PackedInput, ReadByAFolderRunBesidePlainFiles) {
  const fs::path source = folder / "source";
  fs::create_directories(source);
  const fs::path plain = folder.write("source/a.pgn", manyGames(5, "Plain"));
  pack(folder.write("b.pgn", manyGames(5, "Packed")), "source/B");
  folder.write("source/notes.txt", "[Event \"not a game file\"]\n\n1. e4 *\n");
  const TProgramResult run = written(source);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, written(folder / "b.pgn").out + written(plain).out);
}

// Output packed by its name's ending: the real tool unpacks it to the plain output, appending
// adds a stream the tool and the program read after the first, and split files keep the ending.
TEST_P(PackedInput, WrittenPackedByTheOutputsEnding) {
  const std::string ending = GetParam().ending;
  if (ending == ".zip") GTEST_SKIP() << "zip archives are not written";
  const fs::path plain = folder.write("games.pgn", manyGames(3000, "Open"));
  const std::string expected = written(plain).out;
  const fs::path out = folder / ("out" + ending);
  ASSERT_EQ(gamesift({plain.string(), "-q", "-o", out.string()}).status, 0);
  ASSERT_EQ(gamesift({plain.string(), "-q", "--append", "-o", out.string()}).status, 0);
  const TProgramResult unpacked = runProgram(
      "/bin/sh", {"-c", std::string(GetParam().name) + " -dc \"$0\"", out.string()});
  EXPECT_TRUE(unpacked.out == expected + expected) << unpacked.err;
  EXPECT_TRUE(written(out).out == expected + expected);

  const fs::path split = folder / "split";
  fs::create_directories(split);
  const fs::path five = folder.write("five.pgn", manyGames(5, "Open"));
  ASSERT_EQ(gamesift({five.string(), "-q", "--split-white", "-o", (split / ("g" + ending)).string()})
                .status,
            0);
  int files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(split)) {
    ++files;
    EXPECT_TRUE(entry.path().string().ends_with(ending)) << entry.path();
    EXPECT_EQ(written(entry.path()).status, 0) << entry.path();
  }
  EXPECT_EQ(files, 5);
}

INSTANTIATE_TEST_SUITE_P(Packers, PackedInput, ::testing::ValuesIn(kPackers),
                         [](const auto& info) { return std::string(info.param.name); });

class ZipArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    if (gamesift({"--version"}).out.find("zip") == std::string::npos)
      GTEST_SKIP() << "this build reads no zip";
    if (!shell("command -v zip >/dev/null")) GTEST_SKIP() << "zip is not installed";
  }
  TTempFolder folder;
};

uint16_t littleEndian16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Flips bytes inside the named member's packed data, found through its local header.
void damageMember(const fs::path& archive, const std::string& member) {
  std::string bytes;
  {
    std::ifstream in(archive, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  size_t at = bytes.find("PK\x03\x04");
  for (; at != std::string::npos; at = bytes.find("PK\x03\x04", at + 4)) {
    const size_t nameLength = littleEndian16(bytes, at + 26);
    if (bytes.compare(at + 30, nameLength, member) == 0) break;
  }
  ASSERT_NE(at, std::string::npos) << member;
  const size_t data = at + 30 + littleEndian16(bytes, at + 26) + littleEndian16(bytes, at + 28);
  for (size_t i = data + 200; i < data + 240; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  std::ofstream(archive, std::ios::binary | std::ios::trunc) << bytes;
}

TEST_F(ZipArchive, MembersInOrderNamedByArchiveAndMember) {
  folder.write("first.pgn", manyGames(3, "First") + "[Event \"bad\"]\n\n1. e5 *\n\n");
  folder.write("second.PGN", manyGames(3, "Second"));
  folder.write("readme.txt", "[Event \"no member to read\"]\n\n1. e4 *\n");
  ASSERT_TRUE(shell("cd \"$1\" && zip -q games.zip second.PGN readme.txt first.pgn",
                    {folder.path().string()}));
  const TProgramResult run =
      gamesift({(folder / "games.zip").string(), "-o", "-", "-v", "--keep-comments"});
  EXPECT_EQ(run.status, 0) << run.err;
  const TProgramResult second = gamesift({(folder / "second.PGN").string(), "-o", "-", "-q"});
  EXPECT_EQ(run.out.rfind(second.out, 0), 0u) << "the archive's first member comes first";
  EXPECT_EQ(run.out.find("no member to read"), std::string::npos);
  EXPECT_NE(run.err.find((folder / "games.zip").string() + ":first.pgn:31: bad game"),
            std::string::npos)
      << run.err;
}

TEST_F(ZipArchive, DamagedMemberReportedAndTheNextOneRead) {
  for (const char* name : {"a", "b", "c"})
    folder.write(std::string(name) + ".pgn", manyGames(300, name));
  ASSERT_TRUE(shell("cd \"$1\" && zip -q games.zip a.pgn b.pgn c.pgn", {folder.path().string()}));
  damageMember(folder / "games.zip", "b.pgn");
  const TProgramResult run = gamesift({(folder / "games.zip").string(), "-o", "-", "-q"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("games.zip:b.pgn: broken off at line"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("[Event \"a 299\"]"), std::string::npos);
  EXPECT_NE(run.out.find("[Event \"c 299\"]"), std::string::npos);
}

TEST_F(ZipArchive, CutShortKeepsTheMembersBeforeTheCut) {
  for (const char* name : {"a", "b", "c"})
    folder.write(std::string(name) + ".pgn", manyGames(300, name));
  ASSERT_TRUE(shell("cd \"$1\" && zip -q games.zip a.pgn b.pgn c.pgn", {folder.path().string()}));
  fs::resize_file(folder / "games.zip", fs::file_size(folder / "games.zip") * 5 / 6);
  const TProgramResult run = gamesift({(folder / "games.zip").string(), "-o", "-", "-q"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("[Event \"b 299\"]"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("games.zip:c.pgn: "), std::string::npos) << run.err;
}

class StandardStreams : public ::testing::Test {
 protected:
  TTempFolder folder;
};

TEST_F(StandardStreams, PlainTextInAndOutMatchesTheFiles) {
  const fs::path plain = folder.write("games.pgn", manyGames(50, "Open"));
  ASSERT_EQ(gamesift({plain.string(), "-o", (folder / "out").string(), "-q"}).status, 0);
  const TProgramResult piped = runProgram(
      "/bin/sh", {"-c", "exec \"$0\" - -o - < \"$1\"", gamesiftProgram().string(), plain.string()});
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, folder.read("out.pgn"));
  // The report stays on stderr, away from the games.
  EXPECT_NE(piped.err.find("games written: 50"), std::string::npos) << piped.err;
}

TEST_F(StandardStreams, SplittingToStandardOutputIsAUsageError) {
  const fs::path plain = folder.write("games.pgn", manyGames(5, "Open"));
  const TProgramResult run = gamesift({plain.string(), "--split-result", "-o", "-"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("-o - writes one text to standard output and cannot split it"),
            std::string::npos)
      << run.err;
}

// The real collections, packed at test time: every packing gives the plain file's output.
TEST(PackedRealGames, EveryPackingGivesThePlainOutput) {
  const fs::path data = sharedDataPath("pgn");
  SKIP_WITHOUT_SHARED_DATA(data);
  const std::string version = gamesift({"--version"}).out;
  TTempFolder folder;
  for (const fs::path& source : {data / "annotated", data / "engine"}) {
    for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
      if (entry.path().extension() != ".pgn" || entry.file_size() > 1000000) continue;
      const TProgramResult plain = gamesift({entry.path().string(), "-o", "-", "-q"});
      for (const TPacker& packer : kPackers) {
        if (version.find(packer.name) == std::string::npos) continue;
        const fs::path packed = folder / (entry.path().stem().string() + packer.ending);
        ASSERT_TRUE(shell(packer.command, {entry.path().string(), packed.string()}));
        const TProgramResult run = gamesift({packed.string(), "-o", "-", "-q"});
        EXPECT_EQ(run.status, plain.status) << packed << run.err;
        EXPECT_TRUE(run.out == plain.out) << packed;
      }
    }
  }
}

}  // namespace
