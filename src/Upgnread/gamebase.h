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
