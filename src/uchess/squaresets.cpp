#include "uchess/squaresets.h"

#include <cstring>

TSquareSet squaresHolding(const doska& board, int piece) {
  const uint8_t* squares = &board.squares[0][0];
  TSquareSet set = 0;
  for (int i = 0; i < 64; ++i) set |= TSquareSet{squares[i] == piece} << i;
  return set;
}

bool firstSquareHolding(const doska& board, int piece, int& file, int& rank) {
  if (piece < 0 || piece > 255) return false;
  const uint8_t* squares = &board.squares[0][0];
  const void* found = std::memchr(squares, piece, 64);
  if (found == nullptr) return false;
  int index = static_cast<int>(static_cast<const uint8_t*>(found) - squares);
  file = index / 8 + 1;
  rank = index % 8 + 1;
  return true;
}
