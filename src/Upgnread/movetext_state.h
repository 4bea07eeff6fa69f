#pragma once
// What the movetext reader carries from token to token; shared by its token readers only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "Upgnread/movenumber.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"
#include "uchess/doska.h"
#include "uchess/jurnal.h"

// Returned by a token reader when the call goes on with the next token.
constexpr int kReadNextToken = -1;

struct TMovetextState {
  TMovetextState(std::string_view movetext, int64_t at, jurnal& journal)
      : text(movetext), position(at), line(&journal) {}

  std::string_view text;
  // A copy, given back when the call ends: through a reference every step would be a store the
  // compiler must assume reaches the board's sets.
  int64_t position;
  jurnal* line;  // moves into a variation at its first move, back to the parent at ")"
  doska board;
  bool whiteToMove = true;
  bool variationOpened = false;  // "(" read, its first move not yet
  bool turnSkipped = false;      // last token a null move or a lone "..."
  bool mateMarked = false;       // last move written with "#"
  bool stalemated = false;       // the board said the last move stalemated
  int depth = 0;                 // "(" open around the present token
  TMoveNumbers numbers;
  int result = 0;
  // pendingComment, found once: each use of a thread-local of another file asks for it anew
  std::string& pending = pendingComment;

  bool atEnd() const { return ::atEnd(text, position); }
  char current() const { return charAt(text, position); }
  // The character `ahead` places after the present one, or 0 past the end.
  char peek(int64_t ahead) const {
    return ::atEnd(text, position + ahead) ? '\0' : charAt(text, position + ahead);
  }
};

// Steps over the spaces after a token. Only when something else than a plain next token follows
// (a line end, a comment, an escape line) does it take the full way, which collects comments into
// the string given; true when it collected any. The plain way leaves the string as it is.
inline bool skipSpaceAfterToken(TMovetextState& state, std::string& comments) {
  // the bytes after blanks that ask for the full way
  static constexpr std::array<bool, 256> kFullWay = [] {
    std::array<bool, 256> full{};
    for (char c : {'\n', '\r', '\t', '%', ';', '{'}) full[static_cast<uint8_t>(c)] = true;
    return full;
  }();
  const char* p = state.text.data() + (state.position - 1);
  const char* end = state.text.data() + state.text.size();
  while (p < end && *p == ' ') ++p;
  if (p < end && kFullWay[static_cast<uint8_t>(*p)]) {
    skipSpace(state.text, state.position, comments);
    return !comments.empty();
  }
  state.position = p - state.text.data() + 1;
  return false;
}

// The length of a move number written the common way from p on, with its value in n: at most
// three digits, one dot and at most one blank before White's move; 0 for any other way of writing
// it. The caller sees to it that eight bytes from p on are in the text.
inline int plainNumberLength(const char* p, int& n) {
  n = p[0] - '0';
  int i = 1;
  for (; i < 3 && isDigit(p[i]); ++i) n = n * 10 + (p[i] - '0');
  if (isDigit(p[i]) || p[i] != '.') return 0;
  ++i;
  if (p[i] == ' ') ++i;
  char next = p[i];
  if (next == '.' || next == ' ' || next == '\n' || next == '\r') return 0;
  return i;
}

// Comments collected since the last move go after the last move made on the line. Asked after
// every move, and most have none: inline.
inline void attachPendingComment(TMovetextState& state) {
  if (!state.pending.empty()) state.line->setcomment(state.pending);
}
// A move just added to line at its current index: enters the variation it opened, if any.
void followNewVariation(TMovetextState& state, int added);
// Where the move's text ends, nothing may follow that would make it part of a longer word.
bool endsMoveToken(const TMovetextState& state);
int moveMarkFromSuffix(TMovetextState& state);

// The plain move of nearly every ply read, added and made at once; false, with nothing changed,
// for any move readPieceMove must judge.
bool readPlainPly(TMovetextState& state);
// The same for castling written as such, its marks read: false where the long way must judge it.
bool readPlainCastling(TMovetextState& state, bool kingside);

// Token readers: kReadNextToken, or the code that ends the call.
int readPieceMove(TMovetextState& state);
int readCastling(TMovetextState& state);
int openVariation(TMovetextState& state);
int readSeparatedSuffix(TMovetextState& state);

// Marks written as text; each answers whether it read one.
bool readTextGlyph(TMovetextState& state);
// "e.p." or "ep" after the en-passant capture just made.
bool skipEnPassantMark(TMovetextState& state);
// "e.p." or "ep" right after a move's squares; whether it was an en-passant capture is known later.
bool skipGluedEnPassantMark(TMovetextState& state);
int closeVariation(TMovetextState& state);
