#pragma once
// A lean game base: games read from a file may drop their journals once loaded, keeping what the
// pipeline asks of them without moves (move count, keys, ECO code, place and file stamp), and
// have them read again from the file when they are written.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Upgnread/heldtext.h"
#include "plugcommon/gamerecords.h"

// Bytes of game text whose journals stay in memory after loading; the games beyond it are kept
// lean. Negative: no limit. The count of text held restarts when the base is emptied; removing
// games does not lower it, so a base that shrank turns lean a little early.
extern int64_t journalBudget;
extern const int64_t kDefaultJournalBudget;

// A file's size and modification time, to tell whether it changed since its games were read.
// Only a regular file has one: a pipe or a device cannot be read again, so its games keep their
// journals whatever the budget.
struct TFileStamp {
  int64_t size = -1;
  int64_t time = 0;
};
TFileStamp fileStamp(const std::filesystem::path& path);

// Called for a game just accepted from a file with the given stamp: when the budget is spent and
// the file can be read again, keeps what the pipeline needs and drops the journal. The caller
// holds gameLock.
void leanenAfterLoading(TGame& game, const TFileStamp& stamp);
// The base was emptied: journals may be kept again up to the budget.
void restartJournalBudget();
// True when the options ask for games' ECO codes: every game read then keeps its own.
bool ecoAskedFor();
// Keeps the ECO code worked out from the game's main line in the game. Nobody else may see the
// game yet, or the caller holds gameLock.
void keepEcoCode(TGame& game, std::string_view code);
// A game just read, on the thread that read it, while ECO codes are asked for: the walk then
// runs on every core, and whatever asks for the code later answers from what the game keeps.
void keepEcoOnceRead(TGame& game);

// Keeps the game's keys as soon as it is read and accepted, when duplicates are to go: the readers
// then work them out side by side, instead of the merge one game after another.
void keepKeysOnceRead(TGame& game);

// A file that changed (or went) since its games were read, and its games refused for it.
struct TChangedFile {
  std::filesystem::path file;
  int32_t games = 0;
  std::vector<int64_t> firstStarts;  // where the first few of them began, to name them
};

// The games refused because their file changed, tallied per file in the order they were met.
class TChangedFiles {
 public:
  void add(const TGame& game);
  // One line per changed file: its name, how many of its games are not written and where.
  std::vector<std::string> lines() const;

 private:
  std::vector<TChangedFile> files;
};

// What read asks of a game, copied so that it can be read again away from gameLock.
TGame rereadCopy(const TGame& game);

// Reads the journals of lean games again from their files. Games asked for in file order cost
// one read for a stretch of the file. A file that changed since loading gives no journal and no
// problem text, and is tallied in changedFiles; text that no longer gives the same game gives no
// journal and a problem text naming the file and place.
class TGameRereader {
 public:
  std::unique_ptr<jurnal> read(const TGame& game, std::string& problem);
  // One line per changed file: its name, how many of its games are not written and where.
  std::vector<std::string> changedFileLines() const { return changedFiles.lines(); }
  // How far past a game a read going forward in the file takes in at once (at most the usual
  // stretch): a reader given a run of games knows how far the run goes.
  void limitReadAhead(int64_t bytes);

 private:
  // Games written in file order are read a stretch at a time; a jump back reads the game alone.
  static constexpr int64_t kReadAhead = 4 * 1024 * 1024;

  bool covers(const TGame& game) const;
  bool fill(const TGame& game, std::string& problem);

  TChangedFiles changedFiles;
  std::filesystem::path file;
  TFileStamp stamp;  // of the file when the window was read
  TSharedPath windowText;  // the input whose held text the window came from, if any
  THeldText::TUnpacked unpacked;
  std::string window;
  int64_t windowStart = 0;  // 1-based file position of window[0]; 0 while nothing is read
  int64_t readAhead = kReadAhead;
};

// The journal of a game lean or not: its own, or one read again (then owned by holder).
jurnal* journalOf(TGame& game, std::unique_ptr<jurnal>& holder);
