#include <gtest/gtest.h>

#include "script_logic.h"

namespace {

TEST(ScenarioScript, ReadsEveryAction) {
  std::vector<TScriptAction> actions;
  std::string error;
  ASSERT_TRUE(
      parseScript("\xEF\xBB\xBF# a scenario\r\n"
                  "menu Перенести в \"Партосев\"\r\n"
                  "\n"
                  "  click 10 -20\n"
                  "rclick 5 6\n"
                  "key Delete\n"
                  "keydown Ctrl\n"
                  "type a\\x01b\\\\c\n"
                  "answer Yes\n"
                  "answer-file games\\one.pgn\n"
                  "wait\n"
                  "wait 5\n"
                  "sleep 200\n"
                  "select 3\n"
                  "dump start menus panels\n"
                  "screenshot start\n"
                  "hide-panels\n"
                  "wheel -240\n"
                  "await held\n"
                  "await held 5\n"
                  "stop\n",
                  actions, error))
      << error;
  ASSERT_EQ(actions.size(), 19u);
  EXPECT_EQ(actions[0].kind, TActionKind::menu);
  EXPECT_EQ(actions[0].text, u"Перенести в \"Партосев\"");
  EXPECT_EQ(actions[0].line, 2);
  EXPECT_EQ(actions[1].kind, TActionKind::click);
  EXPECT_EQ(actions[1].x, 10);
  EXPECT_EQ(actions[1].y, -20);
  EXPECT_EQ(actions[1].line, 4);
  EXPECT_EQ(actions[3].x, 0x2E);
  EXPECT_EQ(actions[5].text,
            u"a\x01"
            u"b\\c");
  EXPECT_EQ(actions[6].x, kAnswerYes);
  EXPECT_EQ(actions[7].text, u"games\\one.pgn");
  EXPECT_EQ(actions[8].x, 60);
  EXPECT_EQ(actions[9].x, 5);
  EXPECT_EQ(actions[12].text, u"start");
  EXPECT_EQ(actions[12].sections, (std::vector<std::string>{"menus", "panels"}));
  EXPECT_EQ(actions[15].x, -240);
  EXPECT_EQ(actions[16].text, u"held");
  EXPECT_EQ(actions[16].x, 30);
  EXPECT_EQ(actions[17].x, 5);
  EXPECT_EQ(actions[18].kind, TActionKind::stop);
}

TEST(ScenarioScript, NamesTheLineOfAMistake) {
  struct TCase {
    std::string_view script;
    std::string_view error;
  };
  const TCase cases[] = {
      {"stop\nclick 1\n", "line 2: click expects two coordinates"},
      {"click 1 2 3", "line 1: click expects two coordinates"},
      {"key Hyper", "line 1: key unknown key 'Hyper'"},
      {"answer Maybe", "line 1: answer unknown answer 'Maybe'"},
      {"wait 0", "line 1: wait expects a number of seconds"},
      {"sleep", "line 1: sleep expects a number"},
      {"menu", "line 1: menu expects a text"},
      {"dump", "line 1: dump expects a name"},
      {"stop now", "line 1: stop takes no arguments"},
      {"wheel 0", "line 1: wheel expects a delta other than 0"},
      {"wheel up", "line 1: wheel expects a delta other than 0"},
      {"await", "line 1: await expects a file name"},
      {"await ..\\held", "line 1: await expects a file name"},
      {"await held 0", "line 1: await expects a number of seconds"},
      {"type a\\q", "line 1: type has a bad escape"},
      {"menu \xC3", "line 1: menu is not UTF-8"},
      {"\n\njump 1", "line 3: unknown action 'jump'"},
  };
  for (const TCase& c : cases) {
    std::vector<TScriptAction> actions;
    std::string error;
    EXPECT_FALSE(parseScript(c.script, actions, error)) << c.script;
    EXPECT_EQ(error, c.error);
  }
}

TEST(ScenarioScript, KnowsKeysByName) {
  EXPECT_EQ(keyCode("Enter"), 0x0D);
  EXPECT_EQ(keyCode("PageDown"), 0x22);
  EXPECT_EQ(keyCode("F1"), 0x70);
  EXPECT_EQ(keyCode("F12"), 0x7B);
  EXPECT_EQ(keyCode("F13"), 0);
  EXPECT_EQ(keyCode("Q"), 'Q');
  EXPECT_EQ(keyCode("q"), 0);
  EXPECT_EQ(keyCode(""), 0);
}

TEST(ScenarioScript, ConvertsBetweenUtf8AndUtf16) {
  std::u16string wide;
  ASSERT_TRUE(utf8ToUtf16("Ёж \xF0\x9F\x98\x80", wide));
  EXPECT_EQ(wide, u"Ёж \U0001F600");
  EXPECT_EQ(utf16ToUtf8(wide), "Ёж \xF0\x9F\x98\x80");
  EXPECT_EQ(utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
  std::u16string bad;
  EXPECT_FALSE(utf8ToUtf16("\xE2\x82", bad));      // cut short
  EXPECT_FALSE(utf8ToUtf16("\xED\xA0\x80", bad));  // a surrogate
  EXPECT_FALSE(utf8ToUtf16("\xFF", bad));
}

}  // namespace
