#include <cstddef>
#include <cstring>

#include "uchess/doska.h"
#include "uchess/moveplay.h"

namespace {

// The eight state bytes, kept aside around a trial move.
struct TStateBytes {
  uint8_t bytes[8];
};

TStateBytes saveState(const doska& b) {
  TStateBytes s;
  std::memcpy(s.bytes, &b.wqlost, sizeof s.bytes);
  return s;
}

void restoreState(doska& b, const TStateBytes& s) {
  std::memcpy(&b.wqlost, s.bytes, sizeof s.bytes);
}

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
  TStateBytes saved = saveState(b);
  mov found = recordMove(b, ff, fr, tf, tr, promotion, 0);
  playMove(b, found);
  int result = b.status(!isWhitePiece(found.piece));
  promotion = found.special;
  unplayMove(b, found);
  restoreState(b, saved);
  return result;
}

// A pawn reaching its last rank without a piece of its own colour to become.
bool promotionMissing(int piece, int torank, int promotion) {
  bool lastRank = (piece == kWhitePawn && torank == 8) || (piece == kBlackPawn && torank == 1);
  return lastRank && !isPromotionFor(piece, torank, promotion);
}

}  // namespace

static_assert(offsetof(doska, epforwhite) - offsetof(doska, wqlost) == 7,
              "the eight state bytes must stay one block");

bool doska::legalmove(int fromfile, int fromrank, int tofile, int torank) {
  if (!canmove(fromfile, fromrank, tofile, torank)) return false;
  bool white = isWhitePiece(at(fromfile, fromrank));
  TStateBytes saved = saveState(*this);
  mov trial = recordMove(*this, fromfile, fromrank, tofile, torank, 0, 0);
  playMove(*this, trial);
  int kingFile = 0, kingRank = 0;
  bool legal = true;
  if (findPiece(*this, white ? kWhiteKing : kBlackKing, kingFile, kingRank))
    legal = !attacked(kingFile, kingRank, white ? kBlack : kWhite);
  unplayMove(*this, trial);
  restoreState(*this, saved);
  return legal;
}

int doska::status(bool whiteToMove) {
  int kingFile = 0, kingRank = 0;
  if (!findPiece(*this, whiteToMove ? kWhiteKing : kBlackKing, kingFile, kingRank))
    return kStatusNoKing;
  bool inCheck = attacked(kingFile, kingRank, whiteToMove ? kBlack : kWhite);
  bool hasMove = false;
  for (int ff = 1; ff <= 8 && !hasMove; ++ff) {
    for (int fr = 1; fr <= 8 && !hasMove; ++fr) {
      uint8_t piece = at(ff, fr);
      if (whiteToMove ? !isWhitePiece(piece) : !isBlackPiece(piece)) continue;
      for (int tf = 1; tf <= 8 && !hasMove; ++tf) {
        for (int tr = 1; tr <= 8 && !hasMove; ++tr) {
          hasMove = canmove(ff, fr, tf, tr) && legalmove(ff, fr, tf, tr);
        }
      }
    }
  }
  if (inCheck) return hasMove ? kStatusCheck : kStatusMate;
  return hasMove ? kStatusNone : kStatusStalemate;
}

int doska::findmove(int piece, int& promotion, int& fromfile, int& fromrank, int tofile,
                    int& torank) {
  if (piece == kEmpty) return kNoPiece;
  if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
  int firstFile = fromfile == 0 ? 1 : fromfile, lastFile = fromfile == 0 ? 8 : fromfile;
  int firstRank = fromrank == 0 ? 1 : fromrank, lastRank = fromrank == 0 ? 8 : fromrank;
  int foundFile = 0, foundRank = 0, result = kNoSuchMove;
  for (int f = firstFile; f <= lastFile; ++f) {
    for (int r = firstRank; r <= lastRank; ++r) {
      if (f < 1 || f > 8 || r < 1 || r > 8 || at(f, r) != piece) continue;
      // a pawn move written without its rank takes the rank from the first pawn met
      if (torank == 0) torank = piece == kWhitePawn ? r + 1 : piece == kBlackPawn ? r - 1 : 0;
      if (!legalmove(f, r, tofile, torank)) continue;
      if (foundFile != 0) return kAmbiguousMove;
      // a rank found this way may still be the last one
      if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
      foundFile = f;
      foundRank = r;
      result = tryFoundMove(*this, promotion, f, r, tofile, torank);
    }
  }
  if (foundFile == 0) return kNoSuchMove;
  fromfile = foundFile;
  fromrank = foundRank;
  return result;
}
