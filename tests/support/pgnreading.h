#pragma once
// Reading PGN texts in tests: scanning a whole text, reading one movetext, and writing a move tree
// out as a short text that a test can compare.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "Upgnread/readrecord.h"
#include "plugcommon/gamerecords.h"
#include "uchess/jurnal.h"

struct TScanned {
  int code = 0;
  int32_t badCount = 0;
  int64_t position = 1;  // where the scan stopped
  TGames games;
  TReadRecord record;  // the text skipped and the games that could not be read
};

// Scans the text from its first character, with the default options and no stop asked.
TScanned scanText(std::string_view text, bool applyFilters = false);

// Reads a movetext into a fresh journal, set up from the FEN when one is given; the journal stays
// none when the FEN is refused. position (when given) receives where the reader stopped.
int readMoves(std::string_view movetext, std::unique_ptr<jurnal>& journal,
              std::string_view fen = {}, int64_t* position = nullptr);

// The tree as moves separated by spaces, each variation in parentheses after the move it
// replaces, comments as stored, marks other than 0 as $n after the move: "e4 (d4 $1) e5".
std::string treeText(const jurnal& line);

// The bytes of tests/data/reader/<name>.
std::string readerCase(std::string_view name);
std::filesystem::path readerCasePath(std::string_view name);
