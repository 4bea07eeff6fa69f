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
  for (int i = 0; i < movecount(); ++i) {
    bool blackToMove = i == 0 ? blackfirst != 0 : isWhitePiece(moves[i - 1].piece);
    int found = findeco(static_cast<int64_t>(board->poskey(blackToMove)));
    if (found >= 0) code = ecoBase()[found].code;
    forward();
  }
  return code;
}
