#pragma once
// The move number the next move of a line carries, as jurnal::nextnumber gives it, counted on
// from where the line was last asked instead of from its start: the reader asks at every move
// number, and counting from the start each time made long games take quadratic time.

#include <cstdint>
#include <unordered_map>

#include "uchess/jurnal.h"

class TMoveNumbers {
 public:
  int next(const jurnal& line);

 private:
  struct TCount {
    int counted = 0;  // moves of the line taken into number
    int number = 0;
    bool blackToMove = false;
    int startnumber = 0;
    uint8_t blackfirst = 0;
  };
  std::unordered_map<const jurnal*, TCount> counts;
};
