#include "gameservices_win32.h"

#include "mainwindow_win32.h"

THostGames hostGameList;

namespace {

int32_t narrow(intptr_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

// The flag is a byte: only its low eight bits count.
const char* VORLEN_CALL lineTextService(intptr_t beforeFirstMove) {
  return hostGameList.lineText((beforeFirstMove & 0xFF) != 0);
}

void VORLEN_CALL enterVariationService(intptr_t n) {
  hostGameList.enterVariation(narrow(n));
}

void VORLEN_CALL leaveVariationService() {
  hostGameList.leaveVariation();
}

const TMove* VORLEN_CALL moveRecordService(intptr_t index) {
  return hostGameList.moveRecord(narrow(index));
}

void VORLEN_CALL setPositionService(intptr_t n) {
  hostGameList.setPosition(narrow(n));
}

intptr_t VORLEN_CALL inVariationService() {
  return hostGameList.inVariation() ? 1 : 0;
}

intptr_t VORLEN_CALL lineMoveCountService() {
  return hostGameList.lineMoveCount();
}

intptr_t VORLEN_CALL currentMoveService(int32_t* cell) {
  int32_t move = hostGameList.currentMove();
  if (cell != nullptr) *cell = move;
  return move;
}

intptr_t VORLEN_CALL moveNumberService() {
  return hostGameList.moveNumber();
}

const char* VORLEN_CALL resultTextService() {
  return hostGameList.resultText();
}

void VORLEN_CALL selectGameService(intptr_t n) {
  selectHostGame(narrow(n));
}

void selectHostGame(int32_t n) {
  hostGameList.selectGame(n);
  showCurrentGame();
}
