#pragma once
// The portable steps of a transfer from the host: copying a game record and finding the
// variation to enter when the host's position is put back.

#include <cstdint>
#include <string>

#include "plugcommon/gamerecords.h"
#include "plugcommon/hostapi.h"

// Copies the host's record into game (no journal) and returns its FEN text, the value of the
// last tag named "fen" in any case (empty when none). Tags are copied as the host has them, also
// fewer than seven: the list shows missing ones as empty cells.
std::string copyHostGame(const THostGameRecord& host, TGame& game);

// The 1-based place of line among a move's variations; one past the count when absent.
int32_t variationNumber(const intptr_t* variations, int32_t count, intptr_t line);
