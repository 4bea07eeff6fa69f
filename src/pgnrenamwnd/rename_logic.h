#pragma once
// Renaming one value of a tag in every game of the base: the values offered, the replacement and
// the message that reports it.

#include <cstdint>
#include <string>
#include <vector>

#include "plugcommon/gamerecords.h"

// The distinct values of the tag (kTagWhite stands for both players) in byte order, the empty
// value first when a game has it.
std::vector<std::string> renameValues(const TGames& games, int32_t tag);

// Replaces every value equal to oldValue (byte for byte) by newValue; for players White and
// Black count separately. Returns how many values changed.
int32_t applyRename(TGames& games, int32_t tag, const std::string& oldValue,
                    const std::string& newValue);

extern const std::u16string kRenameCaption;
// The report after a rename of count values.
std::u16string renameMessage(int32_t count);
