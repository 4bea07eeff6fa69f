#include "gamesiftwnd/transfer_logic.h"

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "pgnlongwork/jobs.h"

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

TEST(Transfer, FindsTheVariationToEnterOrOnePastTheLast) {
  const intptr_t lines[] = {11, 22, 33};
  EXPECT_EQ(variationNumber(lines, 3, 22), 2);
  EXPECT_EQ(variationNumber(lines, 3, 44), 4);
  EXPECT_EQ(variationNumber(nullptr, 0, 44), 1);
}

}  // namespace
