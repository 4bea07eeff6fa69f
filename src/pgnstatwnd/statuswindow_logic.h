#pragma once
// What the status window shows on each tick of its timer, from a snapshot of the job state.

#include <cstdint>
#include <filesystem>
#include <string>

struct TJobSnapshot {
  uint8_t stage = 0;
  uint8_t mode = 0;
  int64_t bytesDone = 0;
  int64_t bytesTotal = 0;
  int32_t itemsDone = 0;
  int32_t itemsTotal = 0;
  std::filesystem::path file;  // currentFile, copied under the lock
};

// What the window last showed.
struct TStatusShown {
  uint8_t stage = 0;
  std::filesystem::path file;
};

// What one tick asks of the window. Ranges and positions use the full 32 bits.
struct TStatusTick {
  bool changed = false;  // repaint now
  bool setRange = false;
  int32_t rangeMax = 0;
  bool setPosition = false;
  int32_t position = 0;
  bool close = false;         // the job is over
  bool refreshPanel = false;  // the load jobs changed the game base
};

TStatusTick statusTick(TStatusShown& shown, const TJobSnapshot& job);

// The file name shown under the stage text: the last part of the path in the stages that read
// or write a file, nothing in the others.
std::u16string shownFileName(uint8_t stage, const std::filesystem::path& file);

// The window's width for the widest stage text.
int32_t statusWidth(int32_t widestText, int32_t marginLeft, int32_t marginRight);
