#include "cli/progressline.h"

#include <gtest/gtest.h>

#include "pgnlongwork/jobstate.h"

namespace {

TProgressView loading(int64_t done, int64_t total, std::string file = "twic1420.pgn") {
  TProgressView view;
  view.stageText = utf16ToUtf8(kStageTexts[kStageLoading]);
  view.fileName = std::move(file);
  view.done = done;
  view.total = total;
  return view;
}

TEST(ProgressLine, ShowsStageFileBarAndPercent) {
  EXPECT_EQ(progressLine(loading(50, 200), 80),
            "Загрузка базы партий... twic1420.pgn [#######-----------------------]  25%");
}

TEST(ProgressLine, PercentIsClampedAndRoundedDown) {
  EXPECT_EQ(progressPercent(0, 3), 0);
  EXPECT_EQ(progressPercent(2, 3), 66);
  EXPECT_EQ(progressPercent(3, 3), 100);
  EXPECT_EQ(progressPercent(7, 3), 100);  // a counter can run ahead of its total for a moment
  EXPECT_EQ(progressPercent(-1, 3), 0);
  EXPECT_EQ(progressPercent(5, 0), -1);
}

TEST(ProgressLine, StageWithoutMeasureHasNoBar) {
  TProgressView view;
  view.stageText = utf16ToUtf8(kStageTexts[kStageDuplicates]);
  view.fileName = "a.pgn";
  EXPECT_EQ(progressLine(view, 80), "Отсеивание дубликатов... a.pgn");
}

TEST(ProgressLine, NeverFillsTheLastColumn) {
  // A line as wide as the terminal would wrap, and every redraw would start a new line.
  for (int width = 0; width <= 120; ++width) {
    TProgressView view = loading(1, 3, std::string(70, 'x') + ".pgn");
    view.stopping = width % 2 == 0;
    EXPECT_LE(textColumns(progressLine(view, width)), std::max(width - 1, 0)) << width;
  }
}

TEST(ProgressLine, LongFileNameKeepsItsEnd) {
  const std::string line =
      progressLine(loading(1, 2, "players-" + std::string(60, 'q') + "-2022.pgn"), 80);
  EXPECT_NE(line.find("... ...q"), std::string::npos) << line;
  EXPECT_NE(line.find("qqq-2022.pgn ["), std::string::npos) << line;
  EXPECT_NE(line.find(" 50%"), std::string::npos) << line;
}

TEST(ProgressLine, NarrowTerminalDropsTheBarBeforeThePercent) {
  const std::string line = progressLine(loading(1, 2, "a.pgn"), 40);
  EXPECT_EQ(line.find('['), std::string::npos) << line;
  EXPECT_NE(line.find(" 50%"), std::string::npos) << line;
}

TEST(ProgressLine, StoppingSaysHowToQuit) {
  TProgressView view = loading(1, 4);
  view.stopping = true;
  EXPECT_NE(progressLine(view, 120).find("stopping, Ctrl-C again quits"), std::string::npos);
}

TEST(ProgressLine, FiguresFollowThePercentAndGoFirstOnANarrowTerminal) {
  TProgressView view = loading(50, 200);
  view.games = 12345;
  view.gamesPerSecond = 4100;
  view.secondsLeft = 3 * 3600 + 5 * 60 + 7;
  EXPECT_EQ(progressLine(view, 120),
            "Загрузка базы партий... twic1420.pgn [#######-----------------------]  25% 12345 "
            "games, 4100/s, 3:05:07 left");
  view.secondsLeft = 65;
  EXPECT_EQ(progressFigures(view), "12345 games, 4100/s, 1:05 left");
  view.games = 1;
  view.gamesPerSecond = -1;
  view.secondsLeft = -1;
  EXPECT_EQ(progressFigures(view), "1 game");
  view.games = 1234567;
  view.gamesPerSecond = 987654;
  EXPECT_NE(progressLine(view, 80).find("987654/s"), std::string::npos);  // the bar shrinks first
  const std::string narrow = progressLine(view, 64);
  EXPECT_EQ(narrow.find("games"), std::string::npos) << narrow;
  EXPECT_NE(narrow.find("[#"), std::string::npos) << narrow;
}

TEST(Utf16ToUtf8, ConvertsEveryStageText) {
  EXPECT_EQ(utf16ToUtf8(kStageTexts[kStageDone]), "Всё готово");
  EXPECT_EQ(utf16ToUtf8(kStageTexts[kStageStarting]), "Начало работы...");
  for (const std::u16string& text : kStageTexts)
    EXPECT_EQ(textColumns(utf16ToUtf8(text)), static_cast<int>(text.size()));
}

TEST(Utf16ToUtf8, PairsSurrogatesAndReplacesLoneOnes) {
  EXPECT_EQ(utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
