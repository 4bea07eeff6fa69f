// What the option values' fuzzer once broke, and its seeds, in the normal build.

#include <gtest/gtest.h>

#include "cli/optionfuzz.h"
#include "support/testpaths.h"

TEST(FuzzReplay, OptionValues) {
  const std::vector<TDataFile> inputs = testDataFiles("fuzz/options");
  EXPECT_FALSE(inputs.empty());
  for (const TDataFile& input : inputs)
    EXPECT_EQ(exerciseOptionValues(input.bytes), "") << input.name;
}
