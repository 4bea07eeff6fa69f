#pragma once
// A game's ECO tag: where it stands, whether its code is usable, and filling it from the ECO base.

#include <string>
#include <string_view>

#include "plugcommon/gamerecords.h"

// A letter A..E (either case) and two digits.
bool isValidEco(std::string_view code);
// The code of the journal's main line played from its own start; the caller holds gameLock.
std::string mainLineEco(jurnal& journal);
// The first tag among 7..9 named "ECO" in any case, or -1.
int findEcoSlot(const TGamesTagArray& tags);
// The code the game should carry: the stored one, or the journal's classification when recompute
// and removeOldEco ask for it or the stored one is not valid. An existing ECO tag receives the
// code; a game without one is left without one.
std::string classifyEco(TGame& game, bool recompute);
// Makes sure the game has an ECO tag (at 7, or after SetUp and FEN) and fills it; returns its
// value.
std::string fillEco(TGame& game, bool recompute);
