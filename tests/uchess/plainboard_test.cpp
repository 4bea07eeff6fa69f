// The board against the plain board it replaced (support/plainboard.h), along random games from the
// usual start and from shuffled back ranks, and over the whole trees of the perft positions: the
// same legal moves, findmove codes, status, keys and move texts at every position.

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/boardcompare.h"
#include "support/chessplay.h"
#include "support/plainboard.h"
#include "uchess/moveplay.h"

namespace {

// Debug builds walk fewer games: the plain board tries every move on a copy.
#ifdef NDEBUG
constexpr int kPlayouts = 10000;
#else
constexpr int kPlayouts = 300;
#endif
constexpr int kPlayoutPlies = 120;

using TSquares = std::array<int, 4>;  // from file, from rank, to file, to rank

// The moves of the side, by every square pair of its pieces, as each board judges them.
std::vector<TSquares> legalMovesOf(doska& board, bool white, bool plain) {
  TPlainBoard reference(board);
  std::vector<TSquares> moves;
  for (int ff = 1; ff <= 8; ++ff)
    for (int fr = 1; fr <= 8; ++fr)
      if (white ? isWhitePiece(board.at(ff, fr)) : isBlackPiece(board.at(ff, fr)))
        for (int tf = 1; tf <= 8; ++tf)
          for (int tr = 1; tr <= 8; ++tr)
            if (plain ? reference.legalmove(ff, fr, tf, tr) : board.legalmove(ff, fr, tf, tr))
              moves.push_back({ff, fr, tf, tr});
  return moves;
}

// The findmove questions the reader asks for a move, written bare, with its file, its rank or both.
testing::AssertionResult sameFindMovesFor(doska& board, const mov& m) {
  int promotion = m.special != 0 && (m.torank == 1 || m.torank == 8) ? m.special : 0;
  const int forms[][2] = {{0, 0}, {m.fromfile, 0}, {0, m.fromrank}, {m.fromfile, m.fromrank}};
  for (const auto& form : forms) {
    testing::AssertionResult same =
        sameFindMove(board, m.piece, promotion, form[0], form[1], m.tofile, m.torank);
    if (!same) return same;
  }
  return testing::AssertionSuccess();
}

// Everything asked of the position before the side moves; the legal moves are given back.
testing::AssertionResult samePosition(doska& board, bool white, std::vector<TSquares>& moves) {
  testing::AssertionResult same = consistentSets(board);
  if (same) same = sameStatus(board);
  if (same) same = sameKeys(board);
  if (!same) return same;
  moves = legalMovesOf(board, white, true);
  if (legalMovesOf(board, white, false) != moves)
    return testing::AssertionFailure() << "the legal moves differ from the plain board's";
  return testing::AssertionSuccess();
}

// Plays the move as the reader does: findmove (which leaves what makesan then uses), addmove,
// makesan, each answer and the text checked against the plain board.
testing::AssertionResult playChecked(jurnal& line, const TSquares& s, int promotion) {
  doska& board = *line.board;
  mov planned = recordMove(board, s[0], s[1], s[2], s[3], promotion, 0);
  testing::AssertionResult same = sameFindMovesFor(board, planned);
  if (!same) return same;
  int found = planned.special, fromfile = s[0], fromrank = s[1], torank = s[3];
  board.findmove(planned.piece, found, fromfile, fromrank, s[2], torank);
  if (line.addmove(s[0], s[1], s[2], s[3], promotion, true, 0) < 0)
    return testing::AssertionFailure() << "addmove refused a legal move";
  same = sameSan(line);
  line.makesan();
  line.forward();
  return same;
}

// A back rank of Chess960: bishops on squares of both colours, the king between the rooks.
std::string shuffledRank(std::mt19937& random) {
  std::string rank(8, ' ');
  rank[2 * (random() % 4)] = 'b';
  rank[2 * (random() % 4) + 1] = 'b';
  std::vector<int> free;
  for (int i = 0; i < 8; ++i)
    if (rank[i] == ' ') free.push_back(i);
  std::shuffle(free.begin(), free.end(), random);
  rank[free[0]] = 'q';
  rank[free[1]] = 'n';
  rank[free[2]] = 'n';
  std::sort(free.begin() + 3, free.end());
  rank[free[3]] = 'r';
  rank[free[4]] = 'k';
  rank[free[5]] = 'r';
  return rank;
}

std::string shuffledStart(std::mt19937& random) {
  std::string black = shuffledRank(random), white = black;
  std::string rights;
  for (size_t i = 0; i < 8; ++i) {
    white[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(black[i])));
    if (black[i] == 'r') rights += static_cast<char>('A' + i);
  }
  std::string lower = rights;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::reverse(rights.begin(), rights.end());
  std::reverse(lower.begin(), lower.end());
  return black + "/pppppppp/8/8/8/8/PPPPPPPP/" + white + " w " + rights + lower + " - 0 1";
}

TEST(BoardAgainstPlainBoard, AgreesAlongRandomGamesFromBothKindsOfStart) {
  std::mt19937 random(19);
  for (int game = 0; game < kPlayouts; ++game) {
    std::string fen = game % 2 == 0 ? std::string(kStartFen) : shuffledStart(random);
    SCOPED_TRACE(testing::Message() << fen << " game " << game);
    std::unique_ptr<jurnal> line = journalFromFen(fen);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->board->chess960, game % 2);
    std::vector<TSquares> moves;
    for (int ply = 0; ply < kPlayoutPlies; ++ply) {
      SCOPED_TRACE(testing::Message() << "ply " << ply);
      bool white = whiteToMove(*line);
      ASSERT_TRUE(samePosition(*line->board, white, moves));
      if (moves.empty()) break;
      int promotion = static_cast<int>((white ? kWhiteKnight : kBlackKnight) + random() % 4);
      ASSERT_TRUE(playChecked(*line, moves[random() % moves.size()], promotion));
    }
  }
}

// Every position of the tree down to the depth, each move played through findmove and makesan.
void walkTree(jurnal& line, int depth) {
  bool white = whiteToMove(line);
  std::vector<TSquares> moves;
  ASSERT_TRUE(samePosition(*line.board, white, moves));
  if (depth == 0) return;
  for (const TSquares& s : moves) {
    SCOPED_TRACE(testing::Message() << s[0] << s[1] << "-" << s[2] << s[3]);
    ASSERT_TRUE(playChecked(line, s, white ? kWhiteQueen : kBlackQueen));
    walkTree(line, depth - 1);
    line.back();
    line.moves.pop_back();
    if (testing::Test::HasFatalFailure()) return;
  }
}

// The shuffled back ranks of the perft suite beyond those among the tactical positions.
constexpr const char* kShuffledFens[] = {
    "2nnrbkr/p1qppppp/8/1ppb4/6PP/3PP3/PPP2P2/BQNNRBKR w HEhe - 1 9",
    "b1q1rrkb/pppppppp/3nn3/8/P7/1PPP4/4PPPP/BQNNRKRB w GE - 1 9",
    "qbbnnrkr/2pp2pp/p7/1p2pp2/8/P3PP2/1PPP1KPP/QBBNNR1R w hf - 0 9",
    "b1qr1krb/pp1ppppp/n2n4/8/2p5/2P3P1/PP1PPP1P/BNQRNKRB w GDgd - 0 1",
};

TEST(BoardAgainstPlainBoard, AgreesOverThePerftTrees) {
  std::vector<const char*> fens(std::begin(kTacticalFens), std::end(kTacticalFens));
  fens.insert(fens.end(), std::begin(kShuffledFens), std::end(kShuffledFens));
  for (const char* fen : fens) {
    SCOPED_TRACE(fen);
    std::unique_ptr<jurnal> line = journalFromFen(fen);
    ASSERT_TRUE(line);
    walkTree(*line, 2);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
