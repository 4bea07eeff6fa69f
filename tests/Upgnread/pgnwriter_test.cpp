#include "Upgnread/pgnwriter.h"

#include <iterator>
#include <ostream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "support/gamebuilder.h"

namespace {

class WriterTest : public testing::Test {
 protected:
  void SetUp() override { resetOptions(); }
  void TearDown() override { resetOptions(); }
};

std::string movetextOf(const jurnal& journal) {
  TOutputBuffer buffer;
  std::string line;
  writeMovetext(journal, buffer, line);
  return std::string(buffer.text());
}

std::string gameText(TGame& game) {
  TOutputBuffer buffer;
  writeGame(game, buffer);
  return std::string(buffer.text());
}

// The tree of the example game: a comment after 2.Nf3, a variation for 2...Nc6, a mark on 3.Bb5.
std::unique_ptr<jurnal> exampleTree() {
  auto line = sketchLine("e4 e5 Nf3 Nc6 Bb5! a6");
  line->setCommentAt(2, "{good}");
  sketchVariation(*line, 3, "d6 d4");
  line->moves[4].mark = 1;
  line->result = "1-0";
  return line;
}

// Every line end is CR LF and no line holds a lone CR or LF.
void expectCrLfOnly(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
    if (text[i] == '\r') {
      EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
  }
}

}  // namespace

// Numbering and spacing

TEST_F(WriterTest, WritesTheExampleGameOnOneLine) {
  EXPECT_EQ(movetextOf(*exampleTree()),
            "1.e4 e5 2.Nf3 {good} 2...Nc6 (2...d6 3.d4) 3.Bb5 $1 a6 1-0\r\n\r\n");
}

TEST_F(WriterTest, ResultOtherThanTheFourTokensIsWrittenAsUnknown) {
  auto line = sketchLine("e4");
  for (const char* result : {"1-0", "0-1", "1/2-1/2", "*"}) {
    line->result = result;
    EXPECT_EQ(movetextOf(*line), "1.e4 " + std::string(result) + "\r\n\r\n");
  }
  line->result = "1/2";
  EXPECT_EQ(movetextOf(*line), "1.e4 *\r\n\r\n");
}

TEST_F(WriterTest, GameTagKeepsAResultTextThatTheMovetextCannot) {
  TGame game = makeGame(rosterTags("W", "B", "won on time"), sketchLine("e4"));
  std::string text = gameText(game);
  EXPECT_NE(text.find("[Result \"won on time\"]\r\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\r\n\r\n1.e4 *\r\n\r\n")) << text;
}

TEST_F(WriterTest, TwoWhiteMovesInARowGetThreeDotsAndTheNextNumber) {
  auto line = sketchLine("e4");
  sketchMove(*line, "d4", true);
  EXPECT_EQ(movetextOf(*line), "1.e4 ...2.d4 *\r\n\r\n");
}

TEST_F(WriterTest, LineStartingWithBlackIsNumberedFromItsStart) {
  EXPECT_EQ(movetextOf(*sketchLine("Kf8 Kd2 Ke7", true, 20)), "21...Kf8 22.Kd2 Ke7 *\r\n\r\n");
}

// The writer counts the digits of move numbers up itself: each carry into a new digit.
TEST_F(WriterTest, MoveNumbersCountOnAcrossEveryCarry) {
  EXPECT_EQ(movetextOf(*sketchLine("Kd2 Kf8 Ke2 Ke7", false, 8)), "9.Kd2 Kf8 10.Ke2 Ke7 *\r\n\r\n");
  EXPECT_EQ(movetextOf(*sketchLine("Kf8 Kd2 Ke7", true, 98)), "99...Kf8 100.Kd2 Ke7 *\r\n\r\n");
  EXPECT_EQ(movetextOf(*sketchLine("Kd2 Kf8 Ke2", false, 1998)), "1999.Kd2 Kf8 2000.Ke2 *\r\n\r\n");
  auto skipped = sketchLine("Kd2", false, 9);
  sketchMove(*skipped, "Ke2", true);
  EXPECT_EQ(movetextOf(*skipped), "10.Kd2 ...11.Ke2 *\r\n\r\n");
}

TEST_F(WriterTest, BlackMoveAfterACommentOrAVariationCarriesItsNumber) {
  auto line = sketchLine("e4 e5 Nf3 Nc6 Bb5");
  line->setCommentAt(0, "{king's pawn}");
  sketchVariation(*line, 2, "f4 exf4");
  EXPECT_EQ(movetextOf(*line),
            "1.e4 {king's pawn} 1...e5 2.Nf3 (2.f4 exf4) 2...Nc6 3.Bb5 *\r\n\r\n");
}

TEST_F(WriterTest, NestedVariationsNumberThemselves) {
  auto line = sketchLine("e4 e5 Nf3 Nc6");
  jurnal& sicilian = sketchVariation(*line, 1, "c5 Nf3 d6");
  sketchVariation(sicilian, 2, "Nc6 d4");
  sketchVariation(sicilian, 2, "e6");
  EXPECT_EQ(movetextOf(*line),
            "1.e4 e5 (1...c5 2.Nf3 d6 (2...Nc6 3.d4) (2...e6)) 2.Nf3 Nc6 *\r\n\r\n");
}

TEST_F(WriterTest, PrecommentComesBeforeTheFirstNumber) {
  auto line = sketchLine("e4 e5");
  line->precomment = "{opening}";
  EXPECT_EQ(movetextOf(*line), "{opening} 1.e4 e5 *\r\n\r\n");
}

TEST_F(WriterTest, EmptyGameIsItsResult) {
  auto line = sketchLine("");
  line->result = "1-0";
  EXPECT_EQ(movetextOf(*line), "1-0\r\n\r\n");
}

// Annotation marks

struct TMarkCase {
  const char* san;
  int mark;
  TNagSet kept;
  const char* written;
};
void PrintTo(const TMarkCase& c, std::ostream* out) {
  *out << c.san << " mark " << c.mark;
}

class MarkTest : public WriterTest, public testing::WithParamInterface<TMarkCase> {};

TEST_P(MarkTest, KeptMarkIsANumberedGlyphAndADroppedOneVanishes) {
  auto line = sketchLine("");
  sketchMove(*line, GetParam().san, true).mark = uint8_t(GetParam().mark);
  keptNags = GetParam().kept;
  EXPECT_EQ(movetextOf(*line), std::string(GetParam().written) + " *\r\n\r\n");
}

INSTANTIATE_TEST_SUITE_P(Marks, MarkTest,
                         testing::Values(TMarkCase{"e4!?", 5, TNagSet::none(), "1.e4"},
                                         TMarkCase{"e4!?", 5, TNagSet::moveMarksOnly(), "1.e4 $5"},
                                         TMarkCase{"Qxf7#??", 4, TNagSet::all(), "1.Qxf7# $4"},
                                         TMarkCase{"O-O+!", 1, TNagSet::none(), "1.O-O+"},
                                         TMarkCase{"e4", 146, TNagSet::all(), "1.e4 $146"},
                                         TMarkCase{"e4", 146, TNagSet::moveMarksOnly(), "1.e4"},
                                         TMarkCase{"e4", 255, TNagSet::all(), "1.e4 $255"},
                                         // a mark of 0 leaves the text alone, whatever it ends in
                                         TMarkCase{"e4!", 0, TNagSet::none(), "1.e4!"}));

// Comments

TEST_F(WriterTest, LongCommentIsNeverBroken) {
  auto line = sketchLine("e4 e5");
  std::string comment = "{" + std::string(120, 'x') + "}";
  line->setCommentAt(0, comment);
  EXPECT_EQ(movetextOf(*line), "1.e4 " + comment + "\r\n1...e5 *\r\n\r\n");
}

TEST_F(WriterTest, LineBreakInACommentEndsTheOutputLineThere) {
  auto line = sketchLine("e4 e5");
  line->setCommentAt(0, "{first\r\nsecond}");
  EXPECT_EQ(movetextOf(*line), "1.e4 {first\r\nsecond} 1...e5 *\r\n\r\n");
}

TEST_F(WriterTest, CommentBytesAreWrittenAsStored) {
  auto line = sketchLine("e4");
  line->setCommentAt(0, "{\xEF\xF0\xE8\xEC\xE5\xF0\nnext}");  // Windows-1251, a bare LF
  EXPECT_EQ(movetextOf(*line), "1.e4 {\xEF\xF0\xE8\xEC\xE5\xF0\nnext} *\r\n\r\n");
}

TEST_F(WriterTest, LineCommentEndsItsLine) {
  auto line = sketchLine("e4 e5");
  line->setCommentAt(0, ";to the end of the line");
  EXPECT_EQ(movetextOf(*line), "1.e4 ;to the end of the line\r\n1...e5 *\r\n\r\n");
}

// Stripping

TEST_F(WriterTest, RemovingCommentsDropsThemAndTheNumberTheyForced) {
  auto line = exampleTree();
  line->precomment = "{before}";
  line->variantsAt(3)[0]->setCommentAt(0, "{inside}");
  removeComments = true;
  EXPECT_EQ(movetextOf(*line), "1.e4 e5 2.Nf3 Nc6 (2...d6 3.d4) 3.Bb5 $1 a6 1-0\r\n\r\n");
}

TEST_F(WriterTest, RemovingVariationsTakesTheirCommentsAlong) {
  auto line = exampleTree();
  line->variantsAt(3)[0]->setCommentAt(0, "{inside}");
  removeVariations = true;
  EXPECT_EQ(movetextOf(*line), "1.e4 e5 2.Nf3 {good} 2...Nc6 3.Bb5 $1 a6 1-0\r\n\r\n");
}

// Line wrapping: a precomment of a chosen length fills the line up to the tokens that follow

struct TWrapCase {
  size_t commentLength;
  const char* afterComment;
};
void PrintTo(const TWrapCase& c, std::ostream* out) {
  *out << c.commentLength;
}

class WrapTest : public WriterTest, public testing::WithParamInterface<TWrapCase> {};

TEST_P(WrapTest, BreaksBeforeALineWouldReachEightyColumns) {
  auto line = sketchLine("e4");
  line->precomment = "{" + std::string(GetParam().commentLength - 2, 'x') + "}";
  EXPECT_EQ(movetextOf(*line), line->precomment + GetParam().afterComment);
}

INSTANTIATE_TEST_SUITE_P(
    Boundary, WrapTest,
    testing::Values(TWrapCase{71, " 1.e4 *\r\n\r\n"},     // 76 columns
                    TWrapCase{72, " 1.e4\r\n*\r\n\r\n"},  // "*" would make 79 with its space
                    TWrapCase{73, " 1.e4\r\n*\r\n\r\n"},
                    TWrapCase{74, " 1.\r\ne4 *\r\n\r\n"},  // the number fits, its move not
                    TWrapCase{75, " 1.\r\ne4 *\r\n\r\n"},
                    TWrapCase{76, "\r\n1.e4 *\r\n\r\n"}));  // the space after the comment goes

TEST_F(WriterTest, ClosingParenthesisIsNeverMovedToTheNextLine) {
  auto line = sketchLine("e4 e5");
  jurnal& variation = sketchVariation(*line, 1, "c5");
  std::string comment = "{" + std::string(68, 'x') + "}";
  variation.setCommentAt(0, comment);
  EXPECT_EQ(movetextOf(*line), "1.e4 e5 (1...c5 " + comment + ")\r\n*\r\n\r\n");
}

// A line the caller has begun is continued and counts towards the width; a variation written on
// its own ends no line, so what it leaves unfinished stays in the caller's line.
TEST_F(WriterTest, BegunLineIsContinuedAndAnUnfinishedOneHandedBack) {
  auto line = sketchLine("e4 e5");
  jurnal& variation = sketchVariation(*line, 1, "c5 Nf3");
  TOutputBuffer buffer;
  std::string begun = "( ";
  writeMovetext(variation, buffer, begun);
  EXPECT_EQ(buffer.text(), "");
  EXPECT_EQ(begun, "( 1...c5 2.Nf3 ");

  std::string wide(75, 'x');
  begun = wide;
  writeMovetext(variation, buffer, begun);
  EXPECT_EQ(buffer.text(), wide + "\r\n");
  EXPECT_EQ(begun, "1...c5 2.Nf3 ");
}

TEST_F(WriterTest, LongGameLinesStayWithinSeventyEightColumns) {
  auto line = sketchLine("");
  for (int i = 0; i < 300; ++i) sketchMove(*line, i % 2 ? "Nxe5+" : "Qxh7", i % 2 == 0);
  std::string text = movetextOf(*line);
  expectCrLfOnly(text);
  size_t start = 0, lines = 0;
  for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    EXPECT_LE(end - start, 78u) << text.substr(start, end - start);
    if (end > start) {
      EXPECT_NE(text[end - 1], ' ');
    }
    start = end + 2;
    ++lines;
  }
  EXPECT_GT(lines, 20u);
}

// Very deep trees

TEST_F(WriterTest, NestingDeeperThanAnyStackIsWritten) {
  constexpr int kDepth = 200000;
  auto root = sketchLine("e4 e5");
  jurnal* deepest = root.get();
  for (int i = 0; i < kDepth; ++i) deepest = &sketchVariation(*deepest, 0, "d4");
  std::string text = movetextOf(*root);
  EXPECT_EQ(std::count(text.begin(), text.end(), '('), kDepth);
  EXPECT_EQ(std::count(text.begin(), text.end(), ')'), kDepth);
  EXPECT_TRUE(text.ends_with("))\r\n1...e5 *\r\n\r\n"));
}

// Tag sections

namespace {

TGamesTagArray fenTags() {
  TGamesTagArray tags = rosterTags("A", "B", "1-0", "2004.05.17");
  addTag(tags, "SetUp", "1");
  addTag(tags, "FEN", "8/8/8/8/8/8/8/K6k w - - 0 1");
  addTag(tags, "Annotator", "Me");
  return tags;
}

constexpr const char* kRosterText =
    "[Event \"Test\"]\r\n[Site \"Here\"]\r\n[Date \"2004.05.17\"]\r\n[Round \"1\"]\r\n"
    "[White \"A\"]\r\n[Black \"B\"]\r\n[Result \"1-0\"]\r\n";
constexpr const char* kSetupText = "[SetUp \"1\"]\r\n[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]\r\n";

}  // namespace

TEST_F(WriterTest, TagModeChoosesTheTagsWritten) {
  TGamesTagArray tags = fenTags();
  tagMode = 2;
  EXPECT_EQ(formatTags(tags), std::string(kRosterText) + kSetupText + "[Annotator \"Me\"]\r\n");
  tagMode = 1;
  EXPECT_EQ(formatTags(tags), std::string(kRosterText) + kSetupText);
  tagMode = 0;
  EXPECT_EQ(formatTags(tags), kSetupText);
}

TEST_F(WriterTest, PositionSetupNeedsBothTagsInPlace) {
  TGamesTagArray tags = rosterTags("A", "B", "1-0");
  addTag(tags, "SetUp", "1");
  addTag(tags, "Fen", "8/8/8/8/8/8/8/K6k w - - 0 1");  // names must match exactly
  tagMode = 0;
  EXPECT_EQ(formatTags(tags), "");
  tags.setName(8, "FEN");
  EXPECT_EQ(formatTags(tags), kSetupText);
}

TEST_F(WriterTest, TagModeNoneStillWritesTheEmptyLineBeforeTheMoves) {
  tagMode = 0;
  TGame game = makeGame(rosterTags(), sketchLine("e4"));
  EXPECT_EQ(gameText(game), "\r\n1.e4 *\r\n\r\n");
}

// Into a string and into the output buffer alike, which copies a value without escapes whole.
TEST_F(WriterTest, TagValuesEscapeQuotesAndBackslashes) {
  TGamesTagArray tags = rosterTags("Say \"hi\"", "C:\\games");
  const std::string escaped = "[White \"Say \\\"hi\\\"\"]\r\n[Black \"C:\\\\games\"]\r\n";
  EXPECT_NE(formatTags(tags).find(escaped), std::string::npos);
  TGame game = makeGame(tags, sketchLine("e4"));
  EXPECT_NE(gameText(game).find(escaped), std::string::npos);
  EXPECT_EQ(gameText(game).substr(0, formatTags(tags).size()), formatTags(tags));
}

// Plain moves are laid out on lines a whole move at a time, as the token by token way lays out
// the moves it looks at one by one: with no mark kept, marked moves are written alike and go that
// way. Texts of every length, and numbers of one to three digits, meet the line's end everywhere.
TEST_F(WriterTest, PlainMovesBreakLinesAsMovesLookedAtOneByOne) {
  const char* const texts[] = {"e4",    "Nf3",   "Bxc4",   "Nbd7+", "exd5",
                               "Qxe7#", "O-O-O", "Rfxe1+", "a8=Q+", "h3"};
  keptNags = TNagSet::none();
  for (int startnumber : {0, 94})
    for (bool blackFirst : {false, true})
      for (size_t shift = 0; shift < std::size(texts); ++shift) {
        std::string sans;
        for (size_t i = 0; i < 90; ++i) {
          sans += texts[(i * 7 + shift) % std::size(texts)];
          sans += ' ';
        }
        std::unique_ptr<jurnal> plain = sketchLine(sans, blackFirst, startnumber);
        std::unique_ptr<jurnal> marked = sketchLine(sans, blackFirst, startnumber);
        for (mov& move : marked->moves) move.mark = 10;
        EXPECT_EQ(movetextOf(*plain), movetextOf(*marked)) << startnumber << blackFirst << shift;
      }
}

// The output buffer looks for what needs a backslash eight bytes at a time: a quote or backslash
// at any place of a value of any length up to past two words is escaped as by the string.
TEST_F(WriterTest, EscapesAreFoundAtEveryPlaceOfValuesOfEveryLength) {
  for (size_t length = 1; length <= 20; ++length)
    for (size_t at = 0; at < length; ++at)
      for (char escaped : {'"', '\\'}) {
        std::string value(length, 'a');
        value[at] = escaped;
        TGamesTagArray tags = rosterTags(value);
        TGame game = makeGame(tags, sketchLine("e4"));
        EXPECT_EQ(gameText(game).substr(0, formatTags(tags).size()), formatTags(tags))
            << length << " " << at;
      }
}

TEST_F(WriterTest, ShortTagArrayWritesWhatItHas) {
  TGamesTagArray tags = {{"Event", "Only"}};
  EXPECT_EQ(formatTags(tags), "[Event \"Only\"]\r\n");
}

// Whole games

TEST_F(WriterTest, GameTakesItsResultFromTheResultTag) {
  TGame game = makeGame(rosterTags("A", "B", "1-0", "2004.05.17"), sketchLine("e4 e5"));
  game.Journal->result = "0-1";
  tagMode = 1;
  EXPECT_EQ(gameText(game), std::string(kRosterText) + "\r\n1.e4 e5 1-0\r\n\r\n");
}

TEST_F(WriterTest, GameWithoutMovesIsNotWritten) {
  TGame game = makeGame(rosterTags(), nullptr);
  TOutputBuffer buffer;
  EXPECT_FALSE(writeGame(game, buffer));
  EXPECT_EQ(buffer.used, 0u);
}

TEST_F(WriterTest, GamesFollowOneAnotherInTheBuffer) {
  TGame first = makeGame(rosterTags(), sketchLine("e4"));
  TGame second = makeGame(rosterTags(), sketchLine("d4"));
  tagMode = 0;
  TOutputBuffer buffer;
  writeGame(first, buffer);
  writeGame(second, buffer);
  EXPECT_EQ(buffer.text(), "\r\n1.e4 *\r\n\r\n\r\n1.d4 *\r\n\r\n");
}

// The output buffer

TEST(OutputBuffer, GrowsGeometrically) {
  TOutputBuffer buffer;
  std::string piece(1000, 'p');
  std::set<size_t> sizes;
  for (int i = 0; i < 20000; ++i) {
    buffer.append(piece);
    sizes.insert(buffer.capacity());
  }
  EXPECT_EQ(buffer.used, 20000000u);
  // Twenty million bytes in steps of a fixed size would take hundreds of copies.
  EXPECT_LE(sizes.size(), 12u);
}

TEST(OutputBuffer, StartsOverKeepingItsRoom) {
  TOutputBuffer buffer;
  buffer.append("first game");
  size_t room = buffer.capacity();
  buffer.clear();
  buffer.append("second");
  buffer.append('!');
  EXPECT_EQ(buffer.text(), "second!");
  EXPECT_EQ(buffer.capacity(), room);
}

// Texts of every length up to past the short-copy sizes, each after an odd number of bytes, come
// out whole and in order.
TEST(OutputBuffer, TextsOfEveryLengthArriveWhole) {
  TOutputBuffer buffer;
  std::string expected;
  for (size_t length = 0; length <= 40; ++length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>('a' + (length + i) % 26);
    buffer.append(text);
    buffer.append('|');
    expected += text + '|';
    ASSERT_EQ(buffer.text(), expected) << "after a text of " << length;
  }
}
