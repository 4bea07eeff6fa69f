#include <gtest/gtest.h>

#include "gamesiftwnd/dropdown_logic.h"
#include "support/gamebuilder.h"

namespace {

TEST(FieldNumber, StopsAtTheUpperBound) {
  int32_t value = -1;
  EXPECT_TRUE(readFieldNumber(u"", 10, value));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(readFieldNumber(u"0000000000000000000009", 9, value));
  EXPECT_EQ(value, 9);
  EXPECT_FALSE(readFieldNumber(u"10", 9, value));
  EXPECT_FALSE(readFieldNumber(u"99999999999999999999999", 2147483647, value));
  EXPECT_TRUE(readFieldNumber(u"2147483647", 2147483647, value));
  EXPECT_FALSE(readFieldNumber(u"1 2", 100, value));
  EXPECT_FALSE(readFieldNumber(u"+1", 100, value));
}

TEST(FieldText, MatchesLettersOfEitherCase) {
  EXPECT_TRUE(sameText(u"ЁЖИК Abc", u"ёжик aBC"));
  EXPECT_FALSE(sameText(u"любой", u"любое"));
  EXPECT_FALSE(sameText(u"Ä", u"ä"));  // only the Latin and Russian alphabets are lowered
}

TEST(RecentList, HeightFollowsTheItemCount) {
  const int32_t h = 16;
  EXPECT_EQ(listHeight(0, h), h + 3);
  EXPECT_EQ(listHeight(3, h), 3 * (h + 3));
  EXPECT_EQ(listHeight(9, h), 9 * (h + 3));
  EXPECT_EQ(listHeight(10, h), 10 * h + 30);
  EXPECT_EQ(listHeight(25, h), 10 * h + 30);
}

TEST(RecentList, OpensAboveAFieldNearTheBottom) {
  const TRect edit{100, 500, 300, 517};
  const TRect below = listPlacement(edit, 190, 800);
  EXPECT_EQ(below.top, 517);
  EXPECT_EQ(below.bottom, 707);
  EXPECT_EQ(below.left, 100);
  EXPECT_EQ(below.right, 300);
  const TRect above = listPlacement(edit, 190, 700);
  EXPECT_EQ(above.top, 310);
  EXPECT_EQ(above.bottom, 500);
}

TGames gamesBetween(std::initializer_list<std::pair<const char*, const char*>> pairs) {
  TGames games;
  for (const auto& [white, black] : pairs) {
    TGame game;
    game.Tags = rosterTags(white, black);
    games.push_back(std::move(game));
  }
  return games;
}

TEST(PlayerItems, NamesOnceInByteOrderAfterTheFirstItem) {
  TGames games = gamesBetween({{"Tal", "Anand"}, {"Carlsen", "Tal"}, {"Tal", "Carlsen"}});
  games.emplace_back();  // a game without a roster keeps out of the list
  using L = std::vector<std::u16string>;
  EXPECT_EQ(playerItems(u"любой", games, true, false), (L{u"любой", u"Carlsen", u"Tal"}));
  EXPECT_EQ(playerItems(u"любой", games, false, true), (L{u"любой", u"Anand", u"Carlsen", u"Tal"}));
  EXPECT_EQ(playerItems(u"любой", games, true, true), (L{u"любой", u"Anand", u"Carlsen", u"Tal"}));
  EXPECT_EQ(playerItems(u"любой", {}, true, true), (L{u"любой"}));
}

TEST(PlayerItems, ManyGamesOfOneOrderedList) {
  TGames games;
  for (int i = 0; i < 100000; ++i) {
    TGame game;
    game.Tags = rosterTags("Player " + std::to_string(100000 + i));
    games.push_back(std::move(game));
  }
  const auto items = playerItems(u"любой", games, true, false);
  ASSERT_EQ(items.size(), 100001u);
  EXPECT_EQ(items[1], u"Player 100000");
  EXPECT_EQ(items.back(), u"Player 199999");
}

}  // namespace
