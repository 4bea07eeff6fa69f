#include "support/readerexercise.h"

#include <cstdint>
#include <memory>

#include "Upgnread/movetext.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/variant.h"
#include "pgnlongwork/jobstate.h"

namespace {

bool withinText(std::string_view text, int64_t position) {
  return position >= 1 && position <= static_cast<int64_t>(text.size()) + 1;
}

std::string fenOf(const TGamesTagArray& tags) {
  if (tags.size() > kTagFen && tags[kTagSetUp].Name == "SetUp" && tags[kTagSetUp].Value == "1" &&
      tags[kTagFen].Name == "FEN")
    return std::string(tags[kTagFen].Value);
  return {};
}

// A game read again from its own span and the two characters where its reading stopped, as
// games without moves are, gives the same main line.
std::string rereadGame(std::string_view text, const TGame& game) {
  std::string_view span = text.substr(static_cast<size_t>(game.TextStart - 1),
                                      static_cast<size_t>(game.TextLength) + 2);
  int64_t position = 1;
  TGamesTagArray tags;
  std::string unused;
  if (readTags(span, position, false, unused, tags) != kReadOk) return "its tags do not read again";
  int error = 0;
  std::unique_ptr<jurnal> journal =
      startJournal(fenOf(game.Tags), error, isChess960Variant(game.Tags));
  if (!journal) return "its FEN no longer sets up";
  if (readMovetext(span, position, *journal) != kMovetextOk) return "its moves do not read again";
  if (journal->movecount() != game.Journal->movecount()) return "its main line reads differently";
  return {};
}

std::string checkGame(std::string_view text, const TGame& game) {
  if (!game.Journal) return "an accepted game has no journal";
  if (game.Tags.size() < kRosterTagCount) return "an accepted game lacks roster tags";
  if (game.TextStart < 1 || game.TextStart > static_cast<int64_t>(text.size()))
    return "a game starts outside the text";
  if (text[static_cast<size_t>(game.TextStart - 1)] != '[' &&
      !startsMovetextGame(text, game.TextStart))
    return "a game starts neither at [ nor at 1.";
  if (game.TextLength < 0 || !withinText(text, game.TextStart + game.TextLength))
    return "a game ends outside the text";
  return rereadGame(text, game);
}

std::string scanAsFile(std::string_view text) {
  stopRequested.store(false);
  TGames batch;
  int64_t position = 1;
  int32_t bad = 0;
  int code = scanGames(text, position, false, bad, batch);
  if (code < 0) return "negative scan code";
  if (!withinText(text, position)) return "the scan stopped outside the text";
  if (bad < 0) return "negative bad count";
  for (const TGame& game : batch) {
    std::string problem = checkGame(text, game);
    if (!problem.empty()) return problem;
  }
  return {};
}

std::string readAsMovetext(std::string_view text) {
  jurnal journal(nullptr, nullptr);
  int64_t position = 1;
  pendingComment.clear();
  int code = readMovetext(text, position, journal);
  if (code < 0) return "negative movetext code";
  if (!withinText(text, position)) return "the movetext reader stopped outside the text";
  return {};
}

}  // namespace

std::string exerciseReader(std::string_view bytes) {
  std::string problem = scanAsFile(bytes);
  if (problem.empty()) problem = readAsMovetext(bytes);
  return problem;
}
