#pragma once
// What the reading of one file passed over: stretches of text that held no game, and games that
// could not be read. Lines are 1-based and count line feeds; positions are 1-based file positions.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Where in a game the reader met its problem; the same code means different things in each.
enum class TReadPhase : uint8_t { between, tags, fen, moves };

struct TSkippedText {
  int64_t line = 0;
  int64_t position = 0;
  int64_t length = 0;
  int reason = 0;
};

struct TBadGame {
  int64_t line = 0;  // where the game begins
  int64_t position = 0;
  int64_t errorLine = 0;  // where the problem was found
  int reason = 0;
  TReadPhase phase = TReadPhase::moves;
};

struct TReadRecord {
  std::vector<TSkippedText> skipped;
  std::vector<TBadGame> badGames;
  bool readToEnd = true;  // false when a stop came before the end of the text
  bool unopened = false;  // the file could not be opened: nothing was read
  std::string problem;    // what stopped the reading, in words for the report; empty: no words
};

// One file's record, kept for the report after the jobs.
struct TFileRecord {
  std::filesystem::path path;
  TReadRecord record;
};

// The reader's code as a short English phrase.
std::string readReasonText(int reason, TReadPhase phase);

// The sum of the skipped stretches' lengths.
int64_t skippedBytes(const TReadRecord& record);
