#include "cli/mkeco.h"

#include <gtest/gtest.h>

#include "cliprogram.h"
#include "support/chessplay.h"
#include "support/pgnreading.h"
#include "support/pipeline.h"
#include "uchess/ecobase.h"

namespace {

// Reference keys of the opening-book format for the initial position and after 1.e4.
constexpr uint64_t kInitialKey = 0x463b96181691fc9cULL;
constexpr uint64_t kAfterE4Key = 0x823c9b50fd114196ULL;

std::string openingLine(std::string_view eco, std::string_view moves) {
  return "[ECO \"" + std::string(eco) + "\"]\n\n" + std::string(moves) + " *\n\n";
}

// The code each entry of bytes gives a key, checking the file's shape on the way.
std::map<uint64_t, std::string> records(const std::string& bytes) {
  EXPECT_EQ(bytes.size() % kEcoRecordSize, 0u);
  std::map<uint64_t, std::string> byKey;
  int64_t previous = INT64_MIN;
  for (size_t at = 0; at + kEcoRecordSize <= bytes.size(); at += kEcoRecordSize) {
    uint64_t key = 0;
    for (size_t i = 0; i < 8; ++i) key = key << 8 | static_cast<uint8_t>(bytes[at + i]);
    EXPECT_GT(static_cast<int64_t>(key), previous) << "records must ascend by signed key";
    previous = static_cast<int64_t>(key);
    byKey[key] = bytes.substr(at + 8, 3);
  }
  return byKey;
}

std::string classify(std::string_view moves) {
  TTestGame game;
  EXPECT_GT(playSan(game.line, moves), 0);
  return game.line.ecocode();
}

class Mkeco : public TPipelineTest {
 protected:
  void TearDown() override {
    clearEcoBase();
    TPipelineTest::TearDown();
  }
  // Runs the real program's mkeco on the opening lines and answers the base's bytes.
  std::string build(const std::string& lines, int expectedStatus = 0) {
    folder.write("openings.pgn", lines);
    const TProgramResult run = gamesift(
        {"mkeco", (folder / "openings.pgn").string(), "-o", (folder / "ecos.dat").string()});
    EXPECT_EQ(run.status, expectedStatus) << run.err;
    return folder.read("ecos.dat");
  }
};

TEST_F(Mkeco, KeysCarryTheSideToMoveAfterTheLine) {
  const auto base =
      records(build(openingLine("B00", "1. e4") + openingLine("A00", "1. Nf3 Nf6 2. Ng1 Ng8")));
  ASSERT_EQ(base.size(), 2u);
  EXPECT_EQ(base.at(kAfterE4Key), "B00");
  EXPECT_EQ(base.at(kInitialKey), "A00");  // back at the start, White to move
}

TEST_F(Mkeco, ClassifiesTranspositionsThroughTheBase) {
  build(openingLine("C20", "1. e4 e5") + openingLine("C44", "1. e4 e5 2. Nf3 Nc6") +
        openingLine("C60", "1. e4 e5 2. Nf3 Nc6 3. Bb5") + openingLine("b20", "1. e4 c5"));
  ASSERT_TRUE(loadecoFrom(folder / "ecos.dat"));
  EXPECT_EQ(classify("1. Nf3 Nc6 2. e4 e5 3. Bb5 a6"), "C60");
  EXPECT_EQ(classify("1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5"), "C44");
  EXPECT_EQ(classify("1. e4 c5 2. Nf3"), "B20");  // the letter of a code becomes a capital
  EXPECT_EQ(classify("1. d4 d5"), "");
}

TEST(MkecoRule, LongerLineWinsThenFirstInFile) {
  const std::vector<TEcoLine> lines = {
      {5, "A10", 3, 0},  {5, "A20", 5, 1},  {5, "A30", 5, 2},  // the longest, first of two
      {-9, "E00", 4, 3}, {-9, "E01", 4, 4},                    // same length: the first
      {7, "B00", 2, 5},  {7, "B00", 6, 6},                     // same code, no conflict
  };
  int32_t conflicts = 0;
  const ecoinfar base = chooseEcoEntries(lines, conflicts);
  ASSERT_EQ(base.size(), 3u);
  EXPECT_EQ(base[0].key, -9);
  EXPECT_EQ(base[0].code, "E00");
  EXPECT_EQ(base[1].code, "A20");
  EXPECT_EQ(base[2].code, "B00");
  EXPECT_EQ(conflicts, 2);
}

TEST_F(Mkeco, OrdersKeysAsSignedNumbers) {
  // 1.e4 has the top bit set and sorts before the initial position; as unsigned it would not.
  const std::string bytes =
      build(openingLine("A00", "1. Nf3 Nf6 2. Ng1 Ng8") + openingLine("B00", "1. e4"));
  ASSERT_EQ(bytes.size(), 22u);
  EXPECT_EQ(bytes.substr(0, 11), std::string("\x82\x3c\x9b\x50\xfd\x11\x41\x96"
                                             "B00",
                                             11));
  EXPECT_EQ(bytes.substr(11, 11), std::string("\x46\x3b\x96\x18\x16\x91\xfc\x9c"
                                              "A00",
                                              11));
}

TEST_F(Mkeco, SkipsLinesWithoutAUsableCode) {
  const auto base =
      records(build(openingLine("Z99", "1. e4") + "[Opening \"none\"]\n\n1. d4 *\n\n" +
                    openingLine("A40", "1. d4") + openingLine("A45", "1. d4 Qxh8")));
  ASSERT_EQ(base.size(), 1u);
  EXPECT_EQ(base.begin()->second, "A40");
}

TEST_F(Mkeco, BadInputsKeepTheOldBase) {
  folder.write("ecos.dat", "old base!!!");
  EXPECT_EQ(build("[Event \"no codes\"]\n\n1. e4 *\n", 1), "old base!!!");
  const TProgramResult missing =
      gamesift({"mkeco", (folder / "nope.pgn").string(), "-o", (folder / "ecos.dat").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("nope.pgn: no such file or folder"), std::string::npos) << missing.err;
  const TProgramResult noFolder = gamesift({"mkeco", (folder / "openings.pgn").string(), "-o",
                                            (folder / "absent" / "ecos.dat").string()});
  EXPECT_EQ(noFolder.status, 1);
  EXPECT_NE(noFolder.err.find("absent: no such folder"), std::string::npos) << noFolder.err;
  EXPECT_EQ(folder.read("ecos.dat"), "old base!!!");
}

TEST_F(Mkeco, RealOpeningLinesClassifyAKnownTransposition) {
  const std::filesystem::path lines = "/usr/share/pgn-extract/eco.pgn";
  if (!std::filesystem::exists(lines)) GTEST_SKIP() << "no " << lines << " (package pgn-extract)";
  const TProgramResult run =
      gamesift({"mkeco", lines.string(), "-o", (folder / "ecos.dat").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto base = records(folder.read("ecos.dat"));
  EXPECT_GT(base.size(), 1000u);
  for (const auto& [key, code] : base) EXPECT_TRUE(code[0] >= 'A' && code[0] <= 'E') << code;
  ASSERT_TRUE(loadecoFrom(folder / "ecos.dat"));
  // The Najdorf reached from 1.Nf3, leaving the base with 6.a3.
  EXPECT_EQ(classify("1. Nf3 c5 2. e4 d6 3. d4 cxd4 4. Nxd4 Nf6 5. Nc3 a6 6. a3 e5"), "B90");
}

}  // namespace
