#include "uchess/boardmasks.h"

#include <bit>

TBoardMasks afterStep(const TBoardMasks& masks, int from, int to, uint8_t piece, uint8_t captured) {
  TBoardMasks after = masks;
  TSquareSet fromBit = TSquareSet{1} << from, toBit = TSquareSet{1} << to;
  if (captured != kEmpty) {
    after.of[maskIndex(captured)] &= ~toBit;
    after.white &= ~toBit;
    after.black &= ~toBit;
  }
  after.of[maskIndex(piece)] ^= fromBit | toBit;
  (isWhitePiece(piece) ? after.white : after.black) ^= fromBit | toBit;
  after.occupied = (after.occupied & ~fromBit) | toBit;
  after.of[kEmpty] = ~after.occupied;
  after.knownFacts = 0;
  return after;
}
