#include "Upgnread/pgnscan.h"

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/gamebase.h"
#include "Upgnread/movetext.h"
#include "Upgnread/options.h"
#include "pgnlongwork/jobstate.h"
#include "support/pgnreading.h"
#include "support/tempfolder.h"

namespace {

class PgnReader : public testing::Test {
 protected:
  void SetUp() override {
    resetOptions();
    resetJobProgress();
    resetJobReport();
  }
  void TearDown() override {
    resetOptions();
    resetJobProgress();
    capacityStep = 1024;
    emptyGameBase();
  }
};

std::vector<std::string> tagValues(const TGamesTagArray& tags) {
  std::vector<std::string> values;
  for (const TTagView tag : tags)
    values.push_back(std::string(tag.Name) + "=" + std::string(tag.Value));
  return values;
}

// Whole files: what each reader case yields

struct TFileCase {
  const char* file;
  int code;
  size_t games;
  int32_t bad;
  size_t stretches = 0;  // of text skipped where a game should begin
};

void PrintTo(const TFileCase& c, std::ostream* os) {
  *os << c.file;
}

class ReaderCase : public PgnReader, public testing::WithParamInterface<TFileCase> {};

TEST_P(ReaderCase, YieldsItsGames) {
  const TFileCase& c = GetParam();
  std::string text = readerCase(c.file);
  ASSERT_FALSE(text.empty()) << "missing test file " << c.file;
  TScanned scanned = scanText(text);
  EXPECT_EQ(scanned.code, c.code);
  EXPECT_EQ(scanned.games.size(), c.games);
  EXPECT_EQ(scanned.badCount, c.bad);
  EXPECT_EQ(scanned.record.skipped.size(), c.stretches);
  EXPECT_TRUE(scanned.record.readToEnd);
  // Every game is read or listed: no scan ends before the end of its text.
  EXPECT_EQ(scanned.position, static_cast<int64_t>(text.size()) + 1);
  for (const TGame& game : scanned.games) {
    ASSERT_TRUE(game.Journal);
    ASSERT_GE(game.Tags.size(), 7u);
    char first = text[static_cast<size_t>(game.TextStart - 1)];
    EXPECT_TRUE(first == '[' || first == '1') << game.TextStart;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderCase,
    testing::Values(
        TFileCase{"no_game_start.pgn", kReadOk, 2, 0},
        TFileCase{"broken_tag_dropped.pgn", kReadOk, 1, 0},
        TFileCase{"broken_tag_stops.pgn", kReadOk, 2, 1},
        TFileCase{"roster_normalised.pgn", kReadOk, 1, 0},
        TFileCase{"setup_fen.pgn", kReadOk, 3, 4}, TFileCase{"tag_escapes.pgn", kReadOk, 1, 0},
        TFileCase{"comment_before_moves.pgn", kReadOk, 1, 0},
        TFileCase{"result_runs.pgn", kReadOk, 2, 0}, TFileCase{"duplicate_tags.pgn", kReadOk, 1, 1},
        TFileCase{"no_tags.pgn", kReadOk, 1, 1}, TFileCase{"utf8_bom.pgn", kReadOk, 1, 0},
        TFileCase{"bracket_after_move.pgn", kReadOk, 3, 0},
        TFileCase{"no_result_next_game.pgn", kReadOk, 2, 0},
        TFileCase{"value_unclosed_at_end.pgn", kEndInTags, 1, 1},
        TFileCase{"nul_bytes.pgn", kReadOk, 3, 1}, TFileCase{"fen_nine_ranks.pgn", kReadOk, 1, 1},
        TFileCase{"unclosed_variation.pgn", kReadOk, 1, 1},
        TFileCase{"stray_parenthesis.pgn", kReadOk, 1, 1},
        TFileCase{"deep_variations.pgn", kReadOk, 1, 1},
        TFileCase{"percent_lines.pgn", kReadOk, 2, 0},
        TFileCase{"comment_with_bracket.pgn", kReadOk, 1, 1},
        TFileCase{"tags_at_end.pgn", kEndInTags, 1, 1}, TFileCase{"bad_games.pgn", kReadOk, 1, 5},
        TFileCase{"text_before_game.pgn", kReadOk, 2, 0, 1},
        TFileCase{"text_between_games.pgn", kReadOk, 3, 0, 2},
        TFileCase{"text_after_games.pgn", kNoGameStart, 2, 0, 1},
        TFileCase{"nul_bytes_between.pgn", kNoGameStart, 2, 0, 2},
        TFileCase{"files_joined.pgn", kReadOk, 2, 0, 1}, TFileCase{"bad_token.pgn", kReadOk, 2, 1},
        TFileCase{"tagless_games.pgn", kReadOk, 5, 0},
        TFileCase{"en_passant_mark.pgn", kReadOk, 3, 0},
        TFileCase{"text_glyphs.pgn", kReadOk, 3, 0},
        TFileCase{"separated_suffix.pgn", kReadOk, 3, 0},
        TFileCase{"long_algebraic.pgn", kReadOk, 3, 0},
        TFileCase{"long_algebraic_promotion.pgn", kReadOk, 3, 0},
        TFileCase{"draw_sign.pgn", kReadOk, 3, 0}, TFileCase{"empty_variation.pgn", kReadOk, 3, 0},
        TFileCase{"still_refused.pgn", kReadOk, 2, 4}),
    [](const testing::TestParamInfo<TFileCase>& info) {
      std::string name = info.param.file;
      return name.substr(0, name.find('.'));
    });

// Tags

TEST_F(PgnReader, RosterTagsAreNormalisedWithDefaults) {
  TScanned scanned = scanText(readerCase("roster_normalised.pgn"));
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(tagValues(scanned.games[0].Tags),
            (std::vector<std::string>{"Event=Match", "Site=?", "Date=????.??.??", "Round=?",
                                      "White=Kasparov", "Black=Anonymous", "Result=*"}));
}

TEST_F(PgnReader, BrokenTagLinesEndingWithBracketAreDropped) {
  TScanned scanned = scanText(readerCase("broken_tag_dropped.pgn"));
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(tagValues(scanned.games[0].Tags),
            (std::vector<std::string>{"Event=?", "Site=s", "Date=????.??.??", "Round=?", "White=A",
                                      "Black=B", "Result=1-0"}));
}

TEST_F(PgnReader, SetUpFenAndEcoTakeTheirPlaces) {
  TScanned scanned = scanText(readerCase("setup_fen.pgn"));
  ASSERT_EQ(scanned.games.size(), 3u);
  const TGame& fromPosition = scanned.games[0];
  EXPECT_EQ(fromPosition.Tags[0].Value, "from position");
  std::vector<std::string> all = tagValues(fromPosition.Tags);
  std::vector<std::string> extra(all.begin() + 7, all.end());
  EXPECT_EQ(extra, (std::vector<std::string>{"SetUp=1", "FEN=8/8/8/8/8/8/8/K6k w - - 0 1",
                                             "ECO=B00", "Annotator=x"}));
  EXPECT_TRUE(fromPosition.Journal->startboard);
  EXPECT_EQ(treeText(*fromPosition.Journal), "Kb2 Kg2");

  // A FEN tag at index 7 is not recognised: the moves start from the initial position.
  const TGame& fenAtSeven = scanned.games[1];
  EXPECT_EQ(fenAtSeven.Tags[7].Name, "FEN");
  EXPECT_FALSE(fenAtSeven.Journal->startboard);
  EXPECT_EQ(treeText(*fenAtSeven.Journal), "e4");

  // SetUp "0" gives up index 7 to ECO.
  const TGame& setUpZero = scanned.games[2];
  EXPECT_EQ(setUpZero.Tags[7].Name, "ECO");
  EXPECT_EQ(setUpZero.Tags[8].Name, "SetUp");
}

TEST_F(PgnReader, SetUpAndFenMustAgree) {
  std::string text = readerCase("setup_fen.pgn");
  // Each rejected game alone: the code it gets is the scan's code.
  struct TCase {
    const char* event;
    int code;
  };
  for (TCase c :
       {TCase{"setup without fen", kSetUpWithoutFen}, TCase{"fen without setup", kSetUpWithoutFen},
        TCase{"setup 0 with fen", kSetUpWithoutFen}, TCase{"setup 2", kBadSetUp}}) {
    size_t start = text.find(std::string("[Event \"") + c.event);
    size_t end = text.find("[Event", start + 1);
    TScanned scanned = scanText(text.substr(start, end - start));
    EXPECT_EQ(scanned.code, c.code) << c.event;
    EXPECT_EQ(scanned.badCount, 1) << c.event;
  }
}

TEST_F(PgnReader, TagValueEscapes) {
  TScanned scanned = scanText(readerCase("tag_escapes.pgn"));
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(scanned.games[0].Tags[0].Value, "a \"quoted\" b\\c \\d");
}

TEST_F(PgnReader, RepeatedTagNamesRejectTheGameOnlyWhenExact) {
  TScanned scanned = scanText(readerCase("duplicate_tags.pgn"));
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(scanned.games[0].Tags[0].Value, "case differs");
  EXPECT_EQ(scanned.games[0].Tags[7].Name, "event");
}

struct TPairCase {
  const char* text;
  int code;
};

class TagPair : public testing::TestWithParam<TPairCase> {};

TEST_P(TagPair, GivesItsCode) {
  TPGNTag tag;
  int64_t position = 2;  // just after "["
  std::string_view text = GetParam().text;
  EXPECT_EQ(readTagPair(text, position, tag), GetParam().code);
  EXPECT_LE(position, static_cast<int64_t>(text.size()) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    PgnReader, TagPair,
    testing::Values(TPairCase{"[Event \"x\"]", kReadOk}, TPairCase{"[ Event\t\"x\" ]", kReadOk},
                    TPairCase{"[\xC8\xE3\xF0\xE0_1 \"x\"]", kReadOk},
                    TPairCase{"[ \"x\"]", kNoTagName}, TPairCase{"[Event", kNoTagName},
                    TPairCase{"[", kNoTagName}, TPairCase{"[Event x\"]", kNoOpeningQuote},
                    TPairCase{"[Event ", kNoOpeningQuote}, TPairCase{"[Event \"x", kValueNotClosed},
                    TPairCase{"[Event \"x\\\"]", kValueNotClosed},
                    TPairCase{"[Event \"x\" y]", kNoClosingBracket},
                    TPairCase{"[Event \"x\"", kNoClosingBracket},
                    TPairCase{"[Event \"a\tb\"]", kTagControlChar},
                    TPairCase{"[Event \"a\nb\"]", kTagControlChar}));

TEST_F(PgnReader, NulInsideTagValue) {
  TPGNTag tag;
  int64_t position = 2;
  std::string text("[Event \"a\0b\"]", 13);
  EXPECT_EQ(readTagPair(text, position, tag), kTagControlChar);
}

// Plain runs, escapes and a lone backslash meet in one value; the position lands past "]".
TEST_F(PgnReader, TagValueKeepsEveryByteBetweenEscapes) {
  TPGNTag tag;
  int64_t position = 2;
  std::string_view text = "[Event \"ab\\\"c\\\\d\\e\xE9\\\"\"] ";
  ASSERT_EQ(readTagPair(text, position, tag), kReadOk);
  EXPECT_EQ(tag.Value, "ab\"c\\d\\e\xE9\"");
  EXPECT_EQ(position, static_cast<int64_t>(text.size()));
}

// Each value with escapes is resolved apart from the text; the section's other values, escaped
// or not, stay what they were while later ones are read.
TEST_F(PgnReader, EscapedValuesOfOneSectionKeepTheirOwnText) {
  std::string section;
  for (int i = 0; i < 40; ++i)
    section += "[Tag" + std::to_string(i) + " \"v" + std::to_string(i) + "\\\"q\"]\n";
  section += "[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"] [SetUp \"1\"]\n1. Kb1";
  std::string fen;
  TGamesTagArray tags;
  int64_t position = 1;
  ASSERT_EQ(readTags(section, position, true, fen, tags), kReadOk);
  EXPECT_EQ(fen, "8/8/8/8/8/8/8/K1k5 w - - 0 1");
  ASSERT_EQ(tags.size(), 49u);  // the roster filled in, SetUp and FEN, and the forty
  int found = 0;
  for (const TTagView tag : tags) {
    if (tag.Name.substr(0, 3) != "Tag") continue;
    EXPECT_EQ(tag.Value, "v" + std::string(tag.Name.substr(3)) + "\"q");
    ++found;
  }
  EXPECT_EQ(found, 40);
}

TEST_F(PgnReader, TagSectionEnds) {
  std::string fen;
  TGamesTagArray tags;
  int64_t position = 1;
  EXPECT_EQ(readTags("[Event \"x\"]\n", position, true, fen, tags), kEndInTags);
  position = 1;
  EXPECT_EQ(readTags("[Event \"x\" y\n[Site \"s\"]\n1. e4", position, true, fen, tags),
            kBrokenTagLine);
  position = 1;
  EXPECT_EQ(readTags("[Event \"x\" y]", position, true, fen, tags), kEndInTags);
  position = 1;
  EXPECT_EQ(readTags("[Event \"x\" y]\n1. e4", position, true, fen, tags), kNoTags);
}

// Tag lines one to a line are read on a short way; laid out any other way they take the long one,
// and both must give the same tags, stop on the same byte and keep the same comment.
TEST_F(PgnReader, TagLinesReadAlikeHoweverTheyAreLaidOut) {
  struct TLayout {
    std::string section;
    int code;
    std::vector<std::string> tags;
    std::string comment;
  };
  const std::vector<std::string> all = {"Event=e",    "Site=s",  "Date=d",     "Round=?",
                                        "White=W\"x", "Black=b", "Result=1-0", "Annotator=a"};
  const TLayout layouts[] = {
      {"[Event \"e\"]\n[Site \"s\"]\n[Date \"d\"]\n[White \"W\\\"x\"]\n[Black \"b\"]\n"
       "[Result \"1-0\"]\n[Annotator \"a\"]\n\n{c} 1. e4",
       kReadOk, all, "{c}"},
      {"[Event \"e\"]\r\n[Site  \"s\"]\r\n[Date \"d\" ]\r\n[White \"W\\\"x\"]\r\n[ Black \"b\"]\r\n"
       "[Result\"1-0\"]\r\n[Annotator \"a\"]\r\n{c}\r\n1. e4",
       kReadOk, all, "{c}"},
      {"[Event \"e\"] {x}\n[Site \"s\"]\n[Date \"d\"] [White \"W\\\"x\"]\n[Black \"b\"]\n"
       "[Result \"1-0\"]\n%esc\n[Annotator \"a\"]\n{c} 1. e4",
       kReadOk, all, "{c}"},
      {"[Event \"e\"]\n[Site \"s\" junk\n[Date \"d\"]\n1. e4", kBrokenTagLine, {}, ""},
      {"[Event \"e\"]\n[Site \"s\" junk]\n[Date \"d\"]\n1. e4",
       kReadOk,
       {"Event=e", "Site=?", "Date=d", "Round=?", "White=Anonymous", "Black=Anonymous", "Result=*"},
       ""},
  };
  for (const TLayout& layout : layouts) {
    SCOPED_TRACE(layout.section);
    std::string fen;
    TGamesTagArray tags;
    int64_t position = 1;
    ASSERT_EQ(readTags(layout.section, position, true, fen, tags), layout.code);
    if (layout.code != kReadOk) continue;
    EXPECT_EQ(tagValues(tags), layout.tags);
    EXPECT_EQ(pendingComment, layout.comment);
    EXPECT_EQ(layout.section.substr(static_cast<size_t>(position - 1)), "1. e4");
  }
}

TEST_F(PgnReader, TagsReadWithoutNormalisingKeepTheirOrder) {
  std::string fen = "untouched";
  TGamesTagArray tags;
  int64_t position = 1;
  ASSERT_EQ(
      readTags("[White \"w\"] [SetUp \"1\"] [FEN \"x\"] {c} 1. e4", position, false, fen, tags),
      kReadOk);
  EXPECT_EQ(tagValues(tags), (std::vector<std::string>{"White=w", "SetUp=1", "FEN=x"}));
  EXPECT_EQ(fen, "untouched");
  EXPECT_EQ(pendingComment, "{c}");
  EXPECT_EQ(position, 39);  // on the "1"
}

TEST_F(PgnReader, LowerCase) {
  EXPECT_EQ(lowerCase("EvEnT_09"), "event_09");
  EXPECT_EQ(lowerCase("\xC0\xC1\xDF\xA8"), "\xE0\xE1\xFF\xB8");
  // Lower-case letters, other high bytes and ё stay as they are.
  EXPECT_EQ(lowerCase("\xE0\xFF\xB8\xA7\xA9\xBF\x80@[`{"), "\xE0\xFF\xB8\xA7\xA9\xBF\x80@[`{");
}

// Between tokens

TEST_F(PgnReader, SkipSpaceCollectsCommentsBackToBack) {
  std::string comments = "stale";
  std::string text = " {one}\t;two\r\n%three\n{four";
  int64_t position = 1;
  skipSpace(text, position, comments);
  EXPECT_EQ(comments, "{one};two{four");
  EXPECT_EQ(position, static_cast<int64_t>(text.size()) + 1);
  text = "x %not an escape";
  position = 2;
  skipSpace(text, position, comments);
  EXPECT_EQ(position, 3);
  EXPECT_EQ(comments, "");
}

TEST_F(PgnReader, SkipToGameIgnoresBracketsInComments) {
  std::string text = "e4 {[no]} ;[no]\n%[no]\n x[yes";
  int64_t position = 1;
  skipToGame(text, position);
  EXPECT_EQ(position, static_cast<int64_t>(text.find("[yes")) + 1);
  position = 1;
  skipToGame("{ [never closed", position);
  EXPECT_EQ(position, 16);
}

// Games and their place in the file

TEST_F(PgnReader, GameEndsBeforeTheNextBracketEvenWithoutBlank) {
  std::string text = readerCase("bracket_after_move.pgn");
  setCurrentFile("games.pgn");
  TScanned scanned = scanText(text);
  ASSERT_EQ(scanned.games.size(), 3u);
  size_t second = text.find("[Event \"two\"]");
  size_t third = text.find("[Event \"three\"]");
  EXPECT_EQ(scanned.games[0].TextStart, 1);
  EXPECT_EQ(scanned.games[0].TextLength, static_cast<int64_t>(second));
  EXPECT_EQ(scanned.games[1].TextStart, static_cast<int64_t>(second) + 1);
  EXPECT_EQ(scanned.games[2].TextStart, static_cast<int64_t>(third) + 1);
  // A comment left pending when the next game begins is not attached.
  EXPECT_EQ(treeText(*scanned.games[1].Journal), "d4 d5");
  EXPECT_EQ(*scanned.games[2].FileName, "games.pgn");
  setCurrentFile({});
}

TEST_F(PgnReader, GameWithoutResultEndsAtTheNextGame) {
  std::string text = readerCase("no_result_next_game.pgn");
  TScanned scanned = scanText(text);
  ASSERT_EQ(scanned.games.size(), 2u);
  EXPECT_EQ(scanned.games[0].TextLength, static_cast<int64_t>(text.find("[Event \"two\"]")));
  EXPECT_EQ(treeText(*scanned.games[1].Journal), "d4 d5");
}

TEST_F(PgnReader, ByteOrderMarkIsSteppedOver) {
  TScanned scanned = scanText(readerCase("utf8_bom.pgn"));
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(scanned.games[0].TextStart, 4);  // still the "[" in the file
  EXPECT_EQ(scanned.games[0].Tags[0].Value, "bom");
}

// Files joined into one keep their marks: each is a stretch of three bytes skipped.
TEST_F(PgnReader, OnlyOneLeadingByteOrderMarkIsSkippedSilently) {
  for (const char* text :
       {"\xEF\xBB\xBF\xEF\xBB\xBF[Event \"x\"]\n1. e4 *", "\n\xEF\xBB\xBF[Event \"x\"]\n1. e4 *"}) {
    TScanned scanned = scanText(text);
    EXPECT_EQ(scanned.games.size(), 1u);
    ASSERT_EQ(scanned.record.skipped.size(), 1u);
    EXPECT_EQ(scanned.record.skipped[0].length, 3);
  }
}

TEST_F(PgnReader, CommentBeforeTheFirstMoveBecomesThePrecomment) {
  TScanned scanned = scanText(readerCase("comment_before_moves.pgn"));
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(treeText(*scanned.games[0].Journal), "{before the first move} e4 {after e4}");
}

TEST_F(PgnReader, EscapeLinesAreSkippedAnywhereALineBegins) {
  TScanned scanned = scanText(readerCase("percent_lines.pgn"));
  ASSERT_EQ(scanned.games.size(), 2u);
  EXPECT_EQ(treeText(*scanned.games[0].Journal), "e4 e5 Nf3");
}

TEST_F(PgnReader, ReadingGoesOnAfterAGameWithNulBytes) {
  TScanned scanned = scanText(readerCase("nul_bytes.pgn"));
  ASSERT_EQ(scanned.games.size(), 3u);
  EXPECT_EQ(scanned.games[1].Tags[0].Value, "two");
  EXPECT_EQ(scanned.games[1].Tags.size(), 7u);  // the tag with the NUL was dropped
  EXPECT_EQ(scanned.games[2].Tags[0].Value, "four");
  ASSERT_EQ(scanned.record.badGames.size(), 1u);
  EXPECT_EQ(scanned.record.badGames[0].reason, kUnexpectedToken);
}

TEST_F(PgnReader, StopRequestEndsTheScanBeforeTheNextGame) {
  std::string text = readerCase("result_runs.pgn");
  stopRequested.store(true);
  int64_t position = 1;
  int32_t bad = -1;
  TGames batch;
  TReadRecord record;
  EXPECT_EQ(scanGames(text, position, false, bad, batch, &record), kNoGameStart);
  EXPECT_TRUE(batch.empty());
  EXPECT_EQ(bad, 0);
  EXPECT_FALSE(record.readToEnd);
}

TEST_F(PgnReader, BatchGrowsByTheCapacityStep) {
  std::string text;
  for (int i = 0; i < 5; ++i) text += "[Event \"" + std::to_string(i) + "\"]\n1. e4 *\n";
  capacityStep = 2;
  TScanned scanned = scanText(text);
  ASSERT_EQ(scanned.games.size(), 5u);
  EXPECT_EQ(scanned.games[4].Tags[0].Value, "4");
  capacityStep = 0;  // a host that gives no capacity still gets its games
  EXPECT_EQ(scanText(text).games.size(), 5u);
}

TEST_F(PgnReader, ProgressAndSkippedGames) {
  std::string text = readerCase("bad_games.pgn");
  TScanned scanned = scanText(text);
  EXPECT_EQ(bytesDone.load(), scanned.position);
  EXPECT_EQ(gamesSkipped.load(), 5);
  scanText(readerCase("tags_at_end.pgn"));  // the game cut off by the end counts too
  EXPECT_EQ(gamesSkipped.load(), 6);
}

TEST_F(PgnReader, FiltersWhileLoading) {
  std::string text = readerCase("bad_games.pgn") + readerCase("result_runs.pgn");
  resultMask = kResultAll & ~kResultUnknown;  // every game here ends "*"
  TScanned byTags = scanText(text, true);
  EXPECT_EQ(byTags.games.size(), 0u);
  EXPECT_EQ(byTags.badCount, 0);
  resetOptions();
  movesMin = 2;  // two moves or more: 2 half-moves at least
  TScanned byMoves = scanText(text, true);
  EXPECT_EQ(byMoves.games.size(), 0u);
  // Games refused by the move count count as bad for the scan, not as unreadable.
  EXPECT_EQ(byMoves.badCount, 8);
  EXPECT_EQ(gamesSkipped.load(), 5);
  EXPECT_EQ(scanText(text, false).games.size(), 3u);
}

TEST_F(PgnReader, HugeCommentAndDeepNesting) {
  std::string comment(50 * 1024 * 1024, 'c');
  std::string text =
      "[Event \"big\"]\n{" + comment + "} 1. e4 *\n[Event \"unclosed\"]\n{" + comment;
  TScanned scanned = scanText(text);
  EXPECT_EQ(scanned.code, kEndInTags);
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(scanned.games[0].Journal->precomment.size(), comment.size() + 2);

  std::string deep = "[Event \"deep\"]\n1. e4 e5 ";
  for (int i = 0; i < 10000; ++i) deep += "(1... c5 ";
  deep += "\n[Event \"after\"]\n1. d4 *";
  scanned = scanText(deep);
  EXPECT_EQ(scanned.badCount, 1);
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(scanned.games[0].Tags[0].Value, "after");
}

// Past what is no game

TEST_F(PgnReader, SkippedTextIsNotedWithItsLineAndLength) {
  std::string text = readerCase("text_between_games.pgn");
  TScanned scanned = scanText(text);
  ASSERT_EQ(scanned.record.skipped.size(), 2u);
  const TSkippedText& heading = scanned.record.skipped[0];
  EXPECT_EQ(heading.position, static_cast<int64_t>(text.find("World Open")) + 1);
  EXPECT_EQ(heading.line, 11);
  EXPECT_EQ(heading.length, static_cast<int64_t>(std::string("World Open\n----------").size()));
  EXPECT_EQ(heading.reason, kNoGameStart);
  // The "{" is never closed: it hides nothing after it.
  const TSkippedText& report = scanned.record.skipped[1];
  EXPECT_EQ(
      text.substr(static_cast<size_t>(report.position - 1), static_cast<size_t>(report.length)),
      "Round 2 (report follows)\n{ not closed");
  EXPECT_EQ(skippedBytes(scanned.record), heading.length + report.length);
}

TEST_F(PgnReader, UnclosedBraceAfterAGameHidesNoGame) {
  std::string game = "[Event \"x\"]\n1. e4 *\n";
  TScanned scanned = scanText("{ opening remark\n\n" + game + "{ never closed\n\n" + game);
  EXPECT_EQ(scanned.games.size(), 1u);  // the first brace closes nowhere either: it swallows one
  scanned = scanText(game + "{ never closed\n\n" + game);
  EXPECT_EQ(scanned.games.size(), 2u);
  ASSERT_EQ(scanned.record.skipped.size(), 1u);
  EXPECT_EQ(scanned.record.skipped[0].length, static_cast<int64_t>(strlen("{ never closed")));
}

TEST_F(PgnReader, BadGamesAreListedWithWhereTheyBeginAndBreak) {
  TScanned scanned = scanText(readerCase("bad_games.pgn"));
  const std::vector<int> reasons = {kNoPieceCanMove, kAmbiguousPieceMove, kBadMoveNumber,
                                    kCaptureMismatch, kResultContradictsMark};
  ASSERT_EQ(scanned.record.badGames.size(), reasons.size());
  for (size_t i = 0; i < reasons.size(); ++i) {
    const TBadGame& bad = scanned.record.badGames[i];
    EXPECT_EQ(bad.reason, reasons[i]) << i;
    EXPECT_EQ(bad.phase, TReadPhase::moves);
    EXPECT_EQ(bad.line, static_cast<int64_t>(10 * i + 1)) << i;  // ten lines a game
    EXPECT_EQ(bad.errorLine, static_cast<int64_t>(10 * i + 9)) << i;
  }
  scanned = scanText(readerCase("broken_tag_stops.pgn"));
  ASSERT_EQ(scanned.record.badGames.size(), 1u);
  EXPECT_EQ(scanned.record.badGames[0].phase, TReadPhase::tags);
  EXPECT_EQ(scanned.record.badGames[0].reason, kBrokenTagLine);
  EXPECT_EQ(scanned.games[1].Tags[0].Value, "third");
}

TEST_F(PgnReader, GamesWithoutTagsGetTheRosterAndTheirResult) {
  std::string text = readerCase("tagless_games.pgn");
  TScanned scanned = scanText(text);
  ASSERT_EQ(scanned.games.size(), 5u);
  EXPECT_EQ(tagValues(scanned.games[0].Tags),
            (std::vector<std::string>{"Event=?", "Site=?", "Date=????.??.??", "Round=?",
                                      "White=Anonymous", "Black=Anonymous", "Result=1-0"}));
  std::vector<std::string> results;
  for (const TGame& game : scanned.games) results.emplace_back(game.Tags[kTagResult].Value);
  EXPECT_EQ(results, (std::vector<std::string>{"1-0", "0-1", "*", "1/2-1/2", "*"}));
  EXPECT_EQ(scanned.games[1].TextStart, static_cast<int64_t>(text.find("1. d4")) + 1);
  // The game without a result ends where the next one begins.
  EXPECT_EQ(treeText(*scanned.games[2].Journal), "c4 c5");
  EXPECT_EQ(scanned.games[2].TextStart + scanned.games[2].TextLength,
            static_cast<int64_t>(text.find("1. Nf3")) + 1);
  EXPECT_EQ(scanText("1. e4 e5 \xC2\xBD-\xC2\xBD").games[0].Tags[kTagResult].Value, "1/2-1/2");
}

TEST_F(PgnReader, OnlyABlankLineLetsANumberOneBeginAGame) {
  TScanned scanned = scanText("[Event \"a\"]\n1. e4 e5\n\n1. d4 d5 *");
  ASSERT_EQ(scanned.games.size(), 2u);
  EXPECT_EQ(treeText(*scanned.games[1].Journal), "d4 d5");
  scanned = scanText("[Event \"a\"]\n1. e4 e5\n1. d4 d5 *");
  EXPECT_EQ(scanned.games.size(), 0u);
  EXPECT_EQ(scanned.badCount, 1);
  // A comment may hold "1." after a blank line; skipping a bad game does not stop inside it.
  scanned =
      scanText("[Event \"a\"]\n1. e4 e5 2. Ke3 {\n\n1. d4 is better} *\n[Event \"b\"]\n1. c4 *");
  ASSERT_EQ(scanned.games.size(), 1u);
  EXPECT_EQ(scanned.games[0].Tags[0].Value, "b");
}

struct TStartCase {
  const char* text;
  int64_t from;
  int64_t found;  // 0: none, past the end
};

class NextGameStart : public testing::TestWithParam<TStartCase> {};

TEST_P(NextGameStart, FindsTheNextLineThatBeginsAGame) {
  std::string text = GetParam().text;
  int64_t expected =
      GetParam().found > 0 ? GetParam().found : static_cast<int64_t>(text.size()) + 1;
  EXPECT_EQ(nextGameStart(text, GetParam().from), expected);
}

INSTANTIATE_TEST_SUITE_P(
    PgnReader, NextGameStart,
    testing::Values(TStartCase{"junk\n[Event \"x\"]", 1, 6}, TStartCase{"junk [Event \"x\"]", 1, 0},
                    TStartCase{"junk\n  \t[ Name\t\"v\"]", 1, 9},
                    TStartCase{"junk\n[1] a note\n[Event \"x\"]", 1, 17},
                    TStartCase{"junk\n\n1. e4", 1, 7}, TStartCase{"junk\n1. e4", 1, 0},
                    TStartCase{"junk\n \r\n1.e4", 1, 9}, TStartCase{"junk\n\n1... e5", 1, 0},
                    TStartCase{"1. e4", 1, 1}, TStartCase{"x\n\xEF\xBB\xBF[Event \"x\"]", 1, 6},
                    TStartCase{"ab [Event \"x\"]\n[Site \"y\"]", 2, 16},
                    TStartCase{"  [Event \"x\"]", 2, 3}));

TEST_F(PgnReader, NulBytesBeforeATagLineAreSkipped) {
  std::string text = "1. e4 *\n" + std::string(4, '\0') + "[Event \"x\"]\n1. d4 *";
  EXPECT_EQ(nextGameStart(text, 9), 13);
  TScanned scanned = scanText(text);
  EXPECT_EQ(scanned.games.size(), 2u);
  ASSERT_EQ(scanned.record.skipped.size(), 1u);
  EXPECT_EQ(scanned.record.skipped[0].length, 4);
  EXPECT_EQ(scanned.record.skipped[0].line, 2);
}

TEST_F(PgnReader, EveryCodeHasAReasonText) {
  const std::pair<TReadPhase, std::vector<int>> codes[] = {
      {TReadPhase::between, {kNoGameStart}},
      {TReadPhase::tags, {1, 3, 4, 19, 20, 101, 102, 103, 104, 105, 113}},
      {TReadPhase::fen, {10, 11, 12, 13, 14, 15, 16, 17, 18}},
      {TReadPhase::moves, {2, 5, 6, 7, 8, 9, 10, 11, 106, 107, 108, 109, 110, 111, 113}}};
  for (const auto& [phase, list] : codes)
    for (int code : list) EXPECT_EQ(readReasonText(code, phase).find("code"), std::string::npos);
  EXPECT_NE(readReasonText(kBrokenTagLine, TReadPhase::tags),
            readReasonText(kVariationAfterVariation, TReadPhase::moves));
}

// Files

TEST_F(PgnReader, LoadPgnFileReportsProgressAndFileName) {
  TTempFolder folder;
  std::string text = readerCase("result_runs.pgn");
  std::filesystem::path path = folder.write("runs.pgn", text);
  setCurrentFile(path);
  TGames batch;
  EXPECT_EQ(loadPgnFile(path, false, batch), kReadOk);
  ASSERT_EQ(batch.size(), 2u);
  EXPECT_EQ(*batch[1].FileName, path);
  EXPECT_EQ(&*batch[0].FileName, &*batch[1].FileName);  // one copy of the name for the file
  EXPECT_EQ(stage.load(), kStageLoading);
  EXPECT_EQ(bytesTotal.load(), static_cast<int64_t>(text.size()));
  EXPECT_EQ(bytesDone.load(), static_cast<int64_t>(text.size()) + 1);
  EXPECT_EQ(filesUnreadable.load(), 0);
  TLockHold hold(gameLock());
  ASSERT_EQ(fileRecords.size(), 1u);
  EXPECT_EQ(fileRecords[0].path, path);
  EXPECT_TRUE(fileRecords[0].record.readToEnd);
}

TEST_F(PgnReader, UnreadableFileGivesNoGames) {
  TTempFolder folder;
  TGames batch(3);
  loadPgnFile(folder / "missing.pgn", false, batch);
  EXPECT_TRUE(batch.empty());
  EXPECT_EQ(filesUnreadable.load(), 1);
  EXPECT_EQ(bytesTotal.load(), 0);
  TLockHold hold(gameLock());
  ASSERT_EQ(fileRecords.size(), 1u);
  EXPECT_FALSE(fileRecords[0].record.readToEnd);
}

// Moves that were not loaded

class MissingGames : public PgnReader {
 protected:
  // Loads the file into the game base and then forgets every journal.
  void loadWithoutMoves(const std::filesystem::path& path) {
    setCurrentFile(path);
    TGames batch;
    loadPgnFile(path, false, batch);
    for (TGame& game : batch) {
      trees.push_back(treeText(*game.Journal));
      game.Journal.reset();
    }
    appendBatch(batch, nullptr, false);
  }
  std::vector<std::string> trees;
};

TEST_F(MissingGames, AreReadAgainFromTheirPlaceInTheFile) {
  TTempFolder folder;
  std::string text = readerCase("setup_fen.pgn") + "\n" + readerCase("comment_before_moves.pgn");
  std::filesystem::path path = folder.write("games.pgn", text);
  loadWithoutMoves(path);
  ASSERT_EQ(panelGames.size(), 4u);
  panelGames[1].Tags.setValue(0, "renamed");  // tags the game has are kept
  TIndexArray list = {3, 1, 0};
  TBoolArray done(list.size(), 0);
  loadMissingGames(path, list, 1, done);
  EXPECT_EQ(done, (TBoolArray{0, 1, 1}));
  EXPECT_FALSE(panelGames[3].Journal);  // before the first index
  ASSERT_TRUE(panelGames[0].Journal);
  ASSERT_TRUE(panelGames[1].Journal);
  EXPECT_EQ(treeText(*panelGames[0].Journal), trees[0]);  // from its FEN
  EXPECT_EQ(treeText(*panelGames[1].Journal), trees[1]);
  EXPECT_EQ(panelGames[1].Tags[0].Value, "renamed");
  loadMissingGames(path, list, 0, done);
  ASSERT_TRUE(panelGames[3].Journal);
  EXPECT_EQ(treeText(*panelGames[3].Journal), trees[3]);
  EXPECT_EQ(currentFileCopy(), path);
}

// The last game of the span used to be read without the "[" that ended it, so it ran into the
// end of the text instead: after a move number that is 106, inside a variation 111.
TEST_F(MissingGames, GameEndedByTheNextOneReadsAgain) {
  for (const char* ending : {"1. e4 2.", "1. e4 (1. d4 d5\n"}) {
    SCOPED_TRACE(ending);
    TTempFolder folder;
    std::filesystem::path path = folder.write(
        "ended.pgn", std::string("[Event \"a\"]\n") + ending + "[Event \"b\"]\n1. d4 *");
    loadWithoutMoves(path);
    ASSERT_EQ(panelGames.size(), 2u);
    TIndexArray list = {0};
    TBoolArray done(1, 0);
    loadMissingGames(path, list, 0, done);
    ASSERT_TRUE(panelGames[0].Journal);
    EXPECT_EQ(treeText(*panelGames[0].Journal), trees[0]);
    emptyGameBase();
    trees.clear();
  }
}

TEST_F(MissingGames, GamesWithoutTagsReadAgain) {
  TTempFolder folder;
  std::filesystem::path path = folder.write("tagless.pgn", readerCase("tagless_games.pgn"));
  loadWithoutMoves(path);
  ASSERT_EQ(panelGames.size(), 5u);
  TIndexArray list = {2};  // ended by the next game's "1.", not by a result
  TBoolArray done(1, 0);
  loadMissingGames(path, list, 0, done);
  ASSERT_TRUE(panelGames[2].Journal);
  EXPECT_EQ(treeText(*panelGames[2].Journal), trees[2]);
}

TEST_F(MissingGames, OtherFilesAndUnreadableFilesLoadNothing) {
  TTempFolder folder;
  std::filesystem::path path = folder.write("games.pgn", readerCase("result_runs.pgn"));
  loadWithoutMoves(path);
  TIndexArray list = {0, 1};
  TBoolArray done(list.size(), 0);
  loadMissingGames(folder / "other.pgn", list, 0, done);
  EXPECT_EQ(done, (TBoolArray{0, 0}));
  std::filesystem::remove(path);
  loadMissingGames(path, list, 0, done);
  EXPECT_EQ(done, (TBoolArray{1, 1}));
  EXPECT_FALSE(panelGames[0].Journal);
}

}  // namespace
