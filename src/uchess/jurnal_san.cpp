#include <cstring>

#include "uchess/jurnal.h"

namespace {

constexpr char kPieceLetters[] = " PNBRQK";  // index by white piece code
constexpr const char* kMarkSuffixes[] = {"", "!", "?", "!!", "??", "!?", "?!"};

bool isPawn(int piece) {
  return piece == kWhitePawn || piece == kBlackPawn;
}
bool isKing(int piece) {
  return piece == kWhiteKing || piece == kBlackKing;
}

char fileLetter(int file) {
  return static_cast<char>('a' + file - 1);
}
char rankDigit(int rank) {
  return static_cast<char>('0' + rank);
}

bool isCapture(const mov& m) {
  return m.captured != kEmpty || m.special == kWhitePawn || m.special == kBlackPawn;
}

// What tells the mover apart from the other pieces of its code that could go to the same square.
void appendDisambiguation(doska& board, const mov& m, std::string& text) {
  bool rival = false, rivalOnFile = false, rivalOnRank = false;
  for (int f = 1; f <= 8; ++f) {
    for (int r = 1; r <= 8; ++r) {
      if ((f == m.fromfile && r == m.fromrank) || board.at(f, r) != m.piece) continue;
      if (!board.legalmove(f, r, m.tofile, m.torank)) continue;
      rival = true;
      rivalOnFile |= f == m.fromfile;
      rivalOnRank |= r == m.fromrank;
    }
  }
  // a pawn capture always names its file
  if (!rival && !(isPawn(m.piece) && isCapture(m))) return;
  if (!rivalOnFile) {
    text += fileLetter(m.fromfile);
  } else if (rivalOnRank) {
    text += fileLetter(m.fromfile);
    text += rankDigit(m.fromrank);
  } else {
    text += rankDigit(m.fromrank);
  }
}

std::string pieceMoveText(doska& board, const mov& m) {
  std::string text;
  int kind = isBlackPiece(m.piece) ? m.piece - 6 : m.piece;
  if (!isPawn(m.piece) && kind >= 1 && kind <= 6) text += kPieceLetters[kind];
  appendDisambiguation(board, m, text);
  if (isCapture(m)) text += 'x';
  text += fileLetter(m.tofile);
  text += rankDigit(m.torank);
  int promoted = isBlackPiece(m.special) ? m.special - 6 : m.special;
  if (promoted >= kWhiteKnight && promoted <= kWhiteQueen) {
    text += '=';
    text += kPieceLetters[promoted];
  }
  return text;
}

}  // namespace

void jurnal::makesan() {
  if (board == nullptr || current < 0 || current >= movecount()) return;
  mov& m = moves[current];
  std::string text;
  if (isKing(m.piece) && m.fromfile == 5 && (m.tofile == 3 || m.tofile == 7)) {
    text = m.tofile == 3 ? "O-O-O" : "O-O";
  } else {
    text = pieceMoveText(*board, m);
  }
  uint8_t state[8];
  std::memcpy(state, &board->wqlost, sizeof state);
  forward();
  int after = board->status(isBlackPiece(m.piece));
  back();
  std::memcpy(&board->wqlost, state, sizeof state);
  if (after == kStatusCheck) text += '+';
  if (after == kStatusMate) text += '#';
  if (m.mark >= 1 && m.mark <= 6) text += kMarkSuffixes[m.mark];
  m.san = text;
}
