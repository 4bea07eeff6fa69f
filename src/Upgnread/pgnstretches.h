#pragma once
// Reading one file's text on a pool of threads: the text is cut at likely game starts into
// stretches, each read on a thread of its own, and the results are taken in file order only
// where a stretch began exactly where the reading before it ended; the rest is read again in
// order. Games, places, codes, counts and records are those of one thread reading the whole text.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "Upgnread/leangame.h"
#include "Upgnread/readrecord.h"
#include "plugcommon/gamerecords.h"

// Threads reading a file's stretches at once; 0 or less: one per processor.
extern int readerThreads;
// Bytes each thread reads per round.
extern int64_t stretchBytes;

// The threads a text of this length is read with: 1 where cutting it would not pay.
int threadsFor(int64_t textBytes);

// The first likely game start at or after from: a "[" opening a line after an empty line.
// Past the text's end when there is none.
int64_t likelyGameCut(std::string_view text, int64_t from);

// What the reading of the stretches needs besides the text.
struct TStretchReading {
  bool applyFilters = false;
  int threads = 1;
  int64_t unclosedBrace = 0;
  std::filesystem::path fileName;
  const TFileStamp* stamp = nullptr;  // games are made lean as they are taken, when given
  TGames* batch = nullptr;            // the games are added to it in file order
};

// Where the reading stopped and what it met on the way.
struct TStretchSummary {
  int64_t end = 1;
  int code = 0;
  bool codeSet = false;  // anything was read at all, and so code holds its last code
  int32_t bad = 0;
  int32_t unreadable = 0;
  TReadRecord record;
};

// Reads the games from position from to the end of the text (or a stop) in stretches.
TStretchSummary readStretches(std::string_view text, int64_t from, const TStretchReading& reading);
