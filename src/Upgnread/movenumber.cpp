#include "Upgnread/movenumber.h"

#include <algorithm>

int TMoveNumbers::next(const jurnal& line) {
  if (&line != lastLine) {
    if (lastLine != nullptr) others[lastLine] = last;
    auto found = others.find(&line);
    last = found != others.end() ? found->second : TCount{};
    lastLine = &line;
  }
  TCount& count = last;
  int made = std::clamp(line.current, 0, line.movecount());
  // The start of the line may still change until its first move is in; a line taken back
  // below what was counted is counted again.
  if (count.counted == 0 || count.counted > made || count.startnumber != line.startnumber ||
      count.blackfirst != line.blackfirst) {
    count = TCount{0, line.startnumber + 1, line.blackfirst != 0, line.startnumber,
                   line.blackfirst};
  }
  for (; count.counted < made; ++count.counted) {
    bool moverBlack = isBlackPiece(line.moveat(count.counted).piece);
    if (moverBlack != count.blackToMove) {
      // a skipped half-move; a skipped Black move closes the move number
      if (count.blackToMove) ++count.number;
      count.blackToMove = !count.blackToMove;
    }
    if (moverBlack) ++count.number;
    count.blackToMove = !count.blackToMove;
  }
  return count.number;
}
