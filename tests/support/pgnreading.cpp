#include "support/pgnreading.h"

#include <fstream>
#include <sstream>

#include "Upgnread/movetext.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnscan.h"
#include "pgnlongwork/jobstate.h"
#include "support/testpaths.h"

TScanned scanText(std::string_view text, bool applyFilters) {
  TScanned scanned;
  stopRequested.store(false);
  scanned.code = scanGames(text, scanned.position, applyFilters, scanned.badCount, scanned.games,
                           &scanned.record);
  return scanned;
}

int readMoves(std::string_view movetext, std::unique_ptr<jurnal>& journal, std::string_view fen,
              int64_t* position) {
  int error = 0;
  journal = startJournal(std::string(fen), error);
  if (!journal) return -1;
  // As after a tag section: the comments before the first move are pending.
  int64_t at = 1;
  skipSpace(movetext, at, pendingComment);
  int code = readMovetext(movetext, at, *journal);
  if (position) *position = at;
  return code;
}

namespace {

void appendToken(std::string& out, std::string_view token) {
  if (!out.empty() && out.back() != '(') out += ' ';
  out += token;
}

void appendLine(std::string& out, const jurnal& line) {
  if (!line.precomment.empty()) appendToken(out, line.precomment);
  for (int i = 0; i < line.movecount(); ++i) {
    const mov& m = line.moveat(i);
    appendToken(out, m.san.view());
    if (m.mark != 0) appendToken(out, "$" + std::to_string(m.mark));
    if (line.hasCommentAt(i)) appendToken(out, line.commentAt(i));
    for (const std::unique_ptr<jurnal>& variant : line.variantsAt(i)) {
      appendToken(out, "(");
      appendLine(out, *variant);
      out += ')';
    }
  }
}

}  // namespace

std::string treeText(const jurnal& line) {
  std::string out;
  appendLine(out, line);
  return out;
}

std::filesystem::path readerCasePath(std::string_view name) {
  return testDataPath("reader") / std::string(name);
}

std::string readerCase(std::string_view name) {
  std::ifstream in(readerCasePath(name), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}
