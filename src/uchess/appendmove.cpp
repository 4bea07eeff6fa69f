#include "uchess/appendmove.h"

#include <utility>

#include "uchess/boardscan.h"
#include "uchess/castling960.h"
#include "uchess/legality.h"
#include "uchess/moveplay.h"
#include "uchess/plainmove.h"
#include "uchess/plainstatus.h"
#include "uchess/positioninfo.h"
#include "uchess/santext.h"

bool findMoveByPositionFacts(const doska& board, int piece, int promotion, int fromfile,
                             int fromrank, int tofile, int torank, TAppendableMove& found) {
  if (boardByScan() || piece == kEmpty || !isSquare(tofile, torank)) return false;
  if (promotionMissing(piece, torank, promotion)) return false;
  TPositionInfo& info = positionInfo(board);
  // a move that takes the last king leaves a position with no status to give
  bool white = isWhitePiece(piece);
  if ((info.masks.of[white ? kBlackKing : kWhiteKing] & ~squareBit(tofile, torank)) == 0)
    return false;
  TSquareSet origins = legalOriginsIn(board, info, piece, tofile, torank, ~TSquareSet{0});
  TSquareSet chosen = origins & searchRange(fromfile, fromrank);
  // one square; std::has_single_bit would call a library popcount on a plain x86-64 build
  if (chosen == 0 || (chosen & (chosen - 1)) != 0) return false;
  int file = 0, rank = 0;
  lowestSquare(chosen, file, rank);
  fillRecord(found.record, board, file, rank, tofile, torank, promotion);
  // findmove hands back the special byte as the promotion, and addmove records with that
  if (promotion != 0 && promotion != found.record.special) return false;
  found.rivals = origins & ~chosen;
  found.before = &info;
  return true;
}

int appendFoundMove(jurnal& line, TAppendableMove& found, int mark) {
  doska& board = *line.board;
  mov& m = found.record;
  m.mark = static_cast<uint8_t>(mark);
  if (line.moves.empty()) line.blackfirst = isBlackPiece(m.piece) ? 1 : 0;
  // the plain way's records are made on this board; a special byte or a castling's rook sets
  // one apart. It finds no castling onto the rook: the king never steps onto a piece of its own.
  bool plainStep = found.before == nullptr && m.special == 0 && !castlesFromEFile(m);
  if (plainStep)
    playPlainStep(board, m);
  else
    playMove(board, m);
  bool whiteAfter = !isWhitePiece(m.piece);
  int status = found.before
                   ? statusIn(board, positionInfoAfterMove(*found.before, board), whiteAfter)
                   : plainStatus(board, whiteAfter);
  if (status < 0) status = statusIn(board, positionInfo(board), whiteAfter);
  if (plainStep && found.rivals == 0 && m.mark == 0)
    setSteppedSanText(m, status);
  else if (found.rivals != 0 || !setPlainSanText(m, status))
    setSanText(m, rivalsAmong(m, found.rivals), status);
  line.moves.push_back(std::move(m));
  ++line.current;
  // the sets found the board plain before the move, which takes no king and makes none
  if (found.before == nullptr) board.markPlain();
  return status;
}
