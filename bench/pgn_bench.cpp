// Reading and writing speed over real games: players/ and twic/ of the shared data concatenated
// into one file of about 35 MB, as a user's large collection would be, or the file that
// GAMESIFT_BENCH_FILE names (bench/compare.sh --make builds bigger ones).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Upgnread/ecotag.h"
#include "Upgnread/leangame.h"
#include "Upgnread/outputbuffer.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgnstretches.h"
#include "Upgnread/pgnwriter.h"
#include "platform/platform.h"
#include "uchess/ecobase.h"
#include "uchess/fileutil.h"

namespace {

std::filesystem::path sharedData() {
  const char* fromEnvironment = std::getenv("GAMESIFT_SHARED_DATA");
  return fromEnvironment && *fromEnvironment ? fromEnvironment : GAMESIFT_SHARED_DATA;
}

// The concatenated collection, built once per process in the temporary folder.
const std::filesystem::path& collectionFile() {
  static const std::filesystem::path built = []() -> std::filesystem::path {
    const char* given = std::getenv("GAMESIFT_BENCH_FILE");
    if (given && *given) return given;
    std::filesystem::path target = std::filesystem::temp_directory_path() / "gamesift-bench.pgn";
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    for (const char* folder : {"players", "twic"}) {
      std::filesystem::path dir = sharedData() / "pgn" / folder;
      if (!std::filesystem::is_directory(dir)) continue;
      std::vector<std::filesystem::path> files;
      for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".pgn") files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      for (const auto& file : files) {
        std::string bytes;
        if (readWholeFile(file, bytes)) out << bytes << "\n";
      }
    }
    return target;
  }();
  return built;
}

int64_t halfMoves(const TGames& games) {
  int64_t count = 0;
  for (const TGame& game : games)
    if (game.Journal) count += game.Journal->movecount();
  return count;
}

void setRates(benchmark::State& state, int64_t bytes, size_t games, int64_t plies) {
  const auto iterations = static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(bytes * iterations));
  state.counters["games/s"] = benchmark::Counter(games * iterations, benchmark::Counter::kIsRate);
  state.counters["half-moves/s"] =
      benchmark::Counter(static_cast<double>(plies) * iterations, benchmark::Counter::kIsRate);
}

void BM_LoadCollection(benchmark::State& state) {
  const auto& path = collectionFile();
  int64_t bytes = fileSize(path);
  if (bytes <= 0) {
    state.SkipWithError("the real games are not present");
    return;
  }
  // Every journal kept whole: this times reading, checking and building every move tree.
  journalBudget = -1;
  readerThreads = static_cast<int>(state.range(0));
  size_t games = 0;
  int64_t plies = 0;
  for (auto _ : state) {
    TGames batch;
    loadPgnFile(path, false, batch);
    games = batch.size();
    plies = halfMoves(batch);
    benchmark::DoNotOptimize(batch);
  }
  setRates(state, bytes, games, plies);
}
// Argument: reader threads, 0 for one per processor. Rates by the clock on the wall: the main
// thread's own CPU time leaves out the reading threads' work and would overstate them.
BENCHMARK(BM_LoadCollection)
    ->Arg(1)
    ->Arg(0)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_WriteCollection(benchmark::State& state) {
  const auto& path = collectionFile();
  journalBudget = -1;
  TGames batch;
  loadPgnFile(path, false, batch);
  if (batch.empty()) {
    state.SkipWithError("the real games are not present");
    return;
  }
  int64_t written = 0;
  for (auto _ : state) {
    TOutputBuffer buffer;
    for (TGame& game : batch) writeGame(game, buffer);
    written = static_cast<int64_t>(buffer.text().size());
    benchmark::DoNotOptimize(buffer.text().data());
  }
  setRates(state, written, batch.size(), halfMoves(batch));
}
BENCHMARK(BM_WriteCollection)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The main-line ECO walk of every game, as --add-eco runs it for each game written: a key per
// position looked up in the base.
void BM_ClassifyCollection(benchmark::State& state) {
  if (!loadecoFrom(GAMESIFT_ECO_BASE)) {
    state.SkipWithError("the ECO base is not built");
    return;
  }
  journalBudget = -1;
  TGames batch;
  loadPgnFile(collectionFile(), false, batch);
  if (batch.empty()) {
    state.SkipWithError("the real games are not present");
    return;
  }
  size_t named = 0;
  for (auto _ : state) {
    named = 0;
    for (TGame& game : batch)
      if (game.Journal && !mainLineEco(*game.Journal).empty()) ++named;
  }
  setRates(state, fileSize(collectionFile()), batch.size(), halfMoves(batch));
  state.counters["named"] = static_cast<double>(named);
}
BENCHMARK(BM_ClassifyCollection)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
