// The real games: every file is read without a fault, and the games accepted are the games an
// independent PGN validator accepts, apart from the differences explained below.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "Upgnread/pgnscan.h"
#include "pgnlongwork/jobstate.h"
#include "support/tempfolder.h"
#include "support/testpaths.h"

namespace {

namespace fs = std::filesystem;

// A game as both readers can name it: the seven roster values and the number of half-moves of
// its main line. A missing player is "Anonymous" here and "?" there; so is the result of a
// game the validator could not read ("*" here).
using TGameCounts = std::map<std::string, int>;

std::string rosterValue(std::string value) {
  return value == "Anonymous" || value == "*" ? "?" : value;
}

std::string gameKey(const std::vector<std::string>& roster, int plies, bool withPlies) {
  std::string key;
  for (const std::string& value : roster) key += rosterValue(value) + "|";
  return withPlies ? key + std::to_string(plies) : key;
}

int countOf(const TGameCounts& counts) {
  int total = 0;
  for (const auto& [key, n] : counts) total += n;
  return total;
}

// Keys in a that b lacks, with their surplus.
TGameCounts surplus(const TGameCounts& a, const TGameCounts& b) {
  TGameCounts extra;
  for (const auto& [key, n] : a) {
    auto found = b.find(key);
    int have = found == b.end() ? 0 : found->second;
    if (n > have) extra[key] = n - have;
  }
  return extra;
}

TGameCounts ourGames(const fs::path& file, bool withPlies, int& code) {
  TGames batch;
  setCurrentFile(file);
  code = loadPgnFile(file, false, batch);
  TGameCounts counts;
  for (const TGame& game : batch) {
    std::vector<std::string> roster;
    for (int i = 0; i < kRosterTagCount; ++i) roster.emplace_back(game.Tags[i].Value);
    ++counts[gameKey(roster, game.Journal->movecount(), withPlies)];
  }
  return counts;
}

fs::path validatorPath() {
  for (const char* candidate : {"/usr/games/pgn-extract", "/usr/bin/pgn-extract"})
    if (fs::exists(candidate)) return candidate;
  return {};
}

std::string unescape(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    out += value[i];
  }
  return out;
}

// The validator's games: its output with a ply count; each game it writes opens with "[Event ".
// Where it cannot read a game it also writes the rest as games of their own, whose roster is all
// defaults; those are not games of the file and are left out.
TGameCounts validatorGames(const fs::path& validator, const fs::path& file, bool withPlies) {
  TTempFolder folder;
  fs::path out = folder / "out.pgn";
  std::string command = "'" + validator.string() +
                        "' -s --novars --nocomments --nonags --plycount" + " -w 100000 -o '" +
                        out.string() + "' '" + file.string() + "' >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(out, std::ios::binary);
  TGameCounts counts;
  std::map<std::string, std::string> tags;
  auto finish = [&] {
    if (tags.empty()) return;
    std::vector<std::string> roster;
    bool fragment = true;
    for (const char* name : {"Event", "Site", "Date", "Round", "White", "Black", "Result"}) {
      roster.push_back(tags.count(name) ? tags[name] : "?");
      fragment = fragment &&
                 (roster.back() == "?" || roster.back() == "????.??.??" || roster.back() == "*");
    }
    if (fragment) {
      tags.clear();
      return;
    }
    ++counts[gameKey(roster, std::atoi(tags["PlyCount"].c_str()), withPlies)];
    tags.clear();
  };
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() < 4 || line.front() != '[' || line.back() != ']') continue;
    if (line.starts_with("[Event ")) finish();
    size_t space = line.find(' ');
    size_t open = line.find('"');
    size_t close = line.rfind('"');
    if (space == std::string::npos || open == std::string::npos || close <= open) continue;
    std::string_view value = std::string_view(line).substr(open + 1, close - open - 1);
    tags[line.substr(1, space - 1)] = unescape(value);
  }
  finish();
  return counts;
}

// Files where the two readers part, and why: the games each reader has that the other lacks
// (by roster; ply counts are not compared in these files).
struct TExplained {
  const char* file;
  int ours;
  int theirs;
  int onlyOurs;
  int onlyTheirs;
  const char* why;
};

constexpr TExplained kExplained[] = {
    {"test.pgn", 13, 14, 1, 2,
     "only ours: \"Testing FEN castling rights\" (line 133), which the validator loses after "
     "an error in the game before it. Only theirs, written by the validator without moves: "
     "\"empty variations\" (line 88), refused by us because a result stands inside a "
     "variation (\"(3. Nf3 1/2-1/2)\", 111), and \"a basic NAG before variation start\" "
     "(line 123), refused by us because \"Kd4\" is written without its capture mark (9). The "
     "garbage before the first game and the text after \"Testing continuations\" ends at "
     "\"(*\" are skipped as stray text"},
    {"chess-informant-sample.pgn", 5, 5, 0, 0,
     "variations that open with a glyph (\"($142 38... b5\") are read by us; the validator "
     "loses the moves of those four games and writes them with none"},
};

const TExplained* explanationFor(const fs::path& file) {
  for (const TExplained& e : kExplained)
    if (file.filename() == e.file) return &e;
  return nullptr;
}

std::vector<fs::path> pgnFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".pgn") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

void printKeys(const char* label, const TGameCounts& keys) {
  for (const auto& [key, n] : keys) std::cout << "    " << label << ": " << key << "\n";
}

void checkFile(const fs::path& file, const fs::path& validator) {
  SCOPED_TRACE(file.filename().string());
  const TExplained* explained = explanationFor(file);
  int code = 0;
  TGameCounts ours = ourGames(file, explained == nullptr, code);
  if (validator.empty()) return;
  TGameCounts theirs = validatorGames(validator, file, explained == nullptr);
  std::cout << "  " << file.filename().string() << ": ours " << countOf(ours) << ", theirs "
            << countOf(theirs) << "\n";
  if (!explained) {
    EXPECT_TRUE(surplus(ours, theirs).empty()) << "games only we accept";
    EXPECT_TRUE(surplus(theirs, ours).empty()) << "games only the validator accepts";
    return;
  }
  SCOPED_TRACE(explained->why);
  EXPECT_EQ(countOf(ours), explained->ours);
  EXPECT_EQ(countOf(theirs), explained->theirs);
  printKeys("only ours", surplus(ours, theirs));
  printKeys("only theirs", surplus(theirs, ours));
  EXPECT_EQ(countOf(surplus(ours, theirs)), explained->onlyOurs);
  EXPECT_EQ(countOf(surplus(theirs, ours)), explained->onlyTheirs);
}

class RealGames : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    resetOptions();
    resetJobProgress();
  }
  void TearDown() override { setCurrentFile({}); }
};

TEST_P(RealGames, ReadLikeTheValidatorReadsThem) {
  fs::path folder = sharedDataPath(fs::path("pgn") / GetParam());
  SKIP_WITHOUT_SHARED_DATA(folder);
  fs::path validator = validatorPath();
  for (const fs::path& file : pgnFiles(folder)) checkFile(file, validator);
  if (validator.empty()) GTEST_SKIP() << "files read; no validator to compare with";
}

INSTANTIATE_TEST_SUITE_P(Folders, RealGames,
                         testing::Values("annotated", "engine", "twic", "players"));

}  // namespace
