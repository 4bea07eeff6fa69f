#include "uchess/fencastling.h"

#include <initializer_list>

namespace {

bool isUpperFile(char c) {
  return c >= 'A' && c <= 'H';
}
bool isLowerFile(char c) {
  return c >= 'a' && c <= 'h';
}
bool isWhiteLetter(char c) {
  return c == 'K' || c == 'Q' || isUpperFile(c);
}

int homeRank(bool white) {
  return white ? 1 : 8;
}

// The file of the side's first king on its back rank, 0 when none stands there.
int backRankKing(const doska& b, bool white) {
  uint8_t king = white ? kWhiteKing : kBlackKing;
  for (int file = 1; file <= 8; ++file)
    if (b.at(file, homeRank(white)) == king) return file;
  return 0;
}

// The side's rook on its back rank farthest from the king on that wing, 0 when none.
int outermostRook(const doska& b, bool white, bool kingside) {
  int king = backRankKing(b, white);
  if (king == 0) return 0;
  uint8_t rook = white ? kWhiteRook : kBlackRook;
  int step = kingside ? -1 : 1;
  for (int file = kingside ? 8 : 1; file != king; file += step)
    if (b.at(file, homeRank(white)) == rook) return file;
  return 0;
}

// The rook file a letter names, 0 when it names none.
int rookFileOf(const doska& b, char c) {
  bool white = isWhiteLetter(c);
  char lower = white ? static_cast<char>(c - 'A' + 'a') : c;
  if (lower == 'k' || lower == 'q') return outermostRook(b, white, lower == 'k');
  int file = lower - 'a' + 1;
  uint8_t rook = white ? kWhiteRook : kBlackRook;
  if (b.at(file, homeRank(white)) != rook || file == backRankKing(b, white)) return 0;
  return file;
}

// The standard meaning: king on e1 / e8 and the rook in the letter's corner.
bool ordinaryMeaning(const doska& b, char c) {
  bool white = isWhiteLetter(c);
  int rank = homeRank(white), corner = (c == 'K' || c == 'k') ? 8 : 1;
  return b.at(5, rank) == (white ? kWhiteKing : kBlackKing) &&
         b.at(corner, rank) == (white ? kWhiteRook : kBlackRook);
}

void grant(doska& b, bool white, bool kingside, int file) {
  b.rookfile[white ? kWhite : kBlack][kingside ? 0 : 1] = static_cast<uint8_t>(file);
  if (white)
    (kingside ? b.wklost : b.wqlost) = 0;
  else
    (kingside ? b.bklost : b.bqlost) = 0;
}

}  // namespace

bool isCastlingLetter(char c) {
  return c == 'K' || c == 'Q' || c == 'k' || c == 'q' || isUpperFile(c) || isLowerFile(c);
}

bool needsChess960(const doska& b, std::string_view letters) {
  for (char c : letters) {
    if (isUpperFile(c) || isLowerFile(c)) return true;
    if (!ordinaryMeaning(b, c) && rookFileOf(b, c) != 0) return true;
  }
  return false;
}

void applyChess960Castling(doska& b, std::string_view letters) {
  b.setStandardCastling();
  b.chess960 = 1;
  b.wqlost = b.wklost = b.bqlost = b.bklost = 1;
  for (bool white : {true, false}) {
    int king = backRankKing(b, white);
    if (king != 0) b.kingfile[white ? kWhite : kBlack] = static_cast<uint8_t>(king);
    (white ? b.wkingmoved : b.bkingmoved) = king == 0 ? 1 : 0;
  }
  for (char c : letters) {
    int file = rookFileOf(b, c);
    if (file == 0) continue;
    bool white = isWhiteLetter(c);
    grant(b, white, file > b.kingfile[white ? kWhite : kBlack], file);
  }
}
