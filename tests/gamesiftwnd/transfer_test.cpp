#include "gamesiftwnd/transfer_logic.h"

#include <gtest/gtest.h>

#include "Upgnread/ecotag.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "pgnlongwork/jobs.h"
#include "support/gamebuilder.h"

namespace {

struct THostRecordStore {
  std::vector<THostTag> tags;
  std::u16string file = u"C:\\games\\a.pgn";
  THostGameRecord record{};

  explicit THostRecordStore(std::vector<THostTag> given, int32_t start = 7)
      : tags(std::move(given)) {
    record.Tags = tags.data();
    record.TagCount = static_cast<int32_t>(tags.size());
    record.FileName = file.c_str();
    record.TextStart = start;
    record.TextLength = 40;
  }
};

TEST(Transfer, CopiesTagsAndPlaceAndFindsTheLastFenTag) {
  THostRecordStore host({{"Event", "E"}, {"FEN", "first"}, {"fen", "8/8/8/8/8/8/8/K6k w - - 0 1"}});
  TGame game;
  const std::string fen = copyHostGame(host.record, game);
  EXPECT_EQ(fen, "8/8/8/8/8/8/8/K6k w - - 0 1");
  EXPECT_EQ(game.Tags.size(), 3u);
  EXPECT_EQ(game.FileName->u16string(), host.file);
  EXPECT_EQ(game.TextStart, 7);
  EXPECT_EQ(game.TextLength, 40);
  EXPECT_FALSE(game.Journal);
  THostGameRecord empty{};
  EXPECT_EQ(copyHostGame(empty, game), "");
  EXPECT_TRUE(game.Tags.empty());
}

TEST(Transfer, AGameTransferredTwiceIsAddedOnce) {
  emptyGameBase();
  THostRecordStore host(std::vector<THostTag>{{"Event", "E"}});
  for (int round = 0; round < 2; ++round) {
    TGames batch(1);
    copyHostGame(host.record, batch[0]);
    mergeWithoutStages(batch);
  }
  EXPECT_EQ(panelGames.size(), 1u);
  emptyGameBase();
}

// TransferAll and TransferCurrent fill the ECO tag by one rule: only a game that got its moves.
// One the board refused (its FEN could not be set up, so it has no journal) keeps the code the
// host gave it instead of an emptied one.
TEST(Transfer, AGameWithoutMovesKeepsItsEcoTagWhateverTheOption) {
  for (int option = 0; option < 4; ++option) {
    resetOptions();
    addEcoNames = option == 1;
    splitByEco = option == 2 ? 1 : 0;
    ecoFilter = option == 3 ? "B" : "";
    TGamesTagArray tags = rosterTags();
    addTag(tags, "ECO", "B20");
    TGame refused = makeGame(tags, nullptr);
    fillTransferredEco(refused);
    ASSERT_EQ(refused.Tags.size(), 8u) << option;
    EXPECT_EQ(refused.Tags[7].Value, "B20") << option;
    TGame bare = makeGame(rosterTags(), nullptr);
    fillTransferredEco(bare);
    EXPECT_EQ(bare.Tags.size(), 7u) << "no empty ECO tag added; option " << option;
  }
  resetOptions();
}

TEST(Transfer, AGameWithMovesGetsItsEcoTagWhenAnOptionAsksForCodes) {
  doska board;
  board.setinitial();
  TGame game = makeGame(rosterTags(), playLine(board, "e2e4 c7c5"));
  resetOptions();
  EXPECT_FALSE(transferNeedsEco());
  fillTransferredEco(game);
  EXPECT_EQ(findEcoSlot(game.Tags), -1) << "no option asks for codes";
  addEcoNames = true;
  EXPECT_TRUE(transferNeedsEco());
  fillTransferredEco(game);
  EXPECT_EQ(findEcoSlot(game.Tags), 7) << "the tag is there, filled from the moves";
  resetOptions();
}

TEST(Transfer, FindsTheVariationToEnterOrOnePastTheLast) {
  const intptr_t lines[] = {11, 22, 33};
  EXPECT_EQ(variationNumber(lines, 3, 22), 2);
  EXPECT_EQ(variationNumber(lines, 3, 44), 4);
  EXPECT_EQ(variationNumber(nullptr, 0, 44), 1);
}

}  // namespace
