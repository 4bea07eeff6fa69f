#include <bit>
#include <initializer_list>

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

// A right whose rook starts off its corner also keys its file, so that with two rooks on one wing
// the right to castle with either is a position of its own. Corner rooks add nothing: positions
// from ordinary chess keep their keys.
uint64_t rookFileKeys(const doska& b) {
  uint64_t key = 0;
  for (int side : {kWhite, kBlack}) {
    for (int wing : {0, 1}) {
      int file = b.rookfile[side][wing], corner = wing == 0 ? 8 : 1;
      if (file == corner || file < 1 || file > 8 || !b.castleright(side, wing == 1)) continue;
      key ^= std::rotl(kRandom64[kRandomCastle + 2 * side + wing], 8 * file);
    }
  }
  return key;
}

// The table entry of a piece code (1..12) on a square index.
uint64_t squareKey(int code, int index) {
  return kRandom64[64 * randomKind(code) + 8 * (index % 8) + index / 8];
}

}  // namespace

uint64_t doska::pieceKey() const {
  uint64_t key = 0;
  for (int code = kWhitePawn; code <= kBlackKing; ++code) {
    for (TSquareSet pieces = pieceSets.of[code]; pieces != 0; pieces &= pieces - 1)
      key ^= squareKey(code, std::countr_zero(pieces));
  }
  return key;
}

uint64_t pieceKeyChange(const TBoardMasks& before, const TBoardMasks& after) {
  uint64_t change = 0;
  for (int code = kWhitePawn; code <= kBlackKing; ++code) {
    for (TSquareSet moved = before.of[code] ^ after.of[code]; moved != 0; moved &= moved - 1)
      change ^= squareKey(code, std::countr_zero(moved));
  }
  return change;
}

uint64_t doska::stateKey(bool blackToMove) const {
  uint64_t key = 0;
  if (castleright(kWhite, false)) key ^= kRandom64[kRandomCastle];
  if (castleright(kWhite, true)) key ^= kRandom64[kRandomCastle + 1];
  if (castleright(kBlack, false)) key ^= kRandom64[kRandomCastle + 2];
  if (castleright(kBlack, true)) key ^= kRandom64[kRandomCastle + 3];
  if (chess960) key ^= rookFileKeys(*this);
  int file = enPassantFile(*this, blackToMove);
  if (file != 0) key ^= kRandom64[kRandomEnPassant + file - 1];
  if (!blackToMove) key ^= kRandom64[kRandomWhiteToMove];
  return key;
}

uint64_t doska::poskey(bool blackToMove) const {
  return pieceKey() ^ stateKey(blackToMove);
}
