#pragma once
// Tag-only games in the game base, for the tests of the output run's sorting and splitting.

#include <cstdint>
#include <string_view>

#include <gtest/gtest.h>

#include "plugcommon/gamerecords.h"

// Adds a game without moves to panelGames; returns its index.
int32_t addTaggedGame(std::string_view white, std::string_view black, std::string_view result = "*",
                      std::string_view date = "2004.05.17", std::string_view event = "Test");
// Appends a tag after the roster ("WhiteElo", "ECO", ...).
void addGameTag(int32_t game, std::string_view name, std::string_view value);
// workList = every game of the base in index order.
void workOnAllGames();

// Empties the game base and the run, and puts every option and the stop flag back.
class OutputRunTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
