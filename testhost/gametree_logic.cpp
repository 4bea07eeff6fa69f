#include "gametree_logic.h"

#include <utility>

namespace {

// The number jurnal::nextnumber gives with `made` moves of the line made.
int32_t numberAt(jurnal& line, int made) {
  int saved = line.current;
  line.current = made;
  int32_t number = line.nextnumber();
  line.current = saved;
  return number;
}

// Points the node's record at the node's own texts and variation list; called once the node has
// its final place.
void linkRecord(THostMoveNode& node) {
  node.record.san = node.san.c_str();
  node.record.comment = node.comment.c_str();
  node.variationIds.clear();
  for (const std::unique_ptr<THostLine>& variation : node.variations)
    node.variationIds.push_back(reinterpret_cast<intptr_t>(variation.get()));
  node.record.variationCount = static_cast<int32_t>(node.variationIds.size());
  node.record.variations = node.variationIds.empty() ? nullptr : node.variationIds.data();
}

void copyMove(const jurnal& line, int index, THostMoveNode& node) {
  const mov& m = line.moves[static_cast<size_t>(index)];
  node.record.piece = m.piece;
  node.record.fromfile = m.fromfile;
  node.record.fromrank = m.fromrank;
  node.record.tofile = m.tofile;
  node.record.torank = m.torank;
  node.record.special = m.special;
  node.record.captured = m.captured;
  node.record.changes = m.changes;
  node.record.mark = m.mark;
  node.san = m.san.str();
  node.comment = line.commentAt(index);
}

// Copies one line; its variations go onto the work list instead of a recursion, so that the depth
// of nesting in a file never reaches the call stack.
void copyLine(jurnal& source, THostLine& target,
              std::vector<std::pair<jurnal*, THostLine*>>& pending) {
  target.beforeFirstMove = source.precomment;
  target.secondText = source.hosttext;
  target.moves.resize(source.moves.size());
  for (size_t i = 0; i < source.moves.size(); ++i) {
    THostMoveNode& node = target.moves[i];
    copyMove(source, static_cast<int>(i), node);
    node.number = numberAt(source, static_cast<int>(i));
    for (const std::unique_ptr<jurnal>& variant : source.variantsAt(static_cast<int>(i))) {
      node.variations.push_back(std::make_unique<THostLine>());
      pending.emplace_back(variant.get(), node.variations.back().get());
    }
    linkRecord(node);
  }
  target.numberAfterLast = numberAt(source, source.movecount());
}

std::unique_ptr<THostLine> copyTree(jurnal& journal) {
  auto root = std::make_unique<THostLine>();
  std::vector<std::pair<jurnal*, THostLine*>> pending{{&journal, root.get()}};
  while (!pending.empty()) {
    std::pair<jurnal*, THostLine*> next = pending.back();
    pending.pop_back();
    copyLine(*next.first, *next.second, pending);
  }
  return root;
}

std::u16string pathText(const std::filesystem::path& path) {
  std::u16string text;
  for (auto c : path.native()) text.push_back(static_cast<char16_t>(c));
  return text;
}

std::unique_ptr<THostGameData> copyGame(const TGame& game, bool withMoves) {
  auto data = std::make_unique<THostGameData>();
  for (const TTagView tag : game.Tags) {
    data->tagNames.emplace_back(tag.Name);
    data->tagValues.emplace_back(tag.Value);
  }
  for (size_t i = 0; i < game.Tags.size(); ++i)
    data->tags.push_back(THostTag{data->tagNames[i].c_str(), data->tagValues[i].c_str()});
  data->fileName = pathText(*game.FileName);
  // The result the host shows is the game's Result tag: the reader keeps it there and leaves the
  // journal's own at "*".
  data->result = game.Tags.size() > kTagResult ? game.Tags[kTagResult].Value : "*";
  if (game.Journal && withMoves) data->mainLine = copyTree(*game.Journal);
  return data;
}

THostGameRecord recordOf(const TGame& game, const THostGameData& data) {
  THostGameRecord record{};
  record.Journal = data.mainLine.get();
  record.Tags = data.tags.empty() ? nullptr : data.tags.data();
  record.TagCount = static_cast<int32_t>(data.tags.size());
  record.FileName = data.fileName.c_str();
  record.TextStart = static_cast<int32_t>(game.TextStart);
  record.TextLength = static_cast<int32_t>(game.TextLength);
  return record;
}

}  // namespace

void THostGames::load(const TGames& source, bool withMoves) {
  games.clear();
  records.clear();
  rowOrder.clear();
  for (const TGame& game : source) games.push_back(copyGame(game, withMoves));
  for (size_t i = 0; i < source.size(); ++i) {
    records.push_back(recordOf(source[i], *games[i]));
    rowOrder.push_back(static_cast<int32_t>(i));
  }
  gameList.Games = records.empty() ? nullptr : records.data();
  gameList.Count = static_cast<int32_t>(records.size());
  rowOrderData = rowOrder.empty() ? nullptr : rowOrder.data();
  currentGame = 0;
  shownGame = -1;
}

// The host's current game may change under the navigation (its list, the cell); navigation then
// starts over on the new game's main line.
void THostGames::syncGame() {
  if (shownGame == currentGame) return;
  shownGame = currentGame;
  path.clear();
  position = 0;
}

THostLine* THostGames::line() {
  syncGame();
  if (!path.empty()) return path.back().line;
  if (currentGame < 0 || currentGame >= count()) return nullptr;
  return games[currentGame]->mainLine.get();
}

intptr_t THostGames::currentLine() {
  return reinterpret_cast<intptr_t>(line());
}

void THostGames::selectGame(int32_t n) {
  currentGame = n;
  shownGame = -1;
  syncGame();
}

const char* THostGames::lineText(bool beforeFirstMove) {
  THostLine* current = line();
  if (current == nullptr) return "";
  return beforeFirstMove ? current->beforeFirstMove.c_str() : current->secondText.c_str();
}

void THostGames::enterVariation(int32_t n) {
  THostLine* current = line();
  if (current == nullptr || position >= static_cast<int32_t>(current->moves.size())) return;
  THostMoveNode& node = current->moves[position];
  if (n < 1 || n > static_cast<int32_t>(node.variations.size())) return;
  path.push_back(TLevel{node.variations[n - 1].get(), position});
  position = 0;
}

void THostGames::leaveVariation() {
  syncGame();
  if (path.empty()) return;
  position = path.back().position;
  path.pop_back();
}

const TMove* THostGames::moveRecord(int32_t index) {
  THostLine* current = line();
  if (current == nullptr || index < 0 || index >= static_cast<int32_t>(current->moves.size()))
    return nullptr;
  return &current->moves[index].record;
}

void THostGames::setPosition(int32_t n) {
  int32_t last = lineMoveCount();
  position = n < 0 ? 0 : n > last ? last : n;
}

bool THostGames::inVariation() {
  syncGame();
  return !path.empty();
}

int32_t THostGames::lineMoveCount() {
  THostLine* current = line();
  return current ? static_cast<int32_t>(current->moves.size()) : 0;
}

int32_t THostGames::currentMove() {
  syncGame();
  return position;
}

int32_t THostGames::moveNumber() {
  THostLine* current = line();
  if (current == nullptr) return 1;
  if (position < static_cast<int32_t>(current->moves.size()))
    return current->moves[position].number;
  return current->numberAfterLast;
}

const char* THostGames::resultText() {
  syncGame();
  if (currentGame < 0 || currentGame >= count()) return "*";
  return games[currentGame]->result.c_str();
}
