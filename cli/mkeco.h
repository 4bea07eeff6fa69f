#pragma once
// `gamesift mkeco`: builds the ECO base from a PGN file of classified opening lines, each game an
// "ECO" tag and the moves of its line. The position each line reaches gets the line's code.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "plugcommon/gamerecords.h"
#include "uchess/ecobase.h"

// One opening line: where it leads and what it is called.
struct TEcoLine {
  int64_t key = 0;  // poskey of the position after the line, with the right side to move
  std::string code;
  int32_t plies = 0;  // half-moves of the line
  int32_t order = 0;  // its place in the file
};

// The key of the position the main line reaches, with the side to move after its last move.
// The journal is replayed on a board of its own; its start position is its FEN one, if any.
int64_t lineEndKey(jurnal& journal);

// The lines of the games that carry a valid ECO tag and their moves; skipped counts the others.
std::vector<TEcoLine> ecoLines(TGames& games, int32_t& skipped);

// One entry per position, sorted by key as a signed number. Where lines with different codes
// reach one position, the longest line wins, and among lines of one length the first in the
// file: a deeper line names its position more precisely, and a short line that reaches it is
// usually a transposition listed under a broader code. conflicts counts positions where codes
// differed.
ecoinfar chooseEcoEntries(std::vector<TEcoLine> lines, int32_t& conflicts);

// The base file's bytes: 11 bytes a record, key high then low half big-endian, then the code.
std::string ecoBaseBytes(const ecoinfar& base);

// The subcommand: reads openings, writes the base to output (an old file is replaced only by a
// whole new one) and reports on stderr unless quiet. Answers the exit status.
int runMkeco(const std::filesystem::path& openings, const std::filesystem::path& output,
             bool quiet);
