#include "uchess/moveplay.h"

#include <cstdlib>

#include "uchess/castling960.h"

namespace {

bool onBoard(int file, int rank) {
  return file >= 1 && file <= 8 && rank >= 1 && rank <= 8;
}

bool isPawn(int piece) {
  return piece == kWhitePawn || piece == kBlackPawn;
}
bool isEnPassantMark(int special) {
  return special == kWhitePawn || special == kBlackPawn;
}

// Only files are looked at: the king's rank is its own back rank whenever castling is possible.
bool castlesQueenside(int piece, int fromfile, int tofile) {
  return isKing(piece) && fromfile == 5 && tofile == 3;
}
bool castlesKingside(int piece, int fromfile, int tofile) {
  return isKing(piece) && fromfile == 5 && tofile == 7;
}

// A flag is recorded as changed only when it was clear, so that taking the move back clears
// exactly what the move set.
bool isCorner(int file, int rank) {
  return (file == 1 || file == 8) && (rank == 1 || rank == 8);
}

// The special byte a move really carries. A promotion piece counts only for a pawn reaching its
// last rank: a stray one on any other move would turn a knight into a queen or, as 1 or 7, empty
// an unrelated square.
uint8_t specialOf(int piece, int ff, int tf, int tr, uint8_t captured, int promotion) {
  bool mayBeEnPassant = promotion == 0 || isEnPassantMark(promotion);
  if (mayBeEnPassant && isPawn(piece) && std::abs(tf - ff) == 1 && captured == kEmpty)
    return piece == kWhitePawn ? kBlackPawn : kWhitePawn;
  return isPromotionFor(piece, tr, promotion) ? static_cast<uint8_t>(promotion) : 0;
}

void moveContents(doska& b, int fromfile, int tofile, int rank) {
  b.put(tofile, rank, b.at(fromfile, rank));
  b.put(fromfile, rank, kEmpty);
}

bool validSquares(const mov& m) {
  return onBoard(m.fromfile, m.fromrank) && onBoard(m.tofile, m.torank);
}

// The king already stands on its target; a castling onto the rook takes the king from the rook's
// square to its end square and puts the rook beside it.
void moveCastlingRook(doska& b, const mov& m) {
  int home = m.piece == kWhiteKing ? 1 : 8;
  if (castlesOntoRook(m)) {
    b.put(m.tofile, m.torank, kEmpty);
    b.put(kingEndFile(m.fromfile, m.tofile), m.torank, m.piece);
    b.put(rookEndFile(m.fromfile, m.tofile), m.torank, m.captured);
  } else if (castlesQueenside(m.piece, m.fromfile, m.tofile)) {
    moveContents(b, 1, 4, home);
  } else if (castlesKingside(m.piece, m.fromfile, m.tofile)) {
    moveContents(b, 8, 6, home);
  }
}

// The king and what it took are back on their squares; the end squares of a castling onto the
// rook are emptied first, as they may be the start squares.
void returnCastlingRook(doska& b, const mov& m) {
  int home = m.piece == kWhiteKing ? 1 : 8;
  if (castlesOntoRook(m)) {
    b.put(kingEndFile(m.fromfile, m.tofile), m.torank, kEmpty);
    b.put(rookEndFile(m.fromfile, m.tofile), m.torank, kEmpty);
    b.put(m.fromfile, m.fromrank, m.piece);
    b.put(m.tofile, m.torank, m.captured);
  } else if (castlesQueenside(m.piece, m.fromfile, m.tofile)) {
    moveContents(b, 4, 1, home);
  } else if (castlesKingside(m.piece, m.fromfile, m.tofile)) {
    moveContents(b, 6, 8, home);
  }
}

// A move that only takes its piece to another square, as most do: no promotion or en passant,
// no castling, and a record that says what the board holds.
bool isPlainStep(const doska& b, const mov& m) {
  if (m.special != 0 || !validSquares(m)) return false;
  if (isKing(m.piece) && std::abs(m.tofile - m.fromfile) > 1) return false;
  int from = (m.fromfile - 1) * 8 + (m.fromrank - 1), to = (m.tofile - 1) * 8 + (m.torank - 1);
  return b.atIndex(from) == m.piece && b.atIndex(to) == m.captured && b.canStep(from, to);
}

}  // namespace

uint8_t changedState(const doska& b, int piece, int ff, int fr, int tf, int tr) {
  uint8_t c = 0;
  if (piece == kWhitePawn && fr == 2 && tr == 4) c |= kWhiteDoubleStep;
  if (piece == kBlackPawn && fr == 7 && tr == 5) c |= kBlackDoubleStep;
  if (b.chess960) return c | castlingChanges960(b, piece, ff, fr, tf, tr);
  // only a king's move, or one from or to a corner, changes a castling flag
  if (!isKing(piece) && !isCorner(ff, fr) && !isCorner(tf, tr)) return c;
  // a king's step onto no corner, the most common of these, changes its moved flag alone
  if (isKing(piece) && std::abs(tf - ff) <= 1 && !isCorner(tf, tr)) {
    const bool white = piece == kWhiteKing;
    if (white ? b.wkingmoved : b.bkingmoved) return c;
    return c | (white ? kMovesWhiteKing : kMovesBlackKing);
  }
  bool kingside = castlesKingside(piece, ff, tf), queenside = castlesQueenside(piece, ff, tf);
  bool white = piece == kWhiteKing, black = piece == kBlackKing;
  bool kingStep = std::abs(tf - ff) <= 1;
  if (!b.wqlost &&
      ((piece == kWhiteRook && ff == 1 && fr == 1) || (tf == 1 && tr == 1) || (white && queenside)))
    c |= kLosesWhiteQueenside;
  if (!b.wklost &&
      ((piece == kWhiteRook && ff == 8 && fr == 1) || (tf == 8 && tr == 1) || (white && kingside)))
    c |= kLosesWhiteKingside;
  if (!b.bqlost &&
      ((piece == kBlackRook && ff == 1 && fr == 8) || (tf == 1 && tr == 8) || (black && queenside)))
    c |= kLosesBlackQueenside;
  if (!b.bklost &&
      ((piece == kBlackRook && ff == 8 && fr == 8) || (tf == 8 && tr == 8) || (black && kingside)))
    c |= kLosesBlackKingside;
  if (!b.wkingmoved && white && (kingStep || kingside || queenside)) c |= kMovesWhiteKing;
  if (!b.bkingmoved && black && (kingStep || kingside || queenside)) c |= kMovesBlackKing;
  return c;
}

bool isPromotionFor(int piece, int torank, int special) {
  if (piece == kWhitePawn) return torank == 8 && special >= kWhiteKnight && special <= kWhiteQueen;
  if (piece == kBlackPawn) return torank == 1 && special >= kBlackKnight && special <= kBlackQueen;
  return false;
}

void fillRecord(mov& m, const doska& board, int fromfile, int fromrank, int tofile, int torank,
                int promotion) {
  m.piece = board.at(fromfile, fromrank);
  m.fromfile = static_cast<uint8_t>(fromfile);
  m.fromrank = static_cast<uint8_t>(fromrank);
  m.tofile = static_cast<uint8_t>(tofile);
  m.torank = static_cast<uint8_t>(torank);
  m.captured = board.at(tofile, torank);
  m.special = specialOf(m.piece, fromfile, tofile, torank, m.captured, promotion);
  m.changes = changedState(board, m.piece, fromfile, fromrank, tofile, torank);
}

mov recordMove(const doska& board, int fromfile, int fromrank, int tofile, int torank,
               int promotion, int mark) {
  mov m{};
  fillRecord(m, board, fromfile, fromrank, tofile, torank, promotion);
  m.mark = static_cast<uint8_t>(mark);
  return m;
}

void setChangedFlags(doska& b, uint8_t c, uint8_t value) {
  if (c & kLosesWhiteQueenside) b.wqlost = value;
  if (c & kLosesWhiteKingside) b.wklost = value;
  if (c & kLosesBlackQueenside) b.bqlost = value;
  if (c & kLosesBlackKingside) b.bklost = value;
  if (c & kMovesWhiteKing) b.wkingmoved = value;
  if (c & kMovesBlackKing) b.bkingmoved = value;
}

void playMove(doska& b, const mov& m) {
  if (isPlainStep(b, m)) {
    stepPieceOf(b, m);
  } else if (validSquares(m)) {
    b.put(m.fromfile, m.fromrank, kEmpty);
    b.put(m.tofile, m.torank, m.piece);
    if (m.special != 0) {
      if (m.torank == 1 || m.torank == 8) {
        b.put(m.tofile, m.torank, m.special);
      } else if (m.special == kBlackPawn) {
        b.put(m.tofile, m.torank - 1, kEmpty);
      } else if (m.special == kWhitePawn) {
        b.put(m.tofile, m.torank + 1, kEmpty);
      }
    }
    if (isKing(m.piece)) moveCastlingRook(b, m);
  }
  takeStateChanges(b, m);
}

void unplayMove(doska& b, const mov& m) {
  if (validSquares(m)) {
    b.put(m.fromfile, m.fromrank, m.piece);
    b.put(m.tofile, m.torank, m.captured);
    // mirrors playMove: on the last ranks the special byte was a promotion, undone above
    if (m.torank != 1 && m.torank != 8) {
      if (m.special == kBlackPawn) b.put(m.tofile, m.torank - 1, kBlackPawn);
      if (m.special == kWhitePawn) b.put(m.tofile, m.torank + 1, kWhitePawn);
    }
    if (isKing(m.piece)) returnCastlingRook(b, m);
  }
  setChangedFlags(b, m.changes, 0);
}
