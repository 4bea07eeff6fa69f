#include "Upgnread/movetext.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "Upgnread/pgnscan.h"
#include "support/pgnreading.h"

namespace {

struct TRead {
  int code = -1;
  std::unique_ptr<jurnal> journal;
  int64_t position = 0;
  std::string tree;
};

TRead read(std::string_view movetext, std::string_view fen = {}) {
  TRead r;
  r.code = readMoves(movetext, r.journal, fen, &r.position);
  if (r.journal) r.tree = treeText(*r.journal);
  return r;
}

int codeOf(std::string_view movetext, std::string_view fen = {}) {
  return read(movetext, fen).code;
}

// Variations

TEST(MovetextReader, VariationReplacesWhiteMove) {
  TRead r = read("1. e4 e5 2. Nf3 (2. Bc4 Nf6) 2... Nc6 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 e5 Nf3 (Bc4 Nf6) Nc6");
  EXPECT_EQ(r.journal->movecount(), 4);
  const jurnal& variation = *r.journal->variantsAt(2)[0];
  EXPECT_EQ(variation.movecount(), 2);
  EXPECT_EQ(variation.parent, r.journal.get());
}

TEST(MovetextReader, TwoVariationsOnOneMoveKeepTheirOrder) {
  TRead r = read("1. e4 (1. d4) (1. c4) e5 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 (d4) (c4) e5");
}

TEST(MovetextReader, VariationReplacingBlackMoveMayRepeatTheNumber) {
  TRead r = read("1. e4 e5 (1... c5 2. Nf3) 2. Nf3 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 e5 (c5 Nf3) Nf3");
}

TEST(MovetextReader, NestedVariations) {
  TRead r = read("1. e4 e5 (1... c5 2. Nf3 (2. c3 d5) 2... d6) 2. Nf3 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 e5 (c5 Nf3 (c3 d5) d6) Nf3");
}

TEST(MovetextReader, VariationAfterNullMoveStartsWithCopyOfLastMove) {
  TRead r = read("1. e4 -- (1... e5) 2. d4 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 (e4 e5) d4");
}

TEST(MovetextReader, VariationOpensEvenWhenItRepeatsTheMainMove) {
  TRead r = read("1. e4 (1. e4 c5) e5 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 (e4 c5) e5");
}

// A variation that repeats the main line's castling used to carry on in the main line, so its
// ")" ended the reading of the whole file.
TEST(MovetextReader, VariationRepeatingMainLineCastlingOpensVariation) {
  TRead r = read("1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. O-O (4. O-O Nf6) 4... Nf6 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 e5 Nf3 Nc6 Bc4 Bc5 O-O (O-O Nf6) Nf6");
}

// The side to move used to stay as after the replaced move, so a variation written without a
// move number was read for the wrong side and the game was lost.
TEST(MovetextReader, VariationsWithoutMoveNumbers) {
  EXPECT_EQ(read("1. d4 (e4) d5 (c5) 2. c4 *").tree, "d4 (e4) d5 (c5) c4");
  EXPECT_EQ(read("1. e4 e5 2. Nf3 (2 Bc4 Nf6) Nc6 *").tree, "e4 e5 Nf3 (Bc4 Nf6) Nc6");
  EXPECT_EQ(read("1. d4 ( { inside } e4 { after } ) d5 *").tree, "d4 ({ inside } e4 { after }) d5");
}

TEST(MovetextReader, VariationErrors) {
  EXPECT_EQ(codeOf("1. e4 ((1. d4)) *"), kVariationAfterVariation);
  EXPECT_EQ(codeOf("1. e4 ) e5 *"), kUnexpectedToken);
  EXPECT_EQ(codeOf("1. e4 (1. d4 1-0"), kUnclosedVariation);
  EXPECT_EQ(codeOf("1. e4 (1. d4 1/2-1/2"), kUnclosedVariation);
  EXPECT_EQ(codeOf("1. e4 (1. d4 d5"), kUnclosedVariation);
}

// Forms that real files hold: each reads to the same tree as the plain form, or with its glyph.
struct TToleratedCase {
  const char* written;
  const char* tree;
  const char* fen;
};

void PrintTo(const TToleratedCase& c, std::ostream* os) {
  *os << c.written;
}

class ToleratedForm : public testing::TestWithParam<TToleratedCase> {};

TEST_P(ToleratedForm, ReadsAsThePlainForm) {
  TRead r = read(GetParam().written, GetParam().fen);
  EXPECT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, GetParam().tree);
}

constexpr const char* kPromotionFen = "8/4P3/8/8/8/8/k7/4K3 w - - 0 1";

INSTANTIATE_TEST_SUITE_P(
    MovetextReader, ToleratedForm,
    testing::Values(
        TToleratedCase{"1. e4 d5 2. e5 f5 3. exf6 e.p. Nxf6 *", "e4 d5 e5 f5 exf6 Nxf6", ""},
        TToleratedCase{"1. e4 d5 2. e5 f5 3. exf6e.p. Nxf6 *", "e4 d5 e5 f5 exf6 Nxf6", ""},
        TToleratedCase{"1. e4 d5 2. e5 f5 3. exf6 ep Nxf6 *", "e4 d5 e5 f5 exf6 Nxf6", ""},
        TToleratedCase{"1. e4 d5 2. e5 f5 3. exf6ep+ *", "e4 d5 e5 f5 exf6", ""},
        TToleratedCase{"1. e4 +/- e5 -/+ 2. Nf3 += Nc6 =+ *", "e4 $16 e5 $17 Nf3 $14 Nc6 $15", ""},
        TToleratedCase{"1. e4 +- e5 -+ 2. Nf3 = Nc6 \xE2\x88\x9E *",
                       "e4 $18 e5 $19 Nf3 $10 Nc6 $13", ""},
        TToleratedCase{"1. e4 =/+ e5 +/= *", "e4 $15 e5 $14", ""},
        TToleratedCase{"1. e4 !? e5 ?? 2. Nf3 ! *", "e4 e5 Nf3", ""},
        TToleratedCase{"1. e2-e4 e7-e5 2. Ng1-f3 Nb8-c6 *", "e4 e5 Nf3 Nc6", ""},
        TToleratedCase{"1. Ng1-f3 d7-d5 2. e2-e4 d5xe4 3. Nf3-e5 *", "Nf3 d5 e4 dxe4 Ne5", ""},
        TToleratedCase{"1. e7-e8=Q Ka1 *", "e8=Q Ka1", kPromotionFen},
        TToleratedCase{"1. e4 e5 \xC2\xBD-\xC2\xBD", "e4 e5", ""},
        TToleratedCase{"1. e4 e5 \xBD-\xBD", "e4 e5", ""},
        TToleratedCase{"1. e4 () e5 ( ) 2. Nf3 (\n) *", "e4 e5 Nf3", ""},
        TToleratedCase{"1. e4 ( {only a comment} ) e5 ( ( {nested} ) ) *",
                       "e4 {only a comment} e5 {nested}", ""}));

// Written wrongly still: the game is bad, with its own code.
TEST(MovetextReader, FormsStillRefused) {
  EXPECT_EQ(codeOf("1. e4 e5 2. Ke3 *"), kNoPieceCanMove);
  EXPECT_EQ(codeOf("1. e4 e5 5. Nf3 *"), kBadMoveNumber);
  EXPECT_EQ(codeOf("1. e4# e5 *"), kMoveAfterGameEnd);
  EXPECT_EQ(codeOf("1. e4 $300 *"), kGlyphTooLarge);
  EXPECT_EQ(codeOf("1. e4 e5 2. d4 ep *"), kMalformedMove);     // no en-passant capture
  EXPECT_EQ(codeOf("1. e4 d5 2. exd5e.p. *"), kMalformedMove);  // a plain capture
  EXPECT_EQ(codeOf("1. e4 e5 2. e4-e5 *"), kNoPieceCanMove);
  EXPECT_EQ(codeOf("1. e4 e5 2. d2-d4+- *"), kMalformedMove);  // glyphs stand apart
  EXPECT_EQ(codeOf("1. e4 e5 -/ *"), kUnexpectedToken);
}

std::string nestedVariations(int depth) {
  std::string text = "1. e4 e5 ";
  for (int i = 0; i < depth; ++i) text += "(1... c5 ";
  for (int i = 0; i < depth; ++i) text += ") ";
  return text + "*";
}

TEST(MovetextReader, NestingIsBoundedAndTheGameIsBad) {
  EXPECT_EQ(codeOf(nestedVariations(kMaxVariationDepth)), kMovetextOk);
  TRead r = read(nestedVariations(kMaxVariationDepth + 1));
  EXPECT_EQ(r.code, kVariationsTooDeep);
  EXPECT_LE(r.code, kLastGameCode);
  EXPECT_EQ(codeOf(nestedVariations(10000)), kVariationsTooDeep);
}

TEST(MovetextReader, SiblingVariationsDoNotCountAsDepth) {
  std::string text = "1. e4 e5 ";
  for (int i = 0; i < 2 * kMaxVariationDepth; ++i) text += "(1... c5) ";
  EXPECT_EQ(codeOf(text + "*"), kMovetextOk);
}

// Move numbers

TEST(MovetextReader, NumberOneTooHighSkipsAHalfMove) {
  TRead r = read("1. e4 2. d4 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 d4");
  EXPECT_TRUE(isWhitePiece(r.journal->moveat(1).piece));
  TRead withNull = read("1. e4 -- 2. d4 *");
  ASSERT_EQ(withNull.code, kMovetextOk);
  EXPECT_EQ(withNull.tree, r.tree);
}

TEST(MovetextReader, NumberWithThreeDotsGivesBlackTheMove) {
  TRead r = read("1... e5 2. Nf3 *", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e5 Nf3");
}

TEST(MovetextReader, NumbersMayBeWrittenWithoutDotsOrWithSpaces) {
  EXPECT_EQ(read("1 e4 e5 2 Nf3 *").tree, "e4 e5 Nf3");
  EXPECT_EQ(read("1 . e4 1 . . . e5 *").tree, "e4 e5");
  EXPECT_EQ(read("1.e4 e5 2.Nf3 Nc6 *").tree, "e4 e5 Nf3 Nc6");
}

TEST(MovetextReader, NumberErrors) {
  EXPECT_EQ(codeOf("1. e4 e5 5. Nf3 *"), kBadMoveNumber);
  EXPECT_EQ(codeOf("2. e4 *"), kMovetextOk);  // one above the expected number: a skipped turn
  EXPECT_EQ(codeOf("3. e4 *"), kBadMoveNumber);
  EXPECT_EQ(codeOf("1. e4 e5 2"), kEndAfterMoveNumber);
  EXPECT_EQ(codeOf("1. e4 e5 2. "), kEndAfterMoveNumber);
  EXPECT_EQ(codeOf("99999999999999999999. e4 *"), kBadMoveNumber);
}

// Moves

TEST(MovetextReader, PromotionWithAndWithoutSign) {
  const char* fen = "8/4P3/8/8/8/8/8/k6K w - - 0 1";
  EXPECT_EQ(read("1. e8=Q *", fen).tree, "e8=Q");
  EXPECT_EQ(read("1. e8Q *", fen).tree, "e8=Q");
  EXPECT_EQ(read("1. e8=N *", fen).tree, "e8=N");
  EXPECT_EQ(codeOf("1. e8=q *", fen), kMalformedMove);
  EXPECT_EQ(codeOf("1. e8= *", fen), kMalformedMove);
  EXPECT_EQ(codeOf("1. e8 *", fen), kPromotionPieceMissing);
}

TEST(MovetextReader, CaptureMarkMustMatchTheBoard) {
  EXPECT_EQ(codeOf("1. Nxf3 *"), kCaptureMismatch);
  EXPECT_EQ(codeOf("1. e4 d5 2. d5 *"), kCaptureMismatch);  // the pawn on e4 takes
  EXPECT_EQ(codeOf("1. e4 d5 2. ed5 *"), kCaptureMismatch);
  EXPECT_EQ(read("1. e4 d5 2. exd5 *").tree, "e4 d5 exd5");
  EXPECT_EQ(read("1. e4 d5 2. e5 f5 3. exf6 *").tree, "e4 d5 e5 f5 exf6");  // en passant
  EXPECT_EQ(codeOf("1. e4 d5 2. e5 f5 3. ef6 *"), kCaptureMismatch);
}

TEST(MovetextReader, PieceMovesKeepNoSuffixMarkCastlingDoes) {
  TRead piece = read("1. Nf3! d5?! 2. g3 Nf6 3. Bg2 e6 4. O-O! *");
  ASSERT_EQ(piece.code, kMovetextOk);
  EXPECT_EQ(piece.journal->moveat(0).mark, 0);
  EXPECT_EQ(piece.journal->moveat(1).mark, 0);
  EXPECT_EQ(piece.journal->moveat(6).mark, 1);
  EXPECT_EQ(piece.journal->moveat(6).san.view(), "O-O!");
}

struct TCastlingMark {
  const char* suffix;
  int mark;
};

class CastlingSuffix : public testing::TestWithParam<TCastlingMark> {};

TEST_P(CastlingSuffix, GivesTheMark) {
  std::string text =
      std::string("1. Nf3 Nf6 2. g3 g6 3. Bg2 Bg7 4. O-O") + GetParam().suffix + " *";
  TRead r = read(text);
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.journal->moveat(6).mark, GetParam().mark);
}

INSTANTIATE_TEST_SUITE_P(MovetextReader, CastlingSuffix,
                         testing::Values(TCastlingMark{"", 0}, TCastlingMark{"!", 1},
                                         TCastlingMark{"?", 2}, TCastlingMark{"!!", 3},
                                         TCastlingMark{"??", 4}, TCastlingMark{"!?", 5},
                                         TCastlingMark{"?!", 6}));

TEST(MovetextReader, CastlingWithLettersDigitsAndBoth) {
  const char* start = "1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 4. ";
  EXPECT_EQ(read(std::string(start) + "O-O O-O *").tree, "e4 e5 Nf3 Nf6 Bc4 Bc5 O-O O-O");
  EXPECT_EQ(read(std::string(start) + "0-0 0-O *").tree, "e4 e5 Nf3 Nf6 Bc4 Bc5 O-O O-O");
  const char* queenSide = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";
  EXPECT_EQ(read("1. O-O-O 0-0-0 *", queenSide).tree, "O-O-O O-O-O");
  EXPECT_EQ(read("1. O-0-O O-O *", queenSide).tree, "O-O-O O-O");
}

TEST(MovetextReader, MalformedMoves) {
  EXPECT_EQ(codeOf("1. e9 *"), kMalformedMove);
  EXPECT_EQ(codeOf("1. e45 *"), kMalformedMove);
  EXPECT_EQ(codeOf("1. N *"), kMalformedMove);
  EXPECT_EQ(codeOf("1. Nf *"), kMalformedMove);
  EXPECT_EQ(codeOf("1. Nf3+# *"), kMalformedMove);
  EXPECT_EQ(codeOf("1. Nf3: *"), kMalformedMove);
  EXPECT_EQ(codeOf("1. Nf3_ *"), kMalformedMove);
  EXPECT_EQ(codeOf("1. e4e *"), kMalformedMove);
  EXPECT_EQ(codeOf("1. Nf3 Nf6 2. g3 g6 3. Bg2 Bg7 4. O- *"), kMalformedCastling);
  EXPECT_EQ(codeOf("1. Nf3 Nf6 2. g3 g6 3. Bg2 Bg7 4. O-O+# *"), kMalformedCastling);
  EXPECT_EQ(codeOf("1. Nf3 Nf6 2. g3 g6 3. Bg2 Bg7 4. O-O- *"), kMalformedCastling);
  EXPECT_EQ(codeOf("1. Nf3 Nf6 2. g3 g6 3. Bg2 Bg7 4. O-Ox *"), kMalformedCastling);
}

TEST(MovetextReader, MovesTheBoardCannotResolve) {
  EXPECT_EQ(codeOf("1. Nf4 *"), kNoPieceCanMove);
  EXPECT_EQ(codeOf("1. O-O *"), kNoPieceCanMove);
  EXPECT_EQ(codeOf("1. d4 d5 2. Nf3 Nf6 3. Nd2 *"), kAmbiguousPieceMove);
  EXPECT_EQ(read("1. d4 d5 2. Nf3 Nf6 3. Nbd2 *").tree, "d4 d5 Nf3 Nf6 Nbd2");
  EXPECT_EQ(read("1. d4 d5 2. Nf3 Nf6 3. N1d2 *").tree, "d4 d5 Nf3 Nf6 Nbd2");
}

// Results and the end of the game

TEST(MovetextReader, ResultsEndTheMovetext) {
  for (const char* result : {"1-0", "0-1", "1/2-1/2", "*"}) {
    std::string text = std::string("1. e4 e5 ") + result + " 2. Nf3";
    TRead r = read(text);
    EXPECT_EQ(r.code, kMovetextOk) << result;
    EXPECT_EQ(r.position, static_cast<int64_t>(10 + std::string(result).size())) << result;
    EXPECT_EQ(r.tree, "e4 e5") << result;
  }
}

TEST(MovetextReader, ResultContradictingMateOrStalemate) {
  const char* scholar = "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# ";
  EXPECT_EQ(codeOf(std::string(scholar) + "0-1"), kResultContradictsMark);
  EXPECT_EQ(codeOf(std::string(scholar) + "1/2-1/2"), kResultContradictsMark);
  EXPECT_EQ(codeOf(std::string(scholar) + "1-0"), kMovetextOk);
  EXPECT_EQ(codeOf(std::string(scholar) + "*"), kMovetextOk);
  EXPECT_EQ(codeOf(std::string(scholar) + "Ke7 1-0"), kMoveAfterGameEnd);
  EXPECT_EQ(codeOf(std::string(scholar) + "5. Qe7 1-0"), kMoveAfterGameEnd);
  const char* staleFen = "k7/8/8/2Q5/8/8/8/7K w - - 0 1";
  EXPECT_EQ(codeOf("1. Qc6+ Kb8 1-0", staleFen), kMovetextOk);
  EXPECT_EQ(codeOf("1. Qb6 1-0", staleFen), kResultContradictsMark);
  EXPECT_EQ(codeOf("1. Qb6 0-1", staleFen), kResultContradictsMark);
  EXPECT_EQ(codeOf("1. Qb6 1/2-1/2", staleFen), kMovetextOk);
  EXPECT_EQ(codeOf("1. Qb6 Ka7 *", staleFen), kMoveAfterGameEnd);
}

// The code and the place it is given at are those of asking the board after every move, however
// the next move is written after the stalemate; a position out of check with moves left reads on.
TEST(MovetextReader, AStalemateEndsTheGameAtWhatComesNext) {
  const char* staleFen = "k7/8/8/2Q5/8/8/8/7K w - - 0 1";
  struct TCase {
    const char* movetext;
    int code;
    int64_t position;
  };
  for (const TCase& c : {TCase{"1. Qb6 Ka7 *", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 {no move left} Ka7 *", kMoveAfterGameEnd, 23},
                         TCase{"1. Qb6 -- Kb1 *", kMoveAfterGameEnd, 11},
                         TCase{"1. Qb6 -- O-O *", kMoveAfterGameEnd, 11},
                         TCase{"1. Qb6 Kx *", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 1... Ka7 *", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 2. Kb1 *", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 2. {no move left} Kb1 *", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 2.", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 2. {end}", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 2. 1-0", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 9. Kb1 *", kMoveAfterGameEnd, 8},
                         TCase{"1. Qb6 (1. Qb5 Ka7) *", kMovetextOk, 22},
                         TCase{"1. Qb6 {end}", kMovetextOk, 13},
                         TCase{"1. Kg2 Kb8 2. Qb6 Kc8 *", kMovetextOk, 24},
                         TCase{"1. Kg2 -- 2. Qb6 *", kMovetextOk, 19},
                         TCase{"1. Kg2 2. Kh2 *", kMovetextOk, 16}}) {
    TRead r = read(c.movetext, staleFen);
    EXPECT_EQ(r.code, c.code) << c.movetext;
    EXPECT_EQ(r.position, c.position) << c.movetext;
  }
}

TEST(MovetextReader, MateMarkIsForgottenInsideAVariation) {
  EXPECT_EQ(codeOf("1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# (4. d3 Be7) 1-0"), kMovetextOk);
}

TEST(MovetextReader, EndOfTextWithoutResult) {
  TRead r = read("1. e4 e5 {done}");
  EXPECT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 e5 {done}");
  EXPECT_EQ(r.position, 16);
}

// Null moves, glyphs, comments

TEST(MovetextReader, NullMovesLeaveNoTrace) {
  EXPECT_EQ(read("1. e4 Z0 2. d4 *").tree, "e4 d4");
  EXPECT_EQ(read("1. e4 ... 2. d4 *").tree, "e4 d4");
  EXPECT_EQ(codeOf("1. e4 - 2. d4 *"), kUnexpectedToken);
  EXPECT_EQ(codeOf("1. e4 Z1 *"), kUnexpectedToken);
  EXPECT_EQ(codeOf("1. e4 .. e5 *"), kUnexpectedToken);
}

TEST(MovetextReader, GlyphsSetTheLastMovesMark) {
  TRead r = read("1. e4 $1 e5 $146 2. Nf3 $5 $0 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4! $1 e5 $146 Nf3");
  EXPECT_EQ(codeOf("1. e4 $255 *"), kMovetextOk);
  EXPECT_EQ(codeOf("1. e4 $256 *"), kGlyphTooLarge);
  EXPECT_EQ(codeOf("1. e4 $99999999999999999999 *"), kGlyphTooLarge);
}

TEST(MovetextReader, CommentsFollowTheMoveBeforeThem) {
  TRead r = read(
      "{start} 1. e4 {king pawn} e5 ;line\n 2. Nf3 {before (} (2. Bc4 {last in"
      " variation}) 2... Nc6 {end} *");
  ASSERT_EQ(r.code, kMovetextOk);
  // A ";" comment reaches the journal without its line end, so it is stored in braces.
  EXPECT_EQ(r.tree,
            "{start} e4 {king pawn} e5 {;line} Nf3 {before (} (Bc4 {last in variation})"
            " Nc6 {end}");
}

TEST(MovetextReader, CommentAfterVariationGoesToTheReplacedMove) {
  TRead r = read("1. e4 (1. d4) {after} e5 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 {after} (d4) e5");
}

TEST(MovetextReader, CommentBetweenNumberAndDotsIsLost) {
  EXPECT_EQ(read("1 {lost} . e4 *").tree, "e4");
}

TEST(MovetextReader, CommentsBeforeTheFirstMoveComeFromTheTagReader) {
  std::unique_ptr<jurnal> journal;
  pendingComment = "{from tags}";
  journal = std::make_unique<jurnal>(nullptr, nullptr);
  int64_t at = 1;
  ASSERT_EQ(readMovetext("1. e4 *", at, *journal), kMovetextOk);
  EXPECT_EQ(journal->precomment, "{from tags}");
}

// What stands between tokens: runs of spaces, tabs, line ends, escape lines and comments, after
// moves, after move numbers and after the dots that end their own line.
TEST(MovetextReader, SpaceEscapeLinesAndCommentsBetweenTokens) {
  TRead r = read("1.   e4  \t e5 2.\n%escaped Nc3\nNf3 {one}   ;two\n Nc6\r\n%esc\n3. Bb5 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.tree, "e4 e5 Nf3 {one;two} Nc6 Bb5");
}

TEST(MovetextReader, UnexpectedCharacters) {
  for (const char* text : {"1. e4 @", "1. e4 0-", "1. e4 00", "1. e4 %", "1. e4 \x01", "1. e4 y"})
    EXPECT_EQ(codeOf(text), kUnexpectedToken) << text;
}

// The next game

TEST(MovetextReader, NextGameStopsBeforeItsBracket) {
  TRead r = read("1. e4 e5\n[Event \"next\"]");
  EXPECT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.position, 10);
  TRead glued = read("1. e4 e5[Event \"next\"]");
  EXPECT_EQ(glued.code, kMovetextOk);
  EXPECT_EQ(glued.position, 9);
}

TEST(MovetextReader, BoardIsLeftDetachedFromTheTree) {
  TRead r = read("1. e4 (1. d4) e5 *");
  ASSERT_EQ(r.code, kMovetextOk);
  EXPECT_EQ(r.journal->board, nullptr);
  EXPECT_EQ(r.journal->variantsAt(0)[0]->board, nullptr);
}

}  // namespace
