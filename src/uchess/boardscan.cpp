#include "uchess/boardscan.h"

#include <atomic>

#include "uchess/moveplay.h"

std::atomic<bool> answerByScan{false};

namespace {

// The first square holding the piece, files then ranks ascending; false when there is none.
bool findPiece(const doska& b, uint8_t piece, int& file, int& rank) {
  for (int f = 1; f <= 8; ++f) {
    for (int r = 1; r <= 8; ++r) {
      if (b.at(f, r) == piece) {
        file = f;
        rank = r;
        return true;
      }
    }
  }
  return false;
}

// Tries the found move: the position it leaves for the other side, and the special byte the
// journal records for it (a promotion piece, or the en-passant mark).
int tryFoundMove(doska& b, int& promotion, int ff, int fr, int tf, int tr) {
  doska saved = b;
  mov found = recordMove(b, ff, fr, tf, tr, promotion, 0);
  playMove(b, found);
  int result = statusByScan(b, !isWhitePiece(found.piece));
  promotion = found.special;
  b = saved;
  return result;
}

// A pawn reaching its last rank without a piece of its own colour to become.
bool promotionMissing(int piece, int torank, int promotion) {
  bool lastRank = (piece == kWhitePawn && torank == 8) || (piece == kBlackPawn && torank == 1);
  return lastRank && !isPromotionFor(piece, torank, promotion);
}

}  // namespace

void setBoardByScan(bool on) {
  answerByScan.store(on, std::memory_order_relaxed);
}

// The move is made on the board and taken back. The squares are put back from a copy: taking
// back an en-passant capture whose pawn was never there (a FEN may name any file) would leave one.
bool legalmoveByScan(doska& board, int fromfile, int fromrank, int tofile, int torank) {
  if (!board.canmove(fromfile, fromrank, tofile, torank)) return false;
  bool white = isWhitePiece(board.at(fromfile, fromrank));
  doska saved = board;
  mov trial = recordMove(board, fromfile, fromrank, tofile, torank, 0, 0);
  playMove(board, trial);
  int kingFile = 0, kingRank = 0;
  bool legal = true;
  if (findPiece(board, white ? kWhiteKing : kBlackKing, kingFile, kingRank))
    legal = !board.attacked(kingFile, kingRank, white ? kBlack : kWhite);
  board = saved;
  return legal;
}

int statusByScan(doska& board, bool whiteToMove) {
  int kingFile = 0, kingRank = 0;
  if (!findPiece(board, whiteToMove ? kWhiteKing : kBlackKing, kingFile, kingRank))
    return kStatusNoKing;
  bool inCheck = board.attacked(kingFile, kingRank, whiteToMove ? kBlack : kWhite);
  bool hasMove = false;
  for (int ff = 1; ff <= 8 && !hasMove; ++ff) {
    for (int fr = 1; fr <= 8 && !hasMove; ++fr) {
      uint8_t piece = board.at(ff, fr);
      if (whiteToMove ? !isWhitePiece(piece) : !isBlackPiece(piece)) continue;
      for (int tf = 1; tf <= 8 && !hasMove; ++tf) {
        for (int tr = 1; tr <= 8 && !hasMove; ++tr) {
          hasMove = board.canmove(ff, fr, tf, tr) && legalmoveByScan(board, ff, fr, tf, tr);
        }
      }
    }
  }
  if (inCheck) return hasMove ? kStatusCheck : kStatusMate;
  return hasMove ? kStatusNone : kStatusStalemate;
}

int findmoveByScan(doska& board, int piece, int& promotion, int& fromfile, int& fromrank,
                   int tofile, int& torank) {
  if (piece == kEmpty) return kNoPiece;
  if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
  int firstFile = fromfile == 0 ? 1 : fromfile, lastFile = fromfile == 0 ? 8 : fromfile;
  int firstRank = fromrank == 0 ? 1 : fromrank, lastRank = fromrank == 0 ? 8 : fromrank;
  int foundFile = 0, foundRank = 0, result = kNoSuchMove;
  for (int f = firstFile; f <= lastFile; ++f) {
    for (int r = firstRank; r <= lastRank; ++r) {
      if (f < 1 || f > 8 || r < 1 || r > 8 || board.at(f, r) != piece) continue;
      // a pawn move written without its rank takes the rank from the first pawn met
      if (torank == 0) torank = piece == kWhitePawn ? r + 1 : piece == kBlackPawn ? r - 1 : 0;
      if (!legalmoveByScan(board, f, r, tofile, torank)) continue;
      if (foundFile != 0) return kAmbiguousMove;
      // a rank found this way may still be the last one
      if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
      foundFile = f;
      foundRank = r;
      result = tryFoundMove(board, promotion, f, r, tofile, torank);
    }
  }
  if (foundFile == 0) return kNoSuchMove;
  fromfile = foundFile;
  fromrank = foundRank;
  return result;
}

TSanRivals sanRivalsByScan(doska& board, const mov& m) {
  TSanRivals rivals;
  for (int f = 1; f <= 8; ++f) {
    for (int r = 1; r <= 8; ++r) {
      if ((f == m.fromfile && r == m.fromrank) || board.at(f, r) != m.piece) continue;
      if (!legalmoveByScan(board, f, r, m.tofile, m.torank)) continue;
      rivals.any = true;
      rivals.onFile |= f == m.fromfile;
      rivals.onRank |= r == m.fromrank;
    }
  }
  return rivals;
}
