// Reading the moves of games that were listed without them, from their places in their file.

#include <algorithm>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "Upgnread/gamebase.h"
#include "Upgnread/movetext.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"
#include "Upgnread/variant.h"
#include "pgnlongwork/jobstate.h"
#include "uchess/fileutil.h"

namespace {

// The span of the file that holds every game to load, and those games' indices in panelGames.
struct TReloadSpan {
  int64_t lowest = 0;
  int64_t end = 0;
  std::vector<int32_t> games;
};

bool needsMoves(const TGame& game, const std::filesystem::path& path) {
  return !game.Journal && *game.FileName == path && game.TextStart >= 1 && game.TextLength >= 0;
}

TReloadSpan collectGames(const std::filesystem::path& path, const TIndexArray& list, int32_t first,
                         TBoolArray& done) {
  TLockHold hold(gameLock());
  TReloadSpan span;
  for (size_t j = static_cast<size_t>(std::max(first, 0)); j < list.size() && j < done.size();
       ++j) {
    if (list[j] < 0 || static_cast<size_t>(list[j]) >= panelGames.size() || done[j]) continue;
    const TGame& game = panelGames[static_cast<size_t>(list[j])];
    if (!needsMoves(game, path)) continue;
    if (span.games.empty() || game.TextStart < span.lowest) span.lowest = game.TextStart;
    span.end = std::max(span.end, game.TextStart + game.TextLength);
    span.games.push_back(list[j]);
    done[j] = 1;
  }
  return span;
}

std::unique_ptr<jurnal> journalFor(const TGame& game) {
  int error = 0;
  return startJournal(startFenOf(game), error, isChess960Variant(game.Tags));
}

void reloadGame(std::string_view text, int64_t lowest, int32_t index) {
  TLockHold hold(gameLock());
  if (static_cast<size_t>(index) >= panelGames.size()) return;
  TGame& game = panelGames[static_cast<size_t>(index)];
  if (game.Journal) return;  // listed twice: the first entry loaded it
  int64_t position = game.TextStart - lowest + 1;
  if (atEnd(text, position)) return;
  TGamesTagArray scratch;
  std::string unusedFen;
  if (readTags(text, position, false, unusedFen, scratch) != kReadOk) return;
  std::unique_ptr<jurnal> journal = journalFor(game);
  if (!journal) return;
  if (readMovetext(text, position, *journal) == kMovetextOk) game.Journal = std::move(journal);
}

}  // namespace

// The FEN a game starts from, where the normalised tags keep it: SetUp "1" at 7, FEN at 8.
// The tags read again from the file are not normalised and so cannot say it.
std::string startFenOf(const TGame& game) {
  const TGamesTagArray& tags = game.Tags;
  if (tags.size() <= kTagFen || lowerCase(tags[kTagSetUp].Name) != "setup" ||
      tags[kTagSetUp].Value != "1" || lowerCase(tags[kTagFen].Name) != "fen")
    return {};
  return std::string(tags[kTagFen].Value);
}

void loadMissingGames(const std::filesystem::path& path, const TIndexArray& list, int32_t first,
                      TBoolArray& done) {
  setCurrentFile(path);
  TReloadSpan span = collectGames(path, list, first, done);
  if (span.games.empty()) return;
  // The two characters on which the scan stopped are read too: a game glued to the next "[",
  // or followed by a game without tags ("1."), ends there, and without them the reading would
  // run into the end of the text instead.
  int64_t count = span.end - span.lowest;
  std::error_code error;
  uintmax_t size = std::filesystem::file_size(path, error);
  if (!error) count += std::clamp<int64_t>(static_cast<int64_t>(size) - span.end + 1, 0, 2);
  std::string text;
  if (!readFileRange(path, span.lowest, count, text)) return;
  for (int32_t index : span.games) reloadGame(text, span.lowest, index);
}
