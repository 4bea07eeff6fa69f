#pragma once
// Lean games read again ahead of the writer, and, when asked, the main line's ECO code of every
// game worked out ahead: batches of consecutive output positions are done on a pool of threads
// while the writer writes the games before them, and are handed over in output order, so that
// what is written and reported is what one thread doing each game in turn gives.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Upgnread/leangame.h"
#include "platform/platform.h"
#include "plugcommon/gamerecords.h"

// What the writer gets for one output position.
struct TRereadGame {
  bool lean = false;  // the game was read again; nothing else is set otherwise
  std::unique_ptr<jurnal> journal;
  std::string problem;       // why its text no longer gives the game
  bool fileChanged = false;  // its file changed since loading
  bool ecoWorkedOut = false;  // with classify: the game's moves gave eco
  std::string eco;
};

// One lean game read again by the given reader.
TRereadGame rereadGame(TGameRereader& rereader, const TGame& game);

// Output positions per batch at most; tests make it small so that a hold falls between batches.
extern int32_t rereadBatchGames;
extern const int32_t kRereadBatchGames;
// Called on the thread about to read the batch that begins at firstPosition, before it looks at
// any of its games. Tests hold the reading there; set it only while no job runs.
extern std::function<void(int32_t firstPosition)> rereadObserver;

// Which games of a list are read again.
using TRereadWanted = bool (*)(const TGame& game);

class TJournalsAhead {
 public:
  // Cuts the list (game numbers in panelGames, read under gameLock and left as they are while
  // this lives) into batches and, when wanted games are among them, starts the threads.
  // With classify, wanted games are those whose ECO code is worked out (mainLineEco), from their
  // journal or from the one read again.
  explicit TJournalsAhead(const TIndexArray& order, TRereadWanted wanted = isLeanGame,
                          bool classify = false);
  // Asks the threads to end after the game each is reading, and waits for them.
  ~TJournalsAhead();
  TJournalsAhead(const TJournalsAhead&) = delete;
  TJournalsAhead& operator=(const TJournalsAhead&) = delete;

  // True when no game of the list is to be read again.
  bool none() const { return batches.empty(); }
  // The game at position, from its batch once read; a batch no thread has taken yet is read
  // here. Positions are asked for in increasing order; the caller does not hold gameLock.
  TRereadGame take(int32_t position);

 private:
  enum class TBatchState : uint8_t { waiting, reading, read, done };
  struct TBatch {
    int32_t first = 0;
    int32_t end = 0;
    TBatchState state = TBatchState::waiting;
    std::vector<TRereadGame> games;
  };

  const TGame* wantedGameAt(int32_t position) const;
  bool classifyBatch(std::vector<TRereadGame>& games, const std::vector<jurnal*>& inBase,
                     bool mayQuit);
  int64_t planBatches();
  void startThreads(int64_t wantedBytes);
  static void threadBody(void* self);
  void readAhead();
  int32_t claim();
  bool readBatch(TBatch& batch, TGameRereader& rereader, bool mayQuit);
  void settle(TBatch& batch, bool read);
  void retire(TBatch& batch);
  bool quitting() const;

  const TIndexArray& order;
  const TRereadWanted wanted;
  const bool classify;
  std::unique_ptr<TWaitLock> lock;
  std::vector<TBatch> batches;  // bounds fixed before the threads start; the rest under lock
  size_t current = 0;           // the writer's batch
  size_t mostAhead = 1;         // batches from the writer's on that may be read or being read
  std::atomic<bool> stopping{false};
  std::vector<TThreadHandle> threads;
  TGameRereader writerRereader;
};
