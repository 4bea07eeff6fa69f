#pragma once
// The records through which games travel between the reader, the batch pipeline and the writer.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "uchess/jurnal.h"

// One tag pair; texts are kept byte for byte as read.
struct TPGNTag {
  std::string Name;
  std::string Value;  // without quotes, escapes resolved
};

// A game's tag section. After a normalising read: 0..6 the roster tags Event, Site, Date, Round,
// White, Black, Result; SetUp and FEN at 7 and 8 for a game from a position; ECO at 7 or 9.
using TGamesTagArray = std::vector<TPGNTag>;

enum : int {
  kTagEvent = 0,
  kTagSite = 1,
  kTagDate = 2,
  kTagRound = 3,
  kTagWhite = 4,
  kTagBlack = 5,
  kTagResult = 6,
  kTagSetUp = 7,
  kTagFen = 8,
  kRosterTagCount = 7,
};

struct TGame {
  std::unique_ptr<jurnal> Journal;  // none while only the tags and the file position are known
  TGamesTagArray Tags;
  std::filesystem::path FileName;
  int64_t TextStart = 0;   // 1-based position of the "[" that opens the game
  int64_t TextLength = 0;  // characters from TextStart to where reading the movetext stopped
};

using TGames = std::vector<TGame>;
using TIndexArray = std::vector<int32_t>;
using TBools = std::vector<uint8_t>;
using TBoolArray = std::vector<uint8_t>;

struct THashEntry {
  uint64_t StartKey = 0;
  uint64_t MovesKey = 0;
  int32_t GameIndex = 0;
};
using THashes = std::vector<THashEntry>;
