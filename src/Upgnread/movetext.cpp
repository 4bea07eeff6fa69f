// The movetext reader's loop and its tokens other than moves and variations: results, move
// numbers, null moves, glyphs and the next game's "[".

#include "Upgnread/movetext.h"

#include <array>
#include <string>
#include <vector>

#include "Upgnread/movetext_state.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"

namespace {

// The main line is read into room kept from game to game on the thread and copied out at its
// exact size: a line grown move by move, or reserved by a guess and cut to size after, takes two
// or more heap blocks a game and copies its moves on each.
class TMainLineRoom {
 public:
  explicit TMainLineRoom(jurnal& journal) : journal(journal), lent(journal.moves.empty()) {
    if (lent) journal.moves.swap(room());
  }
  // Where the reading ends without an error thrown: the line copied out at its size. Thrown out of
  // the reading, the line keeps the room with its moves, and the thread takes new room.
  void giveBack() {
    if (!lent) return;
    std::vector<mov>& kept = room();
    kept.swap(journal.moves);
    lent = false;
    journal.moves.assign(kept.begin(), kept.end());
    kept.clear();
    // a game longer than any real one leaves no lasting room behind
    if (kept.capacity() > kMostKept) std::vector<mov>().swap(kept);
  }
  TMainLineRoom(const TMainLineRoom&) = delete;
  TMainLineRoom& operator=(const TMainLineRoom&) = delete;

 private:
  static constexpr size_t kMostKept = 4096;
  static std::vector<mov>& room() {
    thread_local std::vector<mov> moves;
    return moves;
  }
  jurnal& journal;
  bool lent;
};

// Numbers longer than any game stop growing here instead of overflowing.
constexpr int64_t kNumberCeiling = 1'000'000'000;

int64_t readDigits(TMovetextState& state) {
  int64_t n = 0;
  while (!state.atEnd() && isDigit(state.current())) {
    if (n < kNumberCeiling) n = n * 10 + (state.current() - '0');
    ++state.position;
  }
  return n;
}

// The call ends after a result token; an open variation makes that an error.
int endAtResult(TMovetextState& state, int length) {
  state.position += length;
  attachPendingComment(state);
  return state.line->parent ? kUnclosedVariation : state.result;
}

int readWhiteWins(TMovetextState& state) {
  if (state.stalemated || (state.mateMarked && state.whiteToMove)) return kResultContradictsMark;
  return endAtResult(state, 3);
}

int readBlackWins(TMovetextState& state) {
  if (state.stalemated || (state.mateMarked && !state.whiteToMove)) return kResultContradictsMark;
  return endAtResult(state, 3);
}

int readDraw(TMovetextState& state, std::string_view written) {
  if (state.mateMarked) return kResultContradictsMark;
  return endAtResult(state, static_cast<int>(written.size()));
}

int readDrawSign(TMovetextState& state) {
  for (std::string_view sign : {kDrawSign, kDrawSignLatin1})
    if (startsAt(state.text, state.position, sign)) return readDraw(state, sign);
  return kUnexpectedToken;
}

int readUnknownResult(TMovetextState& state) {
  ++state.position;
  attachPendingComment(state);
  return state.result;
}

bool numberFits(TMovetextState& state, int64_t n) {
  int64_t expected = state.numbers.next(*state.line);
  if (n == expected || (state.variationOpened && n == expected - 1)) return true;
  if (n != expected + 1) return false;
  state.whiteToMove = !state.whiteToMove;  // a half-move is missing
  return true;
}

// The dots after a number tell whose move follows: one for White, three for Black.
int readNumberDots(TMovetextState& state) {
  int dots = 0;
  while (!state.atEnd()) {
    char c = state.current();
    if (c != '.' && c != '\n' && c != '\r' && c != ' ') break;
    if (c == '.') ++dots;
    ++state.position;
  }
  if (state.atEnd()) return kEndAfterMoveNumber;
  if (dots == 3) state.whiteToMove = false;
  if (dots == 1) state.whiteToMove = true;
  return kReadNextToken;
}

// "1." where this game cannot be at move 1, opening a line after a blank line: a game without
// tags follows this one, which ended without a result.
bool nextGameBegins(TMovetextState& state) {
  return state.current() == '1' && startsMovetextGame(state.text, state.position) &&
         !state.line->parent && !state.variationOpened && state.numbers.next(*state.line) != 1 &&
         beginsGameAfterBlankLine(state.text, state.position);
}

// The number of nearly every move: at most three digits, the number the line expects, one dot
// and at most one blank before White's move. False, with nothing read, for any other.
bool readPlainNumber(TMovetextState& state) {
  const size_t at = static_cast<size_t>(state.position - 1);
  if (at + 8 > state.text.size()) return false;
  int n = 0;
  int length = plainNumberLength(state.text.data() + at, n);
  if (length == 0 || n != state.numbers.next(*state.line)) return false;
  state.whiteToMove = true;
  state.position += length;
  return true;
}

int readMoveNumber(TMovetextState& state) {
  if (nextGameBegins(state)) return state.result;
  if (state.stalemated || state.mateMarked) return kMoveAfterGameEnd;
  if (readPlainNumber(state)) return kReadNextToken;
  int64_t n = readDigits(state);
  if (state.atEnd()) return kEndAfterMoveNumber;
  if (!numberFits(state, n)) return kBadMoveNumber;
  if (state.current() != '.') {
    std::string lost;  // comments between a number and its dots are dropped
    skipSpace(state.text, state.position, lost);
    if (state.atEnd() || state.current() != '.') return kReadNextToken;
  }
  return readNumberDots(state);
}

int readOne(TMovetextState& state) {
  if (startsAt(state.text, state.position, "1/2-1/2")) return readDraw(state, "1/2-1/2");
  if (startsAt(state.text, state.position, "1-0")) return readWhiteWins(state);
  return readMoveNumber(state);
}

int readZero(TMovetextState& state) {
  if (startsAt(state.text, state.position, "0-1")) return readBlackWins(state);
  char after = state.peek(2);
  if (state.peek(1) == '-' && (after == '0' || after == 'O')) return readCastling(state);
  return kUnexpectedToken;
}

// "--", "Z0" and a lone "..." pass the turn; the journal keeps no trace of them.
int readSkippedTurn(TMovetextState& state, std::string_view token) {
  if (!startsAt(state.text, state.position, token)) return kUnexpectedToken;
  state.position += static_cast<int64_t>(token.size());
  state.turnSkipped = true;
  state.whiteToMove = !state.whiteToMove;
  return kReadNextToken;
}

int readGlyph(TMovetextState& state) {
  ++state.position;
  int64_t n = readDigits(state);
  if (n > 255) return kGlyphTooLarge;
  state.line->setmark(static_cast<int>(n));
  return kReadNextToken;
}

// The next game begins without a result token. The position stays on its "[": stepping back
// onto the character before it would leave the scan stuck on a move glued to the "[", and a
// game read again from its span must meet the same "[" to end the same way.
int stopAtNextGame(TMovetextState& state) {
  return state.result;
}

// What a token's first byte opens, looked up once instead of asked in turn: moves and move
// numbers are nearly every token.
enum TTokenStart : uint8_t { kOtherStart, kMoveStart, kNumberStart, kOneStart, kZeroStart };

constexpr std::array<TTokenStart, 256> kTokenStarts = [] {
  std::array<TTokenStart, 256> starts{};
  for (char c = 'a'; c <= 'h'; ++c) starts[static_cast<uint8_t>(c)] = kMoveStart;
  for (char c : {'B', 'K', 'N', 'P', 'Q', 'R', 'O'}) starts[static_cast<uint8_t>(c)] = kMoveStart;
  for (char c = '2'; c <= '9'; ++c) starts[static_cast<uint8_t>(c)] = kNumberStart;
  starts['1'] = kOneStart;
  starts['0'] = kZeroStart;
  return starts;
}();

int readToken(TMovetextState& state) {
  char c = state.current();
  switch (kTokenStarts[static_cast<uint8_t>(c)]) {
    case kMoveStart:
      if (c == 'O') return readCastling(state);
      return readPlainPly(state) ? kReadNextToken : readPieceMove(state);
    case kNumberStart:
      return readMoveNumber(state);
    case kOneStart:
      return readOne(state);
    case kZeroStart:
      return readZero(state);
    case kOtherStart:
      break;
  }
  switch (c) {
    case '$':
      return readGlyph(state);
    case '!':
    case '?':
      return readSeparatedSuffix(state);
    case '+':
    case '=':
    case '\xE2':
      return readTextGlyph(state) ? kReadNextToken : kUnexpectedToken;
    case '\xC2':
    case '\xBD':
      return readDrawSign(state);
    case '(':
      return openVariation(state);
    case ')':
      return closeVariation(state);
    case '*':
      return readUnknownResult(state);
    case '-':
      if (state.peek(1) != '-' && readTextGlyph(state)) return kReadNextToken;
      return readSkippedTurn(state, "--");
    case 'Z':
      return readSkippedTurn(state, "Z0");
    case '.':
      return readSkippedTurn(state, "...");
    case '[':
      return stopAtNextGame(state);
    default:
      return kUnexpectedToken;
  }
}

int readToEnd(TMovetextState& state) {
  std::string comments;
  for (;;) {
    if (state.atEnd()) {
      attachPendingComment(state);
      return state.line->parent ? kUnclosedVariation : state.result;
    }
    int code = readToken(state);
    if (code != kReadNextToken) return code;
    if (skipSpaceAfterToken(state, comments)) state.pending += comments;
  }
}

}  // namespace

int readMovetext(std::string_view text, int64_t& position, jurnal& journal) {
  TMovetextState state(text, position, journal);
  journal.attachboard(&state.board);
  TMainLineRoom room(journal);
  if (journal.startboard)
    state.board.assign(*journal.startboard);
  else
    state.board.setinitial();
  state.whiteToMove = journal.blackfirst == 0;
  int code = readToEnd(state);
  room.giveBack();
  position = state.position;
  // The board dies with this call; nothing may reach it through the tree afterwards.
  journal.attachboard(nullptr);
  return code;
}
