#pragma once
// Which games take part: by result, date, players, ratings, number of moves and ECO code.

#include <cstdint>
#include <string_view>

#include "plugcommon/gamerecords.h"

// The ratings seen inside the filter bounds, widened by readRatings; the rating split resets them.
extern int32_t whiteEloLow;
extern int32_t whiteEloHigh;
extern int32_t blackEloLow;
extern int32_t blackEloHigh;

struct TRatings {
  int32_t White = 0;
  int32_t Black = 0;
};

bool acceptTags(const TGamesTagArray& tags);
bool acceptMoves(const jurnal* journal);
// The same bounds for a game with its journal or a lean one that kept its move count.
bool acceptMoveCount(const TGame& game);
bool acceptEco(TGame& game, bool recompute);
bool acceptGame(TGame& game);
// The indices whose games pass, in their order; each game is read under gameLock.
TIndexArray filterList(TGames& games, const TIndexArray& list);
int32_t parseDate(std::string_view text);
TRatings readRatings(const TGamesTagArray& tags);
