#pragma once
// The board as it was before its pieces were kept as sets: a square array walked square by square,
// every move tried on a copy and the king looked at afterwards. It answers the board's questions
// the slow and obvious way and is what the board is checked against. It reads a doska only through
// at() and its state bytes, and plays moves with the journal's recordMove / playMove, which did not
// change with the board.

#include <cstdint>
#include <string>

#include "uchess/doska.h"
#include "uchess/jurnal.h"

class TPlainBoard {
 public:
  explicit TPlainBoard(const doska& board) : cells(board) {}

  bool attacked(int file, int rank, int side) const;
  bool canmove(int fromfile, int fromrank, int tofile, int torank) const;
  bool legalmove(int fromfile, int fromrank, int tofile, int torank) const;
  int status(bool whiteToMove) const;
  int findmove(int piece, int& promotion, int& fromfile, int& fromrank, int tofile,
               int& torank) const;
  uint64_t poskey(bool blackToMove) const;
  // The text makesan gives the move (a record of recordMove on this board), mark included.
  std::string san(const mov& m) const;

  const doska& board() const { return cells; }

 private:
  bool canCastle(bool white, int ff, int fr, int tf, int tr) const;
  bool canCastleOntoRook(bool white, int ff, int fr, int tf, int tr) const;
  bool kingCanMove(bool white, int ff, int fr, int tf, int tr) const;
  bool attackedByScan(int file, int rank, int side) const;
  int statusAfter(const mov& m) const;
  void appendDisambiguation(const mov& m, std::string& text) const;

  doska cells;
};
