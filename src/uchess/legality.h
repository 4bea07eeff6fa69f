#pragma once
// Legality beyond canmove: whether a move leaves the mover's king attacked. The king is the side's
// first king, files then ranks, as the plain scan finds it.

#include <bit>

#include "uchess/doska.h"
#include "uchess/moveplay.h"
#include "uchess/positioninfo.h"
#include "uchess/squaresets.h"

// The move, which canmove allows, leaves the mover's first king unattacked. It is played on a
// copy, so the board is never touched.
bool keepsKingSafe(const doska& board, int fromfile, int fromrank, int tofile, int torank);

// legalmove for a piece of the side, from and to as square indexes, where the target is among
// the squares the piece's geometry reaches: a knight's jumps, a slider's rays up to their first
// piece, a pawn's steps, the king's steps and castling squares. A piece other than the king is
// judged by the side's pins and checks; only moves that take or replace a second piece (en
// passant), castling and boards with several kings of the side are played out on a copy.
bool legalOn(const doska& board, const TBoardMasks& masks, const TSideState& side, int from,
             int to);

// Every move of the side's piece (not its first king) that the piece's geometry allows and that
// lands on an empty square or an enemy piece is legal: its side has no king, or it is out of check
// and the piece is not pinned. Only an en-passant capture, which takes a second pawn off, still
// needs a look.
bool freeToMove(const TBoardMasks& masks, const TSideState& side, int index);

// The squares among those given holding the piece from which legalmove to the target holds.
TSquareSet legalOrigins(const doska& board, int piece, int tofile, int torank, TSquareSet among);
// The same, given the facts positionInfo gave for the board.
TSquareSet legalOriginsIn(const doska& board, TPositionInfo& info, int piece, int tofile,
                          int torank, TSquareSet among);

// The squares from which a pawn of the side may step to the target by pawnCanMove, from the
// sets alone; false where they cannot tell: a target that is not an enemy piece with pawns beside
// it that might take en passant, or a target holding the side's own piece or no piece code.
// Inline: a quarter of the moves read are pawn moves.
inline bool pawnStepOrigins(const doska& b, const TBoardMasks& m, bool white, int to,
                            TSquareSet& origins) {
  TSquareSet pawns = m.of[white ? kWhitePawn : kBlackPawn];
  TSquareSet target = TSquareSet{1} << to;
  TSquareSet diagonal = kPawnAttackers[white ? 0 : 1][to] & pawns;
  if (target & (white ? m.black : m.white)) {
    origins = diagonal;
    return true;
  }
  if (target & m.occupied) return false;
  if (diagonal != 0 && (white ? b.epforwhite : b.epforblack) != 0) return false;
  origins = 0;
  int rank = to % 8 + 1;
  if (white ? rank == 1 : rank == 8) return true;
  // the index runs along the file, rank by rank
  int behind = white ? to - 1 : to + 1;
  origins = pawns & (TSquareSet{1} << behind);
  bool doubleStep = white ? rank == 4 : rank == 5;
  if (doubleStep && (m.occupied & (TSquareSet{1} << behind)) == 0)
    origins |= pawns & (TSquareSet{1} << (white ? to - 2 : to + 2));
  return true;
}

// The squares of the first rank and of the last: the index runs along each file, rank by rank.
inline constexpr TSquareSet kFirstRank = 0x0101010101010101;
inline constexpr TSquareSet kLastRank = kFirstRank << 7;

// Out of check, a pawn or knight on none of the lines through its king cannot uncover it: such a
// pawn with the square ahead empty, or such a knight with a square to land on, has a move. This
// settles most positions before any piece is looked at on its own; inline, as it is asked after
// nearly every move read.
inline bool unpinnedPieceMoves(const TBoardMasks& m, const TSideState& side) {
  if (side.inCheck) return false;
  TSquareSet own = side.white ? m.white : m.black;
  TSquareSet clear = own & ~(kStraightLines[side.kingIndex] | kDiagonalLines[side.kingIndex]);
  TSquareSet pawns = clear & m.of[side.white ? kWhitePawn : kBlackPawn];
  TSquareSet ahead = side.white ? (pawns & ~kLastRank) << 1 : (pawns & ~kFirstRank) >> 1;
  if (ahead & ~m.occupied) return true;
  TSquareSet land = ~m.occupied | (side.white ? m.black : m.white);
  TSquareSet knights = clear & m.of[side.white ? kWhiteKnight : kBlackKnight];
  for (; knights != 0; knights &= knights - 1) {
    if (kKnightSquares[std::countr_zero(knights)] & land) return true;
  }
  return false;
}

// doska::status of the board, whose facts are given.
int statusIn(const doska& board, TPositionInfo& info, bool whiteToMove);

// A pawn reaching its last rank without a piece of its own colour to become. Inline, as
// searchRange: the reader asks both of every move.
inline bool promotionMissing(int piece, int torank, int promotion) {
  bool lastRank = (piece == kWhitePawn && torank == 8) || (piece == kBlackPawn && torank == 1);
  return lastRank && !isPromotionFor(piece, torank, promotion);
}

// The from-squares findmove may search: a given file or rank, or all; none for one off the board.
inline TSquareSet searchRange(int fromfile, int fromrank) {
  constexpr TSquareSet kFileA = 0xFF, kRankOne = 0x0101010101010101;
  TSquareSet files = fromfile == 0                    ? ~TSquareSet{0}
                     : fromfile >= 1 && fromfile <= 8 ? kFileA << ((fromfile - 1) * 8)
                                                      : 0;
  TSquareSet ranks = fromrank == 0                    ? ~TSquareSet{0}
                     : fromrank >= 1 && fromrank <= 8 ? kRankOne << (fromrank - 1)
                                                      : 0;
  return files & ranks;
}
