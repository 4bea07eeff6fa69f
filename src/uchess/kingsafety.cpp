#include "uchess/kingsafety.h"

#include <cstdlib>

#include "uchess/squaresets.h"

namespace {

bool isPawn(int piece) { return piece == kWhitePawn || piece == kBlackPawn; }
bool isKing(int piece) { return piece == kWhiteKing || piece == kBlackKing; }

int sign(int value) { return (value > 0) - (value < 0); }

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

// A single king's step to a free square. canmove would also ask whether the square is attacked
// with the king still on its own square; with the king standing on it the answer can only grow,
// so asking on the board after the step is enough.
bool kingStepSafe(const doska& b, const TSideState& side, int ff, int fr, int tf, int tr) {
  uint8_t target = b.at(tf, tr);
  if (target != kEmpty && !(side.white ? isBlackPiece(target) : isWhitePiece(target)))
    return false;
  doska after = b;
  after.put(tf, tr, after.at(ff, fr));
  after.put(ff, fr, kEmpty);
  return !after.attacked(tf, tr, side.white ? kBlack : kWhite);
}

// Out of check, moving a piece other than the king can only uncover the king along the line from
// the king through the from-square: the first piece on that line after the move must not be an
// enemy slider that moves along it.
bool uncoversKing(const doska& b, const TSideState& side, int ff, int fr, int tf, int tr) {
  int df = ff - side.kingFile, dr = fr - side.kingRank;
  if (df != 0 && dr != 0 && std::abs(df) != std::abs(dr)) return false;
  int stepFile = sign(df), stepRank = sign(dr);
  int f = side.kingFile + stepFile, r = side.kingRank + stepRank;
  for (; isSquare(f, r); f += stepFile, r += stepRank) {
    if (f == tf && r == tr) return false;
    if (f != ff || r != fr) {
      uint8_t piece = b.at(f, r);
      if (piece != kEmpty) {
        uint8_t offset = side.white ? 6 : 0;
        uint8_t slider = (stepFile == 0 || stepRank == 0) ? kWhiteRook : kWhiteBishop;
        return piece == slider + offset || piece == kWhiteQueen + offset;
      }
    }
  }
  return false;
}

}  // namespace

bool keepsKingSafe(const doska& board, int ff, int fr, int tf, int tr) {
  bool white = isWhitePiece(board.at(ff, fr));
  doska after = board;
  playSquares(after, ff, fr, tf, tr);
  int kingFile = 0, kingRank = 0;
  if (!firstSquareHolding(after, white ? kWhiteKing : kBlackKing, kingFile, kingRank)) return true;
  return !after.attacked(kingFile, kingRank, white ? kBlack : kWhite);
}

namespace {

// legalFor once canmove is known to allow the move, for any piece but a single king's step.
bool legalAllowed(const doska& b, const TSideState& side, int ff, int fr, int tf, int tr) {
  if (!side.hasKing) return true;
  uint8_t piece = b.at(ff, fr);
  // a king's move, and a pawn's diagonal step that may take a second pawn off the board or
  // replace a piece of its own side, are played out
  if (isKing(piece) || (isPawn(piece) && tf != ff) || side.inCheck)
    return keepsKingSafe(b, ff, fr, tf, tr);
  return !uncoversKing(b, side, ff, fr, tf, tr);
}

bool isSingleKingStep(const TSideState& side, uint8_t piece, int ff, int fr, int tf, int tr) {
  return side.singleKing && piece == (side.white ? kWhiteKing : kBlackKing) &&
         std::abs(tf - ff) <= 1 && std::abs(tr - fr) <= 1;
}

}  // namespace

bool legalFor(const doska& b, const TSideState& side, int ff, int fr, int tf, int tr) {
  if (!isSquare(ff, fr) || !isSquare(tf, tr)) return false;
  if (isSingleKingStep(side, b.at(ff, fr), ff, fr, tf, tr))
    return kingStepSafe(b, side, ff, fr, tf, tr);
  return b.canmove(ff, fr, tf, tr) && legalAllowed(b, side, ff, fr, tf, tr);
}

bool legalTowards(const doska& b, const TSideState& side, int ff, int fr, int tf, int tr) {
  uint8_t piece = b.at(ff, fr);
  int kind = isBlackPiece(piece) ? piece - 6 : piece;
  if (kind < kWhiteKnight || kind > kWhiteQueen) return legalFor(b, side, ff, fr, tf, tr);
  uint8_t target = b.at(tf, tr);
  bool white = isWhitePiece(piece);
  if (target != kEmpty && !(white ? isBlackPiece(target) : isWhitePiece(target))) return false;
  return legalAllowed(b, side, ff, fr, tf, tr);
}
