#include "uchess/castling960.h"

#include <algorithm>
#include <initializer_list>

namespace {

uint8_t rookOf(bool white) {
  return white ? kWhiteRook : kBlackRook;
}

int homeRank(bool white) {
  return white ? 1 : 8;
}

bool kingHasMoved(const doska& b, bool white) {
  return (white ? b.wkingmoved : b.bkingmoved) != 0;
}

bool wingLost(const doska& b, bool white, bool kingside) {
  if (white) return (kingside ? b.wklost : b.wqlost) != 0;
  return (kingside ? b.bklost : b.bqlost) != 0;
}

// The wing whose rook starts on the file, when its right is kept; -1 for none.
int keptWingOf(const doska& b, bool white, int kingfile, int rookfile) {
  int side = white ? kWhite : kBlack;
  bool kingside = rookfile > kingfile;
  if (b.rookfile[side][kingside ? 0 : 1] != rookfile || wingLost(b, white, kingside)) return -1;
  return kingside ? 0 : 1;
}

bool pathClear(const doska& b, int kingfile, int rookfile, int rank) {
  int kingTo = kingEndFile(kingfile, rookfile), rookTo = rookEndFile(kingfile, rookfile);
  int low = std::min({kingfile, rookfile, kingTo, rookTo});
  int high = std::max({kingfile, rookfile, kingTo, rookTo});
  for (int f = low; f <= high; ++f) {
    if (f != kingfile && f != rookfile && b.at(f, rank) != kEmpty) return false;
  }
  return true;
}

bool kingPathSafe(const doska& b, bool white, int kingfile, int rookfile, int rank) {
  int kingTo = kingEndFile(kingfile, rookfile);
  int enemy = white ? kBlack : kWhite;
  for (int f = std::min(kingfile, kingTo); f <= std::max(kingfile, kingTo); ++f) {
    if (b.attacked(f, rank, enemy)) return false;
  }
  return true;
}

// A rook of the side leaving its start square, or any piece landing there, loses that wing.
uint8_t rookSquareChanges(const doska& b, int piece, int ff, int fr, int tf, int tr) {
  constexpr uint8_t kBits[2][2] = {{kLosesWhiteKingside, kLosesWhiteQueenside},
                                   {kLosesBlackKingside, kLosesBlackQueenside}};
  uint8_t c = 0;
  for (int side : {kWhite, kBlack}) {
    bool white = side == kWhite;
    int rank = homeRank(white);
    for (int wing : {0, 1}) {
      if (wingLost(b, white, wing == 0)) continue;
      int file = b.rookfile[side][wing];
      bool rookLeaves = piece == rookOf(white) && ff == file && fr == rank;
      if (rookLeaves || (tf == file && tr == rank)) c |= kBits[side][wing];
    }
  }
  return c;
}

}  // namespace

bool castlesOntoRook(const mov& m) {
  if (m.fromrank != m.torank) return false;
  return (m.piece == kWhiteKing && m.captured == kWhiteRook) ||
         (m.piece == kBlackKing && m.captured == kBlackRook);
}

bool castlesOntoRook(const doska& b, int ff, int fr, int tf, int tr) {
  if (fr != tr || !isSquare(ff, fr) || !isSquare(tf, tr)) return false;
  uint8_t piece = b.at(ff, fr);
  if (piece != kWhiteKing && piece != kBlackKing) return false;
  return b.at(tf, tr) == rookOf(piece == kWhiteKing);
}

bool canCastleOntoRook(const doska& b, bool white, int ff, int fr, int tf, int tr) {
  int side = white ? kWhite : kBlack, rank = homeRank(white);
  if (fr != rank || tr != rank || ff != b.kingfile[side] || tf == ff) return false;
  if (kingHasMoved(b, white) || b.at(tf, rank) != rookOf(white)) return false;
  if (keptWingOf(b, white, ff, tf) < 0) return false;
  return pathClear(b, ff, tf, rank) && kingPathSafe(b, white, ff, tf, rank);
}

TSquareSet castlingRookSquares(const doska& b, bool white) {
  if (!b.chess960 || kingHasMoved(b, white)) return 0;
  int side = white ? kWhite : kBlack, rank = homeRank(white);
  TSquareSet squares = 0;
  for (int wing : {0, 1}) {
    int file = b.rookfile[side][wing];
    if (!wingLost(b, white, wing == 0) && isSquare(file, rank)) squares |= squareBit(file, rank);
  }
  return squares;
}

void placeCastling(doska& b, int kingfile, int rookfile, int rank) {
  uint8_t king = b.at(kingfile, rank), rook = b.at(rookfile, rank);
  b.put(kingfile, rank, kEmpty);
  b.put(rookfile, rank, kEmpty);
  b.put(kingEndFile(kingfile, rookfile), rank, king);
  b.put(rookEndFile(kingfile, rookfile), rank, rook);
}

void unplaceCastling(doska& b, const mov& m) {
  int rank = m.fromrank;
  b.put(kingEndFile(m.fromfile, m.tofile), rank, kEmpty);
  b.put(rookEndFile(m.fromfile, m.tofile), rank, kEmpty);
  b.put(m.fromfile, rank, m.piece);
  b.put(m.tofile, rank, m.captured);
}

uint8_t castlingChanges960(const doska& b, int piece, int ff, int fr, int tf, int tr) {
  uint8_t c = rookSquareChanges(b, piece, ff, fr, tf, tr);
  if (piece == kWhiteKing && !b.wkingmoved) c |= kMovesWhiteKing;
  if (piece == kBlackKing && !b.bkingmoved) c |= kMovesBlackKing;
  return c;
}
