// What the fuzzers once broke, and their seeds, through the same checks in the normal build.

#include <gtest/gtest.h>

#include "support/fuzzchecks.h"
#include "support/readerexercise.h"
#include "support/testpaths.h"

namespace {

using TCheck = std::string (*)(std::string_view);

void replay(const char* folder, TCheck check) {
  const std::vector<TDataFile> inputs = testDataFiles(std::filesystem::path("fuzz") / folder);
  EXPECT_FALSE(inputs.empty()) << "no inputs in tests/data/fuzz/" << folder;
  for (const TDataFile& input : inputs) EXPECT_EQ(check(input.bytes), "") << input.name;
}

TEST(FuzzReplay, Reader) {
  replay("reader", exerciseReader);
}

TEST(FuzzReplay, Fen) {
  replay("fen", exerciseFen);
}

TEST(FuzzReplay, EcoBase) {
  replay("ecobase", exerciseEcoBase);
}

TEST(FuzzReplay, SettingsFile) {
  replay("settingsfile", exerciseSettingsFile);
}

TEST(FuzzReplay, Numbers) {
  replay("numbers", exerciseNumbers);
}

}  // namespace
