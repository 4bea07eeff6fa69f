// Real games written and read back: the writer's output must carry every tag, move, mark, comment
// and variation the reader found, and writing what was read back must give the same bytes.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgnwriter.h"
#include "support/testpaths.h"
#include "uchess/fileutil.h"

namespace {

TGames readGames(std::string_view text) {
  TGames games;
  int64_t position = 1;
  int32_t badCount = 0;
  scanGames(text, position, false, badCount, games);
  return games;
}

std::string writeGames(TGames& games) {
  TOutputBuffer buffer;
  for (TGame& game : games) writeGame(game, buffer);
  return std::string(buffer.text());
}

testing::AssertionResult sameMove(const jurnal& lineA, const jurnal& lineB, int index) {
  const mov& a = lineA.moveat(index);
  const mov& b = lineB.moveat(index);
  if (a.piece != b.piece || a.fromfile != b.fromfile || a.fromrank != b.fromrank ||
      a.tofile != b.tofile || a.torank != b.torank || a.special != b.special)
    return testing::AssertionFailure() << "move " << a.san.str() << " / " << b.san.str();
  if (a.san != b.san || a.mark != b.mark)
    return testing::AssertionFailure() << "text " << a.san.str() << " / " << b.san.str();
  if (lineA.commentAt(index) != lineB.commentAt(index))
    return testing::AssertionFailure()
           << "comment " << lineA.commentAt(index) << " / " << lineB.commentAt(index);
  if (lineA.variantCountAt(index) != lineB.variantCountAt(index))
    return testing::AssertionFailure() << "variations after " << a.san.str();
  return testing::AssertionSuccess();
}

// The reader bounds nesting, so recursion is safe here.
testing::AssertionResult sameTree(const jurnal& a, const jurnal& b) {
  if (a.blackfirst != b.blackfirst || a.startnumber != b.startnumber)
    return testing::AssertionFailure() << "line start " << a.startnumber << " / " << b.startnumber;
  if (a.precomment != b.precomment)
    return testing::AssertionFailure() << "precomment " << a.precomment << " / " << b.precomment;
  if (a.movecount() != b.movecount())
    return testing::AssertionFailure() << "length " << a.movecount() << " / " << b.movecount();
  for (int i = 0; i < a.movecount(); ++i) {
    testing::AssertionResult same = sameMove(a, b, i);
    if (!same) return same << " at half-move " << i;
    for (int v = 0; v < a.variantCountAt(i); ++v) {
      same = sameTree(*a.variantsAt(i)[v], *b.variantsAt(i)[v]);
      if (!same) return same;
    }
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult sameTags(const TGamesTagArray& a, const TGamesTagArray& b) {
  if (a.size() != b.size()) return testing::AssertionFailure() << "tag count";
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].Name != b[i].Name || a[i].Value != b[i].Value)
      return testing::AssertionFailure() << "tag " << a[i].Name << " " << a[i].Value;
  return testing::AssertionSuccess();
}

// The first games of a file, cut where a game begins, so that a debug build reads them quickly.
std::string firstGames(std::string text) {
  constexpr size_t kEnough = 250000;
  size_t cut = text.size() > kEnough ? text.find("\n[Event ", kEnough) : std::string::npos;
  if (cut != std::string::npos) text.resize(cut + 1);
  return text;
}

std::vector<std::filesystem::path> pgnFiles(const std::filesystem::path& place) {
  if (!std::filesystem::is_directory(place)) return {place};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(place))
    if (entry.path().extension() == ".pgn") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class RoundTripTest : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { resetOptions(); }
  void TearDown() override { resetOptions(); }
};

}  // namespace

TEST_P(RoundTripTest, WrittenGamesReadBackUnchanged) {
  std::filesystem::path place = sharedDataPath("pgn") / GetParam();
  SKIP_WITHOUT_SHARED_DATA(place);
  size_t gamesRead = 0;
  for (const std::filesystem::path& file : pgnFiles(place)) {
    SCOPED_TRACE(file.filename().string());
    std::string original;
    ASSERT_TRUE(readWholeFile(file, original));
    TGames first = readGames(firstGames(std::move(original)));
    gamesRead += first.size();
    std::string written = writeGames(first);
    TGames second = readGames(written);
    ASSERT_EQ(second.size(), first.size());
    for (size_t g = 0; g < first.size(); ++g) {
      ASSERT_TRUE(sameTags(first[g].Tags, second[g].Tags)) << "game " << g;
      ASSERT_TRUE(sameTree(*first[g].Journal, *second[g].Journal)) << "game " << g;
    }
    EXPECT_EQ(writeGames(second), written);
  }
  EXPECT_GT(gamesRead, 0u);
}

// Nested variations, marks and puzzles from positions; a comment on every move and ';' comments;
// LF line ends and games without moves; CRLF files with Latin-1 bytes.
INSTANTIATE_TEST_SUITE_P(RealGames, RoundTripTest,
                         testing::Values("annotated", "engine", "twic", "players/Adams.pgn"));
