#include "support/pipeline.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>
#include <vector>

#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/options.h"
#include "Upgnread/splitting.h"
#include "gamesiftwnd/gamelist_logic.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/output.h"
#include "pgnlongwork/rereadahead.h"

void resetPipeline() {
  workerObserver = nullptr;
  rereadObserver = nullptr;
  rereadBatchGames = kRereadBatchGames;
  journalBudget = kDefaultJournalBudget;
  emptyGameBase();
  emptyRunArrays();
  resetOptions();
  resetJobProgress();
  resetJobReport();
  setCurrentFile({});
  sourceFolder.clear();
  outputBase.clear();
  listCursor = -1;
  sortColumn = kSortLoadOrder;
}

std::string tagLine(std::string_view name, std::string_view value) {
  return "[" + std::string(name) + " \"" + std::string(value) + "\"]\r\n";
}

TGameText gameText(std::string white, std::string black, std::string result, std::string moves,
                   std::string date, std::string event) {
  TGameText game;
  game.white = std::move(white);
  game.black = std::move(black);
  game.result = std::move(result);
  game.moves = std::move(moves);
  game.date = std::move(date);
  game.event = std::move(event);
  return game;
}

std::string pgnText(const TGameText& game) {
  std::string text = tagLine("Event", game.event) + tagLine("Site", "Kyiv") +
                     tagLine("Date", game.date) + tagLine("Round", "1") +
                     tagLine("White", game.white) + tagLine("Black", game.black) +
                     tagLine("Result", game.result) + game.extraTags + "\r\n";
  text += game.moves.empty() ? game.result : game.moves + " " + game.result;
  return text + "\r\n\r\n";
}

void loadFileJob(const std::filesystem::path& file) {
  setCurrentFile(file);
  ASSERT_TRUE(startJob(kJobLoadFile, [] { return 1; }));
}

void loadFolderJob(const std::filesystem::path& source) {
  sourceFolder = source;
  ASSERT_TRUE(startJob(kJobLoadFolder, [] { return 1; }));
}

void writeJob(const std::filesystem::path& base) {
  setCurrentFile(base);
  chooseGames([] { return TAnswer::no; });
  ASSERT_TRUE(startJob(kJobWriteOutput, [] { return 1; }));
}

std::map<std::string, std::string> filesIn(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[std::filesystem::relative(entry.path(), root).string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

std::vector<std::pair<std::string, int64_t>> baseLocations() {
  std::vector<std::pair<std::string, int64_t>> locations;
  TLockHold hold(gameLock());
  for (const TGame& game : panelGames)
    locations.emplace_back(game.FileName->string(), game.TextStart);
  return locations;
}
