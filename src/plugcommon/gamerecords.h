#pragma once
// The records through which games travel between the reader, the batch pipeline and the writer.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugcommon/chunkedarray.h"
#include "plugcommon/tagarray.h"
#include "uchess/jurnal.h"

// A game's tag section (TGamesTagArray). After a normalising read: 0..6 the roster tags Event,
// Site, Date, Round, White, Black, Result; SetUp and FEN at 7 and 8 for a game from a position; ECO
// at 7 or 9.

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

// A file's name held once for every game read from that file: a base of a million games from one
// file would otherwise keep a million heap copies of it. With it, the file's size and time as they
// were when its games were read (size -1: unknown), which a reload checks. Copies share;
// assigning a path makes a new one.
class THeldText;

class TSharedPath {
 public:
  TSharedPath() = default;
  TSharedPath(std::filesystem::path path, int64_t fileSize = -1, int64_t fileTime = 0)
      : Shared(std::make_shared<const TFile>(TFile{std::move(path), fileSize, fileTime, {}})) {}
  // An input that cannot be read again by place, whose text is held in memory instead.
  TSharedPath(std::filesystem::path path, std::shared_ptr<const THeldText> held)
      : Shared(std::make_shared<const TFile>(TFile{std::move(path), -1, 0, std::move(held)})) {}
  TSharedPath& operator=(std::filesystem::path path) {
    return *this = TSharedPath(std::move(path));
  }

  const std::filesystem::path& operator*() const { return Shared ? Shared->path : emptyPath(); }
  const std::filesystem::path* operator->() const { return &**this; }
  int64_t fileSize() const { return Shared ? Shared->size : -1; }
  int64_t fileTime() const { return Shared ? Shared->time : 0; }
  const THeldText* heldText() const { return Shared ? Shared->held.get() : nullptr; }
  friend bool operator==(const TSharedPath& a, const TSharedPath& b) {
    return a.Shared == b.Shared || *a == *b;
  }

 private:
  struct TFile {
    std::filesystem::path path;
    int64_t size;
    int64_t time;
    std::shared_ptr<const THeldText> held;
  };
  static const std::filesystem::path& emptyPath() {
    static const std::filesystem::path empty;
    return empty;
  }
  std::shared_ptr<const TFile> Shared;
};

// Millions of these are held at once: fields are ordered so that no padding comes between them.
struct TGame {
  std::unique_ptr<jurnal> Journal;  // none while only the tags and the file position are known
  TGamesTagArray Tags;
  TSharedPath FileName;    // shared by the games of one file, with the file's size and time
  int64_t TextStart = 0;   // 1-based position of the "[" that opens the game
  int64_t TextLength = 0;  // characters from TextStart to where reading the movetext stopped

  // What a game read from a file keeps when its journal is dropped to save memory; the journal
  // is read again from the file when the game is written. MoveCount -1: nothing kept.
  uint64_t StartKey = 0;
  uint64_t MovesKey = 0;
  int32_t MoveCount = -1;  // half-moves of the main line
  char Eco[4] = {};        // the main line's code, once worked out (EcoKnown)
  bool KeysKnown = false;
  bool EcoKnown = false;
};

// True when the game's journal was dropped after loading and can be read again from its file.
inline bool isLeanGame(const TGame& game) {
  return !game.Journal && game.MoveCount >= 0;
}

// A base of millions of games grows without moving them (see TChunkedArray).
using TGames = TChunkedArray<TGame>;
using TIndexArray = std::vector<int32_t>;
using TBools = std::vector<uint8_t>;
using TBoolArray = std::vector<uint8_t>;

struct THashEntry {
  uint64_t StartKey = 0;
  uint64_t MovesKey = 0;
  int32_t GameIndex = 0;
};
using THashes = std::vector<THashEntry>;
