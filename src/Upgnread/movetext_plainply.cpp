// The move of nearly every ply, from its bytes to the record on the line in one pass: a pawn's
// step or capture, or a piece's move with nothing to tell it apart from another, on a board in its
// common state with the line at its end. Read the long way, the same move crosses the written
// move, findmove's arguments, the found move and the added move, each asking again what the one
// before knew; here each fact is asked once. Whatever is less plain is left to the long way with
// nothing changed, and the long way reads it alike.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "Upgnread/movetext_state.h"
#include "Upgnread/pgntext.h"
#include "uchess/boardscan.h"
#include "uchess/plainmove.h"
#include "uchess/santext.h"

namespace {

// The piece letters by byte: their white codes, 0 for a byte that names no piece.
constexpr std::array<uint8_t, 256> kPieceOfByte = [] {
  std::array<uint8_t, 256> pieces{};
  pieces['N'] = kWhiteKnight;
  pieces['B'] = kWhiteBishop;
  pieces['R'] = kWhiteRook;
  pieces['Q'] = kWhiteQueen;
  pieces['K'] = kWhiteKing;
  return pieces;
}();

// What may follow a move's text at once with nothing more to read for it: a blank, a bracket or
// the start of a comment.
constexpr std::array<bool, 256> kPlainMoveEnds = [] {
  std::array<bool, 256> ends{};
  for (char c : {' ', '\n', '\r', '\t', '(', ')', '{', ';'}) ends[static_cast<uint8_t>(c)] = true;
  return ends;
}();

bool isFileByte(char c) {
  return c >= 'a' && c <= 'h';
}
bool isRankByte(char c) {
  return c >= '1' && c <= '8';
}

// The move as its bytes give it: "e4", "exd5", "Nf3", "Nxf3", "Nbd7", "R1xe2", with "+" or "#".
// The fields a text read in full always sets are left unset before: set first, their stores
// would be made twice on every ply.
struct TPlyText {
  int kind = kWhitePawn;  // white code of the piece
  int fromFile = 0;       // written before the target, 1..8, or 0
  int fromRank = 0;
  int to;  // square index
  bool capture = false;
  bool mate;
  int signless;  // up to the check or mate sign
  int length;
};

bool readPlyText(const char* p, TPlyText& ply) {
  int i = 0;
  if (uint8_t piece = kPieceOfByte[static_cast<uint8_t>(p[0])]; piece != 0) {
    ply.kind = piece;
    i = 1;
    // a letter or digit that is not the target's tells the piece apart
    if (isFileByte(p[1]) && !isRankByte(p[2])) {
      ply.fromFile = p[1] - 'a' + 1;
      i = 2;
    } else if (isRankByte(p[1])) {
      ply.fromRank = p[1] - '0';
      i = 2;
    }
    if (p[i] == 'x') {
      ply.capture = true;
      ++i;
    }
  } else if (p[1] == 'x') {
    if (!isFileByte(p[0])) return false;
    ply.fromFile = p[0] - 'a' + 1;
    ply.capture = true;
    i = 2;
  }
  if (!isFileByte(p[i]) || !isRankByte(p[i + 1])) return false;
  ply.to = (p[i] - 'a') * 8 + (p[i + 1] - '1');
  i += 2;
  ply.signless = i;
  ply.mate = p[i] == '#';
  if (p[i] == '+' || ply.mate) ++i;
  ply.length = i;
  return kPlainMoveEnds[static_cast<uint8_t>(p[i])];
}

// Where a pawn of the side may come from to step or take on its target, short of the ranks where it
// would promote or could not stand. No pawn of the side steps onto the square an en passant would
// take: the pawn that just passed it stands behind it. Written so, the move goes the long way.
TSquareSet pawnOrigins(const TBoardMasks& m, bool white, const TPlyText& ply) {
  int rank = ply.to % 8 + 1;
  if (white ? rank <= 2 || rank == 8 : rank >= 7 || rank == 1) return 0;
  TSquareSet pawns = m.of[white ? kWhitePawn : kBlackPawn];
  TSquareSet diagonal = kPawnAttackers[white ? 0 : 1][ply.to] & pawns;
  if (ply.capture) return diagonal;
  int behind = white ? ply.to - 1 : ply.to + 1;
  TSquareSet origins = pawns & (TSquareSet{1} << behind);
  if (origins == 0 && rank == (white ? 4 : 5) && (m.occupied & (TSquareSet{1} << behind)) == 0)
    origins = pawns & (TSquareSet{1} << (white ? ply.to - 2 : ply.to + 2));
  return origins;
}

// The squares from which the piece's geometry takes it to the target.
TSquareSet pieceOrigins(const TBoardMasks& m, int piece, const TPlyText& ply) {
  TSquareSet holding = m.of[piece];
  switch (ply.kind) {
    case kWhiteKnight:
      return kKnightSquares[ply.to] & holding;
    case kWhiteBishop:
      return openLinesTo(ply.to, kDiagonalLines[ply.to] & holding, m.occupied);
    case kWhiteRook:
      return openLinesTo(ply.to, kStraightLines[ply.to] & holding, m.occupied);
    case kWhiteQueen:
      return openLinesTo(ply.to, (kDiagonalLines[ply.to] | kStraightLines[ply.to]) & holding,
                         m.occupied);
    default:  // a king's step; a king going further castles, which the long way judges
      return kKingSquares[ply.to] & holding;
  }
}

// A record added at the line's end, made in its place before its move is played: nothing of it
// need be kept aside while the status is worked out but where it stands.
template <typename... TFields>
mov& addPlainRecord(jurnal& line, const TFields&... fields) {
  mov& record = line.moves.emplace_back(fields...);
  ++line.current;
  return record;
}

// The status of a move that gives no check while the run goes on: the side to move has a move,
// and so is not stalemated, where its next ply is read here; where the run ends first, it is
// asked then (settleOpenStatus). Asked after every move, it would cost a tenth of the ply.
constexpr int kStatusOpen = -1;

// The status the side to move has after a move made on a board that was plain, whether it stands
// in check given. The move takes no king and makes none, so the board stays plain; it is legal,
// so the side that made it stands unattacked, and the side to move too where it is not in check.
[[gnu::always_inline]] inline int statusAfterPlainMove(doska& board, bool whiteAfter, int king,
                                                       bool inCheck) {
  int status = plainStatusOf(board.sets(), whiteAfter, king, inCheck);
  if (status < 0) status = statusIn(board, positionInfo(board), whiteAfter);
  board.markKnown(kPlainBoard | kingSafeFact(!whiteAfter) |
                  (inCheck ? 0 : kingSafeFact(whiteAfter)));
  return status;
}

// The move's text as written up to its sign, where that is the move's own text: the bytes are
// read at once instead of put together one by one.
TSanText writtenSanText(const char* written, int signless) {
  uint64_t word = 0;
  std::memcpy(&word, written, sizeof word);
  TSanText text;
  text.assignWord(word & (~uint64_t{0} >> (64 - 8 * signless)), static_cast<size_t>(signless));
  return text;
}

// The record of the move on the line's board, its text and the status it leaves, added at the
// end of the line with the move played. The text is the written one where that is the move's own:
// no rival and nothing written to tell it apart.
int appendPly(jurnal& line, doska& board, int from, int to, TSquareSet rivals, const TPlyText& ply,
              const char* written) {
  const uint8_t piece = board.atIndex(from), captured = board.atIndex(to);
  if (line.moves.empty()) line.blackfirst = isBlackPiece(piece) ? 1 : 0;
  // the squares' files and ranks are worked out where the record takes them, and read back from
  // it after: kept aside across the status they would be spilled
  const uint8_t fromFile = static_cast<uint8_t>((from >> 3) + 1),
                toFile = static_cast<uint8_t>((to >> 3) + 1),
                toRank = static_cast<uint8_t>((to & 7) + 1);
  bool asWritten = rivals == 0 && (ply.kind == kWhitePawn || (ply.fromFile | ply.fromRank) == 0);
  mov& record = addPlainRecord(
      line, piece, fromFile, static_cast<uint8_t>((from & 7) + 1), toFile, toRank, uint8_t{0},
      captured, plainStepChanges(board, piece, from, to),
      asWritten
          ? writtenSanText(written, ply.signless)
          : unrivalledSanText(piece, fromFile, toFile, toRank, captured != kEmpty, kStatusNone));
  // the other side's king stood unattacked before the move where its last move was read here
  const bool white = isWhitePiece(piece);
  const TBoardMasks& m = board.sets();
  const bool otherWasSafe = (m.knownFacts & kingSafeFact(!white)) != 0;
  board.stepPiece(from, to);
  takeStateChanges(board, record.changes, record.fromfile);
  const int king = std::countr_zero(m.of[white ? kBlackKing : kWhiteKing]);
  const bool check = otherWasSafe ? checksAfterStep(m, ply.kind, white, from, to, king)
                                  : attackedOn(m, king, white);
  int status = kStatusOpen;
  if (check)
    status = statusAfterPlainMove(board, !white, king, true);
  else
    board.markKnown(kPlainBoard | kingSafeFact(true) | kingSafeFact(false));
  if (rivals != 0)
    setSanText(record, rivalsAmong(record, rivals), status);
  else
    appendStatusSign(record.san, status);
  return status;
}

// Castling from the e-file with the rook in its corner, as the sets allow it: recorded as
// fillRecord records it and played as playMove plays it, the king and the rook each stepping to
// an empty square.
int appendCastling(jurnal& line, doska& board, bool white, bool kingside) {
  const uint8_t king = white ? kWhiteKing : kBlackKing, home = white ? 1 : 8;
  const uint8_t kingTo = kingside ? 7 : 3;
  uint8_t changes = changedState(board, king, 5, home, kingTo, home);
  if (line.moves.empty()) line.blackfirst = white ? 0 : 1;
  mov& record = addPlainRecord(line, king, uint8_t{5}, home, kingTo, home, uint8_t{0}, kEmpty,
                               changes, TSanText(kingside ? "O-O" : "O-O-O"));
  board.stepPiece(squareIndex(5, home), squareIndex(kingTo, home));
  board.stepPiece(squareIndex(kingside ? 8 : 1, home), squareIndex(kingside ? 6 : 4, home));
  takeStateChanges(board, changes, 5);
  const TBoardMasks& m = board.sets();
  const int otherKing = std::countr_zero(m.of[white ? kBlackKing : kWhiteKing]);
  int status = statusAfterPlainMove(board, !white, otherKing, attackedOn(m, otherKing, white));
  appendStatusSign(record.san, status);
  return status;
}

// A move the short way may read: the line at its end on the reader's board, in its common state,
// and no variation waiting for its first move.
bool atPlainLineEnd(const TMovetextState& state) {
  const jurnal& line = *state.line;
  return !state.variationOpened && !state.board.chess960 && line.current == line.movecount() &&
         line.board == &state.board && isPlainBoard(state.board.sets()) && !boardByScan();
}

// Comments collected before a move added the short way go after the move before it. Nearly every
// move has none, and then nothing is written.
void takePendingComment(TMovetextState& state) {
  if (state.pending.empty()) return;
  attachPendingComment(state);
  state.pending.clear();
}

// The reader past a move added the short way.
void passPlainMove(TMovetextState& state, int status) {
  state.turnSkipped = false;
  state.stalemated = status == kStatusStalemate;
  state.whiteToMove = !state.whiteToMove;
}

// The ply at the reader's position on a line known to be at its plain end, with the status it
// leaves, which may be open.
bool readPlyAtPlainEnd(TMovetextState& state, int& status) {
  jurnal& line = *state.line;
  doska& board = state.board;
  const TBoardMasks& m = board.sets();
  const size_t at = static_cast<size_t>(state.position - 1);
  TPlyText ply;
  // the longest text read, its sign and the byte after it, and the eight bytes of its own text
  if (at + 8 > state.text.size() || !readPlyText(state.text.data() + at, ply)) return false;
  bool white = state.whiteToMove;
  TSquareSet target = TSquareSet{1} << ply.to;
  // onto its own piece or a king, or a capture the board does not show, the long way reports
  TSquareSet enemies = white ? m.black : m.white;
  if (((m.occupied & ~enemies) | m.of[kWhiteKing] | m.of[kBlackKing]) & target) return false;
  if (((enemies & target) != 0) != ply.capture) return false;
  int piece = white ? ply.kind : ply.kind + 6;
  TSquareSet origins =
      ply.kind == kWhitePawn ? pawnOrigins(m, white, ply) : pieceOrigins(m, piece, ply);
  TSquareSet legal = legalPlainOrigins(m, piece, ply.to, origins);
  // one legal origin among those the text allows
  TSquareSet chosen = legal & searchRange(ply.fromFile, ply.fromRank);
  if (chosen == 0 || (chosen & (chosen - 1)) != 0) return false;
  takePendingComment(state);
  state.mateMarked = ply.mate;
  status = appendPly(line, board, std::countr_zero(chosen), ply.to, legal & ~chosen, ply,
                     state.text.data() + at);
  passPlainMove(state, status);
  state.position += ply.length;
  return true;
}

// Blanks between two tokens that ask nothing of the full way: a move or a move number follows.
bool blanksBeforePlainToken(const char* p, size_t room, size_t& length) {
  size_t i = 0;
  while (i < room && isBlank(p[i])) ++i;
  if (i == 0 || i == room) return false;
  char next = p[i];
  if (!isDigit(next) && !isFileByte(next) && kPieceOfByte[static_cast<uint8_t>(next)] == 0)
    return false;
  length = i;
  return true;
}

// What a run of plies read the short way knows of the move numbers between them: the number due
// two plies after the last one read, known without counting the line; 0 before the run has read
// a number.
struct TRunNumbers {
  int afterTwoPlies = 0;
  int pliesSince = 0;
};

// From the end of a ply read the short way to the next ply, where what follows is that ply or
// a move number and its ply, written the common way a blank or line end apart; false, with the
// position where the token loop goes on as it would have gone on itself, at anything else.
bool stepToNextPlainPly(TMovetextState& state, TRunNumbers& numbers) {
  // the longest number with its blank, and the longest ply text looked at after it
  constexpr size_t kLookAhead = 16;
  if (state.stalemated || state.mateMarked) return false;
  const size_t at = static_cast<size_t>(state.position - 1);
  if (at >= state.text.size()) return false;
  const char* p = state.text.data() + at;
  const size_t room = state.text.size() - at;
  size_t blanks = 0;
  if (!blanksBeforePlainToken(p, room, blanks) || blanks + kLookAhead > room) return false;
  if (!isDigit(p[blanks])) {
    state.position += static_cast<int64_t>(blanks);
    return true;
  }
  // "1." may open a game without tags after a blank line: the token loop judges it
  if (p[blanks] == '1' && p[blanks + 1] == '.') return false;
  int number = 0, length = plainNumberLength(p + blanks, number);
  if (length == 0) return false;
  int expected = numbers.afterTwoPlies != 0 && numbers.pliesSince == 2
                     ? numbers.afterTwoPlies
                     : state.numbers.next(*state.line);
  if (number != expected) return false;
  state.whiteToMove = true;
  numbers = {number + 1, 0};
  state.position += static_cast<int64_t>(blanks) + length;
  return true;
}

// Where the reader stood at the end of the last ply read: the token loop goes on from there after
// a stalemate, as stepToNextPlainPly reads on only after a move that leaves one.
struct TPlyEnd {
  int64_t position = 0;
  bool whiteToMove = true;
};

// The status the last ply left open, asked as the run ends: a stalemate is the reader's as it
// would have been at once, and the reader stands where it would have stopped for it.
void settleOpenStatus(TMovetextState& state, const TPlyEnd& end) {
  doska& board = state.board;
  const TBoardMasks& m = board.sets();
  const int king = std::countr_zero(m.of[end.whiteToMove ? kWhiteKing : kBlackKing]);
  if (statusAfterPlainMove(board, end.whiteToMove, king, false) != kStatusStalemate) return;
  state.stalemated = true;
  state.position = end.position;
  state.whiteToMove = end.whiteToMove;
}

// Plies from the position on, read the short way for as long as they can be, each leaving the
// line at its plain end, so that what atPlainLineEnd asked holds on: how many were read. A ply
// of the side whose status is open shows that it has a move; one of the other side (a half-move
// missing) is left to the token loop, after the status is asked.
int readPlainPlies(TMovetextState& state, TRunNumbers numbers) {
  int plies = 0, status = kStatusNone;
  TPlyEnd end;
  while (readPlyAtPlainEnd(state, status)) {
    ++plies;
    ++numbers.pliesSince;
    end = {state.position, state.whiteToMove};
    if (!stepToNextPlainPly(state, numbers) || state.whiteToMove != end.whiteToMove) break;
  }
  if (status == kStatusOpen) settleOpenStatus(state, end);
  return plies;
}

}  // namespace

bool readPlainPly(TMovetextState& state) {
  if (state.stalemated || state.mateMarked || !atPlainLineEnd(state)) return false;
  return readPlainPlies(state, TRunNumbers{}) > 0;
}

bool readPlainCastling(TMovetextState& state, bool kingside) {
  if (!atPlainLineEnd(state)) return false;
  const bool white = state.whiteToMove;
  // castlingOrigin asks of every square the king crosses, its target too, whether it is attacked:
  // only a line along the back rank could reach the target through the king's home square, and
  // that line would attack the king where it stands
  const int to = (kingside ? 48 : 16) + (white ? 0 : 7);
  if (castlingOrigin(state.board, state.board.sets(), white, to) == 0) return false;
  takePendingComment(state);
  passPlainMove(state, appendCastling(*state.line, state.board, white, kingside));
  TRunNumbers numbers;
  if (stepToNextPlainPly(state, numbers)) readPlainPlies(state, numbers);
  return true;
}
