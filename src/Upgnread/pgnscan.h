#pragma once
// Reading PGN files: the scan for games, their tag sections, and the reloading of games whose
// moves were not loaded. The movetext of each game is read by readMovetext (movetext.h).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "plugcommon/gamerecords.h"

// Result codes of the scan and the tag reader. 0 success; 1..100 the game is skipped as bad;
// above 100 the rest of the file is not read.
enum : int {
  kReadOk = 0,
  kNoTags = 1,
  kTagControlChar = 3,
  kDuplicateTag = 4,
  kBadSetUp = 19,
  kSetUpWithoutFen = 20,
  kNoTagName = 101,
  kNoOpeningQuote = 102,
  kValueNotClosed = 103,
  kNoClosingBracket = 104,
  kEndInTags = 105,
  kNoGameStart = 112,
  kBrokenTagLine = 113,
};

// Codes up to this one skip the game; greater ones end the reading of the file.
constexpr int kLastGameCode = 100;

// The host's initial game capacity: the batch's first length and its growth step.
extern int32_t capacityStep;

// The comment text collected since the last move or tag; the movetext reader attaches it.
extern std::string pendingComment;

// The journal a game's moves start from: set up from its FEN text, or empty; none on a FEN error.
// A Chess960 game's FEN castling field names the rooks of a shuffled back rank.
std::unique_ptr<jurnal> startJournal(const std::string& fen, int& error, bool chess960 = false);

// Files
// Reads the whole file and fills the batch with its accepted games; returns the scan's code.
int loadPgnFile(const std::filesystem::path& path, bool applyFilters, TGames& batch);
// Loads the journals of the work-list games (from index first on) of that file that have none.
void loadMissingGames(const std::filesystem::path& path, const TIndexArray& list, int32_t first,
                      TBoolArray& done);

// Texts; positions are 1-based and in/out
int scanGames(std::string_view text, int64_t& position, bool applyFilters, int32_t& badCount,
              TGames& batch);
int readTags(std::string_view text, int64_t& position, bool normalise, std::string& fen,
             TGamesTagArray& tags);
int readTagPair(std::string_view text, int64_t& position, TPGNTag& tag);
void skipSpace(std::string_view text, int64_t& position, std::string& comments);
void skipToGame(std::string_view text, int64_t& position);

// "A".."Z", the Windows-1251 capitals 0xC0..0xDF and Ё (0xA8) lowered; all other bytes kept.
std::string lowerCase(std::string_view text);
