#pragma once
// The board's questions answered the plain way: every square of the board visited, every target
// square tried. doska answers the same questions faster; these forms stay as the reference it is
// tested against, and a process-wide switch lets a test run whole loads through them.

#include <atomic>
#include <cstdint>

#include "uchess/doska.h"
#include "uchess/jurnal.h"

// The reference forms of doska::legalmove, status and findmove, with the same arguments and
// results.
bool legalmoveByScan(doska& board, int fromfile, int fromrank, int tofile, int torank);
int statusByScan(doska& board, bool whiteToMove);
int findmoveByScan(doska& board, int piece, int& promotion, int& fromfile, int& fromrank,
                   int tofile, int& torank);

// What makesan needs to tell a move apart from the other pieces of its code that could legally go
// to the same target.
struct TSanRivals {
  bool any = false;
  bool onFile = false;  // one of them shares the move's from-file
  bool onRank = false;  // one of them shares the move's from-rank
};
TSanRivals sanRivalsByScan(doska& board, const mov& m);

// While on, doska and makesan answer through the forms above (off unless a test turns it on).
// Asked on every question the board answers, so the switch is read inline.
extern std::atomic<bool> answerByScan;
void setBoardByScan(bool on);
inline bool boardByScan() {
  return answerByScan.load(std::memory_order_relaxed);
}
