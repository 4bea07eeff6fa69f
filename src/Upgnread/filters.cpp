#include "Upgnread/filters.h"

#include "Upgnread/ecotag.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "uchess/fileutil.h"

// Reset values of the rating split: any rating inside the bounds widens them.
int32_t whiteEloLow = 100000;
int32_t whiteEloHigh = 0;
int32_t blackEloLow = 100000;
int32_t blackEloHigh = 0;

namespace {

// A roster tag's value; tags built by other means may lack it.
std::string_view rosterValue(const TGamesTagArray& tags, int index) {
  return static_cast<size_t>(index) < tags.size() ? std::string_view(tags[index].Value) : "";
}

uint8_t resultBit(std::string_view result) {
  if (result == "1-0") return kResultWhiteWins;
  if (result == "0-1") return kResultBlackWins;
  if (result == "1/2-1/2") return kResultDraw;
  if (result == "*") return kResultUnknown;
  return kResultOther;
}

bool acceptResult(const TGamesTagArray& tags) {
  if (resultMask == kResultAll) return true;
  return (resultMask & resultBit(rosterValue(tags, kTagResult))) != 0;
}

bool acceptDate(const TGamesTagArray& tags) {
  if (dateFrom <= 0 && dateTo >= kDateUnboundedAbove) return true;
  int32_t date = parseDate(rosterValue(tags, kTagDate));
  return dateFrom <= date && date <= dateTo;
}

bool isName(std::string_view tag, const std::string& name, const std::string& spelling) {
  return tag == name || (!spelling.empty() && tag == spelling);
}

bool acceptPlayers(const TGamesTagArray& tags) {
  // asked of every game read: without a name asked for, the tags are not looked up
  if (whitePlayer.empty() && blackPlayer.empty()) return true;
  std::string_view white = rosterValue(tags, kTagWhite);
  std::string_view black = rosterValue(tags, kTagBlack);
  if (!whitePlayer.empty() && !isName(white, whitePlayer, whitePlayerSpelling) &&
      !(ignoreColour && isName(black, whitePlayer, whitePlayerSpelling)))
    return false;
  return blackPlayer.empty() || ignoreColour || isName(black, blackPlayer, blackPlayerSpelling);
}

bool acceptRatings(const TGamesTagArray& tags) {
  if (whiteEloMin <= 0 && whiteEloMax >= 10000 && blackEloMin <= 0 && blackEloMax >= 10000)
    return true;
  TRatings ratings = readRatings(tags);
  return whiteEloMin <= ratings.White && ratings.White <= whiteEloMax &&
         blackEloMin <= ratings.Black && ratings.Black <= blackEloMax;
}

void widen(int32_t rating, int32_t& low, int32_t& high, int32_t min, int32_t max) {
  if (rating < low && rating >= min) low = rating;
  if (rating > high && rating <= max) high = rating;
}

// One part of a date: up to two characters from pos, digits or "?" (which restarts the part at 0).
// False when another character stands there or the part exceeds limit.
bool readDatePart(std::string_view text, size_t pos, int32_t limit, int32_t& part) {
  part = 0;
  for (size_t i = pos; i < text.size() && i < pos + 2; ++i) {
    if (text[i] >= '0' && text[i] <= '9')
      part = part * 10 + (text[i] - '0');
    else if (text[i] == '?')
      part = 0;
    else
      return false;
  }
  return part <= limit;
}

}  // namespace

bool acceptTags(const TGamesTagArray& tags) {
  return acceptResult(tags) && acceptDate(tags) && acceptPlayers(tags) && acceptRatings(tags);
}

namespace {

// In 64 bits: bounds typed into the settings may be as large as int32 allows.
bool halfMovesInBounds(int64_t halfMoves) {
  return halfMoves >= 2 * int64_t(movesMin) - 2 && halfMoves <= 2 * int64_t(movesMax);
}

bool anyLengthGoes() {
  return movesMin <= 0 && movesMax > 9999;
}

}  // namespace

bool acceptMoves(const jurnal* journal) {
  if (anyLengthGoes()) return true;
  return journal && halfMovesInBounds(journal->movecount());
}

bool acceptMoveCount(const TGame& game) {
  if (game.Journal || !isLeanGame(game)) return acceptMoves(game.Journal.get());
  return anyLengthGoes() || halfMovesInBounds(game.MoveCount);
}

bool acceptEco(TGame& game, bool recompute) {
  if (ecoFilter.empty()) return true;
  std::string code = classifyEco(game, recompute);
  return code.compare(0, ecoFilter.size(), ecoFilter) == 0;
}

bool acceptGame(TGame& game) {
  return acceptTags(game.Tags) && acceptMoveCount(game) && acceptEco(game, false);
}

TIndexArray filterList(TGames& games, const TIndexArray& list) {
  TIndexArray kept;
  for (int32_t index : list) {
    TLockHold hold(gameLock());
    if (index >= 0 && static_cast<size_t>(index) < games.size() && acceptGame(games[index]))
      kept.push_back(index);
  }
  return kept;
}

int32_t parseDate(std::string_view text) {
  int32_t year = 0;
  size_t pos = 0;
  for (; pos < text.size() && pos < 4; ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return 0;
    year = year * 10 + (text[pos] - '0');
  }
  int32_t month = 0, day = 0;
  if (text.size() - pos >= 2) {
    if (text[pos] != '.' || !readDatePart(text, pos + 1, 12, month)) return 0;
    pos += 3;
    if (pos <= text.size() && text.size() - pos >= 2) {
      if (text[pos] != '.' || !readDatePart(text, pos + 1, 31, day)) return 0;
    }
  }
  return packDate(year, month, day);
}

TRatings readRatings(const TGamesTagArray& tags) {
  TRatings ratings;
  for (size_t i = kTagSetUp; i < tags.size(); ++i) {
    int32_t* rating = tags[i].Name == "WhiteElo"   ? &ratings.White
                      : tags[i].Name == "BlackElo" ? &ratings.Black
                                                   : nullptr;
    int32_t value = 0;
    // A value that is not a number (or beyond int32) leaves the rating as it was.
    if (rating && textToInt(tags[i].Value, value)) *rating = value;
  }
  widen(ratings.White, whiteEloLow, whiteEloHigh, whiteEloMin, whiteEloMax);
  widen(ratings.Black, blackEloLow, blackEloHigh, blackEloMin, blackEloMax);
  return ratings;
}
