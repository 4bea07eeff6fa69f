#pragma once
// A named pipe that holds a program at a point the test chooses: the program blocks opening or
// reading the pipe until the test feeds it. Nothing depends on how fast the program is.

#include <filesystem>
#include <string>
#include <string_view>

class TFifo {
 public:
  explicit TFifo(std::filesystem::path where);
  ~TFifo();
  TFifo(const TFifo&) = delete;
  TFifo& operator=(const TFifo&) = delete;

  const std::filesystem::path& path() const { return where; }
  // Writes text to the program reading the pipe and closes it, which ends its input. False when
  // no reader came within patienceMs (the program ended, or never got there).
  bool feed(std::string_view text, int patienceMs = 60000);

 private:
  std::filesystem::path where;
};
