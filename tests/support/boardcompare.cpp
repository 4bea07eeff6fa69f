#include "support/boardcompare.h"

#include <string>
#include <vector>

#include "support/chessplay.h"
#include "support/plainboard.h"
#include "uchess/boardscan.h"

TBoardByScan::TBoardByScan() {
  setBoardByScan(true);
}
TBoardByScan::~TBoardByScan() {
  setBoardByScan(false);
}

namespace {

testing::AssertionResult unchanged(const doska& board, const doska& before, const char* what) {
  if (sameBoard(board, before)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << what << " changed the board";
}

// The squares rank 8 down to 1 as codes, and the state bytes, for a failure message.
std::string boardText(const doska& b) {
  std::string text;
  for (int rank = 8; rank >= 1; --rank) {
    for (int file = 1; file <= 8; ++file) text += std::to_string(b.at(file, rank)) + " ";
    text += "/ ";
  }
  const uint8_t* state = &b.wqlost;
  for (int i = 0; i < 8; ++i) text += std::to_string(state[i]) + " ";
  return text;
}

struct TFindArgs {
  int promotion, fromfile, fromrank, torank;
  bool operator==(const TFindArgs&) const = default;
};

std::string describe(int piece, const TFindArgs& a, int tofile) {
  return "findmove(piece " + std::to_string(piece) + ", promotion " + std::to_string(a.promotion) +
         ", from " + std::to_string(a.fromfile) + "," + std::to_string(a.fromrank) + ", to " +
         std::to_string(tofile) + "," + std::to_string(a.torank) + ")";
}

// The ways a move onto the target may be written for the piece on the square.
void writtenForms(int piece, int file, int rank, int torank, std::vector<TFindArgs>& forms) {
  forms.push_back({0, file, 0, torank});
  forms.push_back({0, 0, rank, torank});
  forms.push_back({0, file, rank, torank});
  if (piece == kWhitePawn || piece == kBlackPawn) forms.push_back({0, file, 0, 0});
}

// The promotion pieces worth asking about for a move of this piece onto this rank.
std::vector<int> promotionsFor(int piece, int torank) {
  bool lastRank =
      (piece == kWhitePawn && torank == 8) || (piece == kBlackPawn && torank == 1) || torank == 0;
  if (!lastRank) return {0};
  bool white = isWhitePiece(piece);
  return {0, white ? kWhiteQueen : kBlackQueen, white ? kWhiteKnight : kBlackKnight,
          white ? kBlackQueen : kWhiteQueen};
}

}  // namespace

testing::AssertionResult sameStatus(doska& board) {
  doska before = board;
  for (bool white : {true, false}) {
    int fast = board.status(white);
    testing::AssertionResult same = unchanged(board, before, "status");
    if (!same) return same;
    int plain = TPlainBoard(board).status(white);
    if (fast != plain)
      return testing::AssertionFailure() << "status(" << white << ") " << fast << ", plain "
                                         << plain << " on " << boardText(board);
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult consistentSets(const doska& board) {
  TBoardMasks expected = {};
  for (int index = 0; index < 64; ++index) {
    uint8_t code = board.atIndex(index);
    TSquareSet square = TSquareSet{1} << index;
    expected.of[maskIndex(code)] |= square;
    if (code != kEmpty) expected.occupied |= square;
    if (isWhitePiece(code)) expected.white |= square;
    if (isBlackPiece(code)) expected.black |= square;
  }
  const TBoardMasks& kept = board.sets();
  bool same = kept.white == expected.white && kept.black == expected.black &&
              kept.occupied == expected.occupied;
  for (int code = 0; code <= kNoPieceCode; ++code) same = same && kept.of[code] == expected.of[code];
  if (same) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the sets do not hold the squares of " << boardText(board);
}

testing::AssertionResult sameKeys(const doska& board) {
  TPlainBoard plain(board);
  for (bool blackToMove : {false, true}) {
    if (board.poskey(blackToMove) != plain.poskey(blackToMove))
      return testing::AssertionFailure()
             << "poskey(" << blackToMove << ") differs from the plain one on " << boardText(board);
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult sameLegalMoves(doska& board) {
  doska before = board;
  TPlainBoard reference(board);
  for (int ff = 0; ff <= 9; ++ff)
    for (int fr = 0; fr <= 9; ++fr)
      for (int tf = 0; tf <= 9; ++tf)
        for (int tr = 0; tr <= 9; ++tr) {
          bool fast = board.legalmove(ff, fr, tf, tr);
          bool plain = reference.legalmove(ff, fr, tf, tr);
          testing::AssertionResult same = unchanged(board, before, "legalmove");
          if (!same) return same;
          if (fast != plain)
            return testing::AssertionFailure()
                   << "legalmove(" << ff << "," << fr << " " << tf << "," << tr << ") " << fast
                   << ", plain " << plain;
        }
  return testing::AssertionSuccess();
}

testing::AssertionResult sameFindMove(doska& board, int piece, int promotion, int fromfile,
                                      int fromrank, int tofile, int torank) {
  doska before = board;
  TFindArgs asked{promotion, fromfile, fromrank, torank};
  TFindArgs fast = asked, plain = asked;
  int fastCode =
      board.findmove(piece, fast.promotion, fast.fromfile, fast.fromrank, tofile, fast.torank);
  testing::AssertionResult same = unchanged(board, before, "findmove");
  if (!same) return same << " in " << describe(piece, asked, tofile);
  int plainCode = TPlainBoard(board).findmove(piece, plain.promotion, plain.fromfile,
                                              plain.fromrank, tofile, plain.torank);
  if (fastCode == plainCode && fast == plain) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << describe(piece, asked, tofile) << " gave " << fastCode << " "
         << describe(piece, fast, tofile) << ", plain " << plainCode << " "
         << describe(piece, plain, tofile) << " on " << boardText(board);
}

testing::AssertionResult sameFindMoves(doska& board, bool white) {
  int first = white ? kWhitePawn : kBlackPawn;
  std::vector<TFindArgs> forms;
  for (int piece = first; piece < first + 6; ++piece) {
    for (int tofile = 1; tofile <= 8; ++tofile) {
      for (int torank = 1; torank <= 8; ++torank) {
        forms.clear();
        forms.push_back({0, 0, 0, torank});
        forms.push_back({0, 9, 0, torank});  // a from-file off the board finds nothing
        if (piece == kWhitePawn || piece == kBlackPawn) forms.push_back({0, 0, 0, 0});
        for (int f = 1; f <= 8; ++f)
          for (int r = 1; r <= 8; ++r)
            if (board.at(f, r) == piece) writtenForms(piece, f, r, torank, forms);
        for (const TFindArgs& form : forms) {
          for (int promotion : promotionsFor(piece, form.torank)) {
            testing::AssertionResult same = sameFindMove(board, piece, promotion, form.fromfile,
                                                         form.fromrank, tofile, form.torank);
            if (!same) return same;
          }
        }
      }
    }
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult sameSan(jurnal& line) {
  if (line.current >= line.movecount()) return testing::AssertionSuccess();
  mov& m = line.moves[line.current];
  TSanText kept = m.san;
  doska before = *line.board;
  line.makesan();
  TSanText fast = m.san;
  m.san = kept;
  testing::AssertionResult same = unchanged(*line.board, before, "makesan");
  if (!same) return same;
  std::string plain = TPlainBoard(*line.board).san(m);
  if (fast == plain) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "makesan " << fast.str() << ", plain " << plain;
}

std::vector<std::array<int, 4>> legalMovesByScan(doska& b, bool white) {
  std::vector<std::array<int, 4>> moves;
  for (int ff = 1; ff <= 8; ++ff)
    for (int fr = 1; fr <= 8; ++fr)
      if (white ? isWhitePiece(b.at(ff, fr)) : isBlackPiece(b.at(ff, fr)))
        for (int tf = 1; tf <= 8; ++tf)
          for (int tr = 1; tr <= 8; ++tr)
            if (legalmoveByScan(b, ff, fr, tf, tr)) moves.push_back({ff, fr, tf, tr});
  return moves;
}
