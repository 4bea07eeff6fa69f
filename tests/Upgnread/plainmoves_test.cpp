// The reader's short way for plain moves against the board's scanning forms, through the whole
// movetext reader: random games from positions full of pins, checks, promotions and castling,
// written in the notation players use, in the slips they make and with moves the position does
// not allow, read both ways to the same code, the same stopping place and the same tree.

#include <array>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/movetext.h"
#include "support/boardcompare.h"
#include "support/chessplay.h"
#include "support/pgnreading.h"
#include "uchess/boardscan.h"

namespace {

// Besides the start and the tactical positions: a board with two white kings, one with no
// black king, one where the side not to move stands in check, and a shuffled back rank.
std::vector<const char*> startFens() {
  std::vector<const char*> fens = {kStartFen.data()};
  fens.insert(fens.end(), std::begin(kTacticalFens), std::end(kTacticalFens));
  fens.push_back("4k3/pp3ppp/8/8/8/8/PP3PPP/K3K2R w K - 0 1");
  fens.push_back("8/pp3ppp/8/3q4/8/8/PP3PPP/R3K2R w KQ - 0 1");
  fens.push_back("4k3/8/8/8/1b6/8/3P4/R3K2R b KQ - 0 1");
  fens.push_back("rk5r/p6p/8/8/8/8/P6P/RK5R w HAha - 0 1");
  return fens;
}

// A move the board's geometry allows from the position but the scanning form refuses, as a
// player might write it, from and to squares in full; empty when there is none.
std::string refusedMove(doska& b, bool white, std::mt19937& random) {
  std::vector<std::string> refused;
  for (int ff = 1; ff <= 8; ++ff)
    for (int fr = 1; fr <= 8; ++fr) {
      uint8_t piece = b.at(ff, fr);
      if (!(white ? isWhitePiece(piece) : isBlackPiece(piece))) continue;
      int kind = white ? piece : piece - 6;
      for (int tf = 1; tf <= 8; ++tf)
        for (int tr = 1; tr <= 8; ++tr) {
          if (!b.canmove(ff, fr, tf, tr) || legalmoveByScan(b, ff, fr, tf, tr)) continue;
          std::string text;
          if (kind != kWhitePawn) text += " PNBRQK"[kind];
          text += {static_cast<char>('a' + ff - 1), static_cast<char>('0' + fr)};
          if (b.at(tf, tr) != kEmpty) text += 'x';
          text += {static_cast<char>('a' + tf - 1), static_cast<char>('0' + tr)};
          if (kind == kWhitePawn && (tr == 1 || tr == 8)) text += "=Q";
          refused.push_back(text);
        }
    }
  return refused.empty() ? std::string() : refused[random() % refused.size()];
}

// A random move the scanning form allows, added and written as the journal writes it; refused
// receives one it does not allow from the same position.
bool addRandomMove(jurnal& line, std::mt19937& random, std::string& refused) {
  doska& b = *line.board;
  bool white = whiteToMove(line);
  refused = refusedMove(b, white, random);
  std::vector<std::array<int, 4>> moves = legalMovesByScan(b, white);
  if (moves.empty()) return false;
  const std::array<int, 4>& m = moves[random() % moves.size()];
  int promotion = static_cast<int>((white ? kWhiteKnight : kBlackKnight) + random() % 4);
  if (line.addmove(m[0], m[1], m[2], m[3], promotion, true, 0) < 0) return false;
  line.makesan();
  line.forward();
  return true;
}

bool isSquareText(const std::string& text, size_t at) {
  return at + 1 < text.size() && text[at] >= 'a' && text[at] <= 'h' && text[at + 1] >= '1' &&
         text[at + 1] <= '8';
}

// The move as written, now and then the way it should not be: the check mark left off or put on,
// the piece named by a file it may not stand on or by another letter, a pawn capture without its
// file.
std::string writtenMove(const mov& m, std::mt19937& random) {
  std::string text = m.san.str();
  switch (random() % 200) {
    case 0:
      if (!text.empty() && (text.back() == '+' || text.back() == '#')) text.pop_back();
      break;
    case 1:
      text += '+';
      break;
    case 2:
      if (text.size() > 2 && text[0] >= 'B' && text[0] <= 'R' && isSquareText(text, 1))
        text.insert(1, 1, static_cast<char>('a' + random() % 8));
      break;
    case 3:
      if (text.size() > 3 && text[1] == 'x' && text[0] >= 'a' && text[0] <= 'h') text.erase(0, 2);
      break;
    case 4:
      if (!text.empty() && text[0] >= 'B' && text[0] <= 'R') text[0] = "NBRQ"[random() % 4];
      break;
    default:
      break;
  }
  return text;
}

// The line's moves as written, the refused move written in place of the one at the given ply.
std::string randomMovetext(jurnal& line, std::string_view fen, int refusedAt,
                           const std::string& refused, std::mt19937& random) {
  int first = std::stoi(std::string(fen.substr(fen.rfind(' ') + 1)));
  std::string text = line.blackfirst ? std::to_string(first) + "... " : "";
  for (int i = 0; i < line.movecount(); ++i) {
    int ply = i + line.blackfirst;
    if (ply % 2 == 0) text += std::to_string(first + ply / 2) + ". ";
    text += (i == refusedAt ? refused : writtenMove(line.moveat(i), random)) + ' ';
  }
  return text + '*';
}

// The movetext read the short way and the scanning way, to the same code, stop and tree: how
// many moves the short way's line holds.
int expectReadAlikeBothWays(std::string_view movetext, std::string_view fen = {}) {
  SCOPED_TRACE(movetext);
  std::unique_ptr<jurnal> fast, plain;
  int64_t fastStop = 0, plainStop = 0;
  int fastCode = readMoves(movetext, fast, fen, &fastStop);
  int plainCode = 0;
  {
    TBoardByScan byScan;
    plainCode = readMoves(movetext, plain, fen, &plainStop);
  }
  EXPECT_EQ(fastCode, plainCode);
  EXPECT_EQ(fastStop, plainStop);
  if (!fast || !plain) {
    ADD_FAILURE() << "no journal was started";
    return 0;
  }
  EXPECT_EQ(treeText(*fast), treeText(*plain));
  return fast->movecount();
}

TEST(PlainMoves, ReadAsTheScanningFormsReadThem) {
  std::mt19937 random(1960);
  int games = 0, moves = 0;
  for (const char* fen : startFens()) {
    for (int game = 0; game < 12; ++game) {
      SCOPED_TRACE(testing::Message() << fen << " game " << game);
      std::unique_ptr<jurnal> played = journalFromFen(fen);
      ASSERT_TRUE(played);
      // every other game ends on a move that must be refused
      int refusedAt = game % 2 == 0 ? static_cast<int>(random() % 80) : -1;
      std::string refused, next;
      for (int ply = 0; ply < 120 && addRandomMove(*played, random, next); ++ply) {
        if (ply == refusedAt && next.empty()) ++refusedAt;
        if (ply == refusedAt) refused = next;
      }
      std::string movetext = randomMovetext(*played, fen, refusedAt, refused, random);
      moves += expectReadAlikeBothWays(movetext, fen);
      if (testing::Test::HasFailure()) return;  // one game tells enough
      ++games;
    }
  }
  EXPECT_GT(games, 100);
  EXPECT_GT(moves, 100 * games / 4) << "too few moves read to judge by";
}

// Castling from the e-file, each rule that may refuse it broken once: read both ways, to the
// same code and tree, and allowed exactly where the rules allow it.
TEST(PlainMoves, CastlingJudgedAsTheScanningFormsJudgeIt) {
  struct TCase {
    const char* fen;
    const char* movetext;
    bool allowed;
  };
  const TCase cases[] = {
      {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "1. O-O O-O-O *", true},
      {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "1... O-O 2. O-O-O *", true},
      {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "1. O-O+ *", true},
      {"4k3/8/8/8/8/8/1r6/R3K2R w KQ - 0 1", "1. O-O-O *", true},  // b1 is attacked, not crossed
      {"4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", "1. O-O-O *", true},
      {"4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", "1. O-O *", false},  // f1 crossed under attack
      {"4k3/8/8/8/8/8/6r1/R3K2R w KQ - 0 1", "1. O-O *", false},  // g1 attacked
      {"4k3/8/8/8/8/8/3r4/R3K2R w KQ - 0 1", "1. O-O-O *", false},
      {"4k3/8/8/8/8/8/4r3/R3K2R w KQ - 0 1", "1. O-O *", false},  // in check
      {"4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1", "1. O-O *", false},
      {"4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1", "1. O-O-O *", false},
      {"4k3/8/8/8/8/8/8/R3K2R w - - 0 1", "1. O-O *", false},
      {"4k3/8/8/8/8/8/8/R3K2R w K - 0 1", "1. O-O-O *", false},
      {"r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1", "1... O-O-O *", true},
      {"r3k2r/8/8/2B5/8/8/8/4K3 b kq - 0 1", "1... O-O *", false},  // f8 crossed under attack
      {"r3k2r/8/8/2B5/8/8/8/4K3 b kq - 0 1", "1... O-O-O *", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.fen);
    EXPECT_EQ(expectReadAlikeBothWays(c.movetext, c.fen) > 0, c.allowed);
  }
}

}  // namespace

// Plies and move numbers read in one pass stop wherever something other than the common way of
// writing them follows, and the token loop goes on from there as it would have gone on alone:
// line ends, tabs, comments, escape lines, numbers one too high or far off, three dots, a game
// without tags after a blank line, marks, castling, en passant and moves after a mate mark.
TEST(PlainMoves, RunsOfPliesHandOverWhereTheTokenLoopWouldReadOtherwise) {
  const char* const movetexts[] = {
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 *",
      "1. e4 e5\n2. Nf3 Nc6\r\n3. Bb5\ta6 4.\tBa4 Nf6  5.  O-O Be7\n\n6. Re1 b5 7. Bb3 d6 *",
      "1. e4 e5 2. Nf3 {a comment} Nc6 3. Bb5 ; to the line end\n a6 4. Ba4 Nf6 5. c3 Be7 *",
      "1. e4 e5 2. Nf3 Nc6\n% an escape line\n3. Bb5 a6 4. Ba4 Nf6 5. c3 Be7 6. d4 d6 *",
      "1. e4 e5 2. Nf3 Nc6 4. Bb5 a6 5. Ba4 Nf6 6. c3 Be7 7. d4 d6 8. h3 O-O *",
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 9. Ba4 Nf6 10. c3 Be7 11. d4 d6 12. h3 O-O *",
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 3... Nf6 4. Ba4 Be7 5. c3 d6 6. d4 O-O 7. h3 *",
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. c3 Be7\n\n1. d4 d5 2. c4 e6 3. Nc3 *",
      "1. e4 e5 2. Nf3! Nc6 3. Bb5 $1 a6 4. Ba4 Nf6 5. O-O+ Be7 6. c3 d6 7. d4 O-O *",
      "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# Ke7 5. Qf8 Kd6 6. Qd8 Ke6 7. Qe8 *",
      "1. f3 e5 2. g4 Qh4# 3. a3 a6 4. a4 a5 5. b3 b6 6. b4 b5 7. c3 c6 8. c4 *",
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O-O Be7 6. Re1 b5 7. Bb3 d6 *",
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. c3 Be7 6. d4 d6 7. h3 O-O 8. Re1",
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. c3 (5. O-O Be7) 5... Be7 6. d4 d6 *",
      // an en passant open while a pawn steps beside another pawn, and onto its square unmarked
      "1. d4 e6 2. d5 f6 3. f3 c5 4. e4 Ne7 5. dxc6 Nbxc6 6. Nc3 e5 7. Nge2 d6 8. g3 *",
      "1. d4 e6 2. d5 f6 3. f3 c5 4. c6 Ne7 5. e4 Nbxc6 6. Nc3 e5 7. Nge2 d6 8. g3 *",
      "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. c3 Be7 6. d4 d6 7. h3 O-O 8. Re1 Na5 "
      "9. Bc2 c5 10. d5 Bd7 11. Nbd2 Qc7 12. Nf1 Rfb8 13. g4 b5 14. Ng3 c4 1-0",
  };
  for (const char* movetext : movetexts) expectReadAlikeBothWays(movetext);
}

// A run of plies asks whether a move that gives no check stalemates only where no ply of the
// side to move follows it: the stalemate is still the reader's, with the reader where it stopped
// for it, before a result, a move, its number, a number too high and a half-move missing. What
// follows is long enough for the run to look on past the move.
TEST(PlainMoves, AStalemateInARunIsFoundWhereTheRunEnds) {
  constexpr std::string_view kWhiteStalemates = "7k/8/8/6Q1/8/8/8/K7 w - - 0 1";
  constexpr std::string_view kBlackStalemates = "7k/8/8/8/2q5/8/8/K7 b - - 0 1";
  constexpr std::string_view kNoStalemate = "7k/1p6/8/6Q1/8/8/8/K7 w - - 0 1";
  for (std::string_view fen : {kWhiteStalemates, kNoStalemate}) {
    SCOPED_TRACE(fen);
    for (const char* movetext :
         {"1. Qg6 1/2-1/2\n\n[Event \"next\"]\n", "1. Qg6 1-0\n\n[Event \"next game\"]\n",
          "1. Qg6 Kh7 2. Qh5+ Kg7 3. Qg5+ *", "1. Qg6 2. Qh6 Kg8 3. Qg6+ Kh8 *",
          "1. Qg6 1. Qh6 Kg8 2. Qg6+ Kh8 *", "1. Qg6 b6 2. Qg5 b5 3. Qg6 b4 *"})
      expectReadAlikeBothWays(movetext, fen);
  }
  for (const char* movetext :
       {"1... Qb3 2. Ka2 Qb4 3. Ka1 Qb3 *", "1... Qb3 2. Kb2 Qc4 3. Ka1 0-1",
        "1... Qb3 1/2-1/2\n\n[Event \"next\"]\n", "1... Qb3 Qc2 2. Ka2 Qc4+ 3. Ka1 *",
        "1... Qb3 3. Ka2 Qb4 4. Ka1 Qb3 *"})
    expectReadAlikeBothWays(movetext, kBlackStalemates);
  // White's number again after White's move: White moves twice ("1." opens a game instead)
  for (std::string_view fen : {"7k/8/8/6Q1/8/8/8/K7 w - - 0 5", "7k/1p6/8/6Q1/8/8/8/K7 w - - 0 5"})
    expectReadAlikeBothWays("5. Qg6 5. Qh6 Kg8 6. Qg6+ Kh8 *", fen);
  std::unique_ptr<jurnal> line;
  int64_t stop = 0;
  EXPECT_EQ(readMoves("1. Qg6 1-0\n\n[Event \"next game\"]\n", line, kWhiteStalemates),
            kResultContradictsMark);
  EXPECT_EQ(readMoves("1... Qb3 2. Ka2 Qb4 3. Ka1 Qb3 *", line, kBlackStalemates, &stop),
            kMoveAfterGameEnd);
  EXPECT_EQ(stop, 10);  // at the number
  const int readToTheEnd = readMoves("1. e4 *", line);
  EXPECT_EQ(readMoves("1. Qg6 b6 2. Qg5 b5 3. Qg6 b4 *", line, kNoStalemate), readToTheEnd);
}
