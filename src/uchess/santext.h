#pragma once
// A move's short algebraic text from what is known of its position: the other pieces that could
// go to its target and the status it leaves. makesan asks the board for both; the reader, which
// has just worked them out, hands them in.

#include "uchess/boardscan.h"
#include "uchess/jurnal.h"
#include "uchess/squaresets.h"

// What the squares given, the other legal origins of the move's piece, share with its from-square.
TSanRivals rivalsAmong(const mov& m, TSquareSet origins);

// Sets m.san: piece, disambiguation, capture, target, promotion, the check or mate sign of the
// status (doska::status of the side to move after it) and the suffix of m.mark.
void setSanText(mov& m, const TSanRivals& rivals, int status);

// The check or mate sign of the status after the text.
inline void appendStatusSign(TSanText& text, int status) {
  if (status == kStatusCheck) text.append('+');
  if (status == kStatusMate) text.append('#');
}

// setSanText for a move found on a board (a piece, its squares on the board) that has no rival,
// castles not, promotes not and carries no mark, as nearly every move does: false, with m.san as
// it was, for any other.
bool setPlainSanText(mov& m, int status);

// The letters of the pieces, by white piece code.
inline constexpr char kSanPieceLetters[] = " PNBRQK";

// The text of a move with nothing to tell it apart from others: piece or from-file of a pawn's
// capture, capture, target, check or mate.
inline TSanText unrivalledSanText(uint8_t piece, int fromfile, int tofile, int torank, bool capture,
                                  int status) {
  char room[16] = {};
  int length = 0;
  if (piece != kWhitePawn && piece != kBlackPawn) {
    room[length++] = kSanPieceLetters[isBlackPiece(piece) ? piece - 6 : piece];
  } else if (capture) {
    room[length++] = static_cast<char>('a' + fromfile - 1);
  }
  if (capture) room[length++] = 'x';
  room[length++] = static_cast<char>('a' + tofile - 1);
  room[length++] = static_cast<char>('0' + torank);
  if (status == kStatusCheck) room[length++] = '+';
  if (status == kStatusMate) room[length++] = '#';
  TSanText text;
  text.assignPadded(room, static_cast<size_t>(length));
  return text;
}
inline void setUnrivalledSanText(mov& m, bool capture, int status) {
  m.san = unrivalledSanText(m.piece, m.fromfile, m.tofile, m.torank, capture, status);
}

// setPlainSanText for a plain step (no special byte, no castling) without rival or mark, which
// needs none of its questions. Inline: nearly every move read is one.
inline void setSteppedSanText(mov& m, int status) {
  setUnrivalledSanText(m, m.captured != kEmpty, status);
}
