#include "uchess/squaresets.h"

#include <cstring>

namespace {

// Each ray from the square up to and with the first square that is not empty.
TSquareSet raySquares(const doska& b, int index, int firstRay, int lastRay) {
  const uint8_t* squares = &b.squares[0][0];
  TSquareSet set = 0;
  for (int d = firstRay; d <= lastRay; ++d) {
    int at = index;
    for (int n = kRayLengths[d][index]; n > 0; --n) {
      at += kRaySteps[d];
      set |= TSquareSet{1} << at;
      if (squares[at] != kEmpty) break;
    }
  }
  return set;
}

TSquareSet squareIfOnBoard(int file, int rank) {
  return isSquare(file, rank) ? squareBit(file, rank) : 0;
}

// A pawn steps one rank ahead, two from its start rank, or one ahead on either side.
TSquareSet pawnTargets(int file, int rank, bool white) {
  int ahead = white ? 1 : -1;
  TSquareSet set = squareIfOnBoard(file, rank + ahead) | squareIfOnBoard(file - 1, rank + ahead) |
                   squareIfOnBoard(file + 1, rank + ahead);
  if (rank == (white ? 2 : 7)) set |= squareBit(file, rank + 2 * ahead);
  return set;
}

// The squares from which a pawn reaches the target: the mirror image of pawnTargets.
TSquareSet pawnOrigins(int file, int rank, bool white) {
  int behind = white ? -1 : 1;
  TSquareSet set = squareIfOnBoard(file, rank + behind) | squareIfOnBoard(file - 1, rank + behind) |
                   squareIfOnBoard(file + 1, rank + behind);
  if (rank == (white ? 4 : 5)) set |= squareBit(file, rank + 2 * behind);
  return set;
}

// What a piece of this kind (white code) reaches from the square; sliders stop at the first piece
// in their way, which the walk meets the same from either end.
TSquareSet pieceSquares(const doska& b, int kind, int index) {
  switch (kind) {
    case kWhiteKnight:
      return kKnightSquares[index];
    case kWhiteBishop:
      return raySquares(b, index, 4, 7);
    case kWhiteRook:
      return raySquares(b, index, 0, 3);
    case kWhiteQueen:
      return raySquares(b, index, 0, 7);
    default:
      return 0;
  }
}

}  // namespace

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

TSquareSet reachableFrom(const doska& board, int file, int rank) {
  if (!isSquare(file, rank)) return 0;
  uint8_t piece = board.at(file, rank);
  if (piece == kEmpty || piece > kBlackKing) return 0;
  bool white = isWhitePiece(piece);
  int kind = white ? piece : piece - 6;
  if (kind == kWhitePawn) return pawnTargets(file, rank, white);
  if (kind == kWhiteKing) {
    // castling goes from the e-file two files aside
    TSquareSet castling = file == 5 ? squareBit(3, rank) | squareBit(7, rank) : 0;
    return kKingSquares[squareIndex(file, rank)] | castling;
  }
  return pieceSquares(board, kind, squareIndex(file, rank));
}

TSquareSet reachingTo(const doska& board, int piece, int tofile, int torank) {
  if (!isSquare(tofile, torank) || piece <= kEmpty || piece > kBlackKing) return 0;
  bool white = isWhitePiece(piece);
  int kind = white ? piece : piece - 6;
  if (kind == kWhitePawn) return pawnOrigins(tofile, torank, white);
  if (kind == kWhiteKing) {
    TSquareSet castling = tofile == 3 || tofile == 7 ? squareBit(5, torank) : 0;
    return kKingSquares[squareIndex(tofile, torank)] | castling;
  }
  return pieceSquares(board, kind, squareIndex(tofile, torank));
}
