#pragma once
// Reading one file's text on a pool of threads: the text is cut at likely game starts into
// stretches, each read on a thread of its own, and the results are taken in file order only
// where a stretch began exactly where the reading before it ended; the rest is read again in
// order. Games, places, codes and counts are those of one thread reading the whole text.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "Upgnread/leangame.h"
#include "platform/platform.h"
#include "plugcommon/gamerecords.h"

// Threads reading a file's stretches at once; 0 or less: one per processor.
extern int readerThreads;
// Bytes each thread reads per round.
extern int64_t stretchBytes;

// The threads a text of this length is read with: 1 where cutting it would not pay.
int threadsFor(int64_t textBytes);

// The first likely game start at or after from: a "[" opening a line after an empty line.
// Past the text's end when there is none.
int64_t nextGameStart(std::string_view text, int64_t from);

// Bytes of a file held in memory at once while it is read.
extern int64_t blockBytes;

// True when a file of this size is read in blocks and stretches rather than whole in one go.
bool readsInBlocks(int64_t fileBytes);

// Reads the open file a block at a time into the batch, as the worker's scan of the whole text
// would: counters, progress and leanness included; answers the scan's code. A file that cannot
// be read to its end is counted unreadable.
int loadInBlocks(TOsFile& file, bool applyFilters, TGames& batch, const TFileStamp* stamp);
