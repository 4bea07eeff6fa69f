#include "support/plainboard.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <initializer_list>

#include "uchess/castling960.h"
#include "uchess/moveplay.h"
#include "uchess/random64.h"

namespace {

bool onBoard(int file, int rank) {
  return file >= 1 && file <= 8 && rank >= 1 && rank <= 8;
}

bool isFreeFor(uint8_t piece, bool moverWhite) {
  return piece == kEmpty || (moverWhite ? isBlackPiece(piece) : isWhitePiece(piece));
}

int sign(int value) {
  return (value > 0) - (value < 0);
}

bool isPawn(int piece) {
  return piece == kWhitePawn || piece == kBlackPawn;
}

bool pawnCanMove(const doska& b, bool white, int ff, int fr, int tf, int tr) {
  int ahead = white ? 1 : -1;
  uint8_t target = b.at(tf, tr);
  if (tf == ff && target == kEmpty) {
    if (tr == fr + ahead) return true;
    int startRank = white ? 2 : 7;
    return fr == startRank && tr == fr + 2 * ahead && b.at(ff, fr + ahead) == kEmpty;
  }
  if (std::abs(tf - ff) != 1 || tr != fr + ahead) return false;
  if (white ? isBlackPiece(target) : isWhitePiece(target)) return true;
  if (white) return fr == 5 && tf == b.epforwhite;
  return fr == 4 && tf == b.epforblack;
}

bool knightCanMove(const doska& b, bool white, int ff, int fr, int tf, int tr) {
  int df = std::abs(tf - ff), dr = std::abs(tr - fr);
  if (!((df == 2 && dr == 1) || (df == 1 && dr == 2))) return false;
  return isFreeFor(b.at(tf, tr), white);
}

bool sliderCanMove(const doska& b, bool white, bool diagonal, bool straight, int ff, int fr, int tf,
                   int tr) {
  int df = tf - ff, dr = tr - fr;
  bool isDiagonal = df != 0 && std::abs(df) == std::abs(dr);
  bool isStraight = (df == 0) != (dr == 0);
  if (!((diagonal && isDiagonal) || (straight && isStraight))) return false;
  int stepFile = sign(df), stepRank = sign(dr);
  for (int f = ff + stepFile, r = fr + stepRank; f != tf || r != tr; f += stepFile, r += stepRank) {
    if (b.at(f, r) != kEmpty) return false;
  }
  return isFreeFor(b.at(tf, tr), white);
}

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

bool wingLost(const doska& b, bool white, bool kingside) {
  if (white) return (kingside ? b.wklost : b.wqlost) != 0;
  return (kingside ? b.bklost : b.bqlost) != 0;
}

bool promotionMissing(int piece, int torank, int promotion) {
  bool lastRank = (piece == kWhitePawn && torank == 8) || (piece == kBlackPawn && torank == 1);
  return lastRank && !isPromotionFor(piece, torank, promotion);
}

bool isCapture(const mov& m) {
  return m.captured != kEmpty || m.special == kWhitePawn || m.special == kBlackPawn;
}

}  // namespace

bool TPlainBoard::attackedByScan(int file, int rank, int side) const {
  for (int f = 1; f <= 8; ++f) {
    for (int r = 1; r <= 8; ++r) {
      if (f == file && r == rank) continue;
      uint8_t piece = cells.at(f, r);
      if (side == kWhite ? !isWhitePiece(piece) : !isBlackPiece(piece)) continue;
      int df = std::abs(f - file);
      if (piece == kWhitePawn) {
        if (df == 1 && rank - r == 1) return true;
      } else if (piece == kBlackPawn) {
        if (df == 1 && r - rank == 1) return true;
      } else if (isKing(piece)) {
        if (df <= 1 && std::abs(r - rank) <= 1) return true;
      } else if (canmove(f, r, file, rank)) {
        return true;
      }
    }
  }
  return false;
}

// The outward look from the target: pawns and kings by pattern, then knights and rays.
bool TPlainBoard::attacked(int file, int rank, int side) const {
  if (!onBoard(file, rank)) return attackedByScan(file, rank, side);
  bool white = side == kWhite;
  uint8_t offset = white ? 0 : 6;
  int pawnRank = white ? rank - 1 : rank + 1;
  for (int df : {-1, 1}) {
    if (onBoard(file + df, pawnRank) && cells.at(file + df, pawnRank) == kWhitePawn + offset)
      return true;
  }
  for (int df = -1; df <= 1; ++df)
    for (int dr = -1; dr <= 1; ++dr)
      if ((df || dr) && onBoard(file + df, rank + dr) &&
          cells.at(file + df, rank + dr) == kWhiteKing + offset)
        return true;
  uint8_t target = cells.at(file, rank);
  if (target != kEmpty && !(white ? isBlackPiece(target) : isWhitePiece(target))) return false;
  constexpr int kJumps[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
  for (const auto& jump : kJumps) {
    int f = file + jump[0], r = rank + jump[1];
    if (onBoard(f, r) && cells.at(f, r) == kWhiteKnight + offset) return true;
  }
  for (int df = -1; df <= 1; ++df) {
    for (int dr = -1; dr <= 1; ++dr) {
      if (!df && !dr) continue;
      uint8_t slider = (df && dr) ? kWhiteBishop + offset : kWhiteRook + offset;
      for (int f = file + df, r = rank + dr; onBoard(f, r); f += df, r += dr) {
        uint8_t piece = cells.at(f, r);
        if (piece == kEmpty) continue;
        if (piece == slider || piece == kWhiteQueen + offset) return true;
        break;
      }
    }
  }
  return false;
}

bool TPlainBoard::canCastle(bool white, int ff, int fr, int tf, int tr) const {
  const doska& b = cells;
  int home = white ? 1 : 8;
  if (ff != 5 || fr != home || tr != home || (tf != 3 && tf != 7)) return false;
  if ((white ? b.wkingmoved : b.bkingmoved) != 0) return false;
  int enemy = white ? kBlack : kWhite;
  if (tf == 3) {
    if ((white ? b.wqlost : b.bqlost) != 0) return false;
    if (b.at(2, home) != kEmpty || b.at(3, home) != kEmpty || b.at(4, home) != kEmpty) return false;
    return !attacked(3, home, enemy) && !attacked(4, home, enemy) && !attacked(5, home, enemy);
  }
  if ((white ? b.wklost : b.bklost) != 0) return false;
  if (b.at(6, home) != kEmpty || b.at(7, home) != kEmpty) return false;
  return !attacked(6, home, enemy) && !attacked(7, home, enemy) && !attacked(5, home, enemy);
}

bool TPlainBoard::canCastleOntoRook(bool white, int ff, int fr, int tf, int tr) const {
  const doska& b = cells;
  int side = white ? kWhite : kBlack, rank = white ? 1 : 8;
  uint8_t rook = white ? kWhiteRook : kBlackRook;
  if (fr != rank || tr != rank || ff != b.kingfile[side] || tf == ff) return false;
  if ((white ? b.wkingmoved : b.bkingmoved) != 0 || b.at(tf, rank) != rook) return false;
  bool kingside = tf > ff;
  if (b.rookfile[side][kingside ? 0 : 1] != tf || wingLost(b, white, kingside)) return false;
  int kingTo = kingEndFile(ff, tf), rookTo = rookEndFile(ff, tf);
  int low = std::min({ff, tf, kingTo, rookTo}), high = std::max({ff, tf, kingTo, rookTo});
  for (int f = low; f <= high; ++f) {
    if (f != ff && f != tf && b.at(f, rank) != kEmpty) return false;
  }
  for (int f = std::min(ff, kingTo); f <= std::max(ff, kingTo); ++f) {
    if (attacked(f, rank, white ? kBlack : kWhite)) return false;
  }
  return true;
}

bool TPlainBoard::kingCanMove(bool white, int ff, int fr, int tf, int tr) const {
  if (cells.chess960 && castlesOntoRook(cells, ff, fr, tf, tr))
    return canCastleOntoRook(white, ff, fr, tf, tr);
  if (std::abs(tf - ff) <= 1 && std::abs(tr - fr) <= 1)
    return isFreeFor(cells.at(tf, tr), white) && !attacked(tf, tr, white ? kBlack : kWhite);
  return !cells.chess960 && canCastle(white, ff, fr, tf, tr);
}

bool TPlainBoard::canmove(int ff, int fr, int tf, int tr) const {
  if (!onBoard(ff, fr) || !onBoard(tf, tr)) return false;
  uint8_t piece = cells.at(ff, fr);
  if (piece == kEmpty || piece > kBlackKing) return false;
  bool white = isWhitePiece(piece);
  switch (white ? piece : piece - 6) {
    case kWhitePawn:
      return pawnCanMove(cells, white, ff, fr, tf, tr);
    case kWhiteKnight:
      return knightCanMove(cells, white, ff, fr, tf, tr);
    case kWhiteBishop:
      return sliderCanMove(cells, white, true, false, ff, fr, tf, tr);
    case kWhiteRook:
      return sliderCanMove(cells, white, false, true, ff, fr, tf, tr);
    case kWhiteQueen:
      return sliderCanMove(cells, white, true, true, ff, fr, tf, tr);
    default:
      return kingCanMove(white, ff, fr, tf, tr);
  }
}

// Played on a copy, then the first king of the mover (files, then ranks) looked at.
bool TPlainBoard::legalmove(int ff, int fr, int tf, int tr) const {
  if (!canmove(ff, fr, tf, tr)) return false;
  bool white = isWhitePiece(cells.at(ff, fr));
  doska after = cells;
  playMove(after, recordMove(cells, ff, fr, tf, tr, 0, 0));
  int kingFile = 0, kingRank = 0;
  if (!findPiece(after, white ? kWhiteKing : kBlackKing, kingFile, kingRank)) return true;
  return !TPlainBoard(after).attacked(kingFile, kingRank, white ? kBlack : kWhite);
}

int TPlainBoard::status(bool whiteToMove) const {
  int kingFile = 0, kingRank = 0;
  if (!findPiece(cells, whiteToMove ? kWhiteKing : kBlackKing, kingFile, kingRank))
    return kStatusNoKing;
  bool inCheck = attacked(kingFile, kingRank, whiteToMove ? kBlack : kWhite);
  bool hasMove = false;
  for (int ff = 1; ff <= 8 && !hasMove; ++ff) {
    for (int fr = 1; fr <= 8 && !hasMove; ++fr) {
      uint8_t piece = cells.at(ff, fr);
      if (whiteToMove ? !isWhitePiece(piece) : !isBlackPiece(piece)) continue;
      for (int tf = 1; tf <= 8 && !hasMove; ++tf)
        for (int tr = 1; tr <= 8 && !hasMove; ++tr) hasMove = legalmove(ff, fr, tf, tr);
    }
  }
  if (inCheck) return hasMove ? kStatusCheck : kStatusMate;
  return hasMove ? kStatusNone : kStatusStalemate;
}

int TPlainBoard::statusAfter(const mov& m) const {
  doska after = cells;
  playMove(after, m);
  return TPlainBoard(after).status(isBlackPiece(m.piece));
}

int TPlainBoard::findmove(int piece, int& promotion, int& fromfile, int& fromrank, int tofile,
                          int& torank) const {
  if (piece == kEmpty) return kNoPiece;
  if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
  int firstFile = fromfile == 0 ? 1 : fromfile, lastFile = fromfile == 0 ? 8 : fromfile;
  int firstRank = fromrank == 0 ? 1 : fromrank, lastRank = fromrank == 0 ? 8 : fromrank;
  int foundFile = 0, foundRank = 0, result = kNoSuchMove;
  for (int f = firstFile; f <= lastFile; ++f) {
    for (int r = firstRank; r <= lastRank; ++r) {
      if (!onBoard(f, r) || cells.at(f, r) != piece) continue;
      if (torank == 0) torank = piece == kWhitePawn ? r + 1 : piece == kBlackPawn ? r - 1 : 0;
      if (!legalmove(f, r, tofile, torank)) continue;
      if (foundFile != 0) return kAmbiguousMove;
      if (promotionMissing(piece, torank, promotion)) return kPromotionMissing;
      foundFile = f;
      foundRank = r;
      mov found = recordMove(cells, f, r, tofile, torank, promotion, 0);
      result = statusAfter(found);
      promotion = found.special;
    }
  }
  if (foundFile == 0) return kNoSuchMove;
  fromfile = foundFile;
  fromrank = foundRank;
  return result;
}

uint64_t TPlainBoard::poskey(bool blackToMove) const {
  const doska& b = cells;
  uint64_t key = 0;
  for (int file = 1; file <= 8; ++file) {
    for (int rank = 1; rank <= 8; ++rank) {
      int kind = randomKind(b.at(file, rank));
      if (kind >= 0) key ^= kRandom64[64 * kind + 8 * (rank - 1) + (file - 1)];
    }
  }
  for (int side : {kWhite, kBlack}) {
    for (int wing : {0, 1}) {
      if (!b.castleright(side, wing == 1)) continue;
      key ^= kRandom64[kRandomCastle + 2 * side + wing];
      int file = b.rookfile[side][wing], corner = wing == 0 ? 8 : 1;
      if (b.chess960 && file != corner && file >= 1 && file <= 8)
        key ^= std::rotl(kRandom64[kRandomCastle + 2 * side + wing], 8 * file);
    }
  }
  int file = blackToMove ? b.epforblack : b.epforwhite;
  int pawnRank = blackToMove ? 4 : 5;
  uint8_t pawn = blackToMove ? kBlackPawn : kWhitePawn;
  if (file >= 1 && file <= 8 &&
      ((file > 1 && b.at(file - 1, pawnRank) == pawn) || (file < 8 && b.at(file + 1, pawnRank) == pawn)))
    key ^= kRandom64[kRandomEnPassant + file - 1];
  if (!blackToMove) key ^= kRandom64[kRandomWhiteToMove];
  return key;
}

void TPlainBoard::appendDisambiguation(const mov& m, std::string& text) const {
  bool any = false, onFile = false, onRank = false;
  for (int f = 1; f <= 8; ++f) {
    for (int r = 1; r <= 8; ++r) {
      if ((f == m.fromfile && r == m.fromrank) || cells.at(f, r) != m.piece) continue;
      if (!legalmove(f, r, m.tofile, m.torank)) continue;
      any = true;
      onFile |= f == m.fromfile;
      onRank |= r == m.fromrank;
    }
  }
  if (!any && !(isPawn(m.piece) && isCapture(m))) return;
  if (!onFile || onRank) text += static_cast<char>('a' + m.fromfile - 1);
  if (onFile) text += static_cast<char>('0' + m.fromrank);
}

std::string TPlainBoard::san(const mov& m) const {
  constexpr char kLetters[] = " PNBRQK";
  constexpr const char* kSuffixes[] = {"", "!", "?", "!!", "??", "!?", "?!"};
  std::string text;
  if (castlesOntoRook(m)) {
    text = m.tofile > m.fromfile ? "O-O" : "O-O-O";
  } else if (isKing(m.piece) && m.fromfile == 5 && (m.tofile == 3 || m.tofile == 7)) {
    text = m.tofile == 3 ? "O-O-O" : "O-O";
  } else {
    int kind = isBlackPiece(m.piece) ? m.piece - 6 : m.piece;
    if (!isPawn(m.piece) && kind >= 1 && kind <= 6) text += kLetters[kind];
    appendDisambiguation(m, text);
    if (isCapture(m)) text += 'x';
    text += static_cast<char>('a' + m.tofile - 1);
    text += static_cast<char>('0' + m.torank);
    int promoted = isBlackPiece(m.special) ? m.special - 6 : m.special;
    if (promoted >= kWhiteKnight && promoted <= kWhiteQueen) {
      text += '=';
      text += kLetters[promoted];
    }
  }
  int after = statusAfter(m);
  if (after == kStatusCheck) text += '+';
  if (after == kStatusMate) text += '#';
  if (m.mark >= 1 && m.mark <= 6) text += kSuffixes[m.mark];
  return text.substr(0, TSanText::kCapacity);
}
