// Copies the host's open games into the game base over the host's game services. Walking the
// host's games moves its current game and position, so both are recorded first and put back.

#include "gamesiftwnd/transfer_win32.h"

#include <memory>
#include <string>
#include <vector>

#include "Upgnread/options.h"
#include "Upgnread/pgnscan.h"
#include "gamesiftwnd/gamelist_win32.h"
#include "gamesiftwnd/transfer_logic.h"
#include "pgnlongwork/jobs.h"
#include "plugcommon/hostgame.h"
#include "plugin/hostservices_logic.h"
#include "uchess/doska.h"
#include "uchess/jurnal.h"

namespace {

// The host's current game as loadfromhost reads it.
class TServiceGame : public THostGame {
 public:
  std::string lineText(bool beforeFirstMove) override {
    auto text = serviceAs<TServiceLineText>(hostServices.lineText);
    const char* got = text ? text(beforeFirstMove ? 1 : 0) : nullptr;
    return got ? std::string(got) : std::string();
  }
  void enterVariation(int n) override {
    serviceAs<TServiceEnterVariation>(hostServices.enterVariation)(n);
  }
  void leaveVariation() override {
    serviceAs<TServiceLeaveVariation>(hostServices.leaveVariation)();
  }
  const TMove* moveRecord(int index) override {
    return serviceAs<TServiceMoveRecord>(hostServices.moveRecord)(index);
  }
  void setPosition(int n) override { serviceAs<TServiceSetPosition>(hostServices.setPosition)(n); }
  int lineMoveCount() override {
    return static_cast<int>(serviceAs<TServiceCount>(hostServices.lineMoveCount)());
  }
  int plyNumber() override {
    return static_cast<int>(serviceAs<TServiceCount>(hostServices.plyNumber)());
  }
  std::string resultText() override {
    const char* got = serviceAs<TServiceResultText>(hostServices.resultText)();
    return got ? std::string(got) : std::string();
  }
};

// Where the host stood: the move on each level, innermost first, the main line last.
struct TPositionPath {
  std::vector<int32_t> moves;
  std::vector<intptr_t> lines;
};

intptr_t currentLine() {
  return reinterpret_cast<intptr_t>(askHost(hostServices, THostLevel::state, kStateCurrentLine));
}

void appendLevel(TPositionPath& path) {
  int32_t move = 0;
  serviceAs<TServiceCurrentMove>(hostServices.currentMove)(&move);
  path.moves.push_back(move);
  path.lines.push_back(currentLine());
}

TPositionPath savePosition() {
  TPositionPath path;
  appendLevel(path);
  auto inVariation = serviceAs<TServiceCount>(hostServices.inVariation);
  // A host that never reports the main line must not keep us here for ever.
  for (int guard = 0; inVariation() != 0 && guard < 100000; ++guard) {
    serviceAs<TServiceSetPosition>(hostServices.setPosition)(0);
    serviceAs<TServiceLeaveVariation>(hostServices.leaveVariation)();
    appendLevel(path);
  }
  return path;
}

void restorePosition(const TPositionPath& path) {
  auto setPosition = serviceAs<TServiceSetPosition>(hostServices.setPosition);
  auto moveRecord = serviceAs<TServiceMoveRecord>(hostServices.moveRecord);
  auto enter = serviceAs<TServiceEnterVariation>(hostServices.enterVariation);
  for (size_t i = path.moves.size(); i-- > 0;) {
    setPosition(path.moves[i]);
    if (i == 0) break;
    const TMove* move = moveRecord(path.moves[i]);
    int32_t j = 1;
    if (move) j = variationNumber(move->variations, move->variationCount, path.lines[i - 1]);
    enter(j);
  }
}

const THostGameList* hostGames() {
  return static_cast<const THostGameList*>(askHost(hostServices, THostLevel::state, kStateGames));
}

int32_t* currentGameCell() {
  return static_cast<int32_t*>(askHost(hostServices, THostLevel::state, kStateCurrentGame));
}

// The host's game index in row r, or r itself where the host gives no row order.
int32_t gameOfRow(int32_t row, int32_t count) {
  auto** order =
      static_cast<const int32_t**>(askHost(hostServices, THostLevel::state, kStateRowOrder));
  if (!order || !*order) return row;
  const int32_t game = (*order)[row];
  return game >= 0 && game < count ? game : row;
}

doska& sharedBoard() {
  static doska board;
  return board;
}

// Reads the moves of host game n into the batch game; a FEN the board refuses leaves the game
// without moves rather than with a broken journal.
void loadMoves(TGame& game, const std::string& fen, int32_t hostNumber) {
  if (!fen.empty()) {
    int error = 0;
    int64_t position = 1;
    game.Journal = jurnal::createfromfen(fen, error, position);
    if (!game.Journal || error != 0) {
      game.Journal.reset();
      return;
    }
  } else {
    sharedBoard().setinitial();
    game.Journal = std::make_unique<jurnal>(&sharedBoard(), nullptr);
  }
  serviceAs<TServiceSelectGame>(hostServices.selectGame)(hostNumber);
  TServiceGame host;
  game.Journal->loadfromhost(host);
}

void finishTransfer(TGames& batch) {
  mergeWithoutStages(batch);
  refreshList();
}

}  // namespace

void transferAllGames() {
  const THostGameList* list = hostGames();
  int32_t* cell = currentGameCell();
  const int32_t count = list && list->Games ? list->Count : 0;
  TGames batch(count > 0 ? static_cast<size_t>(count) : 0);
  std::vector<std::string> fens(batch.size());
  if (count <= 0) return finishTransfer(batch);
  const TPositionPath path = savePosition();
  const int32_t remembered = cell ? *cell : 0;
  for (int32_t h = 0; h < count; ++h) fens[h] = copyHostGame(list->Games[h], batch[h]);
  for (int32_t r = 0; r < count; ++r) {
    const int32_t g = gameOfRow(r, count);
    if (list->Games[g].Journal || transferNeedsEco() || removeDuplicates)
      loadMoves(batch[g], fens[g], r);
    fillTransferredEco(batch[g]);
  }
  serviceAs<TServiceSelectGame>(hostServices.selectGame)(remembered);
  restorePosition(path);
  finishTransfer(batch);
}

void transferCurrentGame() {
  const THostGameList* list = hostGames();
  const int32_t* cell = currentGameCell();
  const int32_t count = list && list->Games ? list->Count : 0;
  const int32_t k = cell ? *cell : -1;
  TGames batch;
  // An empty list or no current game transfers nothing.
  if (k < 0 || k >= count) return finishTransfer(batch);
  batch.resize(1);
  const TPositionPath path = savePosition();
  const std::string fen = copyHostGame(list->Games[k], batch[0]);
  // The same rule as for every game: moves whenever an option needs them, so that duplicate keys
  // and ECO codes are never computed on a game without moves.
  if (list->Games[k].Journal || transferNeedsEco() || removeDuplicates) loadMoves(batch[0], fen, k);
  fillTransferredEco(batch[0]);
  restorePosition(path);
  finishTransfer(batch);
}
