#include <string>

#include "uchess/doska.h"
#include "uchess/ecobase.h"
#include "uchess/jurnal.h"

// The deepest position of the main line that the base knows names the opening, so a game that
// leaves the base and transposes back into it gets the later code. The position after the last
// move is not looked up.
std::string jurnal::ecocode() {
  std::string code;
  if (!ensureEcoBase()) return code;
  gotomove(0);
  // the pieces' part of the key follows the few squares each move changes
  uint64_t pieces = board->pieceKey();
  for (int i = 0; i < movecount(); ++i) {
    bool blackToMove = i == 0 ? blackfirst != 0 : isWhitePiece(moves[i - 1].piece);
    int found = findeco(static_cast<int64_t>(pieces ^ board->stateKey(blackToMove)));
    if (found >= 0) code = ecoBase()[found].code;
    TBoardMasks before = board->sets();
    forward();
    pieces ^= pieceKeyChange(before, board->sets());
  }
  return code;
}
