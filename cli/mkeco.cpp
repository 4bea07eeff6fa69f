#include "cli/mkeco.h"

#include <algorithm>
#include <string>

#include "Upgnread/ecotag.h"
#include "Upgnread/pgnscan.h"
#include "cli/preflight.h"
#include "cli/report.h"
#include "cli/terminal.h"
#include "cli/textpaths.h"
#include "pgnlongwork/jobstate.h"
#include "platform/platform.h"
#include "uchess/doska.h"

namespace {

bool deeperOrEarlier(const TEcoLine& a, const TEcoLine& b) {
  if (a.plies != b.plies) return a.plies > b.plies;
  return a.order < b.order;
}

// Groups the lines by key, the winner of each group first.
bool keyThenRule(const TEcoLine& a, const TEcoLine& b) {
  if (a.key != b.key) return a.key < b.key;
  return deeperOrEarlier(a, b);
}

void appendBigEndian(std::string& bytes, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(value >> shift);
}

// Writes bytes beside output first and puts them in its place only when all were written.
bool writeWhole(const std::filesystem::path& output, const std::string& bytes) {
  std::filesystem::path fresh = output;
  fresh += ".new";
  bool written = false;
  {
    TOsFile file;
    written = file.open(fresh, TOpenMode::createExclusive) &&
              file.write(bytes.data(), static_cast<int64_t>(bytes.size())) ==
                  static_cast<int64_t>(bytes.size());
  }
  if (written && replaceFile(fresh, output)) return true;
  std::error_code ignored;
  std::filesystem::remove(fresh, ignored);
  return false;
}

int fail(const std::filesystem::path& path, const std::string& problem) {
  writeStderr("gamesift mkeco: " + pathText(path) + ": " + problem + "\n");
  return kExitIncomplete;
}

}  // namespace

int64_t lineEndKey(jurnal& journal) {
  doska board;
  if (journal.startboard) {
    if (journal.board == journal.startboard.get()) journal.gotomove(0);
    board.assign(*journal.startboard);
  }
  journal.attachboard(&board);
  journal.gotomove(journal.movecount());
  const int count = journal.movecount();
  const bool blackToMove =
      count == 0 ? journal.blackfirst != 0 : isWhitePiece(journal.moves[count - 1].piece);
  const int64_t key = static_cast<int64_t>(board.poskey(blackToMove));
  journal.attachboard(nullptr);
  return key;
}

std::vector<TEcoLine> ecoLines(TGames& games, int32_t& skipped) {
  std::vector<TEcoLine> lines;
  skipped = 0;
  for (TGame& game : games) {
    const int slot = findEcoSlot(game.Tags);
    if (!game.Journal || slot < 0 || !isValidEco(game.Tags[slot].Value)) {
      ++skipped;
      continue;
    }
    TEcoLine line;
    line.code = game.Tags[slot].Value;
    line.code[0] = static_cast<char>(line.code[0] & ~0x20);  // the letter as a capital
    line.plies = game.Journal->movecount();
    line.order = static_cast<int32_t>(lines.size());
    line.key = lineEndKey(*game.Journal);
    lines.push_back(std::move(line));
  }
  return lines;
}

ecoinfar chooseEcoEntries(std::vector<TEcoLine> lines, int32_t& conflicts) {
  std::sort(lines.begin(), lines.end(), keyThenRule);
  ecoinfar base;
  conflicts = 0;
  bool differs = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == 0 || lines[i].key != lines[i - 1].key) {
      if (differs) ++conflicts;
      differs = false;
      base.push_back(ecoinfo{lines[i].code, lines[i].key});
    } else if (lines[i].code != base.back().code) {
      differs = true;
    }
  }
  if (differs) ++conflicts;
  return base;
}

std::string ecoBaseBytes(const ecoinfar& base) {
  std::string bytes;
  bytes.reserve(base.size() * kEcoRecordSize);
  for (const ecoinfo& entry : base) {
    const uint64_t key = static_cast<uint64_t>(entry.key);
    appendBigEndian(bytes, static_cast<uint32_t>(key >> 32));
    appendBigEndian(bytes, static_cast<uint32_t>(key));
    bytes += entry.code.substr(0, 3);
  }
  return bytes;
}

int runMkeco(const std::filesystem::path& openings, const std::filesystem::path& output,
             bool quiet) {
  if (std::string problem = checkReadableFile(openings); !problem.empty())
    return fail(openings, problem);
  if (std::string problem = checkWritableFolder(folderOf(output)); !problem.empty())
    return fail(folderOf(output), problem);
  TGames games;
  const int32_t badBefore = gamesSkipped;
  loadPgnFile(openings, false, games);
  int32_t skipped = 0;
  std::vector<TEcoLine> lines = ecoLines(games, skipped);
  skipped += gamesSkipped - badBefore;
  if (lines.empty()) return fail(openings, "holds no opening line with an ECO tag");
  const size_t lineCount = lines.size();
  int32_t conflicts = 0;
  const ecoinfar base = chooseEcoEntries(std::move(lines), conflicts);
  if (!writeWhole(output, ecoBaseBytes(base))) return fail(output, "cannot be written");
  if (!quiet)
    writeStderr("gamesift mkeco: " + std::to_string(base.size()) + " positions written to " +
                pathText(output) + " from " + std::to_string(lineCount) + " lines (" +
                std::to_string(skipped) + " lines skipped, " + std::to_string(conflicts) +
                " positions reached with different codes)\n");
  return kExitDone;
}
