#include "uchess/attacks.h"

#include <bit>
#include <cstdlib>

#include "uchess/boardmasks.h"
#include "uchess/squaresets.h"

bool attackedByScan(const doska& board, int file, int rank, int side) {
  for (int f = 1; f <= 8; ++f) {
    for (int r = 1; r <= 8; ++r) {
      if (f == file && r == rank) continue;
      uint8_t piece = board.at(f, r);
      if (side == kWhite ? !isWhitePiece(piece) : !isBlackPiece(piece)) continue;
      int df = std::abs(f - file);
      if (piece == kWhitePawn) {
        if (df == 1 && rank - r == 1) return true;
      } else if (piece == kBlackPawn) {
        if (df == 1 && r - rank == 1) return true;
      } else if (piece == kWhiteKing || piece == kBlackKing) {
        if (df <= 1 && std::abs(r - rank) <= 1) return true;
      } else if (board.canmove(f, r, file, rank)) {
        return true;
      }
    }
  }
  return false;
}

// From the sets, looking outwards from the target: only whether some piece attacks matters.
bool doska::attacked(int file, int rank, int side) const {
  if (!isSquare(file, rank)) return attackedByScan(*this, file, rank, side);
  return attackedOn(pieceSets, squareIndex(file, rank), side == kWhite);
}
