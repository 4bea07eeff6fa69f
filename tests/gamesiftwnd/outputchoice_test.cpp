#include <gtest/gtest.h>

#include "gamesiftwnd/outputchoice_logic.h"

namespace {

TEST(OutputChoice, DropsOnlyTheExtensionOfTheName) {
  EXPECT_EQ(outputBaseOf(u"C:\\games\\out.pgn"), u"C:\\games\\out");
  EXPECT_EQ(outputBaseOf(u"C:\\games\\out"), u"C:\\games\\out");
  EXPECT_EQ(outputBaseOf(u"C:\\my.games\\out"), u"C:\\my.games\\out");
  EXPECT_EQ(outputBaseOf(u"/home/a.b/c.d.pgn"), u"/home/a.b/c.d");
}

}  // namespace
