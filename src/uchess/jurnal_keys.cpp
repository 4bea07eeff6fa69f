#include "uchess/castling960.h"
#include "uchess/jurnal.h"
#include "uchess/random64.h"

namespace {

constexpr uint64_t kInitialKey = 0x463B96181691FC9CULL;

bool inRange(int value) {
  return value >= 1 && value <= 8;
}

// Three table entries per move. The target square uses file and rank the other way round from
// the position key, and the from-square takes entries 771..778 by file and by rank, so a move
// whose from-file equals its from-rank contributes no from-square at all: stored keys depend on
// exactly this.
// A castling onto the rook counts by the king's end square, as castling in ordinary chess does,
// so a game from the usual start position keys alike however its castling was recorded.
uint64_t moveKey(const mov& m) {
  uint64_t key = 0;
  int kind = randomKind(m.piece);
  int tofile = castlesOntoRook(m) ? kingEndFile(m.fromfile, m.tofile) : m.tofile;
  if (kind >= 0 && inRange(tofile) && inRange(m.torank))
    key ^= kRandom64[64 * kind + 8 * (tofile - 1) + (m.torank - 1)];
  if (inRange(m.fromfile)) key ^= kRandom64[770 + m.fromfile];
  if (inRange(m.fromrank)) key ^= kRandom64[770 + m.fromrank];
  return key;
}

}  // namespace

TGameKeys jurnal::gamekeys() const {
  TGameKeys keys;
  if (startboard) {
    keys.StartKey = startboard->poskey(blackfirst != 0);
  } else {
    keys.StartKey = kInitialKey ^ (blackfirst ? kRandom64[kRandomWhiteToMove] : 0);
  }
  for (const mov& m : moves) keys.MovesKey ^= moveKey(m);
  return keys;
}
