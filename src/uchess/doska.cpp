#include "uchess/doska.h"

#include <cstdlib>

#include "uchess/castling960.h"
#include "uchess/pawnstep.h"
#include "uchess/squaresets.h"

namespace {

constexpr uint8_t kBackRank[8] = {kWhiteRook, kWhiteKnight, kWhiteBishop, kWhiteQueen,
                                  kWhiteKing, kWhiteBishop, kWhiteKnight, kWhiteRook};

bool onBoard(int file, int rank) {
  return file >= 1 && file <= 8 && rank >= 1 && rank <= 8;
}

bool isEnemy(uint8_t piece, bool moverWhite) {
  return moverWhite ? isBlackPiece(piece) : isWhitePiece(piece);
}

bool isFreeFor(uint8_t piece, bool moverWhite) {
  return piece == kEmpty || isEnemy(piece, moverWhite);
}

}  // namespace

// Setting up

// Built once: a game starts on every board the reader sets up.
void doska::setinitial() {
  static const doska initial = initialBoard();
  *this = initial;
}

doska doska::initialBoard() {
  doska board{TBlank{}};
  for (int file = 1; file <= 8; ++file) {
    board.put(file, 1, kBackRank[file - 1]);
    board.put(file, 2, kWhitePawn);
    board.put(file, 7, kBlackPawn);
    board.put(file, 8, static_cast<uint8_t>(kBackRank[file - 1] + 6));
  }
  board.setStandardCastling();
  return board;
}

void doska::setStandardCastling() {
  chess960 = 0;
  kingfile[kWhite] = kingfile[kBlack] = 5;
  rookfile[kWhite][0] = rookfile[kBlack][0] = 8;
  rookfile[kWhite][1] = rookfile[kBlack][1] = 1;
  spare = 0;
}

void doska::assign(const doska& other) {
  if (&other == this) return;
  *this = other;
}

bool doska::castleright(int side, bool queenside) const {
  if (side == kWhite) return wkingmoved == 0 && (queenside ? wqlost : wklost) == 0;
  return bkingmoved == 0 && (queenside ? bqlost : bklost) == 0;
}

// Moves of single pieces; the squares are known to lie on the board

namespace {

bool knightCanMove(const doska& b, bool white, int ff, int fr, int tf, int tr) {
  int df = std::abs(tf - ff), dr = std::abs(tr - fr);
  if (!((df == 2 && dr == 1) || (df == 1 && dr == 2))) return false;
  return isFreeFor(b.at(tf, tr), white);
}

// The target must lie on a line the piece may use, with every square before it empty.
bool sliderCanMove(const doska& b, bool white, bool diagonal, bool straight, int ff, int fr, int tf,
                   int tr) {
  int from = squareIndex(ff, fr), to = squareIndex(tf, tr);
  TSquareSet lines = (diagonal ? kDiagonalLines[from] : 0) | (straight ? kStraightLines[from] : 0);
  if (((lines >> to) & 1) == 0 || (kBetween[from][to] & b.sets().occupied) != 0) return false;
  return isFreeFor(b.at(tf, tr), white);
}

// Castling from the king's home square; the rook's presence is carried by the lost flags.
bool canCastle(const doska& b, bool white, int ff, int fr, int tf, int tr) {
  int home = white ? 1 : 8;
  if (ff != 5 || fr != home || tr != home || (tf != 3 && tf != 7)) return false;
  if ((white ? b.wkingmoved : b.bkingmoved) != 0) return false;
  int enemy = white ? kBlack : kWhite;
  if (tf == 3) {
    if ((white ? b.wqlost : b.bqlost) != 0) return false;
    if (b.at(2, home) != kEmpty || b.at(3, home) != kEmpty || b.at(4, home) != kEmpty) return false;
    return !b.attacked(3, home, enemy) && !b.attacked(4, home, enemy) &&
           !b.attacked(5, home, enemy);
  }
  if ((white ? b.wklost : b.bklost) != 0) return false;
  if (b.at(6, home) != kEmpty || b.at(7, home) != kEmpty) return false;
  return !b.attacked(6, home, enemy) && !b.attacked(7, home, enemy) && !b.attacked(5, home, enemy);
}

// On a board with chess960 set a king going onto its own rook castles, and no two-file step does.
bool kingCanMove(const doska& b, bool white, int ff, int fr, int tf, int tr) {
  if (b.chess960 && castlesOntoRook(b, ff, fr, tf, tr))
    return canCastleOntoRook(b, white, ff, fr, tf, tr);
  if (std::abs(tf - ff) <= 1 && std::abs(tr - fr) <= 1) {
    return isFreeFor(b.at(tf, tr), white) && !b.attacked(tf, tr, white ? kBlack : kWhite);
  }
  return !b.chess960 && canCastle(b, white, ff, fr, tf, tr);
}

}  // namespace

bool doska::canmove(int fromfile, int fromrank, int tofile, int torank) const {
  if (!onBoard(fromfile, fromrank) || !onBoard(tofile, torank)) return false;
  uint8_t piece = at(fromfile, fromrank);
  if (piece == kEmpty || piece > kBlackKing) return false;
  bool white = isWhitePiece(piece);
  switch (white ? piece : piece - 6) {
    case kWhitePawn:
      return pawnCanMove(*this, white, fromfile, fromrank, tofile, torank);
    case kWhiteKnight:
      return knightCanMove(*this, white, fromfile, fromrank, tofile, torank);
    case kWhiteBishop:
      return sliderCanMove(*this, white, true, false, fromfile, fromrank, tofile, torank);
    case kWhiteRook:
      return sliderCanMove(*this, white, false, true, fromfile, fromrank, tofile, torank);
    case kWhiteQueen:
      return sliderCanMove(*this, white, true, true, fromfile, fromrank, tofile, torank);
    default:
      return kingCanMove(*this, white, fromfile, fromrank, tofile, torank);
  }
}
