// The movetext reader's move tokens: piece and pawn moves in short algebraic notation, castling.

#include "Upgnread/movetext.h"
#include "Upgnread/movetext_state.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"
#include "uchess/appendmove.h"
#include "uchess/plainmove.h"

namespace {

// A move as written: what findmove needs, plus the marks written after it.
struct TWrittenMove {
  int piece = 0;
  int promotion = 0;
  int fromfile = 0;
  int fromrank = 0;
  int tofile = 0;
  int torank = 0;
  bool capture = false;
  bool enPassantMark = false;  // "e.p." written after the squares
  bool check = false;
  bool mate = false;
};

bool isFileLetter(char c) {
  return c >= 'a' && c <= 'h';
}
bool isRankDigit(char c) {
  return c >= '1' && c <= '8';
}
bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// White codes; a black piece is the white code + 6.
int pieceOfLetter(char c) {
  switch (c) {
    case 'P':
      return kWhitePawn;
    case 'N':
      return kWhiteKnight;
    case 'B':
      return kWhiteBishop;
    case 'R':
      return kWhiteRook;
    case 'Q':
      return kWhiteQueen;
    case 'K':
      return kWhiteKing;
    default:
      return 0;
  }
}

int promotionOfLetter(char c) {
  return c == 'B' || c == 'N' || c == 'Q' || c == 'R' ? pieceOfLetter(c) : 0;
}

int ofSide(int whiteCode, bool white) {
  return white ? whiteCode : whiteCode + 6;
}

// An optional file letter, then an optional rank digit.
void readSquareParts(TMovetextState& state, int& file, int& rank) {
  if (!state.atEnd() && isFileLetter(state.current())) {
    file = state.current() - 'a' + 1;
    ++state.position;
  }
  if (!state.atEnd() && isRankDigit(state.current())) {
    rank = state.current() - '0';
    ++state.position;
  }
}

// The squares: what comes first is the from-square only when a file or "x" follows it.
bool readSquares(TMovetextState& state, TWrittenMove& move) {
  readSquareParts(state, move.fromfile, move.fromrank);
  // Long algebraic: the from-square in full, "-" and the target ("e2-e4", "Ng1-f3").
  if (move.fromfile != 0 && move.fromrank != 0 && state.peek(0) == '-' &&
      isFileLetter(state.peek(1)))
    ++state.position;
  if (state.atEnd() || (!isFileLetter(state.current()) && state.current() != 'x')) {
    if (!state.atEnd() && isRankDigit(state.current())) return false;
    move.tofile = move.fromfile;
    move.torank = move.fromrank;
    move.fromfile = move.fromrank = 0;
  } else {
    if (state.current() == 'x') {
      move.capture = true;
      ++state.position;
    }
    readSquareParts(state, move.tofile, move.torank);
  }
  if (move.capture && move.piece % 6 == kWhitePawn)
    move.enPassantMark = skipGluedEnPassantMark(state);
  return move.tofile != 0 && move.torank != 0;
}

bool readPromotion(TMovetextState& state, TWrittenMove& move) {
  if (state.atEnd()) return true;
  bool withSign = state.current() == '=';
  if (withSign) ++state.position;
  int piece = state.atEnd() ? 0 : promotionOfLetter(state.current());
  if (piece == 0) return !withSign;
  move.promotion = ofSide(piece, state.whiteToMove);
  ++state.position;
  return true;
}

// "+" then "#"; both together are malformed.
bool readCheckMarks(TMovetextState& state, TWrittenMove& move) {
  if (!state.atEnd() && state.current() == '+') {
    move.check = true;
    ++state.position;
  }
  if (!state.atEnd() && state.current() == '#') {
    move.mate = true;
    ++state.position;
  }
  return !(move.check && move.mate);
}

// What may follow a move's text at once without the long reading having more to say: a blank,
// a bracket or the start of a comment.
bool plainlyEndsMove(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '(' || c == ')' || c == '{' ||
         c == ';';
}

// The move shapes of nearly every game ("e4", "Nf3", "exd5", "Qxe7+", "Kh1#"), read from the bytes
// at hand. Anything else, or too near the end of the text, is left to readWrittenMove with
// nothing changed; what is read here is what that would read.
bool readPlainMove(TMovetextState& state, TWrittenMove& move) {
  const size_t at = static_cast<size_t>(state.position - 1);
  if (at + 7 > state.text.size()) return false;
  const char* p = state.text.data() + at;
  int piece = pieceOfLetter(p[0]);
  size_t i = piece != 0 ? 1 : 0;
  if (piece == 0) piece = kWhitePawn;
  int fromfile = 0;
  bool capture = false;
  if (i == 0 && isFileLetter(p[0]) && p[1] == 'x') {
    fromfile = p[0] - 'a' + 1;
    i = 2;
    capture = true;
  } else if (i == 1 && p[1] == 'x') {
    i = 2;
    capture = true;
  }
  if (!isFileLetter(p[i]) || !isRankDigit(p[i + 1])) return false;
  const int tofile = p[i] - 'a' + 1, torank = p[i + 1] - '0';
  i += 2;
  const bool check = p[i] == '+', mate = p[i] == '#';
  if (check || mate) ++i;
  if (!plainlyEndsMove(p[i])) return false;
  move.piece = ofSide(piece, state.whiteToMove);
  move.fromfile = fromfile;
  move.tofile = tofile;
  move.torank = torank;
  move.capture = capture;
  move.check = check;
  move.mate = mate;
  state.position += static_cast<int64_t>(i);
  return true;
}

bool readWrittenMove(TMovetextState& state, TWrittenMove& move) {
  int piece = pieceOfLetter(state.current());
  if (piece != 0)
    ++state.position;
  else
    piece = kWhitePawn;  // a file letter: read again as the from-file
  move.piece = ofSide(piece, state.whiteToMove);
  if (!readSquares(state, move) || !readPromotion(state, move) || !readCheckMarks(state, move))
    return false;
  moveMarkFromSuffix(state);  // piece moves keep no mark from "!" or "?"
  return endsMoveToken(state);
}

// findmove's verdict as a reader code; kReadNextToken when the move was found.
int resolveMove(TMovetextState& state, TWrittenMove& move) {
  if (state.variationOpened) state.line->back();  // the variation replaces the last move
  int found = state.board.findmove(move.piece, move.promotion, move.fromfile, move.fromrank,
                                   move.tofile, move.torank);
  if (found > kFoundStalemate) return found + 2;
  state.stalemated = found == kFoundStalemate;
  return kReadNextToken;
}

bool takesEnPassant(const mov& made) {
  return made.special == kWhitePawn || made.special == kBlackPawn;
}

bool capturesOnBoard(const mov& made) {
  return takesEnPassant(made) || made.captured != 0;
}

// Stores the resolved move, its text and the comment before it; the move is not made yet.
int addResolvedMove(TMovetextState& state, const TWrittenMove& move, bool forceNew, int mark) {
  int added = state.line->addmove(move.fromfile, move.fromrank, move.tofile, move.torank,
                                  move.promotion, forceNew, mark);
  if (added < 0) return kNoPieceCanMove;
  followNewVariation(state, added);
  state.line->makesan();
  attachPendingComment(state);
  state.pending.clear();
  state.variationOpened = false;
  state.turnSkipped = false;
  return kReadNextToken;
}

void makeMove(TMovetextState& state) {
  state.line->forward();
  state.whiteToMove = !state.whiteToMove;
}

// The plain move at the end of a line, found, added, written and made at once; false, with
// nothing changed, for anything the long way must judge or report. A castling's capture is not
// compared: onto its own rook, the rook is what its square held. Made part of its callers: it is
// the way of nearly every move read.
[[gnu::always_inline]] inline bool appendAtLineEnd(TMovetextState& state, const TWrittenMove& move,
                                                   bool castling, int mark) {
  jurnal& line = *state.line;
  if (state.variationOpened || line.current != line.movecount() || line.board != &state.board)
    return false;
  TAppendableMove found;
  if (!findAppendableMove(state.board, move.piece, move.promotion, move.fromfile, move.fromrank,
                          move.tofile, move.torank, found))
    return false;
  if (!castling && move.capture != capturesOnBoard(found.record)) return false;
  if (move.enPassantMark && !takesEnPassant(found.record)) return false;
  attachPendingComment(state);
  state.pending.clear();
  state.turnSkipped = false;
  state.stalemated = appendFoundMove(line, found, mark) == kStatusStalemate;
  state.whiteToMove = !state.whiteToMove;
  return true;
}

}  // namespace

void followNewVariation(TMovetextState& state, int added) {
  if (!state.variationOpened || added < 1) return;
  const jurnal& line = *state.line;
  if (added > line.variantCountAt(line.current)) return;
  state.line = line.variantsAt(line.current)[static_cast<size_t>(added - 1)].get();
}

bool endsMoveToken(const TMovetextState& state) {
  if (state.atEnd()) return true;
  char c = state.current();
  return !(c == '#' || c == '+' || c == '-' || isDigit(c) || c == ':' || c == '=' || isLetter(c) ||
           c == '_');
}

// "!" 1, "?" 2, "!!" 3, "??" 4, "!?" 5, "?!" 6; 0 when there is no suffix.
int moveMarkFromSuffix(TMovetextState& state) {
  int mark = 0;
  if (!state.atEnd() && state.current() == '?') {
    ++state.position;
    mark = 2;
    if (state.peek(0) == '!') mark = 6;
    if (state.peek(0) == '?') mark = 4;
    if (mark != 2) ++state.position;
  }
  if (!state.atEnd() && state.current() == '!') {
    ++state.position;
    mark = 1;
    if (state.peek(0) == '!') mark = 3;
    if (state.peek(0) == '?') mark = 5;
    if (mark != 1) ++state.position;
  }
  return mark;
}

int readPieceMove(TMovetextState& state) {
  // both ways of writing the mark begin with "e"
  if (state.current() == 'e' && skipEnPassantMark(state)) return kReadNextToken;
  if (state.stalemated || state.mateMarked) return kMoveAfterGameEnd;
  TWrittenMove move;
  if (!readPlainMove(state, move) && !readWrittenMove(state, move)) return kMalformedMove;
  state.mateMarked = move.mate;
  if (appendAtLineEnd(state, move, false, 0)) return kReadNextToken;
  int code = resolveMove(state, move);
  if (code != kReadNextToken) return code;
  code = addResolvedMove(state, move, true, 0);
  if (code != kReadNextToken) return code;
  const mov& made = state.line->nextmove();
  if (move.capture != capturesOnBoard(made)) return kCaptureMismatch;
  if (move.enPassantMark && !takesEnPassant(made)) return kMalformedMove;
  makeMove(state);
  return kReadNextToken;
}

// The castling letters after the first "O" or "0": "-O-O" queen-side, "-O" king-side.
int castlingTargetFile(TMovetextState& state) {
  auto isCastlingO = [&](int64_t ahead) {
    char c = state.peek(ahead);
    return c == 'O' || c == '0';
  };
  if (state.peek(1) == '-' && isCastlingO(2) && state.peek(3) == '-' && isCastlingO(4)) {
    state.position += 5;
    return 3;
  }
  if (state.peek(1) == '-' && isCastlingO(2)) {
    state.position += 3;
    return 7;
  }
  return 0;
}

// On a board from a shuffled back rank the king castles onto its own rook, from their start files.
void castleOntoRook(const doska& board, TWrittenMove& move, bool white) {
  int side = white ? kWhite : kBlack;
  bool kingside = move.tofile == 7;
  move.fromfile = board.kingfile[side];
  move.tofile = board.rookfile[side][kingside ? 0 : 1];
}

int readCastling(TMovetextState& state) {
  if (state.stalemated || state.mateMarked) return kMoveAfterGameEnd;
  TWrittenMove move;
  move.piece = state.whiteToMove ? kWhiteKing : kBlackKing;
  move.fromfile = 5;
  move.fromrank = move.torank = state.whiteToMove ? 1 : 8;
  move.tofile = castlingTargetFile(state);
  if (move.tofile == 0 || !readCheckMarks(state, move)) return kMalformedCastling;
  state.mateMarked = move.mate;
  int mark = moveMarkFromSuffix(state);
  if (!endsMoveToken(state)) return kMalformedCastling;
  if (mark == 0 && readPlainCastling(state, move.tofile == 7)) return kReadNextToken;
  if (state.board.chess960) castleOntoRook(state.board, move, state.whiteToMove);
  if (appendAtLineEnd(state, move, true, mark)) return kReadNextToken;
  int code = resolveMove(state, move);
  if (code != kReadNextToken) return code;
  // Castling is matched against the moves already there, except as a variation's first move:
  // matching the main line's castling there would leave the variation unopened and its ")"
  // without a line to close.
  code = addResolvedMove(state, move, state.variationOpened, mark);
  if (code != kReadNextToken) return code;
  makeMove(state);
  return kReadNextToken;
}
