#include "uchess/boardscan.h"
#include "uchess/doska.h"
#include "uchess/kingsafety.h"
#include "uchess/moveplay.h"
#include "uchess/sidestate.h"
#include "uchess/squaresets.h"

namespace {

// Any legal move for the piece on the square, among the targets its geometry allows.
bool pieceHasMove(const doska& b, const TSideState& side, int file, int rank) {
  for (TSquareSet targets = reachableFrom(b, file, rank); targets != 0; targets &= targets - 1) {
    int tf = 0, tr = 0;
    lowestSquare(targets, tf, tr);
    if (legalTowards(b, side, file, rank, tf, tr)) return true;
  }
  return false;
}

// Which piece moves first does not change the answer. In check the king's own steps are the
// likeliest way out; out of check any other piece usually has a move that needs no trial.
bool hasLegalMove(const doska& b, bool white, const TSideState& side) {
  int kingFile = side.kingFile, kingRank = side.kingRank;
  if (side.inCheck && pieceHasMove(b, side, kingFile, kingRank)) return true;
  const uint8_t low = white ? kWhitePawn : kBlackPawn;
  for (int file = 1; file <= 8; ++file) {
    for (int rank = 1; rank <= 8; ++rank) {
      // codes of the side are low..low+5; unsigned wrap-around takes the rest out
      if (static_cast<uint8_t>(b.at(file, rank) - low) >= 6) continue;
      if (file == kingFile && rank == kingRank) continue;
      if (pieceHasMove(b, side, file, rank)) return true;
    }
  }
  return !side.inCheck && pieceHasMove(b, side, kingFile, kingRank);
}

// The position the found move leaves for the other side, and the special byte the journal
// records for it (a promotion piece, or the en-passant mark).
int tryFoundMove(const doska& b, int& promotion, int ff, int fr, int tf, int tr) {
  doska after = b;
  mov found = recordMove(after, ff, fr, tf, tr, promotion, 0);
  playMove(after, found);
  promotion = found.special;
  return after.status(!isWhitePiece(found.piece));
}

// A pawn reaching its last rank without a piece of its own colour to become.
bool promotionMissing(int piece, int torank, int promotion) {
  bool lastRank = (piece == kWhitePawn && torank == 8) || (piece == kBlackPawn && torank == 1);
  return lastRank && !isPromotionFor(piece, torank, promotion);
}

constexpr TSquareSet kFirstRank = 0x0101010101010101;

// The from-squares findmove may search: a given file or rank, or all; none for one off the board.
TSquareSet searchRange(int fromfile, int fromrank) {
  TSquareSet files = fromfile == 0                     ? ~TSquareSet{0}
                     : fromfile >= 1 && fromfile <= 8 ? TSquareSet{0xFF} << ((fromfile - 1) * 8)
                                                      : 0;
  TSquareSet ranks = fromrank == 0                     ? ~TSquareSet{0}
                     : fromrank >= 1 && fromrank <= 8 ? kFirstRank << (fromrank - 1)
                                                      : 0;
  return files & ranks;
}

}  // namespace

bool doska::legalmove(int fromfile, int fromrank, int tofile, int torank) {
  if (boardByScan()) return legalmoveByScan(*this, fromfile, fromrank, tofile, torank);
  return canmove(fromfile, fromrank, tofile, torank) &&
         keepsKingSafe(*this, fromfile, fromrank, tofile, torank);
}

int doska::status(bool whiteToMove) {
  if (boardByScan()) return statusByScan(*this, whiteToMove);
  TSideState side = sideState(*this, whiteToMove);
  if (side.status >= 0) return side.status;
  if (!side.hasKing) {
    side.status = kStatusNoKing;
  } else {
    bool hasMove = hasLegalMove(*this, whiteToMove, side);
    if (side.inCheck)
      side.status = hasMove ? kStatusCheck : kStatusMate;
    else
      side.status = hasMove ? kStatusNone : kStatusStalemate;
  }
  rememberSideState(*this, whiteToMove, side);
  return side.status;
}

// Only the pieces that could reach the target are tried, in the order of the full scan (files,
// then ranks), so the first one found and the ambiguity are those of trying every square.
int doska::findmove(int piece, int& promotion, int& fromfile, int& fromrank, int tofile,
                    int& torank) {
  if (boardByScan())
    return findmoveByScan(*this, piece, promotion, fromfile, fromrank, tofile, torank);
  if (piece == kEmpty) return kNoPiece;
  if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
  TSquareSet range = searchRange(fromfile, fromrank);
  int foundFile = 0, foundRank = 0, result = kNoSuchMove;
  if (torank == 0) {
    // A pawn move written without its rank takes the rank from the first pawn met. A black
    // pawn on the first rank gives none, so the next pawn is asked again.
    TSquareSet holding = squaresHolding(*this, piece) & range;
    if (piece == kBlackPawn) holding &= ~kFirstRank;
    if (holding == 0) return kNoSuchMove;
    lowestSquare(holding, foundFile, foundRank);
    torank = piece == kWhitePawn ? foundRank + 1 : piece == kBlackPawn ? foundRank - 1 : 0;
    foundFile = foundRank = 0;
  }
  TSquareSet candidates = range & reachingTo(*this, piece, tofile, torank);
  if (candidates == 0) return kNoSuchMove;
  TSideState side = sideState(*this, isWhitePiece(piece));
  for (TSquareSet c = candidates; c != 0; c &= c - 1) {
    int f = 0, r = 0;
    lowestSquare(c, f, r);
    if (at(f, r) != piece || !legalTowards(*this, side, f, r, tofile, torank)) continue;
    if (foundFile != 0) return kAmbiguousMove;
    // a rank found this way may still be the last one
    if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
    foundFile = f;
    foundRank = r;
    result = tryFoundMove(*this, promotion, f, r, tofile, torank);
  }
  if (foundFile == 0) return kNoSuchMove;
  fromfile = foundFile;
  fromrank = foundRank;
  return result;
}
