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

// True when an option asks for ECO codes (adding them, splitting or filtering by them): the
// transfer then takes every game's moves from the host and classifies it.
bool transferNeedsEco();

// Fills a transferred game's ECO tag when an option asks for codes, the same for one game and for
// all: only a game that got its moves. A game the board refused (a FEN it cannot set up) keeps
// the tags the host gave it, its ECO code among them, rather than an emptied one.
void fillTransferredEco(TGame& game);

// The 1-based place of line among a move's variations; one past the count when absent.
int32_t variationNumber(const intptr_t* variations, int32_t count, intptr_t line);
