#pragma once
// Repetitions removed before a batch joins the base: games whose place in their file the base
// already holds, and, when removeDuplicates asks, games with the same start and the same moves
// whatever their tags. Each operation takes gameLock itself, one short step at a time.

#include <cstdint>

#include "plugcommon/gamerecords.h"

// Keys

// Both keys equal.
bool sameKeys(const THashEntry& a, const THashEntry& b);
// Ascending by MovesKey, then by StartKey, each read as a signed 64-bit number.
bool keyLess(const THashEntry& a, const THashEntry& b);
// A game whose moves are not loaded has no keys: its entry holds two zero keys, which no played
// game can have (the start key is a position key), and it is never compared.
bool hasKeys(const THashEntry& entry);
THashEntry gameEntry(const TGame& game, int32_t index);

// Locations

// Orders games by file name in the user's locale, then by their place in the file.
int compareLocation(const TGame& a, const TGame& b);

// Removing repetitions; each returns the number of games it removed

// Drops the batch games whose file and start the base already holds.
int32_t dropLoaded(TGames& batch);
// When gameHashes is stale, rebuilds it and removes the later copies of equal games in the base:
// the game loaded first survives. Games without moves are neither compared nor removed.
int32_t refreshHashes();
// Drops batch games equal to a base game or to an earlier batch game; hashes receives the
// survivors' entries in batch order.
int32_t dropDuplicates(TGames& batch, THashes& hashes);
