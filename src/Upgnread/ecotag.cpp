#include "Upgnread/ecotag.h"

#include <algorithm>

#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/options.h"
#include "Upgnread/variant.h"

namespace {

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Only ASCII letters can lower to the names sought, so Cyrillic capitals need no care here.
bool sameNameIgnoringCase(std::string_view name, std::string_view lowered) {
  if (name.size() != lowered.size()) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if (lowerAscii(name[i]) != lowered[i]) return false;
  return true;
}

// Where a new ECO tag goes, counted after appending its entry: after SetUp, and after FEN too
// when both lead the optional tags.
size_t newEcoSlot(const TGamesTagArray& tags) {
  size_t slot = kTagSetUp;
  if (tags.size() >= 9 && sameNameIgnoringCase(tags[kTagSetUp].Name, "setup")) {
    slot = kTagFen;
    if (tags.size() >= 10 && sameNameIgnoringCase(tags[kTagFen].Name, "fen")) slot = kTagFen + 1;
  }
  // A tag array shorter than the roster (never so after reading) gets the tag at its end.
  return std::min(slot, tags.size() - 1);
}

}  // namespace

// The main line's code, played from the line's true start: a game set up from FEN starts on its
// own position, not on the initial one, or its moves would be replayed on the wrong pieces.
std::string mainLineEco(jurnal& journal) {
  thread_local doska scratch;  // games are classified on every reading thread at once
  if (journal.startboard) {
    // A line still played on its own start board has moved it on; rewinding restores it.
    if (journal.board == journal.startboard.get()) journal.gotomove(0);
    scratch.assign(*journal.startboard);
  } else
    scratch.setinitial();
  // Only the main line is played, so only it is lent the board; it gets its own back after, and
  // nothing is left pointing at a board that dies with its thread.
  doska* const own = journal.board;
  const int at = journal.current;
  journal.board = &scratch;
  journal.current = 0;
  std::string code = journal.ecocode();
  journal.board = own;
  journal.current = at;
  return code;
}

namespace {

// A game classified while loading answers from what it kept; otherwise its moves decide.
std::string gameLineEco(TGame& game) {
  if (game.EcoKnown) return game.Eco;
  TLockHold hold(gameLock());
  std::unique_ptr<jurnal> reread;
  jurnal* journal = journalOf(game, reread);
  return journal ? mainLineEco(*journal) : std::string();
}

std::string fillSlot(TGame& game, int slot, bool recompute) {
  std::string code;
  const bool hasMoves = game.Journal || isLeanGame(game);
  if (hasMoves && isChess960Game(game)) {
    // no ECO code applies to a shuffled back rank; one the file gives is kept unless replaced
    if (slot >= 0 && !(recompute && removeOldEco) && isValidEco(game.Tags[slot].Value))
      code = game.Tags[slot].Value;
  } else if (hasMoves) {
    if (slot >= 0) code = game.Tags[slot].Value;
    if ((recompute && removeOldEco) || !isValidEco(code)) code = gameLineEco(game);
  }
  if (slot >= 0) game.Tags.setValue(static_cast<size_t>(slot), code);
  return code;
}

}  // namespace

bool isValidEco(std::string_view code) {
  if (code.size() != 3) return false;
  char letter = lowerAscii(code[0]);
  return letter >= 'a' && letter <= 'e' && isDigit(code[1]) && isDigit(code[2]);
}

int findEcoSlot(const TGamesTagArray& tags) {
  for (size_t i = kTagSetUp; i < tags.size() && i <= kTagFen + 1; ++i)
    if (sameNameIgnoringCase(tags[i].Name, "eco")) return static_cast<int>(i);
  return -1;
}

std::string classifyEco(TGame& game, bool recompute) {
  return fillSlot(game, findEcoSlot(game.Tags), recompute);
}

std::string fillEco(TGame& game, bool recompute) {
  TGamesTagArray& tags = game.Tags;
  int slot = findEcoSlot(tags);
  if (slot < 0 && isChess960Game(game)) return {};
  if (slot < 0) {
    tags.append("", "");
    size_t fresh = newEcoSlot(tags);
    if (fresh != tags.size() - 1) tags.set(tags.size() - 1, tags[fresh].Name, tags[fresh].Value);
    tags.set(fresh, "ECO", "");
    slot = static_cast<int>(fresh);
  }
  return fillSlot(game, slot, recompute);
}
