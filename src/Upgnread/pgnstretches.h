#pragma once
// Reading one file's text on a pool of threads: the text is cut at likely game starts into
// stretches, each read on a thread of its own, and the results are taken in file order only
// where a stretch began exactly where the reading before it ended; the rest is read again in
// order. Games, places, codes, counts and records are those of one thread reading the whole text.

#include <atomic>
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
// Regular files longer than this are read a block of this many bytes at a time.
extern int64_t blockBytes;
// Text at the end of a block that no reading taken from it may reach: more than any reader looks
// past where it stops, so a reading that met the block's end is never taken.
extern int64_t blockLookAhead;

// The threads a text of this length is read with: 1 where cutting it would not pay.
int threadsFor(int64_t textBytes);

// The first likely game start at or after from: a "[" opening a line after an empty line.
// Past the text's end when there is none.
int64_t likelyGameCut(std::string_view text, int64_t from);

// What the reading of the stretches needs besides the text.
class TGameKeySet;

struct TStretchReading {
  bool applyFilters = false;
  int threads = 1;
  int64_t unclosedBrace = 0;
  TSharedPath fileName;  // given to every game read
  const TFileStamp* stamp = nullptr;  // games are made lean as they are taken, when given
  TGames* batch = nullptr;            // the games are added to it in file order
  int64_t firstLine = 1;              // the line the text begins on
  int64_t offset = 0;                 // the text is the file from position offset + 1 on
  bool endsFile = true;               // false: a block with more of the file after it
  std::atomic<int64_t>* progress = nullptr;  // takes the file position reached, when given
  const TGameKeySet* takenKeys = nullptr;     // see TBatchSink
};

// Where the reading stopped and what it met on the way; places in the record and the games are
// file positions, end is a position in the text.
struct TStretchSummary {
  int64_t end = 1;
  int64_t endLine = 1;
  bool blockEnded = false;  // stopped near the end of a block: the rest is read with the next
  int code = 0;
  bool codeSet = false;  // anything was read at all, and so code holds its last code
  int32_t bad = 0;
  int32_t unreadable = 0;
  int32_t leftOut = 0;
  TReadRecord record;
};

// Reads the games from position from to the end of the text (or a stop) in stretches.
TStretchSummary readStretches(std::string_view text, int64_t from, const TStretchReading& reading);
