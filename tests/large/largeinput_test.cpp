// Inputs too large for the everyday build: a file past 2 GiB and a million games. They carry the
// ctest label "large" and run in the release preset only.

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "pgnlongwork/jobstate.h"
#include "support/pipeline.h"

namespace {

constexpr int64_t kTwoGiB = int64_t{1} << 31;

std::string game(const std::string& white) {
  return pgnText(gameText(white, "B", "1-0", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6"));
}

class LargeInput : public TPipelineTest {};

TEST_F(LargeInput, GamesOnBothSidesOfTwoGiBAreFoundAtTheirPlaceAndWritten) {
  // A sparse file: the gaps are holes that read as NUL bytes and take no disk.
  const std::vector<std::string> kWhites = {"First", "Astride", "Beyond", "Last"};
  const std::vector<std::pair<int64_t, std::string>> placed = {
      {0, game(kWhites[0])},
      {kTwoGiB - 100, game(kWhites[1])},  // starts below 2 GiB and ends above it
      {kTwoGiB + 4096, game(kWhites[2])},
      {kTwoGiB + (int64_t{64} << 20), game(kWhites[3])},
  };
  const std::filesystem::path big = folder / "big.pgn";
  {
    std::ofstream out(big, std::ios::binary);
    for (const auto& [offset, text] : placed) {
      out.seekp(offset);
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
  }
  ASSERT_GT(std::filesystem::file_size(big), static_cast<uintmax_t>(kTwoGiB));
  loadFileJob(big);
  std::filesystem::remove(big);
  ASSERT_EQ(panelGames.size(), placed.size());
  std::string expected;
  for (size_t i = 0; i < placed.size(); ++i) {
    EXPECT_EQ(panelGames[i].TextStart, placed[i].first + 1) << i;  // positions count from 1
    EXPECT_EQ(panelGames[i].Tags[kTagWhite].Value, kWhites[i]);
    expected += placed[i].second;
  }
  writeJob(folder / "out");
  EXPECT_EQ(folder.read("out.pgn"), expected);
  EXPECT_EQ(writesFailed, 0);
}

TEST_F(LargeInput, AMillionGamesAreReadAndWrittenByteForByte) {
  constexpr int kGames = 1000000;
  std::string text;
  text.reserve(static_cast<size_t>(kGames) * 200);
  for (int i = 0; i < kGames; ++i) text += game("W" + std::to_string(i));
  const std::filesystem::path file = folder.write("million.pgn", text);
  loadFileJob(file);
  ASSERT_EQ(panelGames.size(), static_cast<size_t>(kGames));
  EXPECT_EQ(gamesSkipped, 0);
  writeJob(folder / "out");
  EXPECT_EQ(gamesWritten, kGames);
  EXPECT_TRUE(folder.read("out.pgn") == text) << "the million games did not come out as read";
}

}  // namespace
