#pragma once
// The game services: the host's list of open games and its navigation over the current game.

#include "gametree_logic.h"
#include "plugcommon/hostapi.h"

extern THostGames hostGameList;

const char* VORLEN_CALL lineTextService(intptr_t beforeFirstMove);
void VORLEN_CALL enterVariationService(intptr_t n);
void VORLEN_CALL leaveVariationService();
const TMove* VORLEN_CALL moveRecordService(intptr_t index);
void VORLEN_CALL setPositionService(intptr_t n);
intptr_t VORLEN_CALL inVariationService();
intptr_t VORLEN_CALL lineMoveCountService();
intptr_t VORLEN_CALL currentMoveService(int32_t* cell);
intptr_t VORLEN_CALL moveNumberService();
const char* VORLEN_CALL resultTextService();
void VORLEN_CALL selectGameService(intptr_t n);

// Makes game n current, as the host's own list does when the user picks a row.
void selectHostGame(int32_t n);
