#include <string_view>

#include "uchess/boardscan.h"
#include "uchess/castling960.h"
#include "uchess/foundmove.h"
#include "uchess/jurnal.h"
#include "uchess/legality.h"
#include "uchess/moveplay.h"
#include "uchess/santext.h"
#include "uchess/squaresets.h"

namespace {

constexpr const char* kMarkSuffixes[] = {"", "!", "?", "!!", "??", "!?", "?!"};

bool isPawn(int piece) {
  return piece == kWhitePawn || piece == kBlackPawn;
}
char fileLetter(int file) {
  return static_cast<char>('a' + file - 1);
}
char rankDigit(int rank) {
  return static_cast<char>('0' + rank);
}

// The text as it is built. However odd the record, no text runs past 11 characters: a piece
// letter, two of disambiguation, "x", the square, "=Q", "#" and a two-character mark; so a
// character is put without a look at the room left.
struct TSanBuilder {
  char chars[16] = {};
  int length = 0;
  TSanBuilder& operator+=(char c) {
    chars[length++] = c;
    return *this;
  }
  TSanBuilder& operator+=(std::string_view text) {
    for (char c : text) *this += c;
    return *this;
  }
  std::string_view view() const { return {chars, static_cast<size_t>(length)}; }
};

bool isCapture(const mov& m) {
  return m.captured != kEmpty || m.special == kWhitePawn || m.special == kBlackPawn;
}

// Pawns, knights and kings reach a square only from a few fixed squares: when none of those
// holds another piece of the move's code, there is no rival to look for.
bool noRivalNear(const doska& board, const mov& m) {
  if (!isSquare(m.tofile, m.torank)) return true;
  bool white = isWhitePiece(m.piece);
  int kind = white ? m.piece : m.piece - 6, to = squareIndex(m.tofile, m.torank);
  TSquareSet near = 0;
  if (kind == kWhitePawn)
    near = pawnOrigins(m.tofile, m.torank, white);
  else if (kind == kWhiteKnight)
    near = kKnightSquares[to];
  else if (kind == kWhiteKing)
    near = kKingSquares[to] | (m.tofile == 3 || m.tofile == 7 ? squareBit(5, m.torank) : 0);
  else
    return false;
  if (isSquare(m.fromfile, m.fromrank)) near &= ~squareBit(m.fromfile, m.fromrank);
  return (near & board.sets().of[m.piece]) == 0;
}

// The other pieces of the move's code that could legally go to its target.
TSanRivals sanRivals(doska& board, const mov& m, const TFoundFacts* found) {
  if (boardByScan()) return sanRivalsByScan(board, m);
  TSquareSet others = ~TSquareSet{0};
  if (isSquare(m.fromfile, m.fromrank)) others = ~squareBit(m.fromfile, m.fromrank);
  TSquareSet origins = 0;
  if (found && found->originsKnown)
    origins = found->origins & others;  // the near squares are among those findmove searched
  else if (!noRivalNear(board, m))
    origins = legalOrigins(board, m.piece, m.tofile, m.torank, others);
  return rivalsAmong(m, origins);
}

// What tells the mover apart from the other pieces of its code that could go to the same square.
void appendDisambiguation(const mov& m, const TSanRivals& rivals, TSanBuilder& text) {
  // a pawn capture always names its file
  if (!rivals.any && !(isPawn(m.piece) && isCapture(m))) return;
  if (!rivals.onFile) {
    text += fileLetter(m.fromfile);
  } else if (rivals.onRank) {
    text += fileLetter(m.fromfile);
    text += rankDigit(m.fromrank);
  } else {
    text += rankDigit(m.fromrank);
  }
}

void appendPieceMove(const mov& m, const TSanRivals& rivals, TSanBuilder& text) {
  int kind = isBlackPiece(m.piece) ? m.piece - 6 : m.piece;
  if (!isPawn(m.piece) && kind >= 1 && kind <= 6) text += kSanPieceLetters[kind];
  appendDisambiguation(m, rivals, text);
  if (isCapture(m)) text += 'x';
  text += fileLetter(m.tofile);
  text += rankDigit(m.torank);
  int promoted = isBlackPiece(m.special) ? m.special - 6 : m.special;
  if (promoted >= kWhiteKnight && promoted <= kWhiteQueen) {
    text += '=';
    text += kSanPieceLetters[promoted];
  }
}

// The move is made on a copy: taking it back could not restore a square that an inconsistent
// record (an en-passant file no pawn stood on) emptied.
int statusAfter(const doska& board, const mov& m) {
  doska after = board;
  playMove(after, m);
  return after.status(isBlackPiece(m.piece));
}

}  // namespace

TSanRivals rivalsAmong(const mov& m, TSquareSet origins) {
  TSanRivals rivals;
  for (TSquareSet c = origins; c != 0; c &= c - 1) {
    int f = 0, r = 0;
    lowestSquare(c, f, r);
    rivals.any = true;
    rivals.onFile |= f == m.fromfile;
    rivals.onRank |= r == m.fromrank;
  }
  return rivals;
}

void setSanText(mov& m, const TSanRivals& rivals, int status) {
  TSanBuilder text;
  if (castlesOntoRook(m)) {
    text += m.tofile > m.fromfile ? "O-O" : "O-O-O";
  } else if (castlesFromEFile(m)) {
    text += m.tofile == 3 ? "O-O-O" : "O-O";
  } else {
    appendPieceMove(m, rivals, text);
  }
  if (status == kStatusCheck) text += '+';
  if (status == kStatusMate) text += '#';
  if (m.mark >= 1 && m.mark <= 6) text += kMarkSuffixes[m.mark];
  static_assert(sizeof(text.chars) >= TSanText::kCapacity);
  m.san.assignPadded(text.chars, static_cast<size_t>(text.length));
}

bool setPlainSanText(mov& m, int status) {
  bool king = isKing(m.piece);
  bool enPassant = m.special == kWhitePawn || m.special == kBlackPawn;
  if ((m.special != 0 && !enPassant) || m.mark != 0 ||
      (king && (castlesOntoRook(m) || castlesFromEFile(m))))
    return false;
  setUnrivalledSanText(m, m.captured != kEmpty || enPassant, status);
  return true;
}

void jurnal::makesan() {
  if (board == nullptr || current < 0 || current >= movecount()) return;
  mov& m = moves[current];
  // what findmove learned when it found this move on this board
  const TFoundFacts* found = boardByScan() ? nullptr : foundMoveFacts(*board, m);
  // castling names no rivals, so they are not looked for
  bool castles = castlesOntoRook(m) || castlesFromEFile(m);
  TSanRivals rivals = castles ? TSanRivals{} : sanRivals(*board, m, found);
  int status =
      found && found->whiteAfter == isBlackPiece(m.piece) ? found->status : statusAfter(*board, m);
  setSanText(m, rivals, status);
}
