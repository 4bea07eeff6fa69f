// Reads every game of the host's list through the game services, as the real transfer does, and
// logs each tree; then checks that the host's current game is where the probe left it.

#include <vector>

#include "plugcommon/hostgame.h"
#include "probe.h"
#include "uchess/jurnal.h"

namespace {

class TServedGame : public THostGame {
 public:
  std::string lineText(bool beforeFirstMove) override {
    return service<TServiceLineText>(kServiceLineText)(beforeFirstMove ? 1 : 0);
  }
  void enterVariation(int n) override {
    service<TServiceEnterVariation>(kServiceEnterVariation)(n);
  }
  void leaveVariation() override { service<TServiceLeaveVariation>(kServiceLeaveVariation)(); }
  const TMove* moveRecord(int index) override {
    return service<TServiceMoveRecord>(kServiceMoveRecord)(index);
  }
  void setPosition(int n) override { service<TServiceSetPosition>(kServiceSetPosition)(n); }
  int lineMoveCount() override {
    return static_cast<int>(service<TServiceCount>(kServiceLineMoveCount)());
  }
  int plyNumber() override { return static_cast<int>(service<TServiceCount>(kServicePlyNumber)()); }
  std::string resultText() override { return service<TServiceResultText>(kServiceResultText)(); }
};

// "e4 e5 (1. c5 Nf3 (2. c3 d5) d6) Nf3": moves with their variations, each variation prefixed
// with its first move's number.
void appendLine(const jurnal& line, std::string& out) {
  for (int i = 0; i < line.movecount(); ++i) {
    if (!out.empty() && out.back() != ' ') out += ' ';
    out += std::string(line.moveat(i).san.view());
    for (const auto& variant : line.variantsAt(i)) {
      out += " (" + std::to_string(variant->startnumber + 1) + ". ";
      appendLine(*variant, out);
      out += ')';
    }
  }
}

std::string tagValue(const THostGameRecord& game, int index) {
  return index < game.TagCount ? game.Tags[index].Value : "";
}

struct TPosition {
  std::vector<int32_t> moves;  // innermost level first
  std::vector<intptr_t> lines;
};

intptr_t currentLine() {
  return reinterpret_cast<intptr_t>(hostValue(kServiceState, kStateCurrentLine));
}

// Walks up to the main line, noting the move and the line of each level.
TPosition savePosition() {
  TPosition saved;
  auto note = [&] {
    int32_t move = 0;
    service<TServiceCurrentMove>(kServiceCurrentMove)(&move);
    saved.moves.push_back(move);
    saved.lines.push_back(currentLine());
  };
  note();
  while (service<TServiceCount>(kServiceInVariation)() != 0) {
    service<TServiceSetPosition>(kServiceSetPosition)(0);
    service<TServiceLeaveVariation>(kServiceLeaveVariation)();
    note();
  }
  return saved;
}

void restorePosition(const TPosition& saved) {
  for (size_t level = saved.moves.size(); level-- > 0;) {
    service<TServiceSetPosition>(kServiceSetPosition)(saved.moves[level]);
    if (level == 0) break;
    const TMove* move = service<TServiceMoveRecord>(kServiceMoveRecord)(saved.moves[level]);
    int32_t number = move ? move->variationCount + 1 : 1;
    for (int32_t j = 0; move && j < move->variationCount; ++j)
      if (move->variations[j] == saved.lines[level - 1]) number = j + 1;
    service<TServiceEnterVariation>(kServiceEnterVariation)(number);
  }
}

// Inside (2. c3 d5), a variation of (1... c5), on its second move: the host must return there.
void probePosition() {
  service<TServiceSelectGame>(kServiceSelectGame)(0);
  for (int step : {1, 1}) {
    service<TServiceSetPosition>(kServiceSetPosition)(step);
    service<TServiceEnterVariation>(kServiceEnterVariation)(1);
  }
  service<TServiceSetPosition>(kServiceSetPosition)(1);
  const intptr_t line = currentLine();
  const TPosition saved = savePosition();
  const bool onMain = service<TServiceCount>(kServiceInVariation)() == 0;
  restorePosition(saved);
  int32_t move = -1;
  service<TServiceCurrentMove>(kServiceCurrentMove)(&move);
  probeLog("position: " + std::to_string(saved.moves.size()) + " levels, " +
           (onMain ? "main line reached" : "main line missed") + ", " +
           (currentLine() == line && move == 1 ? "restored" : "lost"));
}

}  // namespace

void VORLEN_CALL probeGames() {
  const auto* games = static_cast<const THostGameList*>(hostValue(kServiceState, kStateGames));
  auto* current = static_cast<int32_t*>(hostValue(kServiceState, kStateCurrentGame));
  const int32_t before = *current;
  probePosition();
  probeLog("games " + std::to_string(games->Count));
  TServedGame served;
  for (int32_t i = 0; i < games->Count; ++i) {
    service<TServiceSelectGame>(kServiceSelectGame)(i);
    jurnal loaded(nullptr, nullptr);
    loaded.loadfromhost(served);
    std::string tree;
    appendLine(loaded, tree);
    probeLog("game " + std::to_string(i + 1) + " " + tagValue(games->Games[i], 4) + " - " +
             tagValue(games->Games[i], 5) + ": " + tree + " " + loaded.result);
  }
  service<TServiceSelectGame>(kServiceSelectGame)(before);
  probeLog("current game " + std::to_string(*current));
}
