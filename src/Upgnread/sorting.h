#pragma once
// The order in which an output run writes its games: games that share an output file stand
// together, in a fixed order of the split keys.

#include <cstdint>
#include <string>
#include <string_view>

#include "plugcommon/gamerecords.h"

// The player split sorts in three passes, which change the name keys.
enum class TSortPass { white, black, group };

// workList sorted into outputOrder; with the player split every game appears once per player.
void sortForOutput();
// True when game x (an index into panelGames) is placed before game y in this pass.
bool comesBefore(int32_t x, int32_t y, TSortPass pass);
bool keysActive(TSortPass pass);
// The ECO code that sorting and splitting use: a valid ECO tag, else the code computed and stored.
std::string gameEco(TGame& game);
// gameEco of panelGames[index] as first taken in this run; later calls read the remembered code,
// so the sort and the file changes agree even when writing refills the tag.
const std::string& runEco(int32_t index);
void forgetRunEco();

// A tag's value, empty when the game has fewer tags.
std::string_view tagValue(const TGame& game, int tag);

// Sorts positions first..last - 1 of the list by comesBefore; returns at once on a stop request.
void sortPositions(TIndexArray& list, size_t first, size_t last, TSortPass pass);
