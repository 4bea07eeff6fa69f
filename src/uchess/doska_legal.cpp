#include <cstdlib>
#include <cstring>

#include "uchess/boardscan.h"
#include "uchess/doska.h"
#include "uchess/moveplay.h"
#include "uchess/squaresets.h"

namespace {

bool isPawn(int piece) {
  return piece == kWhitePawn || piece == kBlackPawn;
}
bool isKing(int piece) {
  return piece == kWhiteKing || piece == kBlackKing;
}

// The squares of the move as playMove leaves them for a move added without a promotion piece:
// the en-passant victim taken off, the castling rook moved.
void playSquares(doska& b, int ff, int fr, int tf, int tr) {
  uint8_t piece = b.at(ff, fr);
  uint8_t captured = b.at(tf, tr);
  b.put(ff, fr, kEmpty);
  b.put(tf, tr, piece);
  if (isPawn(piece) && std::abs(tf - ff) == 1 && captured == kEmpty) {
    uint8_t mark = piece == kWhitePawn ? kBlackPawn : kWhitePawn;
    if (tr == 1 || tr == 8)
      b.put(tf, tr, mark);
    else
      b.put(tf, mark == kBlackPawn ? tr - 1 : tr + 1, kEmpty);
  }
  if (isKing(piece) && ff == 5 && (tf == 3 || tf == 7)) {
    int home = piece == kWhiteKing ? 1 : 8;
    int rookFrom = tf == 3 ? 1 : 8, rookTo = tf == 3 ? 4 : 6;
    b.put(rookTo, home, b.at(rookFrom, home));
    b.put(rookFrom, home, kEmpty);
  }
}

// The move, which canmove allows, leaves the mover's first king (files then ranks) unattacked.
// It is played on a copy, so the board is never touched.
bool keepsKingSafe(const doska& board, int ff, int fr, int tf, int tr) {
  bool white = isWhitePiece(board.at(ff, fr));
  doska after = board;
  playSquares(after, ff, fr, tf, tr);
  int kingFile = 0, kingRank = 0;
  if (!firstSquareHolding(after, white ? kWhiteKing : kBlackKing, kingFile, kingRank)) return true;
  return !after.attacked(kingFile, kingRank, white ? kBlack : kWhite);
}

// Out of check, a piece off every line through its king cannot uncover it, so any move canmove
// allows it is legal. A pawn's diagonal step may be an en-passant capture that takes a second
// pawn off the board, or one onto a square no pawn stands beside: those are always played out.
bool surelyLegal(int piece, int ff, int fr, int tf, int kingFile, int kingRank) {
  int df = ff - kingFile, dr = fr - kingRank;
  bool aligned = df == 0 || dr == 0 || df == dr || df == -dr;
  return !aligned && !isKing(piece) && !(isPawn(piece) && tf != ff);
}

// Any legal move for the piece on the square, among the targets its geometry allows.
bool pieceHasMove(doska& b, int file, int rank, int kingFile, int kingRank, bool inCheck) {
  uint8_t piece = b.at(file, rank);
  for (TSquareSet targets = reachableFrom(b, file, rank); targets != 0; targets &= targets - 1) {
    int tf = 0, tr = 0;
    lowestSquare(targets, tf, tr);
    if (!b.canmove(file, rank, tf, tr)) continue;
    if (!inCheck && surelyLegal(piece, file, rank, tf, kingFile, kingRank)) return true;
    if (keepsKingSafe(b, file, rank, tf, tr)) return true;
  }
  return false;
}

// Which piece moves first does not change the answer. In check the king's own steps are the
// likeliest way out; out of check any other piece usually has a move that needs no trial.
bool hasLegalMove(doska& b, bool white, int kingFile, int kingRank, bool inCheck) {
  if (inCheck && pieceHasMove(b, kingFile, kingRank, kingFile, kingRank, inCheck)) return true;
  const uint8_t low = white ? kWhitePawn : kBlackPawn;
  for (int file = 1; file <= 8; ++file) {
    for (int rank = 1; rank <= 8; ++rank) {
      // codes of the side are low..low+5; unsigned wrap-around takes the rest out
      if (static_cast<uint8_t>(b.at(file, rank) - low) >= 6) continue;
      if (file == kingFile && rank == kingRank) continue;
      if (pieceHasMove(b, file, rank, kingFile, kingRank, inCheck)) return true;
    }
  }
  return !inCheck && pieceHasMove(b, kingFile, kingRank, kingFile, kingRank, inCheck);
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
  TSquareSet files = 0, ranks = 0;
  for (int i = 1; i <= 8; ++i) {
    if (fromfile == 0 || fromfile == i) files |= TSquareSet{0xFF} << ((i - 1) * 8);
    if (fromrank == 0 || fromrank == i) ranks |= kFirstRank << (i - 1);
  }
  return files & ranks;
}

// The last position whose status this thread asked for. The reader asks twice for every move, once
// when it finds the move and once when it writes its notation; status depends on nothing but the
// squares, the eight state bytes and the side, so equal bytes give the same answer.
struct TStatusMemo {
  uint8_t position[sizeof(doska)];
  bool whiteToMove;
  bool valid;
  int result;
};
thread_local TStatusMemo lastStatus;

static_assert(sizeof(doska) == 72, "a board is its eight state bytes and 64 squares, no more");

bool rememberedStatus(const doska& b, bool whiteToMove, int& result) {
  if (!lastStatus.valid || lastStatus.whiteToMove != whiteToMove ||
      std::memcmp(lastStatus.position, &b, sizeof(doska)) != 0)
    return false;
  result = lastStatus.result;
  return true;
}

int remember(const doska& b, bool whiteToMove, int result) {
  std::memcpy(lastStatus.position, &b, sizeof(doska));
  lastStatus.whiteToMove = whiteToMove;
  lastStatus.valid = true;
  lastStatus.result = result;
  return result;
}

}  // namespace

bool doska::legalmove(int fromfile, int fromrank, int tofile, int torank) {
  if (boardByScan()) return legalmoveByScan(*this, fromfile, fromrank, tofile, torank);
  return canmove(fromfile, fromrank, tofile, torank) &&
         keepsKingSafe(*this, fromfile, fromrank, tofile, torank);
}

int doska::status(bool whiteToMove) {
  if (boardByScan()) return statusByScan(*this, whiteToMove);
  int result = kStatusNone;
  if (rememberedStatus(*this, whiteToMove, result)) return result;
  int kingFile = 0, kingRank = 0;
  if (!firstSquareHolding(*this, whiteToMove ? kWhiteKing : kBlackKing, kingFile, kingRank))
    return remember(*this, whiteToMove, kStatusNoKing);
  bool inCheck = attacked(kingFile, kingRank, whiteToMove ? kBlack : kWhite);
  bool hasMove = hasLegalMove(*this, whiteToMove, kingFile, kingRank, inCheck);
  if (inCheck)
    result = hasMove ? kStatusCheck : kStatusMate;
  else
    result = hasMove ? kStatusNone : kStatusStalemate;
  return remember(*this, whiteToMove, result);
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
  for (TSquareSet c = range & reachingTo(*this, piece, tofile, torank); c != 0; c &= c - 1) {
    int f = 0, r = 0;
    lowestSquare(c, f, r);
    if (at(f, r) != piece || !legalmove(f, r, tofile, torank)) continue;
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
