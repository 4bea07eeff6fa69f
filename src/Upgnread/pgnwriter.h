#pragma once
// Games written as PGN: the tag section, the movetext with its variations, comments and marks,
// stripped as the batch options ask. Line ends are CR LF; movetext lines wrap before 80 columns.

#include <string>
#include <string_view>

#include "Upgnread/outputbuffer.h"
#include "plugcommon/gamerecords.h"

// The tag section that tagMode lets through, one "[Name "Value"]" line per tag.
std::string formatTags(const TGamesTagArray& tags);

// Appends a journal's movetext with its variations; a main line ends with its result and an empty
// line. Any depth of nesting is safe: the tree is walked with a stack of its own. The output line
// begun in line is continued, and an unfinished one is left there.
void writeMovetext(const jurnal& journal, TOutputBuffer& buffer, std::string& line);

// Appends a whole game: ECO filled when addEcoNames asks, tags, an empty line, movetext. A game
// whose moves are not loaded is not written (false). The caller holds gameLock.
bool writeGame(TGame& game, TOutputBuffer& buffer);
