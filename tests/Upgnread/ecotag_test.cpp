#include "Upgnread/ecotag.h"

#include <gtest/gtest.h>

#include "Upgnread/filters.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnwriter.h"
#include "support/ecofile.h"
#include "support/gamebuilder.h"
#include "support/tempfolder.h"
#include "uchess/ecobase.h"

namespace {

constexpr const char* kAfterE4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1";

int64_t keyAfter(std::string_view moves, bool blackToMove) {
  doska board;
  auto line = playLine(board, moves);
  return static_cast<int64_t>(board.poskey(blackToMove));
}

// A base that names the positions after 1.e4 (B00) and after 1.e4 c5 (B20).
class EcoTagTest : public testing::Test {
 protected:
  void SetUp() override {
    resetOptions();
    std::vector<std::pair<int64_t, std::string>> entries = {{keyAfter("e2e4", true), "B00"},
                                                            {keyAfter("e2e4 c7c5", false), "B20"}};
    std::sort(entries.begin(), entries.end());
    ASSERT_TRUE(loadecoFrom(folder.write("ecos.dat", ecoFile(entries))));
  }
  void TearDown() override {
    clearEcoBase();
    resetOptions();
  }

  TGame sicilian(TGamesTagArray tags) {
    board.setinitial();
    return makeGame(std::move(tags), playLine(board, "e2e4 c7c5 g1f3"));
  }
  TGame sicilianWithEco(std::string_view code) {
    TGamesTagArray tags = rosterTags();
    addTag(tags, "ECO", code);
    return sicilian(std::move(tags));
  }

  TTempFolder folder;
  doska board;
};

TGamesTagArray fenTags() {
  TGamesTagArray tags = rosterTags();
  addTag(tags, "SetUp", "1");
  addTag(tags, "FEN", kAfterE4);
  return tags;
}

}  // namespace

TEST_F(EcoTagTest, NewTagGoesToSevenAndPushesItsTagToTheEnd) {
  TGamesTagArray tags = rosterTags();
  addTag(tags, "Annotator", "Me");
  addTag(tags, "PlyCount", "3");
  TGame game = sicilian(std::move(tags));
  EXPECT_EQ(fillEco(game, false), "B20");
  ASSERT_EQ(game.Tags.size(), 10u);
  EXPECT_EQ(game.Tags[7].Name, "ECO");
  EXPECT_EQ(game.Tags[7].Value, "B20");
  EXPECT_EQ(game.Tags[8].Name, "PlyCount");
  EXPECT_EQ(game.Tags[9].Name, "Annotator");
}

TEST_F(EcoTagTest, NewTagFollowsAPositionSetup) {
  TGamesTagArray tags = fenTags();
  addTag(tags, "Annotator", "Me");
  int error = 0;
  int64_t position = 1;
  TGame game = makeGame(std::move(tags), jurnal::createfromfen(kAfterE4, error, position));
  fillEco(game, false);
  ASSERT_EQ(game.Tags.size(), 11u);
  EXPECT_EQ(game.Tags[8].Name, "FEN");
  EXPECT_EQ(game.Tags[9].Name, "ECO");
  EXPECT_EQ(game.Tags[10].Name, "Annotator");
}

TEST_F(EcoTagTest, ExistingTagIsFoundInAnyCaseAndNotDuplicated) {
  TGamesTagArray tags = fenTags();
  addTag(tags, "eco", "");
  TGame game = makeGame(std::move(tags), nullptr);
  fillEco(game, true);
  EXPECT_EQ(game.Tags.size(), 10u);
  EXPECT_EQ(findEcoSlot(game.Tags), 9);
  // Beyond index 9 a tag of that name is an ordinary tag.
  game.Tags.insert(7, "Annotator", "Me");
  EXPECT_EQ(findEcoSlot(game.Tags), -1);
}

struct TRecomputeCase {
  const char* stored;
  bool recompute;
  bool removeOld;
  const char* result;
};

class EcoRecomputeTest : public EcoTagTest, public testing::WithParamInterface<TRecomputeCase> {};

TEST_P(EcoRecomputeTest, ReplacesOldCodesOnlyWhenAskedOrUnusable) {
  removeOldEco = GetParam().removeOld;
  TGame game = sicilianWithEco(GetParam().stored);
  EXPECT_EQ(fillEco(game, GetParam().recompute), GetParam().result);
  EXPECT_EQ(game.Tags[7].Value, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Codes, EcoRecomputeTest,
                         testing::Values(TRecomputeCase{"A00", true, true, "B20"},
                                         TRecomputeCase{"A00", true, false, "A00"},
                                         TRecomputeCase{"A00", false, true, "A00"},
                                         TRecomputeCase{"e99", false, true, "e99"},
                                         TRecomputeCase{"F00", false, false, "B20"},
                                         TRecomputeCase{"B2", false, false, "B20"},
                                         TRecomputeCase{"B200", false, false, "B20"},
                                         TRecomputeCase{"", false, false, "B20"}));

TEST_F(EcoTagTest, GameWithoutMovesLosesItsCode) {
  TGamesTagArray tags = rosterTags();
  addTag(tags, "ECO", "C42");
  TGame game = makeGame(std::move(tags), nullptr);
  EXPECT_EQ(fillEco(game, false), "");
  EXPECT_EQ(game.Tags[7].Value, "");
}

TEST_F(EcoTagTest, OpeningOutsideTheBaseGetsAnEmptyCode) {
  TGame game = makeGame(rosterTags(), playLine(board, "d2d4 d7d5"));
  EXPECT_EQ(fillEco(game, true), "");
}

TEST_F(EcoTagTest, GameFromAPositionIsClassifiedFromThatPosition) {
  int error = 0;
  int64_t position = 1;
  auto line = jurnal::createfromfen(kAfterE4, error, position);
  ASSERT_EQ(error, 0);
  // Played as a reader plays it: on its own start board, left at the end of the line.
  playMoves(*line, "c7c5 g1f3");
  TGame game = makeGame(fenTags(), std::move(line));
  EXPECT_EQ(fillEco(game, true), "B20");
  EXPECT_EQ(fillEco(game, true), "B20");  // and again, from a line the first call left at its end
}

TEST_F(EcoTagTest, EcoFilterStoresTheCodeOnlyInAnExistingTag) {
  ecoFilter = "B2";
  TGame withTag = sicilianWithEco("Z99");
  EXPECT_TRUE(acceptEco(withTag, false));
  EXPECT_EQ(withTag.Tags[7].Value, "B20");
  TGame withoutTag = sicilian(rosterTags());
  EXPECT_TRUE(acceptEco(withoutTag, false));
  EXPECT_EQ(withoutTag.Tags.size(), size_t(kRosterTagCount));
}

TEST_F(EcoTagTest, WriterAddsTheCodeWhenAsked) {
  addEcoNames = true;
  TGame game = sicilianWithEco("A00");
  TOutputBuffer buffer;
  writeGame(game, buffer);
  EXPECT_NE(buffer.text().find("[Result \"*\"]\r\n[ECO \"B20\"]\r\n\r\n1.e4 c5 2.Nf3 *"),
            std::string::npos)
      << buffer.text();
}

TEST(EcoCode, ValidCodeIsALetterAToEAndTwoDigits) {
  for (const char* code : {"A00", "E99", "a00", "e59"}) EXPECT_TRUE(isValidEco(code)) << code;
  for (const char* code : {"F00", "A0", "A000", "AA0", "A0x", "", " A00"})
    EXPECT_FALSE(isValidEco(code)) << code;
}

// A game from a shuffled back rank has no opening of the base, even where its moves would name one.
TEST_F(EcoTagTest, Chess960GameGetsNoCodeAndKeepsAValidOneItHas) {
  TGamesTagArray tags = rosterTags();
  addTag(tags, "Variant", "Chess960");
  TGame game = sicilian(tags);
  EXPECT_EQ(fillEco(game, false), "");
  EXPECT_EQ(findEcoSlot(game.Tags), -1);
  addTag(tags, "ECO", "A00");
  TGame tagged = sicilian(tags);
  EXPECT_EQ(classifyEco(tagged, false), "A00");
  removeOldEco = true;
  EXPECT_EQ(classifyEco(tagged, true), "");
}
