#pragma once
// The common move on a board in its common state (one king a side, no code that is no piece)
// settled from the sets alone: the mover's checks and pins are worked out where a candidate needs
// them, and only the board's mark of a king found out of check is kept between moves, so nothing
// is copied or compared per position.
// What it cannot settle by itself it leaves to the general way, which answers alike.

#include <array>
#include <bit>

#include "uchess/appendmove.h"
#include "uchess/legality.h"
#include "uchess/moveplay.h"
#include "uchess/plainstatus.h"
#include "uchess/positioninfo.h"

// With one king a side the first king is the king, and every square holds a piece or nothing.
inline bool isPlainBoard(const TBoardMasks& m) {
  if (m.knownFacts & kPlainBoard) return true;
  TSquareSet white = m.of[kWhiteKing], black = m.of[kBlackKing];
  TSquareSet extra = m.of[kNoPieceCode] | (white & (white - 1)) | (black & (black - 1));
  return (extra == 0) & (white != 0) & (black != 0);
}

// Those of the origins from which the move leaves the mover's king unattacked.
inline TSquareSet legalPlainOrigins(const TBoardMasks& m, int piece, int to, TSquareSet origins) {
  bool white = isWhiteCode(static_cast<uint8_t>(piece));
  if (piece == kWhiteKing || piece == kBlackKing) {
    if (origins == 0) return 0;
    return attackedAfterKingStep(m, std::countr_zero(origins), to, !white) ? 0 : origins;
  }
  int king = std::countr_zero(m.of[white ? kWhiteKing : kBlackKing]);
  TSquareSet target = TSquareSet{1} << to;
  bool safe = (m.knownFacts & kingSafeFact(white)) != 0;
  if (!safe && (evasionSquares(m, king, white) & target) == 0) return 0;
  TSquareSet mayBePinned = origins & (kStraightLines[king] | kDiagonalLines[king]);
  if (mayBePinned == 0) return origins;
  TSquareSet pinned = mayBePinned & pinnedPieces(m, king, white);
  for (; pinned != 0; pinned &= pinned - 1) {
    int from = std::countr_zero(pinned);
    if ((kLines[king][from] & target) == 0) origins &= ~(TSquareSet{1} << from);
  }
  return origins;
}

// The state bits (mov::changes) of a step that promotes not, takes en passant not and castles
// not, on a board that castles from the e-file: only a king's step or a move from or to a corner
// asks the castling rules; a pawn's double step opens an en passant.
inline uint8_t plainStepChanges(const doska& b, uint8_t piece, int from, int to) {
  // by square, whether a step from or to it may ask the castling rules: the corners
  static constexpr std::array<bool, 64> kCorner = [] {
    std::array<bool, 64> corner{};
    corner[0] = corner[7] = corner[56] = corner[63] = true;
    return corner;
  }();
  if (isKing(piece) | kCorner[static_cast<size_t>(from)] | kCorner[static_cast<size_t>(to)])
    return changedState(b, piece, from / 8 + 1, from % 8 + 1, to / 8 + 1, to % 8 + 1);
  if (piece == kWhitePawn && to - from == 2 && from % 8 == 1) return kWhiteDoubleStep;
  if (piece == kBlackPawn && from - to == 2 && from % 8 == 6) return kBlackDoubleStep;
  return 0;
}

// fillRecord's record where it needs no rule of promotion or en passant: on a board that castles
// from the e-file, any move but a pawn's onto its last rank or onto an empty square aside carries
// no special byte.
inline void recordPlainMove(mov& m, const doska& b, int from, int to, int promotion) {
  constexpr TSquareSet kEndRanks = 0x8181818181818181;
  uint8_t piece = b.atIndex(from), captured = b.atIndex(to);
  int kind = isWhiteCode(piece) ? piece : piece - 6;
  // a pawn's step short of the last rank, onto the square ahead or onto a piece it takes
  bool pawnStep = kind == kWhitePawn && ((kEndRanks >> from) & 1) == 0 &&
                  ((kEndRanks >> to) & 1) == 0 && ((from ^ to) < 8) == (captured == kEmpty);
  if (b.chess960 || (kind == kWhitePawn && !pawnStep)) {
    fillRecord(m, b, from / 8 + 1, from % 8 + 1, to / 8 + 1, to % 8 + 1, promotion);
    return;
  }
  m.piece = piece;
  m.fromfile = static_cast<uint8_t>(from / 8 + 1);
  m.fromrank = static_cast<uint8_t>(from % 8 + 1);
  m.tofile = static_cast<uint8_t>(to / 8 + 1);
  m.torank = static_cast<uint8_t>(to % 8 + 1);
  m.captured = captured;
  m.special = 0;
  m.changes = plainStepChanges(b, piece, from, to);
}

// The king's home square where it castles from the e-file onto the target: its flags kept, its
// rook in the corner, the squares between empty and none of those it crosses attacked. With the
// rook anywhere else the general way judges what the flags allow.
TSquareSet castlingOrigin(const doska& b, const TBoardMasks& m, bool white, int to);

// findAppendableMove's answer for such a board, with no facts of the position kept (before is
// none); false both where there is no such move and where the sets alone cannot tell.
bool findPlainMove(const doska& board, int piece, int promotion, int fromfile, int fromrank,
                   int tofile, int torank, TAppendableMove& found);

// The move of the piece from the one square of the range (a written file, rank, both or neither)
// it can legally come from, recorded on the board as findmove would record it; false when there
// is no such move, more than one, a promotion is missing or records otherwise, the move takes the
// other side's last king, or the board answers by its scan. Inline: the reader asks it of every
// move, and nearly all are settled by the sets alone.
inline bool findAppendableMove(const doska& board, int piece, int promotion, int fromfile,
                               int fromrank, int tofile, int torank, TAppendableMove& found) {
  return findPlainMove(board, piece, promotion, fromfile, fromrank, tofile, torank, found) ||
         findMoveByPositionFacts(board, piece, promotion, fromfile, fromrank, tofile, torank,
                                 found);
}
