#pragma once
// A host game held in memory for tests of loadfromhost: a tree of lines with variations, the
// host's navigation over it, and a log of every call in the order it came.

#include <string>
#include <vector>

#include "plugcommon/hostgame.h"

class jurnal;

struct TFakeHostLine;

struct TFakeHostMove {
  uint8_t bytes[8] =
      {};  // piece, from file, from rank, to file, to rank, special, captured, changes
  std::string san;
  std::string comment;
  uint32_t mark = 0;
  std::vector<TFakeHostLine> variations;
};

struct TFakeHostLine {
  std::vector<TFakeHostMove> moves;
  std::string beforeFirstMove;  // what lineText(true) gives inside this line
  std::string secondText;       // what lineText(false) gives inside this line
};

class TFakeHost : public THostGame {
 public:
  TFakeHostLine game;
  std::string result = "*";
  int startPly = 0;  // half-moves made before the game's first move
  // Every call: "text 1", "text 0", "enter 2", "leave", "move 3", "position 0", "count",
  // "ply", "result".
  std::vector<std::string> calls;

  // The same tree as a journal's: bytes, texts, marks and variations of every move.
  static TFakeHost fromJournal(const jurnal& line);

  std::string lineText(bool beforeFirstMove) override;
  void enterVariation(int n) override;
  void leaveVariation() override;
  const TMove* moveRecord(int index) override;
  void setPosition(int n) override;
  int lineMoveCount() override;
  // The 1-based number of the half-move made from the current position.
  int plyNumber() override;
  std::string resultText() override;

  // Where the navigation stands: the depth of variations entered and the position in the line.
  int depth() const { return static_cast<int>(path.size()); }
  int position() const { return currentPosition; }

 private:
  struct TLevel {
    TFakeHostLine* line;
    int position;  // position of the parent line where the variation was entered
  };
  TFakeHostLine& currentLine();
  int lineStartPly() const;

  std::vector<TLevel> path;
  int currentPosition = 0;
  TMove record{};
  std::vector<intptr_t> variationIds;
};
