#include "cli/stagetexts.h"

#include <gtest/gtest.h>

#include "pgnlongwork/jobstate.h"

namespace {

TEST(StageTexts, TheFirstLocaleVariableSetDecides) {
  EXPECT_TRUE(namesRussian(nullptr, nullptr, "ru_RU.UTF-8"));
  EXPECT_TRUE(namesRussian(nullptr, "ru_UA", "en_GB.UTF-8"));
  EXPECT_FALSE(namesRussian("C", "ru_RU", "ru_RU"));  // LC_ALL wins over both
  EXPECT_TRUE(namesRussian("", "", "ru"));            // empty counts as unset
  EXPECT_FALSE(namesRussian(nullptr, nullptr, nullptr));
  EXPECT_FALSE(namesRussian(nullptr, nullptr, "run"));
  EXPECT_FALSE(namesRussian(nullptr, nullptr, "en_US.UTF-8"));
}

TEST(StageTexts, EnglishByDefaultAndThePluginsOwnInRussian) {
  EXPECT_EQ(stageText(kStageLoading, false), "Loading games...");
  EXPECT_EQ(stageText(kStageLoading, true), "Загрузка базы партий...");
  EXPECT_EQ(stageText(kStageLoadingMoves, true), "Подгрузка ещё незагрженных партий...");
  for (uint8_t stage = 0; stage < kStageCount; ++stage)
    EXPECT_NE(stageText(stage, false), stageText(stage, true)) << int(stage);
  EXPECT_EQ(stageText(200, false), "All done");  // a stage out of range shows the end
}

}  // namespace
