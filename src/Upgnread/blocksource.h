#pragma once
// Where a text read a block at a time comes from: a regular file, read at any place, or a
// decoded stream (a packed file, a pipe), read once forward.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "Upgnread/heldtext.h"
#include "unpack/decoder.h"

class TBlockSource {
 public:
  virtual ~TBlockSource() = default;
  // The text from the 1-based position next on, count bytes or fewer at its end; last tells
  // that they reach it. Positions only go forward. False when nothing can be read.
  virtual bool read(int64_t next, int64_t count, std::string& text, bool& last) = 0;
  // Whether the text was read to its end once the reading reached position next.
  virtual bool finishedAt(int64_t next) const = 0;
};

// A regular file of a known size.
class TFileBlocks : public TBlockSource {
 public:
  TFileBlocks(std::filesystem::path path, int64_t size) : path(std::move(path)), size(size) {}
  bool read(int64_t next, int64_t count, std::string& text, bool& last) override;
  bool finishedAt(int64_t next) const override { return next > size; }

 private:
  std::filesystem::path path;
  int64_t size;
};

// A stream's text as its decoder gives it. Text that broke off (damaged or cut packed data) ends
// before the game the break falls in, which would otherwise be read as a game cut short.
class TStreamBlocks : public TBlockSource {
 public:
  // progress, when given, follows the packed bytes source has taken; held, when given, receives
  // the whole text as it is decoded.
  TStreamBlocks(TDecoder& decoder, const TByteSource& source, std::atomic<int64_t>* progress,
                THeldText* held = nullptr)
      : decoder(decoder), source(source), progress(progress), held(held) {}
  bool read(int64_t next, int64_t count, std::string& text, bool& last) override;
  bool finishedAt(int64_t next) const override {
    return ended && next >= pendingStart + static_cast<int64_t>(pending.size());
  }
  // Why the text broke off or what followed it; empty when it ended well.
  const std::string& problem() const {
    return ownProblem.empty() ? decoder.problem() : ownProblem;
  }
  // The text broke off: the end of what was read is not the end of the stream.
  bool brokeOff() const { return broken; }

 private:
  void decodeUpTo(size_t count);
  void dropBrokenGame();

  TDecoder& decoder;
  const TByteSource& source;
  std::atomic<int64_t>* progress;
  THeldText* held;
  std::string pending;       // decoded, not yet passed: the text from pendingStart on
  int64_t pendingStart = 1;  // 1-based
  bool ended = false;
  bool broken = false;
  std::string ownProblem;  // the text could not be held
};

// The line start in text from which a game begins, last before its end: a "[" opening a line that
// does not follow a tag line. 0 when no game begins there but at its start.
size_t lastGameStart(std::string_view text);
