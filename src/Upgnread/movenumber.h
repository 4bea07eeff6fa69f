#pragma once
// The move number the next move of a line carries, as jurnal::nextnumber gives it, counted on
// from where the line was last asked instead of from its start: the reader asks at every move
// number, and counting from the start each time made long games take quadratic time.

#include <cstdint>
#include <unordered_map>

#include "uchess/jurnal.h"

class TMoveNumbers {
 public:
  // The line asked about last, counted on by the moves made since: the reader's case at nearly
  // every move number, kept inline.
  int next(const jurnal& line) {
    int made = line.current;
    if (&line != lastLine || last.counted == 0 || last.counted > made || made > line.movecount() ||
        last.startnumber != line.startnumber || last.blackfirst != line.blackfirst)
      return nextAfresh(line);
    countOn(line, made);
    return last.number;
  }

 private:
  struct TCount {
    int counted = 0;  // moves of the line taken into number
    int number = 0;
    bool blackToMove = false;
    int startnumber = 0;
    uint8_t blackfirst = 0;
  };
  // The line asked about last is kept apart: most games have no other, and a line is asked
  // about many times in a row.
  const jurnal* lastLine = nullptr;
  TCount last;
  std::unordered_map<const jurnal*, TCount> others;

  int nextAfresh(const jurnal& line);
  void countOn(const jurnal& line, int made) {
    TCount& count = last;
    for (; count.counted < made; ++count.counted) {
      bool moverBlack = isBlackPiece(line.moves[static_cast<size_t>(count.counted)].piece);
      if (moverBlack != count.blackToMove) {
        // a skipped half-move; a skipped Black move closes the move number
        if (count.blackToMove) ++count.number;
        count.blackToMove = !count.blackToMove;
      }
      if (moverBlack) ++count.number;
      count.blackToMove = !count.blackToMove;
    }
  }
};
