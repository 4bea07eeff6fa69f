#pragma once
// The host's navigation over its current game, as a journal reads it. The plug-in fills it from
// the host's services; tests use a game tree of their own.

#include <string>

#include "plugcommon/hostapi.h"

class THostGame {
 public:
  virtual ~THostGame() = default;
  // The text before the current line's first move (true) or the game's second text (false).
  virtual std::string lineText(bool beforeFirstMove) = 0;
  // Enters variation n (from 1) of the current move.
  virtual void enterVariation(int n) = 0;
  // Returns from a variation to the line it branches from.
  virtual void leaveVariation() = 0;
  // The record of move index of the current line; stays valid until the next call.
  virtual const TMove* moveRecord(int index) = 0;
  // Sets the current position to move n of the line (0 = its start).
  virtual void setPosition(int n) = 0;
  // Number of moves of the current line.
  virtual int lineMoveCount() = 0;
  // Ply number of the current position.
  virtual int plyNumber() = 0;
  // Result text of the current game.
  virtual std::string resultText() = 0;
};
