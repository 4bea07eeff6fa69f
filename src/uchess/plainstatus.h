#pragma once
// The status of the side to move after a move found from the sets alone, kept inline: the reader
// asks it after nearly every move, and it is mostly over after a few set operations.

#include <bit>

#include "uchess/boardmasks.h"
#include "uchess/doska.h"
#include "uchess/legality.h"
#include "uchess/positioninfo.h"
#include "uchess/squaresets.h"

// attackedOn of the target on the sets after the side's king steps there from its square, onto
// nothing or a piece of the other side, which then attacks no more.
inline bool attackedAfterKingStep(const TBoardMasks& m, int from, int to, bool byWhite) {
  int enemy = byWhite ? 0 : 6;
  TSquareSet left = ~(TSquareSet{1} << to);
  if (kPawnAttackers[byWhite ? 0 : 1][to] & m.of[kWhitePawn + enemy] & left) return true;
  if (kKingSquares[to] & m.of[kWhiteKing + enemy]) return true;
  if (kKnightSquares[to] & m.of[kWhiteKnight + enemy] & left) return true;
  TSquareSet occupied = (m.occupied & ~(TSquareSet{1} << from)) | (TSquareSet{1} << to);
  TSquareSet queens = m.of[kWhiteQueen + enemy];
  TSquareSet sliders = ((m.of[kWhiteRook + enemy] | queens) & kStraightLines[to]) |
                       ((m.of[kWhiteBishop + enemy] | queens) & kDiagonalLines[to]);
  for (sliders &= left; sliders != 0; sliders &= sliders - 1) {
    if ((kBetween[to][std::countr_zero(sliders)] & occupied) == 0) return true;
  }
  return false;
}

// Whether a piece of the kind (its white code) that stepped from one square to another, onto
// nothing or a piece of the other side, now attacks that side's king: by itself from where it
// landed, or through a line it opened from the side's sliders. Where that king stood unattacked
// before the step, this is whether it stands in check; it judges no castling, promotion or en
// passant, which change more than the two squares.
inline bool checksAfterStep(const TBoardMasks& m, int kind, bool moverWhite, int from, int to,
                            int king) {
  const TSquareSet landed = TSquareSet{1} << to, left = TSquareSet{1} << from;
  const TSquareSet straight = kStraightLines[king], diagonal = kDiagonalLines[king];
  // most moves touch none of the king's lines and land on none of its knight squares
  if (((landed | left) & (straight | diagonal | kKnightSquares[king])) == 0) return false;
  const bool openToKing = (kBetween[king][to] & m.occupied) == 0;
  switch (kind) {
    case kWhitePawn:
      if (kPawnAttackers[moverWhite ? 0 : 1][king] & landed) return true;
      break;
    case kWhiteKnight:
      if (kKnightSquares[king] & landed) return true;
      break;
    case kWhiteBishop:
      if ((diagonal & landed) && openToKing) return true;
      break;
    case kWhiteRook:
      if ((straight & landed) && openToKing) return true;
      break;
    case kWhiteQueen:
      if (((straight | diagonal) & landed) && openToKing) return true;
      break;
    default:
      break;
  }
  if (((straight | diagonal) & left) == 0) return false;
  const int offset = moverWhite ? 0 : 6;
  const TSquareSet queens = m.of[kWhiteQueen + offset];
  TSquareSet sliders = (straight & left) ? (m.of[kWhiteRook + offset] | queens) & straight
                                         : (m.of[kWhiteBishop + offset] | queens) & diagonal;
  for (sliders &= kLines[king][from]; sliders != 0; sliders &= sliders - 1) {
    if ((kBetween[king][std::countr_zero(sliders)] & m.occupied) == 0) return true;
  }
  return false;
}

// doska::status of the side to move after a move findPlainMove found, which leaves the board in
// that state, where the sets tell it at once: a pawn or knight off its king's lines free to move
// out of check, or a step of the king onto a square nobody attacks; -1 where they do not. The
// side's king and whether it stands in check are given. Made part of its caller, the way of nearly
// every move read.
[[gnu::always_inline]] inline int plainStatusOf(const TBoardMasks& m, bool whiteToMove,
                                                int kingIndex, bool inCheck) {
  TSideState side;
  side.white = whiteToMove;
  side.hasKing = true;
  side.kingIndex = kingIndex;
  if (!inCheck && unpinnedPieceMoves(m, side)) return kStatusNone;
  // a step of the king to a square nobody attacks is a move: in check, no mate; out of it, no
  // stalemate. Endgames, where pawns and knights are few, are settled so most often.
  TSquareSet steps = kKingSquares[side.kingIndex] & ~(whiteToMove ? m.white : m.black);
  for (; steps != 0; steps &= steps - 1) {
    if (!attackedAfterKingStep(m, side.kingIndex, std::countr_zero(steps), !whiteToMove))
      return inCheck ? kStatusCheck : kStatusNone;
  }
  return -1;
}

// plainStatusOf, the check worked out from the sets; a king found out of check is marked so on
// the board.
[[gnu::always_inline]] inline int plainStatus(doska& board, bool whiteToMove) {
  const TBoardMasks& m = board.sets();
  int king = std::countr_zero(m.of[whiteToMove ? kWhiteKing : kBlackKing]);
  bool inCheck = attackedOn(m, king, !whiteToMove);
  if (!inCheck) board.markKnown(kingSafeFact(whiteToMove));
  return plainStatusOf(m, whiteToMove, king, inCheck);
}
