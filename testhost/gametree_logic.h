#pragma once
// The host's open games: the list it hands to the plug-in and its navigation over the current
// game's move tree, which the game services answer. Portable, so the round trip through
// jurnal::loadfromhost is tested natively.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugcommon/gamerecords.h"
#include "plugcommon/hostapi.h"

struct THostLine;

// One move as the host holds it; record's texts and variation list point into the node.
struct THostMoveNode {
  TMove record{};
  std::string san;
  std::string comment;
  std::vector<std::unique_ptr<THostLine>> variations;
  std::vector<intptr_t> variationIds;  // the lines' identities, as kStateCurrentLine gives them
  int32_t number = 0;                  // the move number this move carries
};

struct THostLine {
  std::vector<THostMoveNode> moves;
  std::string beforeFirstMove;
  std::string secondText;
  int32_t numberAfterLast = 1;  // the move number after the line's last move
};

// One game of the host's list: its record's storage and its tree.
struct THostGameData {
  std::vector<std::string> tagNames;
  std::vector<std::string> tagValues;
  std::vector<THostTag> tags;
  std::u16string fileName;
  std::unique_ptr<THostLine> mainLine;  // none when the host does not hold the moves
  std::string result;
};

class THostGames {
 public:
  // Takes over the games' tags, file positions and move trees; the games keep their journals.
  // withMoves false lists the games as if the host had not loaded their moves.
  void load(const TGames& games, bool withMoves);
  int32_t count() const { return static_cast<int32_t>(games.size()); }

  // What the state service hands out
  const THostGameList* list() const { return &gameList; }
  int32_t* currentGameCell() { return &currentGame; }
  const int32_t* const* rowOrderCell() const { return &rowOrderData; }
  intptr_t currentLine();

  // Navigation over the current game (the services of the same names)
  void selectGame(int32_t n);
  const char* lineText(bool beforeFirstMove);
  void enterVariation(int32_t n);
  void leaveVariation();
  const TMove* moveRecord(int32_t index);
  void setPosition(int32_t n);
  bool inVariation();
  int32_t lineMoveCount();
  int32_t currentMove();
  // The number of the move at the current position, as jurnal::nextnumber counts it, so that a
  // variation read through the services numbers its moves as the reader's would.
  int32_t moveNumber();
  const char* resultText();
  // Levels of variations entered (0 on the main line).
  int32_t depth() const { return static_cast<int32_t>(path.size()); }

 private:
  struct TLevel {
    THostLine* line;
    int32_t position;  // of the parent line, where the variation was entered
  };
  THostLine* line();
  void syncGame();

  std::vector<std::unique_ptr<THostGameData>> games;
  std::vector<THostGameRecord> records;
  std::vector<int32_t> rowOrder;
  const int32_t* rowOrderData = nullptr;
  THostGameList gameList{};
  int32_t currentGame = 0;
  int32_t shownGame = -1;  // the game the navigation below belongs to
  std::vector<TLevel> path;
  int32_t position = 0;
};
