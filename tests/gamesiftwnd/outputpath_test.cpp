#include "gamesiftwnd/outputpath_logic.h"

#include <gtest/gtest.h>

#include "plugin/panelstate_logic.h"

namespace {

TEST(OutputPath, ResetsOnlyForAChangedPathWithAutoResetOn) {
  outputPath = u"C:\\out";
  autoResetSettings = 1;
  EXPECT_FALSE(outputPathNeedsReset(u"C:\\out"));
  EXPECT_TRUE(outputPathNeedsReset(u"C:\\other"));
  autoResetSettings = 0;
  EXPECT_FALSE(outputPathNeedsReset(u"C:\\other"));
  autoResetSettings = 1;
}

TEST(OutputPath, DropsTheExtensionOfAChosenName) {
  EXPECT_EQ(withoutExtension(u"C:\\games\\out.pgn"), u"C:\\games\\out");
  EXPECT_EQ(withoutExtension(u"C:\\games\\out"), u"C:\\games\\out");
  EXPECT_EQ(withoutExtension(u"C:\\g.d\\out"), u"C:\\g.d\\out");
}

}  // namespace
