#include "Upgnread/movenumber.h"

#include <algorithm>

int TMoveNumbers::nextAfresh(const jurnal& line) {
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
    count =
        TCount{0, line.startnumber + 1, line.blackfirst != 0, line.startnumber, line.blackfirst};
  }
  countOn(line, made);
  return count.number;
}
