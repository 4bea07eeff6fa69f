#include "pgnlongwork/jobstate.h"

#include <initializer_list>

#include "Upgnread/gamebase.h"

const std::u16string kStageTexts[kStageCount] = {
    u"Начало работы...",
    u"Загрузка базы партий...",
    u"Отсеивание дубликатов...",
    u"Сохранение базы партий...",
    u"Сортировка партий...",
    u"Подгрузка ещё незагрженных партий...",
    u"Применение фильтров...",
    u"Завершение работы...",
    u"Всё готово",
};

std::atomic<uint8_t> jobMode{kJobLoadFile};
std::atomic<bool> stopRequested{false};
std::atomic<uint8_t> stage{kStageStarting};
std::filesystem::path currentFile;
std::filesystem::path sourceFolder;
std::filesystem::path outputBase;
std::atomic<int64_t> bytesTotal{0};
std::atomic<int64_t> bytesDone{0};
std::atomic<int32_t> itemsDone{0};
std::atomic<int32_t> itemsTotal{0};
std::atomic<int64_t> gamesScanned{0};

std::atomic<int32_t> gamesSkipped{0};
std::atomic<int32_t> gamesLeftOutLoading{0};
std::atomic<int32_t> filesUnreadable{0};
std::atomic<int32_t> writesFailed{0};
std::atomic<int32_t> filesRead{0};
std::atomic<int32_t> gamesAccepted{0};
std::atomic<int32_t> gamesAlreadyLoaded{0};
std::atomic<int32_t> duplicatesDropped{0};
std::atomic<int32_t> gamesWritten{0};
std::atomic<int32_t> outputFilesWritten{0};
std::vector<TFileRecord> fileRecords;
std::atomic<int32_t> gamesNotWritten{0};

namespace {
std::vector<std::string> problems;  // under gameLock

TRecursiveLock& shownFileLock() {
  static TRecursiveLock* const lock = newRecursiveLock();
  return *lock;
}
std::filesystem::path shownFile;  // under shownFileLock
}  // namespace

void noteProblem(const std::string& line) {
  TLockHold hold(gameLock());
  if (problems.size() < kProblemLinesKept) problems.push_back(line);
}

std::vector<std::string> problemLines() {
  TLockHold hold(gameLock());
  return problems;
}

std::filesystem::path currentFileCopy() {
  TLockHold hold(gameLock());
  return currentFile;
}

void setCurrentFile(const std::filesystem::path& path) {
  TLockHold hold(gameLock());
  currentFile = path;
  TLockHold shown(shownFileLock());
  shownFile = path;
}

std::filesystem::path currentFileShown() {
  TLockHold hold(shownFileLock());
  return shownFile;
}

void resetJobProgress() {
  stopRequested.store(false, std::memory_order_relaxed);
  stage.store(kStageStarting, std::memory_order_relaxed);
  bytesTotal.store(0, std::memory_order_relaxed);
  bytesDone.store(0, std::memory_order_relaxed);
  itemsDone.store(0, std::memory_order_relaxed);
  itemsTotal.store(0, std::memory_order_relaxed);
  gamesScanned.store(0, std::memory_order_relaxed);
}

void resetJobReport() {
  gamesSkipped.store(0, std::memory_order_relaxed);
  gamesLeftOutLoading.store(0, std::memory_order_relaxed);
  filesUnreadable.store(0, std::memory_order_relaxed);
  writesFailed.store(0, std::memory_order_relaxed);
  for (std::atomic<int32_t>* counter :
       {&filesRead, &gamesAccepted, &gamesAlreadyLoaded, &duplicatesDropped, &gamesWritten,
        &outputFilesWritten, &gamesNotWritten})
    counter->store(0, std::memory_order_relaxed);
  TLockHold hold(gameLock());
  problems.clear();
  fileRecords.clear();
}
