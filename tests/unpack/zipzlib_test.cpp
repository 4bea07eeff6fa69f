// zip archives read with zlib alone (the Windows builds' way): members stored, deflated and
// written with their sizes after the data, a cut archive and a damaged member.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/tempfolder.h"
#include "unpack/decoder.h"

namespace {

namespace fs = std::filesystem;

struct TMemberText {
  std::string name;
  std::string text;
  bool broken = false;
  bool operator==(const TMemberText&) const = default;
};

void PrintTo(const TMemberText& member, std::ostream* out) {
  *out << member.name << " (" << member.text.size() << " bytes" << (member.broken ? ", broken" : "")
       << ")";
}

struct TArchiveRead {
  std::vector<TMemberText> members;
  std::string problem;
};

TArchiveRead readArchive(const fs::path& path) {
  TArchiveRead read;
  TOsFile file;
  EXPECT_TRUE(file.open(path, TOpenMode::readShared));
  TByteSource source(file);
  std::unique_ptr<TPackedInput> input = newZlibZipInput(source);
  std::string member;
  while (TDecoder* decoder = input->next(member)) {
    TMemberText text{member, {}};
    char buffer[777];
    int64_t got;
    while ((got = decoder->decode(buffer, sizeof buffer)) > 0) text.text.append(buffer, got);
    text.broken = got < 0;
    if (text.broken) text.name += ": " + decoder->problem();
    read.members.push_back(text);
  }
  read.problem = input->problem();
  return read;
}

class ZlibZip : public ::testing::Test {
 protected:
  void SetUp() override {
    TOsFile none;
    TByteSource empty(none);
    if (!newZlibZipInput(empty)) GTEST_SKIP() << "built without zlib";
    if (std::system("command -v zip >/dev/null") != 0) GTEST_SKIP() << "zip is not installed";
    for (int i = 0; i < 3000; ++i)
      games += "[Event \"E" + std::to_string(i) + "\"]\n\n1.e4 e5 2.Nf3 Nc6 " +
               std::to_string(i * 7919 % 1000) + " 1-0\n\n";
    folder.write("a.pgn", games);
    folder.write("B.PGN", games.substr(1000));
    folder.write("notes.txt", "not a game");
    fs::create_directory(folder / "sub");
    folder.write("sub/c.pgn", games.substr(0, 5000));
  }
  // Runs zip in the folder; the archive goes to name.
  fs::path zip(const std::string& options, const std::string& name) {
    const std::string command = "cd '" + folder.path().string() + "' && zip -q " + options;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return folder / name;
  }
  std::vector<TMemberText> expected() const {
    return {{"a.pgn", games}, {"B.PGN", games.substr(1000)}, {"sub/c.pgn", games.substr(0, 5000)}};
  }

  TTempFolder folder;
  std::string games;
};

TEST_F(ZlibZip, StoredDeflatedAndStreamedMembersInArchiveOrder) {
  const TArchiveRead deflated = readArchive(zip("all.zip a.pgn notes.txt B.PGN sub/c.pgn", "all.zip"));
  EXPECT_EQ(deflated.members, expected());
  EXPECT_EQ(deflated.problem, "") << deflated.problem;
  const TArchiveRead stored =
      readArchive(zip("-0 stored.zip a.pgn notes.txt B.PGN sub/c.pgn", "stored.zip"));
  EXPECT_EQ(stored.members, expected());
  // Written to a pipe, zip cannot go back to the headers: the sizes follow each member's data.
  const TArchiveRead streamed =
      readArchive(zip("- a.pgn notes.txt B.PGN sub/c.pgn | cat >streamed.zip", "streamed.zip"));
  EXPECT_EQ(streamed.members, expected());
}

TEST_F(ZlibZip, ACutArchiveKeepsTheMembersBeforeTheCut) {
  const fs::path path = zip("cut.zip a.pgn B.PGN sub/c.pgn", "cut.zip");
  const TArchiveRead whole = readArchive(path);
  ASSERT_EQ(whole.members.size(), 3u);
  fs::resize_file(path, fs::file_size(path) * 2 / 3);
  const TArchiveRead cut = readArchive(path);
  ASSERT_GE(cut.members.size(), 1u);
  EXPECT_EQ(cut.members[0], expected()[0]);
  EXPECT_TRUE(cut.members.back().broken);
}

TEST_F(ZlibZip, ADamagedMemberIsReportedAndTheNextOneRead) {
  const fs::path path = zip("damaged.zip a.pgn B.PGN", "damaged.zip");
  std::string bytes = folder.read("damaged.zip");
  // Into the middle of the first member's deflated data.
  for (size_t at = 2000; at < 2100; ++at) bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
  folder.write("damaged.zip", bytes);
  const TArchiveRead read = readArchive(path);
  ASSERT_EQ(read.members.size(), 2u);
  EXPECT_TRUE(read.members[0].broken);
  EXPECT_EQ(read.members[1], expected()[1]);
}

}  // namespace
