#pragma once
// Games of Chess960 (a shuffled back rank): they castle their own way and have no ECO code.

#include "plugcommon/gamerecords.h"

// The game's Variant tag says Chess960 ("Chess960", "fischerandom", "Fischer Random", any case).
bool isChess960Variant(const TGamesTagArray& tags);

// A game of Chess960: by its Variant tag, or because its FEN could mean nothing else.
bool isChess960Game(const TGame& game);
