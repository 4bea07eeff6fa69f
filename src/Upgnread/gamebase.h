#pragma once
// The process-wide game base: every loaded game and the arrays that run parallel to it.
// Every read or change happens under gameLock, in short steps.

#include "platform/platform.h"
#include "plugcommon/gamerecords.h"

extern TGames panelGames;
extern TIndexArray listOrder;
extern TBoolArray tickedGames;
extern THashes gameHashes;
extern TIndexArray workList;
extern TIndexArray outputOrder;
extern int32_t listCursor;  // the panel's cursor row

// The one lock guarding every game array; the plug-in hands in the host's.
TRecursiveLock& gameLock();
void useGameLock(TRecursiveLock* hostLock);

// Changing the base. Each takes gameLock itself (it is recursive, so callers may hold it).

// True when gameHashes holds one entry per game and may be read.
bool gameHashesValid();

// Moves the games of a finished batch to the end of the base and leaves the batch empty. New games
// get their own list rows and clear ticks. With keepHashes, batchHashes (one entry per batch game,
// in batch order) extend gameHashes; otherwise, or when they do not match the batch, gameHashes is
// emptied and rebuilt when next needed. The cursor goes to the new row count when games arrived.
void appendBatch(TGames& batch, const THashes* batchHashes, bool keepHashes);

// Removes the games whose entry in marks (parallel to panelGames; missing entries count as
// unmarked) is set, destroying their journals. A game without a journal is not thereby marked:
// games handed over by the host have none until their moves are read. Survivors keep their order;
// every array indexed by game is renumbered. Returns how many games were removed.
int32_t removeMarkedGames(const TBoolArray& marks);

// Destroys every game. The cursor stays where it was.
void emptyGameBase();
