#include "cli/settings.h"

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "support/pipeline.h"

namespace {

class SettingsCheck : public TPipelineTest {
 protected:
  // The bytes the plug-in's writer produces for the options in force.
  std::string written(bool autoReset = false) {
    TPanelSettings settings = defaultPanelSettings("/tmp/out/games");
    settings.autoResetSettings = autoReset;
    EXPECT_TRUE(writeSettingsFile(folder / "gamesift.dat", settings));
    return folder.read("gamesift.dat");
  }
  static std::string check(std::string_view bytes) {
    TSettingsContent content = TSettingsContent::missing;
    return checkSettingsBytes(bytes, content);
  }
};

TEST_F(SettingsCheck, AcceptsWhatTheWriterWrites) {
  whitePlayer = "Карлсен";
  ecoFilter = "B1";
  keptNags = TNagSet::moveMarksOnly();
  TSettingsContent content = TSettingsContent::missing;
  EXPECT_EQ(checkSettingsBytes(written(), content), "");
  EXPECT_EQ(content, TSettingsContent::everything);
  EXPECT_EQ(checkSettingsBytes(written(true), content), "");
  EXPECT_EQ(content, TSettingsContent::pathAndFlag);
}

TEST_F(SettingsCheck, EveryCutIsTruncatedBarTheTwoPlacesAFileMayEnd) {
  const std::string whole = written();
  constexpr size_t kPlacementBytes = 17;
  for (size_t cut = 1; cut < whole.size(); ++cut) {
    const std::string problem = check(std::string_view(whole).substr(0, cut));
    if (cut == kPlacementBytes)
      EXPECT_EQ(problem, "") << cut;
    else
      EXPECT_EQ(problem.rfind("settings file is truncated", 0), 0u) << cut << ": " << problem;
  }
  EXPECT_EQ(check(""), "settings file is empty");
}

TEST_F(SettingsCheck, RefusesBytesAfterTheLastField) {
  EXPECT_EQ(check(written() + "x"), "not a settings file: 1 bytes follow its last field");
  EXPECT_EQ(check(written(true) + "xy"), "not a settings file: 2 bytes follow its last field");
}

TEST_F(SettingsCheck, NamesAFieldOutOfItsRange) {
  std::string bytes = written(true);
  bytes[16] = 7;  // panel visible
  EXPECT_EQ(check(bytes), "not a settings file: field 5 (panel visible) holds 7");
  bytes = written();
  // Placement (17 bytes), the path's length and UTF-16 units, the flag, removeComments.
  const size_t tagMode = 17 + 4 + 2 * defaultPanelSettings("/tmp/out/games").outputPath.size() + 2;
  bytes[tagMode] = 3;
  EXPECT_EQ(check(bytes), "not a settings file: field 9 (tagMode) holds 3");
}

TEST_F(SettingsCheck, RefusesAGarbageFile) {
  std::string garbage;
  for (int i = 0; i < 300; ++i) garbage += static_cast<char>((i * 73 + 41) % 256);
  EXPECT_EQ(check(garbage).rfind("not a settings file", 0), 0u) << check(garbage);
  EXPECT_EQ(check(std::string(40, '\xFF')),
            "not a settings file: field 5 (panel visible) holds 255");
}

TEST_F(SettingsCheck, NegativeTextLengthIsGarbageNotTruncation) {
  std::string bytes = written(true);
  bytes.replace(17, 4, "\xFF\xFF\xFF\xFE");
  EXPECT_EQ(check(bytes), "not a settings file: field 6 (output path) holds -2 as its length");
}

TEST_F(SettingsCheck, LoadingPutsTheOptionsInPlace) {
  tagMode = 0;
  splitByEco = 3;
  dateTo = packDate(1999, 12, 31);
  whitePlayer = "Tal, Mikhail";
  appendToExisting = false;
  written();
  resetOptions();
  TSettingsContent content = TSettingsContent::missing;
  EXPECT_EQ(loadSettings(folder / "gamesift.dat", content), "");
  EXPECT_EQ(tagMode, 0);
  EXPECT_EQ(splitByEco, 3);
  EXPECT_EQ(dateTo, packDate(1999, 12, 31));
  EXPECT_EQ(whitePlayer, "Tal, Mikhail");
  EXPECT_FALSE(appendToExisting);
  EXPECT_EQ(loadSettings(folder / "missing.dat", content), "no such file or folder");
}

}  // namespace
