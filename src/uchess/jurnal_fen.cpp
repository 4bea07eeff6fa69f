#include <algorithm>

#include "uchess/fencastling.h"
#include "uchess/jurnal.h"

namespace {

// The text being read and where reading stands (0-based); every step leaves pos on the first
// character it did not take.
struct TFenReader {
  std::string_view text;
  size_t pos;
  bool atEnd() const { return pos >= text.size(); }
  char peek() const { return text[pos]; }
};

constexpr char kWhiteLetters[] = "PNBRQK";
constexpr char kBlackLetters[] = "pnbrqk";
constexpr int kClockLimit = 1000000000;  // larger clocks are nonsense; saturate before overflow

int pieceOfLetter(char c) {
  for (int i = 0; i < 6; ++i) {
    if (c == kWhiteLetters[i]) return i + 1;
    if (c == kBlackLetters[i]) return i + 7;
  }
  return kEmpty;
}

int readRank(TFenReader& rd, doska& board, int rank) {
  int file = 1;
  while (file <= 8) {
    if (rd.atEnd()) return kFenEarlyEnd;
    char c = rd.peek();
    int piece = pieceOfLetter(c);
    if (piece != kEmpty) {
      board.put(file++, rank, static_cast<uint8_t>(piece));
    } else if (c >= '1' && c <= '8') {
      int run = c - '0';
      if (file + run - 1 > 8) return kFenRankOverflow;
      for (int i = 0; i < run; ++i) board.put(file++, rank, kEmpty);
    } else {
      return kFenBadPiece;
    }
    ++rd.pos;
  }
  return 0;
}

int readPlacement(TFenReader& rd, doska& board) {
  for (int rank = 8; rank >= 1; --rank) {
    if (int error = readRank(rd, board, rank)) return error;
    if (rank == 1) break;
    if (rd.atEnd()) return kFenEarlyEnd;
    if (rd.peek() != '/') return kFenNoSlash;
    ++rd.pos;
  }
  return 0;
}

int expectSpace(TFenReader& rd) {
  if (rd.atEnd()) return kFenEarlyEnd;
  if (rd.peek() != ' ') return kFenNoSpace;
  ++rd.pos;
  return 0;
}

// Kings off their home squares have moved; the lost flags are the caller's.
void kingFlagsFromPlacement(doska& b) {
  b.wkingmoved = b.at(5, 1) == kWhiteKing ? 0 : 1;
  b.bkingmoved = b.at(5, 8) == kBlackKing ? 0 : 1;
}

void castlingFromPlacement(doska& b) {
  b.wqlost = b.at(1, 1) == kWhiteRook ? 0 : 1;
  b.wklost = b.at(8, 1) == kWhiteRook ? 0 : 1;
  b.bqlost = b.at(1, 8) == kBlackRook ? 0 : 1;
  b.bklost = b.at(8, 8) == kBlackRook ? 0 : 1;
  kingFlagsFromPlacement(b);
}

// A castling letter grants the right only when its rook stands in its corner.
bool applyCastlingLetter(doska& b, char c) {
  switch (c) {
    case 'K':
      if (b.at(8, 1) == kWhiteRook) b.wklost = 0;
      return true;
    case 'Q':
      if (b.at(1, 1) == kWhiteRook) b.wqlost = 0;
      return true;
    case 'k':
      if (b.at(8, 8) == kBlackRook) b.bklost = 0;
      return true;
    case 'q':
      if (b.at(1, 8) == kBlackRook) b.bqlost = 0;
      return true;
    default:
      return false;
  }
}

// The castling field's letters, up to four, with the errors of a malformed field.
int readCastlingLetters(TFenReader& rd, std::string& letters) {
  for (int i = 0; i < 4; ++i) {
    if (rd.atEnd()) return kFenEarlyEnd;
    char c = rd.peek();
    if (c == ' ') {
      if (i == 0) return kFenBadCastling;
      break;
    }
    if (c == '-') {
      if (i > 0) return kFenBadSide;
    } else if (!isCastlingLetter(c)) {
      return kFenBadCastling;
    }
    if (c != '-') letters += c;
    ++rd.pos;
  }
  return 0;
}

int readCastling(TFenReader& rd, doska& b, bool chess960) {
  b.wqlost = b.wklost = b.bqlost = b.bklost = 1;
  kingFlagsFromPlacement(b);
  std::string letters;
  if (int error = readCastlingLetters(rd, letters)) return error;
  if (chess960 || needsChess960(b, letters)) {
    applyChess960Castling(b, letters);
  } else {
    for (char c : letters) applyCastlingLetter(b, c);
  }
  return 0;
}

// An en-passant file counts only when the pawn that made the double step stands there and the
// side to move is the one that may take it: any other file would let a trial capture remove, and
// taking it back invent, a pawn that never was.
bool plausibleEnPassant(const doska& b, int file, bool forWhite, bool blackToMove) {
  if (forWhite) return !blackToMove && b.at(file, 5) == kBlackPawn && b.at(file, 6) == kEmpty;
  return blackToMove && b.at(file, 4) == kWhitePawn && b.at(file, 3) == kEmpty;
}

int readEnPassant(TFenReader& rd, jurnal& j) {
  if (rd.atEnd()) return kFenEarlyEnd;
  char c = rd.peek();
  if (c == '-') {
    ++rd.pos;
    return 0;
  }
  if (c < 'a' || c > 'h') return kFenBadEnPassantFile;
  ++rd.pos;
  if (rd.atEnd()) return kFenEarlyEnd;
  char rank = rd.peek();
  if (rank != '3' && rank != '6') return kFenBadEnPassantRank;
  ++rd.pos;
  int file = c - 'a' + 1;
  bool forWhite = rank == '6';
  if (!plausibleEnPassant(*j.board, file, forWhite, j.blackfirst != 0)) return 0;
  (forWhite ? j.board->epforwhite : j.board->epforblack) = static_cast<uint8_t>(file);
  j.startep = static_cast<uint8_t>(file);
  return 0;
}

int readNumber(TFenReader& rd) {
  int64_t value = 0;
  while (!rd.atEnd() && rd.peek() >= '0' && rd.peek() <= '9') {
    value = std::min<int64_t>(value * 10 + (rd.peek() - '0'), kClockLimit);
    ++rd.pos;
  }
  return static_cast<int>(value);
}

int readClocks(TFenReader& rd, jurnal& j) {
  if (int error = expectSpace(rd)) return error;
  if (rd.atEnd()) return 0;
  char c = rd.peek();
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 0;
  j.halfmoves = readNumber(rd);
  if (int error = expectSpace(rd)) return error;
  // a move number 0 would be written back as a move number the reader cannot take
  int fullmove = readNumber(rd);
  j.startnumber = fullmove > 0 ? fullmove - 1 : 0;
  return 0;
}

int readSide(TFenReader& rd, jurnal& j) {
  if (int error = expectSpace(rd)) return error;
  if (rd.atEnd()) return kFenEarlyEnd;
  if (rd.peek() != 'w' && rd.peek() != 'b') return kFenBadSide;
  j.blackfirst = rd.peek() == 'b' ? 1 : 0;
  ++rd.pos;
  return 0;
}

int readFen(TFenReader& rd, jurnal& j, bool chess960) {
  doska& b = *j.board;
  if (int error = readPlacement(rd, b)) return error;
  if (int error = readSide(rd, j)) return error;
  bool endsHere = rd.atEnd() || (rd.peek() == ' ' && rd.pos + 1 == rd.text.size());
  if (endsHere) {
    if (!rd.atEnd()) ++rd.pos;
    castlingFromPlacement(b);
    return 0;
  }
  if (int error = expectSpace(rd)) return error;
  if (int error = readCastling(rd, b, chess960)) return error;
  if (int error = expectSpace(rd)) return error;
  if (int error = readEnPassant(rd, j)) return error;
  if (rd.atEnd()) return 0;
  return readClocks(rd, j);
}

}  // namespace

std::unique_ptr<jurnal> jurnal::createfromfen(std::string_view text, int& error,
                                              int64_t& position, bool chess960) {
  auto line = std::make_unique<jurnal>(nullptr, nullptr);
  line->startboard = std::make_unique<doska>();
  line->board = line->startboard.get();
  TFenReader rd{text, 0};
  if (position > 1) {
    rd.pos = static_cast<uint64_t>(position - 1) < text.size() ? static_cast<size_t>(position - 1)
                                                               : text.size();
  }
  error = readFen(rd, *line, chess960);
  position = static_cast<int64_t>(rd.pos) + 1;
  if (error != 0) return nullptr;
  return line;
}
