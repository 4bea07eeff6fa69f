#include "cli/batchrun.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/splitting.h"
#include "cli/preflight.h"
#include "cli/progress.h"
#include "cli/report.h"
#include "cli/settings.h"
#include "cli/terminal.h"
#include "cli/textpaths.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/output.h"
#include "pgnlongwork/streamrun.h"
#include "platform/platform.h"
#include "uchess/ecobase.h"
#include "uchess/fileutil.h"
#include "unpack/decoder.h"
#include "unpack/encoder.h"

namespace {

const std::filesystem::path kStandardOutputName = "-";

// Games within it are written from memory, so an input changed while the tool runs loses none of
// them; past it, games are read again from their files. A journal takes about 6.5 bytes per byte
// of game text, so 16 MB of text costs about 105 MB: every input up to 16 MB is held whole, and a
// large one adds a fixed 105 MB to the lean base (64 MB would add 410 MB, more than a 300 MB
// input's own size).
constexpr int64_t kToolJournalBudget = 16 * 1024 * 1024;
// About a third of what a streamed part's journals take: most of one part's memory then serves the
// next part without going back to the system.
constexpr int64_t kFreedMemoryKept = 32 * 1024 * 1024;

struct TInput {
  std::filesystem::path path;
  TInputKind kind = TInputKind::file;
};

// Prints "gamesift: PATH: problem" and answers false when there is a problem.
bool good(const std::filesystem::path& path, const std::string& problem) {
  if (problem.empty()) return true;
  writeStderr("gamesift: " + pathText(path) + ": " + problem + "\n");
  return false;
}

// The option set: defaults, then the settings file, then the command line.
bool setOptions(const TCommandLine& line) {
  resetOptions();
  if (!line.settingsFile.empty()) {
    TSettingsContent content = TSettingsContent::missing;
    if (!good(line.settingsFile, loadSettings(line.settingsFile, content))) return false;
    if (content != TSettingsContent::everything && !line.quiet)
      writeStderr("gamesift: " + pathText(line.settingsFile) +
                  ": holds no batch options; the defaults apply\n");
  }
  applyEdits(line.edits);
  setPlayerSpellings();
  return true;
}

// A base cut short (a copy broken off, a full disk) or some other file: classifying with what
// is left of it would give codes that look right and are not.
std::string ecoBaseSizeProblem(const std::filesystem::path& path) {
  const int64_t size = fileSize(path);
  if (size < 0 || size % kEcoRecordSize == 0) return {};
  return "is damaged or no ECO base: its " + std::to_string(size) + " bytes are not whole " +
         std::to_string(kEcoRecordSize) + "-byte records";
}

// The ECO base is needed only to add codes or to filter by them.
bool prepareEcoBase(const TCommandLine& line) {
  if (!line.ecoBaseFile.empty()) {
    if (!good(line.ecoBaseFile, checkReadableFile(line.ecoBaseFile))) return false;
    if (!good(line.ecoBaseFile, ecoBaseSizeProblem(line.ecoBaseFile))) return false;
    if (!loadecoFrom(line.ecoBaseFile) || ecoBase().empty())
      return good(line.ecoBaseFile, "holds no ECO record");
    return true;
  }
  if (!addEcoNames && ecoFilter.empty()) return true;
  const std::filesystem::path beside = hostFolder() / "plugins" / "ecos.dat";
  if (!good(beside, ecoBaseSizeProblem(beside))) return false;
  if (ensureEcoBase()) return true;
  return good(beside,
              "no ECO base there for --add-eco or --eco (build it with gamesift mkeco, "
              "or give --eco-base)");
}

bool checkInputs(const TCommandLine& line, std::vector<TInput>& inputs) {
  for (const std::filesystem::path& given : line.inputs) {
    TInput input{given};
    // Standard input is looked at by the job alone: a look here would take what it sends first.
    if (given != kStandardInputName && !good(input.path, checkInput(input.path, input.kind)))
      return false;
    inputs.push_back(input);
  }
  return true;
}

bool workerStarted(bool started) {
  if (!started) writeStderr("gamesift: the worker thread could not be started\n");
  return started;
}

// Loads the inputs in order; a Ctrl-C ends the loading but keeps what was merged.
bool loadInputs(const std::vector<TInput>& inputs, const TWaitForJob& wait) {
  for (const TInput& input : inputs) {
    startStreamedInput();
    bool started = false;
    if (input.kind == TInputKind::folder) {
      sourceFolder = input.path;
      started = startJob(kJobLoadFolder, wait);
    } else {
      setCurrentFile(input.path);
      started = startJob(kJobLoadFile, wait);
    }
    if (!workerStarted(started)) return false;
    if (interruptCount() > 0) break;
  }
  return true;
}

// Every game of the base, as the panel's start button does with nothing ticked. Answers false
// when the job could not start; filteredOut counts the games the filters kept back.
bool writeBase(const std::filesystem::path& base, const TWaitForJob& wait, int32_t& filteredOut) {
  setCurrentFile(base);
  chooseGames([] { return TAnswer::no; });
  int32_t chosen = 0;
  {
    TLockHold hold(gameLock());
    chosen = static_cast<int32_t>(workList.size());
  }
  filteredOut = 0;
  if (chosen == 0) return true;
  if (!workerStarted(startJob(kJobWriteOutput, wait))) return false;
  // A run stopped before its filters leaves every chosen game in outputOrder.
  TLockHold hold(gameLock());
  filteredOut = chosen - static_cast<int32_t>(outputOrder.size());
  return true;
}

// The files a run reads; standard input is none of them.
std::vector<std::filesystem::path> inputFiles(const std::vector<TInput>& inputs) {
  std::vector<std::filesystem::path> files;
  for (const TInput& input : inputs) {
    if (input.kind != TInputKind::folder) {
      if (input.path != kStandardInputName) files.push_back(input.path);
      continue;
    }
    for (const std::filesystem::path& name : findFilesEnding(input.path, inputEndings()))
      files.push_back(input.path / name);
  }
  return files;
}

// Game by game, when the options allow it and no output can be one of the inputs: memory then
// stays the same however large the inputs are.
bool streams(const std::filesystem::path& base, const std::vector<TInput>& inputs) {
  return optionsStream() &&
         (outputToStandardOutput || !outputMayBeInput(base, inputFiles(inputs)));
}

// The files given more than once, by themselves or in a folder.
std::vector<std::filesystem::path> readAgain(const std::vector<TInput>& inputs) {
  std::vector<std::filesystem::path> files = inputFiles(inputs);
  std::sort(files.begin(), files.end());
  std::vector<std::filesystem::path> again;
  for (size_t i = 1; i < files.size(); ++i)
    if (files[i] == files[i - 1] && (again.empty() || again.back() != files[i]))
      again.push_back(files[i]);
  return again;
}

bool loadAndWriteStreamed(const std::filesystem::path& base, const std::vector<TInput>& inputs,
                          const TWaitForJob& wait, int32_t& filteredOut) {
  beginStreamedRun(base, readAgain(inputs));
  const bool loaded = loadInputs(inputs, wait);
  filteredOut = endStreamedRun();
  return loaded;
}

int finish(const TCommandLine& line, int32_t filteredOut) {
  TRunReport report = collectReport(interruptCount() > 0);
  report.gamesFilteredOut += filteredOut;
  const int status = exitStatus(report);
  for (const std::string& problem : problemLines()) writeStderr("gamesift: " + problem + "\n");
  if (line.verbose) {
    TLockHold hold(gameLock());
    writeStderr(skipListing(fileRecords));
  }
  if (!line.quiet || status != kExitDone) writeStderr(reportText(report));
  return status;
}

}  // namespace

// Split output is several files, which one standard output cannot tell apart.
bool usableOutput() {
  const TPacking packing = packingOfName(outputEnding);
  if (!packingWritten(packing)) {
    writeStderr(std::string("gamesift: -o: this build cannot write ") + packingName(packing) +
                " files; give a name ending in .pgn or in a packing it writes (" +
                packingsWrittenText() + ")\n");
    return false;
  }
  if (!outputToStandardOutput || !splitsOutput()) return true;
  writeStderr(
      "gamesift: -o - writes one text to standard output and cannot split it into files; "
      "give a file name base with -o to split (see gamesift --help)\n");
  return false;
}

int runBatch(const TCommandLine& line) {
  if (line.inputs.empty() && line.saveSettingsFile.empty()) {
    writeStderr("gamesift: no INPUT given (see gamesift --help)\n");
    return kExitUsage;
  }
  if (!setOptions(line)) return kExitIncomplete;
  outputToStandardOutput = line.output == kStandardOutputName;
  outputEnding = outputToStandardOutput ? ".pgn" : outputEndingFrom(line.output);
  if (!line.inputs.empty() && !usableOutput()) return kExitUsage;
  const std::filesystem::path base = outputBaseFrom(line.output);
  std::vector<TInput> inputs;
  if (!checkInputs(line, inputs)) return kExitIncomplete;
  if (!inputs.empty() && !outputToStandardOutput &&
      !good(folderOf(base), checkWritableFolder(folderOf(base))))
    return kExitIncomplete;
  if (!inputs.empty() && !prepareEcoBase(line)) return kExitIncomplete;
  if (!line.saveSettingsFile.empty() &&
      !good(line.saveSettingsFile, saveSettings(line.saveSettingsFile, base)))
    return kExitIncomplete;
  if (inputs.empty()) return kExitDone;
  installInterruptHandler();
  resetJobReport();
  journalBudget = kToolJournalBudget;
  keepFreedMemory(kFreedMemoryKept);
  const TWaitForJob wait = progressWaiter(!line.quiet && stderrIsTerminal());
  int32_t filteredOut = 0;
  if (streams(base, inputs)) {
    if (!loadAndWriteStreamed(base, inputs, wait, filteredOut)) return kExitIncomplete;
  } else if (!loadInputs(inputs, wait) || !writeBase(base, wait, filteredOut)) {
    return kExitIncomplete;
  }
  return finish(line, filteredOut);
}
