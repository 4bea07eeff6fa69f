#include "uchess/squaresets.h"

#include <cstring>

TSquareSet squaresHolding(const doska& board, int piece) {
  if (piece >= 1 && piece < kNoPieceCode) return board.sets().of[piece];
  TSquareSet set = 0;
  for (int i = 0; i < 64; ++i) set |= TSquareSet{board.atIndex(i) == piece} << i;
  return set;
}

bool firstSquareHolding(const doska& board, int piece, int& file, int& rank) {
  if (piece < 0 || piece > 255) return false;
  TSquareSet holding = squaresHolding(board, piece);
  if (holding == 0) return false;
  lowestSquare(holding, file, rank);
  return true;
}
