#include <string>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "platform/platform.h"
#include "plugin/settingsfile_logic.h"
#include "support/tempfolder.h"

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { resetOptions(); }
  void TearDown() override { resetOptions(); }

  TPanelSettings sample(bool autoReset) const {
    TPanelSettings s;
    s.placement = {10, 20, 800, 600};
    s.panelVisible = true;
    s.outputPath = u"C:\\Партии\\out";
    s.autoResetSettings = autoReset;
    return s;
  }

  static std::string bigEndian(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    return {char(u >> 24), char(u >> 16), char(u >> 8), char(u)};
  }

  TTempFolder folder;
};

TEST_F(SettingsFile, AutoResetOnWritesExactlyTheFirstSevenFields) {
  auto path = folder / "gamesift.dat";
  ASSERT_TRUE(writeSettingsFile(path, sample(true)));
  std::string expected = bigEndian(10) + bigEndian(20) + bigEndian(800) + bigEndian(600) + "\x01";
  std::u16string text = u"C:\\Партии\\out";
  expected += bigEndian(static_cast<int32_t>(text.size()));
  for (char16_t c : text) expected += {char(c & 0xFF), char(c >> 8)};
  expected += "\x01";
  EXPECT_EQ(folder.read("gamesift.dat"), expected);
}

TEST_F(SettingsFile, OptionsSurviveARoundTripWhenAutoResetIsOff) {
  removeComments = true;
  tagMode = 1;
  keptNags = TNagSet::moveMarksOnly();
  splitByEco = 2;
  splitByPlayer = true;
  whiteEloParts = 3;
  resultMask = 23;
  dateFrom = packDate(1990, 1, 0);
  whitePlayer = "Иванов";
  ecoFilter = "B2";
  movesMax = 40;
  appendToExisting = false;
  auto path = folder / "gamesift.dat";
  ASSERT_TRUE(writeSettingsFile(path, sample(false)));
  // Fields 1-7, then 94 bytes of fixed-size options and the three texts with their lengths.
  constexpr size_t kHead = 4 * 4 + 1 + 4 + 2 * 13 + 1;
  constexpr size_t kFixedOptions = 3 + 32 + 12 + 1 + 2 * 4 + 2 * 4 + 1 + 4 * 4 + 4 + 2 * 4 + 1;
  EXPECT_EQ(folder.read("gamesift.dat").size(), kHead + kFixedOptions + 12 + 2);

  resetOptions();
  TPanelSettings loaded;
  ASSERT_EQ(readSettingsFile(path, loaded), TSettingsContent::everything);
  EXPECT_EQ(loaded.outputPath, u"C:\\Партии\\out");
  EXPECT_FALSE(loaded.autoResetSettings);
  EXPECT_TRUE(removeComments);
  EXPECT_EQ(tagMode, 1);
  EXPECT_EQ(keptNags, TNagSet::moveMarksOnly());
  EXPECT_EQ(splitByEco, 2);
  EXPECT_TRUE(splitByPlayer);
  EXPECT_EQ(whiteEloParts, 3);
  EXPECT_EQ(resultMask, 23);
  EXPECT_EQ(dateFrom, packDate(1990, 1, 0));
  EXPECT_EQ(whitePlayer, "Иванов");
  EXPECT_EQ(ecoFilter, "B2");
  EXPECT_EQ(movesMax, 40);
  EXPECT_FALSE(appendToExisting);
}

TEST_F(SettingsFile, ReadingStopsWhereTheFileEnds) {
  TPanelSettings loaded;
  EXPECT_EQ(readSettingsFile(folder / "missing.dat", loaded), TSettingsContent::missing);

  auto placementOnly = folder.write("five.dat", bigEndian(1) + bigEndian(2) + bigEndian(700) +
                                                    bigEndian(500) + std::string("\x01", 1));
  loaded = {};
  loaded.outputPath = u"keep";
  ASSERT_EQ(readSettingsFile(placementOnly, loaded), TSettingsContent::placement);
  EXPECT_EQ(loaded.placement.width, 700);
  EXPECT_TRUE(loaded.panelVisible);
  EXPECT_EQ(loaded.outputPath, u"keep");

  ASSERT_TRUE(writeSettingsFile(folder / "seven.dat", sample(true)));
  tagMode = 0;
  ASSERT_EQ(readSettingsFile(folder / "seven.dat", loaded), TSettingsContent::pathAndFlag);
  EXPECT_EQ(tagMode, 0) << "auto-reset on: options are left as they are";
}

TEST_F(SettingsFile, DamagedFilesLoadAsZerosAndHighResultBitsAreDropped) {
  // Fields 1-7 with an empty path and auto-reset off, then the options.
  std::string head = bigEndian(0) + bigEndian(0) + bigEndian(600) + bigEndian(450) + '\0';
  head += bigEndian(0) + '\0';
  constexpr size_t kResultMaskOffset = 3 + 32 + 12;
  constexpr size_t kWhitePlayerOffset = kResultMaskOffset + 1 + 4 + 4;

  std::string options(kResultMaskOffset, '\0');
  options += '\xFF';
  TPanelSettings loaded;
  readSettingsFile(folder.write("mask.dat", head + options), loaded);
  EXPECT_EQ(resultMask, 31);

  // A player name whose length runs past the end reads empty, and everything after it as zero.
  resetOptions();
  std::string cut = head + std::string(kWhitePlayerOffset, '\0') + bigEndian(1000) + "ab";
  readSettingsFile(folder.write("cut.dat", cut), loaded);
  EXPECT_EQ(whitePlayer, "");
  EXPECT_EQ(movesMax, 0);
  EXPECT_FALSE(appendToExisting);
}

TEST_F(SettingsFile, AFailedWriteKeepsTheOldFile) {
  auto path = folder / "gamesift.dat";
  ASSERT_TRUE(writeSettingsFile(path, sample(true)));
  std::string before = folder.read("gamesift.dat");
  // The new file cannot be created where a folder of that name stands.
  std::filesystem::create_directory(folder / "gamesift.dat.new");
  EXPECT_FALSE(writeSettingsFile(path, sample(false)));
  EXPECT_EQ(folder.read("gamesift.dat"), before);
}

TEST_F(SettingsFile, ADiskFullMidwayNeverLeavesAHalfFile) {
  auto path = folder / "gamesift.dat";
  ASSERT_TRUE(writeSettingsFile(path, sample(true)));
  const std::string before = folder.read("gamesift.dat");
  // Every cut of the write: at the first byte, inside a field, at the last byte.
  for (int64_t room : {0, 1, 30, 100}) {
    limitWritesForTests(room);
    EXPECT_FALSE(writeSettingsFile(path, sample(false))) << room;
    limitWritesForTests(-1);
    EXPECT_EQ(folder.read("gamesift.dat"), before) << room;
    EXPECT_FALSE(std::filesystem::exists(folder / "gamesift.dat.new")) << room;
  }
}

TEST(PanelPlacement, SmallPanelsGrowAndPanelsOffTheRightEdgeComeBack) {
  TRect work{0, 0, 1024, 768};
  TPanelPlacement p = clampPlacement({1020, 5, 300, 200}, work);
  EXPECT_EQ(p.width, 600);
  EXPECT_EQ(p.height, 450);
  EXPECT_EQ(p.left, 1024 - 600);
  EXPECT_EQ(clampPlacement({1014, 5, 600, 450}, work).left, 424);
  EXPECT_EQ(clampPlacement({1013, 5, 600, 450}, work).left, 1013);
}

TEST(PanelPlacement, TallPanelsAreCutToTheWorkAreaAndKeptOnIt) {
  TRect work{0, 0, 1024, 768};
  TPanelPlacement p = clampPlacement({100, 800, 700, 900}, work);
  EXPECT_EQ(p.height, 768);
  EXPECT_EQ(p.top, 0) << "768 - 768 - 10 is below the top, so the top edge wins";
  EXPECT_EQ(clampPlacement({-50, -5, 700, 500}, work).left, 0);
}

TEST(PanelPlacement, DefaultPlacementIsCentred) {
  TPanelPlacement p = centredPlacement(601, 451, TRect{0, 0, 1024, 768});
  EXPECT_EQ(p.left, 211);
  EXPECT_EQ(p.top, 158);
}

}  // namespace
