#include "support/outputgames.h"

#include "Upgnread/gamebase.h"
#include "Upgnread/options.h"
#include "Upgnread/splitting.h"
#include "pgnlongwork/jobstate.h"
#include "support/gamebuilder.h"

int32_t addTaggedGame(std::string_view white, std::string_view black, std::string_view result,
                      std::string_view date, std::string_view event) {
  TGamesTagArray tags = rosterTags(white, black, result, date);
  tags.setValue(kTagEvent, event);
  panelGames.push_back(makeGame(std::move(tags), nullptr));
  return static_cast<int32_t>(panelGames.size()) - 1;
}

void addGameTag(int32_t game, std::string_view name, std::string_view value) {
  addTag(panelGames[game].Tags, name, value);
}

void workOnAllGames() {
  workList.clear();
  for (int32_t i = 0; i < static_cast<int32_t>(panelGames.size()); ++i) workList.push_back(i);
}

namespace {

void resetRun() {
  resetOptions();
  emptyGameBase();
  emptyRunArrays();
  workList.clear();
  outputOrder.clear();
  stopRequested = false;
  itemsDone = 0;
  itemsTotal = 0;
  textBufferLength = kDefaultTextBufferLength;
}

}  // namespace

void OutputRunTest::SetUp() {
  resetRun();
}
void OutputRunTest::TearDown() {
  resetRun();
}
