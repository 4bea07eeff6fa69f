#include <functional>
#include <string>
#include <vector>

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

TEST_F(SettingsFile, DamagedFilesKeepTheDefaultsAfterTheDamageAndHighResultBitsAreDropped) {
  // Fields 1-7 with an empty path and auto-reset off, then the options.
  std::string head = bigEndian(0) + bigEndian(0) + bigEndian(600) + bigEndian(450) + '\0';
  head += bigEndian(0) + '\0';
  constexpr size_t kResultMaskOffset = 3 + 32 + 12;
  constexpr size_t kWhitePlayerOffset = kResultMaskOffset + 1 + 4 + 4;

  std::string options(kResultMaskOffset, '\0');
  options += '\xFF';
  TPanelSettings loaded;
  EXPECT_EQ(readSettingsFile(folder.write("mask.dat", head + options), loaded),
            TSettingsContent::someOptions);
  EXPECT_EQ(resultMask, 31);
  EXPECT_EQ(keptNags, TNagSet::none()) << "read as the file has it";

  // A player name whose length runs past the end is not there: it and every option after it
  // keep their defaults, the ones before it are read as they stand (zeros here).
  std::string cut = head + std::string(kWhitePlayerOffset, '\0') + bigEndian(1000) + "ab";
  whitePlayer = "Someone";
  movesMax = 7;
  appendToExisting = false;
  EXPECT_EQ(readSettingsFile(folder.write("cut.dat", cut), loaded), TSettingsContent::someOptions);
  EXPECT_EQ(loaded.wholeFields, 26);
  EXPECT_EQ(resultMask, 0);
  EXPECT_EQ(dateTo, 0);
  EXPECT_EQ(whitePlayer, "");
  EXPECT_EQ(movesMax, 100000);
  EXPECT_EQ(whiteEloMax, 10000);
  EXPECT_TRUE(appendToExisting);
}

// A file cut at every byte, so at every field boundary and inside every field: each field the
// file holds whole is read by the file's rule, each one it does not hold gets its default. A file
// that ends inside the options never turns the filters into "keep nothing".
class CutSettingsFile : public SettingsFile {
 protected:
  // Every option away from its default.
  static void setWritten() {
    removeComments = true;
    tagMode = 1;
    removeVariations = true;
    keptNags = TNagSet::moveMarksOnly();
    removeDuplicates = true;
    addEcoNames = true;
    removeOldEco = false;
    splitByEco = 2;
    splitByWhite = true;
    splitByBlack = true;
    splitByPlayer = true;
    splitByDate = 3;
    splitByEvent = true;
    whiteEloParts = 4;
    blackEloParts = 5;
    splitByResult = true;
    resultMask = 5;
    dateFrom = packDate(1990, 1, 0);
    dateTo = packDate(2000, 12, 31);
    whitePlayer = "Иванов";
    blackPlayer = "Petrov";
    ignoreColour = true;
    whiteEloMin = 2000;
    whiteEloMax = 2800;
    blackEloMin = 2100;
    blackEloMax = 2700;
    ecoFilter = "B2";
    movesMin = 20;
    movesMax = 60;
    appendToExisting = false;
  }

  // One field of the file: its size in bytes, and whether the option holds the written value
  // (written = true) or the default (false) now.
  struct TField {
    size_t size;
    std::function<bool(bool written)> holds;
  };

  template <class T>
  static TField option(size_t size, const T& value, T written, T fallback) {
    return {size,
            [&value, written, fallback](bool w) { return value == (w ? written : fallback); }};
  }

  static std::vector<TField> optionFields() {
    const TNagSet moves = TNagSet::moveMarksOnly();
    return {option<bool>(1, removeComments, true, false),
            option<uint8_t>(1, tagMode, 1, 2),
            option<bool>(1, removeVariations, true, false),
            option<TNagSet>(32, keptNags, moves, TNagSet::all()),
            option<bool>(1, removeDuplicates, true, false),
            option<bool>(1, addEcoNames, true, false),
            option<bool>(1, removeOldEco, false, true),
            option<uint8_t>(1, splitByEco, 2, 0),
            option<bool>(1, splitByWhite, true, false),
            option<bool>(1, splitByBlack, true, false),
            option<bool>(1, splitByPlayer, true, false),
            option<uint8_t>(1, splitByDate, 3, 0),
            option<bool>(1, splitByEvent, true, false),
            option<uint8_t>(1, whiteEloParts, 4, 1),
            option<uint8_t>(1, blackEloParts, 5, 1),
            option<bool>(1, splitByResult, true, false),
            option<uint8_t>(1, resultMask, 5, kResultAll),
            option<int32_t>(4, dateFrom, packDate(1990, 1, 0), kDateAnyBefore),
            option<int32_t>(4, dateTo, packDate(2000, 12, 31), kDateAnyAfter),
            option<std::string>(4 + 12, whitePlayer, "Иванов", ""),
            option<std::string>(4 + 6, blackPlayer, "Petrov", ""),
            option<bool>(1, ignoreColour, true, false),
            option<int32_t>(4, whiteEloMin, 2000, 0),
            option<int32_t>(4, whiteEloMax, 2800, 10000),
            option<int32_t>(4, blackEloMin, 2100, 0),
            option<int32_t>(4, blackEloMax, 2700, 10000),
            option<std::string>(4 + 2, ecoFilter, "B2", ""),
            option<int32_t>(4, movesMin, 20, 0),
            option<int32_t>(4, movesMax, 60, 100000),
            option<bool>(1, appendToExisting, false, true)};
  }
};

TEST_F(CutSettingsFile, EveryFieldTheFileHoldsIsReadEveryOtherGetsItsDefault) {
  setWritten();
  const TPanelSettings saved = sample(false);
  ASSERT_TRUE(writeSettingsFile(folder / "whole.dat", saved));
  const std::string whole = folder.read("whole.dat");
  // Fields 1 to 7, then the options: where each field ends.
  std::vector<size_t> ends = {4, 8, 12, 16, 17, 17 + 4 + 2 * saved.outputPath.size(), 0};
  ends[6] = ends[5] + 1;
  const std::vector<TField> options = optionFields();
  for (const TField& field : options) ends.push_back(ends.back() + field.size);
  ASSERT_EQ(ends.size(), size_t(kSettingsFieldCount));
  ASSERT_EQ(ends.back(), whole.size());

  const TPanelPlacement unread{-1, -2, -3, -4};
  for (size_t length = 0; length <= whole.size(); ++length) {
    int32_t held = 0;
    while (held < kSettingsFieldCount && ends[held] <= length) ++held;
    const auto path = folder.write("cut.dat", whole.substr(0, length));
    // Twice: once from the written values, to see that what is missing gets its default, once
    // from the defaults, to see that what is there is read.
    for (bool fromWritten : {true, false}) {
      if (fromWritten)
        setWritten();
      else
        resetOptions();
      TPanelSettings loaded;
      loaded.placement = unread;
      loaded.outputPath = u"unread";
      loaded.autoResetSettings = false;
      const TSettingsContent content = readSettingsFile(path, loaded);
      SCOPED_TRACE("cut after " + std::to_string(length) + " bytes, " + std::to_string(held) +
                   " fields whole, options " + (fromWritten ? "written" : "default") + " before");
      EXPECT_EQ(loaded.wholeFields, held);
      const TSettingsContent expected = held < 6                     ? TSettingsContent::placement
                                        : held == 6                  ? TSettingsContent::pathAndFlag
                                        : held < kSettingsFieldCount ? TSettingsContent::someOptions
                                                                     : TSettingsContent::everything;
      EXPECT_EQ(content, expected);
      EXPECT_EQ(loaded.placement.left, held >= 1 ? saved.placement.left : unread.left);
      EXPECT_EQ(loaded.placement.top, held >= 2 ? saved.placement.top : unread.top);
      EXPECT_EQ(loaded.placement.width, held >= 3 ? saved.placement.width : unread.width);
      EXPECT_EQ(loaded.placement.height, held >= 4 ? saved.placement.height : unread.height);
      EXPECT_EQ(loaded.panelVisible, held >= 5);
      EXPECT_EQ(loaded.outputPath, held >= 6 ? saved.outputPath : u"unread");
      // A missing flag is the default, on: then no option is read at all.
      if (held >= 6) {
        EXPECT_EQ(loaded.autoResetSettings, held == 6);
      }
      for (size_t i = 0; i < options.size(); ++i) {
        const int32_t number = static_cast<int32_t>(i) + 8;
        // Options are read only after a flag that says they were saved.
        const bool read = held >= number;
        const bool expectWritten = read || (held < 7 && fromWritten);
        EXPECT_TRUE(options[i].holds(expectWritten)) << "field " << number;
      }
    }
  }
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
