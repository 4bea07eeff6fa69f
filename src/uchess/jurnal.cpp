#include "uchess/jurnal.h"

#include "platform/platform.h"
#include "uchess/boardscan.h"
#include "uchess/foundmove.h"
#include "uchess/moveplay.h"

namespace {

bool isEnPassantMark(int special) {
  return special == kWhitePawn || special == kBlackPawn;
}

// The new move has no promotion piece when it was added with none: an en-passant capture given
// without its mark still meets the stored one.
bool sameMove(const mov& stored, const mov& added, int promotion) {
  if (stored.fromfile != added.fromfile || stored.fromrank != added.fromrank ||
      stored.tofile != added.tofile || stored.torank != added.torank)
    return false;
  return stored.special == added.special || (promotion == 0 && isEnPassantMark(stored.special));
}

}  // namespace

jurnal::jurnal(doska* board, jurnal* parent) : parent(parent), board(board) {}

void jurnal::handVariantsTo(std::vector<std::unique_ptr<jurnal>>& pending) {
  for (auto& [index, kept] : extras) {
    for (std::unique_ptr<jurnal>& variant : kept->variants) pending.push_back(std::move(variant));
    kept->variants.clear();
  }
}

// A tree of any depth is taken apart level by level, never by recursion.
jurnal::~jurnal() {
  std::vector<std::unique_ptr<jurnal>> pending;
  handVariantsTo(pending);
  while (!pending.empty()) {
    std::unique_ptr<jurnal> line = std::move(pending.back());
    pending.pop_back();
    line->handVariantsTo(pending);
  }
}

// Building the line

int jurnal::addvariant() {
  if (current < 0 || current >= movecount()) return 0;
  std::vector<std::unique_ptr<jurnal>>& list = mutableVariantsAt(current);
  list.push_back(std::make_unique<jurnal>(board, this));
  return static_cast<int>(list.size());
}

// 0 for the move at current, i + 1 for the first move of variant i, -1 when none matches.
int jurnal::matchingMove(const mov& added, int promotion) const {
  const mov& next = moves[current];
  if (sameMove(next, added, promotion)) return 0;
  const std::vector<std::unique_ptr<jurnal>>& list = variantsAt(current);
  for (size_t i = 0; i < list.size(); ++i) {
    if (!list[i]->moves.empty() && sameMove(list[i]->moves[0], added, promotion))
      return static_cast<int>(i) + 1;
  }
  return -1;
}

int jurnal::openVariation(mov added) {
  uint8_t replacesBlack =
      current > 0 ? (isWhitePiece(moves[current - 1].piece) ? 1 : 0) : blackfirst;
  int number = nextnumber();
  int count = addvariant();
  if (count < 1) return -1;
  jurnal& variant = *variantsAt(current)[count - 1];
  variant.moves.push_back(std::move(added));
  variant.startnumber = number - 1;
  variant.blackfirst = replacesBlack;
  variant.startep = replacesBlack ? board->epforblack : board->epforwhite;
  return count;
}

int jurnal::addmove(int fromfile, int fromrank, int tofile, int torank, int promotion,
                    bool forceNew, int mark) {
  if (board == nullptr) {
    defaultBeep();
    return -1;
  }
  // the move findmove has just found here is known to be legal and is recorded already
  mov added{};
  if (boardByScan() ||
      !takeFoundMove(*board, fromfile, fromrank, tofile, torank, promotion, added)) {
    if (!board->canmove(fromfile, fromrank, tofile, torank)) {
      defaultBeep();
      return -1;
    }
    added = recordMove(*board, fromfile, fromrank, tofile, torank, promotion, 0);
  }
  added.mark = static_cast<uint8_t>(mark);
  if (current < movecount()) {
    if (!forceNew) {
      int match = matchingMove(added, promotion);
      if (match >= 0) return match;
    }
    return openVariation(std::move(added));
  }
  if (moves.empty()) blackfirst = isBlackPiece(added.piece) ? 1 : 0;
  moves.push_back(std::move(added));
  return 0;
}

void jurnal::setcomment(std::string_view text) {
  std::string stored;
  bool lineComment =
      !text.empty() && text.front() == ';' && (text.back() == '\n' || text.back() == '\r');
  if (lineComment) {
    stored = text;
  } else if (!text.empty()) {
    stored.reserve(text.size() + 2);
    stored += '{';
    for (char c : text) {
      if (c != '{' && c != '}') stored += c;
    }
    stored += '}';
  }
  if (current >= 1 && current <= movecount()) {
    setCommentAt(current - 1, std::move(stored));
  } else {
    precomment = std::move(stored);
  }
}

void jurnal::setmark(int code) {
  if (current < 1 || current > movecount()) return;
  uint8_t mark = static_cast<uint8_t>(code);
  if (moves[current - 1].mark == mark) return;
  back();
  moves[current].mark = mark;
  makesan();
  forward();
}

// Walking the line

void jurnal::forward() {
  if (board == nullptr || current < 0 || current >= movecount()) return;
  if (!takePlayedBoard(*board, moves[current])) playMove(*board, moves[current]);
  ++current;
}

void jurnal::back() {
  if (board == nullptr || current <= 0 || current > movecount()) return;
  --current;
  unplayMove(*board, moves[current]);
  if (current >= 1) {
    const mov& last = moves[current - 1];
    board->epforblack = (last.changes & kWhiteDoubleStep) ? last.fromfile : 0;
    board->epforwhite = (last.changes & kBlackDoubleStep) ? last.fromfile : 0;
  } else {
    board->epforblack = blackfirst ? startep : 0;
    board->epforwhite = blackfirst ? 0 : startep;
  }
}

void jurnal::gotomove(int n) {
  if (n < 0) n = 0;
  if (n > movecount()) n = movecount();
  if (board == nullptr) return;
  while (current > n) back();
  while (current < n) forward();
}

int jurnal::nextnumber() const {
  int number = startnumber + 1;
  bool blackToMove = blackfirst != 0;
  int made = current < movecount() ? current : movecount();
  for (int i = 0; i < made; ++i) {
    bool moverBlack = isBlackPiece(moves[i].piece);
    if (moverBlack != blackToMove) {
      // a half-move was skipped; a skipped Black move closes the move number
      if (blackToMove) ++number;
      blackToMove = !blackToMove;
    }
    if (moverBlack) ++number;
    blackToMove = !blackToMove;
  }
  return number;
}

void jurnal::attachboard(doska* newBoard) {
  // most games have no variation: no list of lines to walk is made for them
  if (extras.empty()) {
    board = newBoard;
    current = 0;
    return;
  }
  std::vector<jurnal*> pending{this};
  while (!pending.empty()) {
    jurnal* line = pending.back();
    pending.pop_back();
    line->board = newBoard;
    line->current = 0;
    for (const auto& [index, kept] : line->extras) {
      for (const std::unique_ptr<jurnal>& variant : kept->variants)
        pending.push_back(variant.get());
    }
  }
}

// Reading the line

const mov& jurnal::noMove() {
  static const mov kNoMove{};
  return kNoMove;
}
