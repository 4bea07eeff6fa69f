#include <gtest/gtest.h>

#include "hostargs_logic.h"

namespace {

TEST(HostCommandLine, ReadsOptionsAndTheGamesFile) {
  THostArgs args;
  std::string error;
  ASSERT_TRUE(parseHostArgs({u"games.pgn", u"--dll", u"x.dll", u"--script", u"s.txt", u"--dump-dir",
                             u"D:\\out\\", u"--dpi", u"144", u"--no-support", u"--screenshots",
                             u"--wheel-by-page", u"--panel-record-bytes"},
                            args, error))
      << error;
  EXPECT_EQ(args.games, u"games.pgn");
  EXPECT_EQ(args.dll, u"x.dll");
  EXPECT_EQ(args.script, u"s.txt");
  EXPECT_EQ(args.dumpDir, u"D:\\out\\");
  EXPECT_EQ(args.dpi, 144);
  EXPECT_TRUE(args.noSupport);
  EXPECT_TRUE(args.screenshots);
  EXPECT_FALSE(args.tagsOnly);
  EXPECT_TRUE(args.wheelByPage);
  EXPECT_TRUE(args.panelRecordBytes);
  THostArgs plain;
  ASSERT_TRUE(parseHostArgs({}, plain, error));
  EXPECT_FALSE(plain.panelRecordBytes);
}

TEST(HostCommandLine, RefusesWhatItCannotUse) {
  struct TCase {
    std::vector<std::u16string> args;
    std::string error;
  };
  const TCase cases[] = {
      {{u"--dll"}, "--dll needs a value"},
      {{u"--dpi", u"0"}, "--dpi needs a positive number"},
      {{u"--dpi", u"9x"}, "--dpi needs a positive number"},
      {{u"--fast"}, "unknown argument '--fast'"},
      {{u"a.pgn", u"b.pgn"}, "unknown argument 'b.pgn'"},
  };
  for (const TCase& c : cases) {
    THostArgs args;
    std::string error;
    EXPECT_FALSE(parseHostArgs(c.args, args, error));
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
