#include "pgnlongwork/output.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

#include "Upgnread/filters.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/options.h"
#include "Upgnread/outputbuffer.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgnwriter.h"
#include "Upgnread/sorting.h"
#include "Upgnread/splitting.h"
#include "Upgnread/variant.h"
#include "pgnlongwork/formatahead.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/rereadahead.h"
#include "pgnlongwork/writteninputs.h"
#include "platform/platform.h"
#include "unpack/encoder.h"

const std::u16string kChooseOneCaption = u"Обработка партий";
const std::u16string kChooseOneQuestion =
    u"Запустить обработку одной выделенной партии? (Если нажмёте \"Нет\", то будут обработаны "
    u"все партии из списка).";

bool outputToStandardOutput = false;

namespace {

constexpr size_t kFlushBytes = 8 * 1024 * 1024;
// Room past kFlushBytes for the game that crosses it, as a rule.
constexpr size_t kFlushMargin = 64 * 1024;

// Where each output file begins in outputOrder, and its name. Worked out once, before writing:
// the inputs among the outputs must be known first, and a name cut to fit the host counts its
// cuts, so asking for it twice would give another name.
struct TPlannedFile {
  int32_t position = 0;
  std::filesystem::path name;
};
using TFilePlan = std::vector<TPlannedFile>;

// The writing loop's state: the games gathered for the current file and the files done so far.
struct TOutputRun {
  TFilePlan plan;
  size_t nextFile = 0;         // the plan's entry the writer comes to next
  std::filesystem::path file;  // the one the buffer goes to
  // The whole base's writing shows its file; a part's writing leaves on show the file being read.
  bool showsFile = true;
  TOutputBuffer buffer;
  int32_t gamesBuffered = 0;
  bool everFilled = false;
  // A name can come up twice in one run (two tag values made safe to the same text); the later
  // games then join the file instead of replacing what this run wrote a moment before.
  std::set<std::filesystem::path::string_type> written;
  TGameRereader rereader;  // for a game that turned lean after its batch was read
  TChangedFiles changedFiles;
};

// Appends the whole text or nothing: a full disk must not leave half a game behind the games
// already in the file, nor an empty file where there was none.
bool appendWhole(const std::filesystem::path& path, std::string_view text) {
  std::error_code error;
  const bool existed = std::filesystem::exists(path, error);
  TOsFile file;
  if (!file.open(path, TOpenMode::appendExclusive)) return false;
  const int64_t before = file.size();
  const int64_t count = static_cast<int64_t>(text.size());
  if (count == 0 || file.write(text.data(), count) == count) return true;
  if (before >= 0) file.truncate(before);
  file.close();
  if (!existed) std::filesystem::remove(path, error);
  return false;
}

// Writes the text into the file in place, replacing what it held.
bool overwrite(const std::filesystem::path& path, std::string_view text) {
  TOsFile file;
  const int64_t count = static_cast<int64_t>(text.size());
  return file.open(path, TOpenMode::createExclusive) &&
         (count == 0 || file.write(text.data(), count) == count);
}

// Replaces the file only once the new text is whole beside it, so a failed write keeps the old.
// A link, pipe or device is written in place: putting a file in its stead would change what it
// is.
bool replaceWhole(const std::filesystem::path& path, std::string_view text) {
  std::error_code error;
  const auto kind = std::filesystem::symlink_status(path, error).type();
  if (kind != std::filesystem::file_type::not_found && kind != std::filesystem::file_type::regular)
    return overwrite(path, text);
  std::filesystem::path fresh = path;
  fresh += ".gamesift-new";
  if (overwrite(fresh, text) && replaceFile(fresh, path)) return true;
  std::error_code ignored;
  std::filesystem::remove(fresh, ignored);
  return false;
}

bool writeStandardOutput(std::string_view text) {
  TOsFile output;
  const int64_t count = static_cast<int64_t>(text.size());
  const bool written =
      output.openStandard(false) && (count == 0 || output.write(text.data(), count) == count);
  if (!written) ++writesFailed;
  return written;
}

// Writes the buffer to the run's file; the caller holds gameLock.
void flushBuffer(TOutputRun& run) {
  const std::filesystem::path& file = run.file;
  const bool again = run.written.count(file.native()) > 0;
  if (outputToStandardOutput ? writeStandardOutput(run.buffer.text())
                             : writeText(file, run.buffer.text(), appendToExisting || again)) {
    gamesWritten += run.gamesBuffered;
    if (!again) ++outputFilesWritten;
    run.written.insert(file.native());
  }
  run.gamesBuffered = 0;
  run.buffer.clear();
}

// Reads the moves of chosen games listed without them, one file at a time.
void loadMissingMoves() {
  TBoolArray done;
  int32_t total = 0;
  {
    TLockHold hold(gameLock());
    total = static_cast<int32_t>(workList.size());
    done.assign(workList.size(), 0);
  }
  itemsTotal = total;
  itemsDone = 0;
  enterStage(kStageLoadingMoves);
  for (int32_t i = 0; i < total; ++i) {
    itemsDone = i;
    std::filesystem::path file;
    {
      TLockHold hold(gameLock());
      const int32_t game = i < static_cast<int32_t>(workList.size()) ? workList[i] : -1;
      if (done[i] || game < 0 || game >= static_cast<int32_t>(panelGames.size()) ||
          panelGames[game].Journal || isLeanGame(panelGames[game]))
        continue;
      file = *panelGames[game].FileName;
    }
    loadMissingGames(file, workList, i, done);
  }
  itemsDone = total;
}

// A game of a shuffled back rank has no code to work out.
bool movesWithoutEco(const TGame& game) {
  return (game.Journal || isLeanGame(game)) && !game.EcoKnown && !isChess960Game(game);
}

// Games loaded while no ECO code was asked for get theirs here, worked out ahead on every core
// (the lean ones read again first), rather than each alone under gameLock while the games are
// sorted, filtered and written.
void classifyGamesAhead() {
  if (!ecoAskedFor()) return;
  int32_t total = 0;
  {
    TLockHold hold(gameLock());
    total = static_cast<int32_t>(workList.size());
  }
  TJournalsAhead ahead(workList, movesWithoutEco, true);
  if (ahead.none()) return;
  for (int32_t i = 0; i < total && !stopRequested; ++i) {
    itemsDone = i;
    TRereadGame worked = ahead.take(i);
    if (!worked.ecoWorkedOut) continue;  // the writer reports what cannot be read again
    TLockHold hold(gameLock());
    const int32_t game = workList[i];
    if (game >= 0 && game < static_cast<int32_t>(panelGames.size()) &&
        movesWithoutEco(panelGames[game]))
      keepEcoCode(panelGames[game], worked.eco);
  }
  itemsDone = total;
}

// Answers how many games the filters took out.
int32_t filterOutputOrder() {
  TIndexArray order;
  {
    TLockHold hold(gameLock());
    order = outputOrder;
  }
  TIndexArray kept = filterList(panelGames, order);
  TLockHold hold(gameLock());
  const auto filteredOut = static_cast<int32_t>(order.size() - kept.size());
  outputOrder = std::move(kept);
  return filteredOut;
}

// A lean game gets its journal back, read ahead, for the moment it is written; one that could not
// be read again is reported.
bool writeLeanOrNot(TOutputRun& run, TGame& game, TRereadGame& reread) {
  if (!isLeanGame(game)) return writeGame(game, run.buffer);
  if (!reread.lean) reread = rereadGame(run.rereader, game);
  if (!reread.journal) {
    ++gamesNotWritten;
    if (reread.fileChanged)
      run.changedFiles.add(game);
    else
      noteProblem(reread.problem);
    return false;
  }
  game.Journal = std::move(reread.journal);
  const bool written = writeGame(game, run.buffer);
  reread.journal = std::move(game.Journal);  // freed outside the lock
  return written;
}

// One game into the buffer, after switching files when the game starts a new one.
void bufferGame(TOutputRun& run, int32_t position, TRereadGame& reread,
                const TFormattedGames* formatted) {
  TLockHold hold(gameLock());
  if (run.nextFile < run.plan.size() && run.plan[run.nextFile].position == position) {
    if (run.buffer.used > 0) flushBuffer(run);
    run.file = run.plan[run.nextFile++].name;
    if (run.showsFile) setCurrentFile(run.file);
    run.buffer.clear();
    run.gamesBuffered = 0;
  }
  const int32_t game = outputOrder[position];
  if (game < 0 || game >= static_cast<int32_t>(panelGames.size())) return;
  std::string_view text;
  if (formatted && formatted->textAt(position, text))
    run.buffer.append(text);
  else if (!writeLeanOrNot(run, panelGames[game], reread))
    return;
  ++run.gamesBuffered;
  run.everFilled = true;
  // A file of many games goes out in pieces: the whole output need not fit in memory at once.
  if (run.buffer.used >= kFlushBytes) flushBuffer(run);
}

// Writes the games of outputOrder while the lean ones among them are read again ahead; answers
// the position reached (the total unless stopped).
int32_t writeInOrder(TOutputRun& run, int32_t total, const TFormattedGames* formatted = nullptr) {
  TJournalsAhead ahead(outputOrder);
  int32_t position = 0;
  for (; position < total; ++position) {
    itemsDone = position;
    observeWorker(kStageWriting, position);
    if (stopRequested) break;
    TRereadGame reread = ahead.take(position);
    bufferGame(run, position, reread, formatted);
  }
  return position;
}

TFilePlan planFiles(const std::filesystem::path& base) {
  TFilePlan plan;
  TLockHold hold(gameLock());
  resetGroupCursor();
  const int32_t total = static_cast<int32_t>(outputOrder.size());
  for (int32_t position = 0; position < total; ++position)
    if (startsNewFile(position)) plan.push_back({position, outputFileName(base, position)});
  resetGroupCursor();
  return plan;
}

std::vector<std::filesystem::path> namesOf(const TFilePlan& plan) {
  std::vector<std::filesystem::path> names;
  names.reserve(plan.size());
  for (const TPlannedFile& file : plan) names.push_back(file.name);
  return names;
}

void writeGames(TFilePlan plan) {
  TOutputRun run;
  run.plan = std::move(plan);
  run.file = currentFileCopy();
  int32_t total = 0;
  {
    TLockHold hold(gameLock());
    total = static_cast<int32_t>(outputOrder.size());
  }
  itemsTotal = total;
  itemsDone = 0;
  enterStage(kStageWriting);
  const int32_t position = writeInOrder(run, total);
  itemsDone = position;
  for (const std::string& line : run.changedFiles.lines()) noteProblem(line);
  TLockHold hold(gameLock());
  // A stop still writes the games gathered for the open file: the user saw them go through.
  if (position < total ? run.buffer.used > 0 : run.everFilled) flushBuffer(run);
}

}  // namespace

void chooseGames(const std::function<TAnswer()>& askAboutOne) {
  TIndexArray ticked;
  TIndexArray everyRow;
  {
    TLockHold hold(gameLock());
    everyRow = listOrder;
    for (int32_t game : listOrder)
      if (game >= 0 && static_cast<size_t>(game) < tickedGames.size() && tickedGames[game])
        ticked.push_back(game);
  }
  TIndexArray chosen = std::move(ticked);
  if (chosen.empty()) {
    chosen = std::move(everyRow);
  } else if (chosen.size() == 1) {
    // No lock while the question is open: the interface thread waits for the user there.
    const TAnswer answer = askAboutOne ? askAboutOne() : TAnswer::cancel;
    if (answer == TAnswer::no) chosen = std::move(everyRow);
    if (answer == TAnswer::cancel) chosen.clear();
  }
  TLockHold hold(gameLock());
  workList = std::move(chosen);
}

void runOutput(const std::filesystem::path& base) {
  loadMissingMoves();
  classifyGamesAhead();
  enterStage(kStageSorting);
  sortForOutput();
  if (!stopRequested) {
    enterStage(kStageFiltering);
    filterOutputOrder();
  }
  if (!stopRequested) {
    TFilePlan plan = planFiles(base);
    // Standard output writes no file, so no input can be written over.
    if (outputToStandardOutput || holdGamesOfWrittenInputs(namesOf(plan)))
      writeGames(std::move(plan));
  }
  TLockHold hold(gameLock());
  emptyRunArrays();
}

void writeStreamedPart(const std::filesystem::path& base, TStreamedOutput& output) {
  {
    TLockHold hold(gameLock());
    workList.resize(panelGames.size());
    std::iota(workList.begin(), workList.end(), 0);
  }
  rememberedCuts = &output.cutNames;
  sortForOutput();
  if (!stopRequested) output.filteredOut += filterOutputOrder();
  if (!stopRequested) {
    TOutputRun run;
    run.plan = planFiles(base);
    // The reading goes on beside this part: currentFile stays the file it reads.
    run.showsFile = false;
    run.written = std::move(output.written);
    int32_t total = 0;
    {
      TLockHold hold(gameLock());
      total = static_cast<int32_t>(outputOrder.size());
    }
    output.formatted.formatAll(total);
    // the part's text goes into the buffer whole, or in pieces of kFlushBytes: room taken at once
    run.buffer.reserve(std::min(output.formatted.textBytes(), kFlushBytes) + kFlushMargin);
    writeInOrder(run, total, &output.formatted);
    TLockHold hold(gameLock());
    if (run.buffer.used > 0) flushBuffer(run);
    output.written = std::move(run.written);
  }
  rememberedCuts = nullptr;
  TLockHold hold(gameLock());
  emptyRunArrays();
}

bool writeText(const std::filesystem::path& path, std::string_view text) {
  return writeText(path, text, appendToExisting);
}

bool writeText(const std::filesystem::path& path, std::string_view text, bool append) {
  // A packed file is a stream per piece written; an empty one still has its stream's frame.
  const TPacking packing = packingOfName(path);
  std::string packed;
  if (packing != TPacking::plain && (!append || !text.empty())) {
    if (!packText(packing, text, packed)) {
      ++writesFailed;
      return false;
    }
    text = packed;
  }
  const bool written = append ? appendWhole(path, text) : replaceWhole(path, text);
  if (!written) ++writesFailed;
  return written;
}
