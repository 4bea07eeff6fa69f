#include "pgnrenamwnd/rename_logic.h"

#include <gtest/gtest.h>

#include "support/gamebuilder.h"

namespace {

TGames gamesOf(std::initializer_list<std::pair<const char*, const char*>> players) {
  TGames games;
  for (const auto& [white, black] : players)
    games.push_back(makeGame(rosterTags(white, black), nullptr));
  return games;
}

TEST(Rename, PlayersCountWhiteAndBlackSeparately) {
  TGames games = gamesOf({{"X", "a"}, {"X", "b"}, {"c", "X"}});
  EXPECT_EQ(applyRename(games, kTagWhite, "X", "Y"), 3);
  EXPECT_EQ(games[2].Tags[kTagBlack].Value, "Y");
  EXPECT_EQ(renameMessage(3), u"Переименование завершено. Изменено 3 названий.");
  EXPECT_EQ(applyRename(games, kTagEvent, "nothing", "Y"), 0);
  EXPECT_EQ(renameMessage(0), u"Переименование завершено. Совпадений не найдено");
}

TEST(Rename, ListsDistinctValuesByteOrderedAndCaseSensitive) {
  TGames games = gamesOf({{"b", "B"}, {"a", "b"}, {"\xC0", ""}});
  EXPECT_EQ(renameValues(games, kTagWhite),
            (std::vector<std::string>{"", "B", "a", "b", "\xC0"}));  // high bytes last
  EXPECT_EQ(applyRename(games, kTagWhite, "b", "z"), 2);
  TGame shortGame;
  shortGame.Tags = {{"Event", "E"}};
  games.push_back(std::move(shortGame));
  EXPECT_EQ(applyRename(games, kTagSite, "", "S"), 0);  // the short game has no Site at all
}

}  // namespace
