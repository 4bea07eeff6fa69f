#include "Upgnread/leangame.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "Upgnread/ecotag.h"
#include "Upgnread/heldtext.h"
#include "Upgnread/movetext.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/variant.h"
#include "uchess/fileutil.h"

// The plug-in runs in a 32-bit host: about a tenth of its address space for journals.
const int64_t kDefaultJournalBudget = 64 * 1024 * 1024;
int64_t journalBudget = kDefaultJournalBudget;

namespace {

int64_t journalTextHeld = 0;  // under gameLock, like the base

// Games of a changed file named by place in its report line; the rest are counted.
constexpr size_t kChangedGamesNamed = 5;

void keepKeys(TGame& game) {
  const TGameKeys keys = game.Journal->gamekeys();
  game.StartKey = keys.StartKey;
  game.MovesKey = keys.MovesKey;
  game.KeysKnown = true;
}

void keepSummary(TGame& game, const TFileStamp& stamp) {
  game.MoveCount = game.Journal->movecount();
  if (!game.KeysKnown) keepKeys(game);
  // The stamp is kept once per file, with its name; a name that came without it gets its own.
  if (!game.FileName.heldText() &&
      (game.FileName.fileSize() != stamp.size || game.FileName.fileTime() != stamp.time))
    game.FileName = TSharedPath(*game.FileName, stamp.size, stamp.time);
}

std::string placeText(const TGame& game) {
  return game.FileName->string() + " at byte " + std::to_string(game.TextStart);
}

}  // namespace

bool ecoAskedFor() {
  return addEcoNames || !ecoFilter.empty() || splitByEco >= 1;
}

void keepEcoCode(TGame& game, std::string_view code) {
  std::fill(std::begin(game.Eco), std::end(game.Eco), '\0');
  std::copy_n(code.begin(), std::min<size_t>(code.size(), sizeof game.Eco - 1), game.Eco);
  game.EcoKnown = true;
}

void keepEcoOnceRead(TGame& game) {
  // A game is read into the place of one just left out, whose code must not pass to it. No code
  // applies to a shuffled back rank: nothing asks for one.
  game.EcoKnown = false;
  if (game.Journal && ecoAskedFor() && !isChess960Game(game))
    keepEcoCode(game, mainLineEco(*game.Journal));
}

void keepKeysOnceRead(TGame& game) {
  // The place may be that of a game just left out, whose keys must not pass to this one.
  game.KeysKnown = false;
  if (game.Journal && removeDuplicates) keepKeys(game);
}

TFileStamp fileStamp(const std::filesystem::path& path) {
  TFileStamp stamp;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return stamp;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return stamp;
  const auto time = std::filesystem::last_write_time(path, error);
  if (error) return stamp;
  stamp.size = static_cast<int64_t>(size);
  stamp.time = static_cast<int64_t>(time.time_since_epoch().count());
  return stamp;
}

void leanenAfterLoading(TGame& game, const TFileStamp& stamp) {
  if (!game.Journal) return;
  const bool rereadable =
      (stamp.size >= 0 || game.FileName.heldText()) && !game.FileName->empty();
  // Journals that must stay spend the budget too: it is the memory they take that it bounds.
  if (!rereadable || journalBudget < 0 || journalTextHeld + game.TextLength <= journalBudget) {
    journalTextHeld += game.TextLength;
    return;
  }
  keepSummary(game, stamp);  // its ECO code, when asked for, was kept as it was read
  game.Journal.reset();
}

void restartJournalBudget() {
  journalTextHeld = 0;
}

TGame rereadCopy(const TGame& game) {
  TGame copy;
  copy.Tags = game.Tags;  // a start position or a variant decides the board the moves are read on
  copy.FileName = game.FileName;
  copy.TextStart = game.TextStart;
  copy.TextLength = game.TextLength;
  copy.MoveCount = game.MoveCount;
  copy.KeysKnown = game.KeysKnown;
  copy.StartKey = game.StartKey;
  copy.MovesKey = game.MovesKey;
  return copy;
}

void TGameRereader::limitReadAhead(int64_t bytes) {
  readAhead = std::clamp<int64_t>(bytes, 0, kReadAhead);
}

bool TGameRereader::covers(const TGame& game) const {
  const THeldText* held = game.FileName.heldText();
  const bool sameText = held ? held == windowText.heldText()
                             : !windowText.heldText() && *game.FileName == file;
  return windowStart > 0 && sameText && game.TextStart >= windowStart &&
         game.TextStart + game.TextLength < windowStart + static_cast<int64_t>(window.size());
}

// Reads the stretch of the file from the game's start: the game, the character on which its
// scan stopped (a game glued to the next "[" ends there), and more when reading goes forward.
// The file is looked at again for every stretch: a change met halfway through a file is then
// told apart from a game whose text is gone.
bool TGameRereader::fill(const TGame& game, std::string& problem) {
  const bool sameFile = *game.FileName == file;
  const bool forward = sameFile && windowStart > 0 && game.TextStart >= windowStart;
  windowStart = 0;
  if (!sameFile) file = *game.FileName;
  int64_t wanted = game.TextLength + 1 + (forward ? readAhead : 0);
  if (const THeldText* held = game.FileName.heldText()) {
    // Held text is unpacked, not read: the game alone, from the piece last unpacked when it
    // lies there.
    wanted = game.TextLength + 1;
    // Held text cannot change; another input of the same name has a text of its own.
    file.clear();
    if (held != windowText.heldText()) unpacked = {};
    if (!held->read(game.TextStart, wanted, window, unpacked) ||
        static_cast<int64_t>(window.size()) < game.TextLength) {
      problem = placeText(game) + ": the game could not be read again; it is not written";
      return false;
    }
    windowStart = game.TextStart;
    windowText = game.FileName;
    return true;
  }
  windowText = TSharedPath();
  stamp = fileStamp(file);
  if (stamp.size != game.FileName.fileSize() || stamp.time != game.FileName.fileTime()) {
    changedFiles.add(game);
    return false;
  }
  int64_t count = std::min(wanted, stamp.size - game.TextStart + 1);
  if (count < game.TextLength || !readFileRange(file, game.TextStart, count, window)) {
    problem = placeText(game) + ": the game could not be read again; it is not written";
    return false;
  }
  windowStart = game.TextStart;
  return true;
}

void TChangedFiles::add(const TGame& game) {
  // Split output may come back to a file: its games go on the same line.
  auto found = std::find_if(files.begin(), files.end(), [&](const TChangedFile& changed) {
    return changed.file == *game.FileName;
  });
  if (found == files.end()) found = files.insert(found, {*game.FileName, 0, {}});
  TChangedFile& changed = *found;
  ++changed.games;
  if (changed.firstStarts.size() < kChangedGamesNamed)
    changed.firstStarts.push_back(game.TextStart);
}

std::vector<std::string> TChangedFiles::lines() const {
  std::vector<std::string> lines;
  for (const TChangedFile& changed : files) {
    std::string line = changed.file.string() + ": changed or removed since it was read; " +
                       std::to_string(changed.games) + " of its games not written (at byte";
    if (changed.firstStarts.size() > 1) line += "s";
    for (size_t i = 0; i < changed.firstStarts.size(); ++i)
      line += (i == 0 ? " " : ", ") + std::to_string(changed.firstStarts[i]);
    const int32_t unnamed = changed.games - static_cast<int32_t>(changed.firstStarts.size());
    if (unnamed > 0) line += " and " + std::to_string(unnamed) + " more";
    lines.push_back(line + ")");
  }
  return lines;
}

std::unique_ptr<jurnal> TGameRereader::read(const TGame& game, std::string& problem) {
  problem.clear();
  if (!covers(game) && !fill(game, problem)) return nullptr;
  const std::string_view text(window);
  int64_t position = game.TextStart - windowStart + 1;
  const int64_t end = position + game.TextLength;
  TGamesTagArray scratch;
  std::string unusedFen;
  int error = 0;
  std::unique_ptr<jurnal> journal =
      startJournal(startFenOf(game), error, isChess960Variant(game.Tags));
  if (journal && readTags(text, position, false, unusedFen, scratch) == kReadOk &&
      readMovetext(text, position, *journal) == kMovetextOk && position == end &&
      journal->movecount() == game.MoveCount) {
    const TGameKeys keys = journal->gamekeys();
    if (!game.KeysKnown || (keys.StartKey == game.StartKey && keys.MovesKey == game.MovesKey))
      return journal;
  }
  problem = placeText(game) + ": the text there no longer gives the game loaded; it is not written";
  return nullptr;
}

jurnal* journalOf(TGame& game, std::unique_ptr<jurnal>& holder) {
  if (game.Journal || !isLeanGame(game)) return game.Journal.get();
  TGameRereader rereader;
  std::string problem;
  holder = rereader.read(game, problem);
  return holder.get();
}
