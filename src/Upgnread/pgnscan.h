#pragma once
// Reading PGN files: the scan for games, their tag sections, and the reloading of games whose
// moves were not loaded. The movetext of each game is read by readMovetext (movetext.h).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "Upgnread/readrecord.h"
#include "plugcommon/gamerecords.h"

// Result codes of the scan and the tag reader. 0 success; 1..100 the game is skipped as bad;
// above 100 the game is bad too, and the reading goes on where the next game can be found.
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

// Codes up to this one skip the game to the next "["; greater ones also lose track of where the
// game ends.
constexpr int kLastGameCode = 100;

// The host's initial game capacity: the batch's first length and its growth step.
extern int32_t capacityStep;

// The comment text collected since the last move or tag; the movetext reader attaches it.
extern thread_local std::string pendingComment;

// The journal a game's moves start from: set up from its FEN text, or empty; none on a FEN error.
// A Chess960 game's FEN castling field names the rooks of a shuffled back rank.
std::unique_ptr<jurnal> startJournal(const std::string& fen, int& error, bool chess960 = false);

// The FEN a game starts from, where its normalised tags keep it (SetUp "1" at 7, FEN at 8).
std::string startFenOf(const TGame& game);

// Files
class TGameKeySet;
// Takes the games of a part of a file just read, in file order, and leaves the batch empty: a run
// that writes games as they come holds one part at a time, however long the input.
struct TBatchSink {
  TBatchSink() = default;
  TBatchSink(std::function<void(TGames& batch)> takeParts) : take(std::move(takeParts)) {}
  explicit operator bool() const { return static_cast<bool>(take); }
  void operator()(TGames& batch) const { take(batch); }

  std::function<void(TGames& batch)> take;
  // The keys of the games the sink took and kept, when it drops later copies by them. A game read
  // with keys found there is a copy: its reader frees the journal at once, on its own thread,
  // and the sink still drops the game by its keys. Unchanged while a part is read.
  const TGameKeySet* takenKeys = nullptr;
};

// Reads the whole file and fills the batch with its accepted games; returns the scan's code.
// Standard input, pipes, devices and packed files (an archive's *.pgn members one after another)
// are read as streams. With a sink, each part read goes to it instead, and the batch ends empty.
int loadPgnFile(const std::filesystem::path& path, bool applyFilters, TGames& batch,
                const TBatchSink* sink = nullptr);
// The name that stands for standard input among the files to load.
inline const std::filesystem::path kStandardInputName = "-";
// Loads the journals of the work-list games (from index first on) of that file that have none.
void loadMissingGames(const std::filesystem::path& path, const TIndexArray& list, int32_t first,
                      TBoolArray& done);

// One stretch of a file's text read on its own, for readers on other threads: the games that
// start before limit, read with the whole text after them at hand. Nothing shared is touched:
// no lock, no counters, no progress. Lines are counted on from the line start is on.
struct TStretchPlace {
  int64_t start = 1;
  int64_t limit = 1;
  int64_t line = 1;
  int64_t unclosedBrace = 0;  // of the whole text, which only a stretch reaching its end meets
};
struct TScanStretch {
  TGames games;
  TReadRecord record;
  int64_t start = 1;
  int64_t end = 1;  // where the scan stopped: at or past the limit, unless the text ended
  int code = kReadOk;
  int32_t bad = 0;
  int32_t unreadable = 0;
  int32_t leftOut = 0;
};
TScanStretch scanStretch(std::string_view text, const TStretchPlace& place, bool applyFilters,
                         const TSharedPath& fileName, const TGameKeySet* takenKeys = nullptr);
// Reads the games of a text that source gives a block at a time (a decoded stream) into the
// batch, emptied first. Its games keep their journals: a stream cannot be read again. The
// progress is the source's to tell. Answers where the reading ended and the scan's code.
struct TTextPlace {
  int64_t position = 1;
  int64_t line = 1;
  int code = kReadOk;
};
class TBlockSource;
TTextPlace scanStream(TBlockSource& source, const TSharedPath& name, bool applyFilters,
                      TGames& batch, TReadRecord& record, const TBatchSink* sink = nullptr);

// Adds another stretch's skipped text and bad games after the record's own.
void appendRecord(TReadRecord& record, const TReadRecord& more);

// Texts; positions are 1-based and in/out
// The record, when given, receives the text skipped and the games that could not be read.
int scanGames(std::string_view text, int64_t& position, bool applyFilters, int32_t& badCount,
              TGames& batch, TReadRecord* record = nullptr);
// The caller holds gameLock where others may see the tags.
int readTags(std::string_view text, int64_t& position, bool normalise, std::string& fen,
             TGamesTagArray& tags);
int readTagPair(std::string_view text, int64_t& position, TPGNTag& tag);
void skipSpace(std::string_view text, int64_t& position, std::string& comments);
void skipToGame(std::string_view text, int64_t& position);

// The seven roster tags with their default values: the tags of a game without a tag section.
void setDefaultRoster(TGamesTagArray& tags);

// Where games begin
// "1." but not "1...": the first move of a game written without tags.
bool startsMovetextGame(std::string_view text, int64_t position);
// A game without tags begins at position, first on its line, after a blank line.
bool beginsGameAfterBlankLine(std::string_view text, int64_t position);
// The next line from position on that opens a tag pair ("[Name \"") or, after a blank line,
// a game without tags; its "[" or "1", or past the end.
int64_t nextGameStart(std::string_view text, int64_t position);
// skipToGame, stopping also at a game without tags that opens a line after a blank line.
void skipBadGame(std::string_view text, int64_t& position);
// From a broken tag line: past the rest of its tag section and its moves.
void skipBrokenTagSection(std::string_view text, int64_t& position);

// "A".."Z", the Windows-1251 capitals 0xC0..0xDF and Ё (0xA8) lowered; all other bytes kept.
std::string lowerCase(std::string_view text);
// lowerCase(text) == lower, without the lowered copy.
bool lowersTo(std::string_view text, std::string_view lower);
