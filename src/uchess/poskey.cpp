#include "uchess/doska.h"
#include "uchess/random64.h"

namespace {

bool pawnBeside(const doska& b, uint8_t pawn, int file, int rank) {
  return (file > 1 && b.at(file - 1, rank) == pawn) || (file < 8 && b.at(file + 1, rank) == pawn);
}

// The en-passant file counts only when a pawn of the side to move can really take.
int enPassantFile(const doska& b, bool blackToMove) {
  int file = blackToMove ? b.epforblack : b.epforwhite;
  if (file < 1 || file > 8) return 0;
  if (blackToMove) return pawnBeside(b, kBlackPawn, file, 4) ? file : 0;
  return pawnBeside(b, kWhitePawn, file, 5) ? file : 0;
}

}  // namespace

uint64_t doska::poskey(bool blackToMove) const {
  uint64_t key = 0;
  for (int file = 1; file <= 8; ++file) {
    for (int rank = 1; rank <= 8; ++rank) {
      uint8_t piece = at(file, rank);
      int kind = randomKind(piece);
      if (kind < 0) continue;
      key ^= kRandom64[64 * kind + 8 * (rank - 1) + (file - 1)];
    }
  }
  if (castleright(kWhite, false)) key ^= kRandom64[kRandomCastle];
  if (castleright(kWhite, true)) key ^= kRandom64[kRandomCastle + 1];
  if (castleright(kBlack, false)) key ^= kRandom64[kRandomCastle + 2];
  if (castleright(kBlack, true)) key ^= kRandom64[kRandomCastle + 3];
  int file = enPassantFile(*this, blackToMove);
  if (file != 0) key ^= kRandom64[kRandomEnPassant + file - 1];
  if (!blackToMove) key ^= kRandom64[kRandomWhiteToMove];
  return key;
}
