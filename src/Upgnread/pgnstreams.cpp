#include "Upgnread/pgnstreams.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "Upgnread/blocksource.h"
#include "Upgnread/heldtext.h"
#include "Upgnread/gamebase.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgnstretches.h"
#include "unpack/decodeahead.h"
#include "pgnlongwork/jobstate.h"

namespace {

void keepRecord(TFileRecord record) {
  TLockHold hold(gameLock());
  fileRecords.push_back(std::move(record));
}

std::filesystem::path memberPath(const std::filesystem::path& archive, const std::string& member) {
  std::filesystem::path name = archive;
  name += ":";
  name += member;
  return name;
}

// The words of the report for a text that broke off or had foreign bytes after it.
std::string breakText(const TStreamBlocks& blocks, const TTextPlace& end) {
  if (!blocks.brokeOff()) return blocks.problem() + "; its text before that is read whole";
  return "broken off at line " + std::to_string(end.line) + " (byte " +
         std::to_string(end.position) + " of its text): " + blocks.problem() +
         "; the games before it are read, the one it cuts is not";
}

int loadText(TDecoder& decoder, TStreamInput& input, const std::filesystem::path& name,
             bool applyFilters, TGames& batch, const TBatchSink* sink) {
  // Games written as they are read need no text held for them.
  std::shared_ptr<THeldText> held = sink ? nullptr : std::make_shared<THeldText>();
  // A file's next block is unpacked while the one before is read; a pipe is not read ahead, so
  // that a stop never waits on a writer that has gone quiet. 16 MB ahead is a streamed run's
  // whole part, and little of a 32-bit host's room.
  constexpr int64_t kAheadBytes = 16 * 1024 * 1024;
  std::unique_ptr<TDecodeAhead> ahead =
      input.sized ? std::make_unique<TDecodeAhead>(decoder, input.source, &bytesDone,
                                                   std::min(kAheadBytes, blockBytes))
                  : nullptr;
  TStreamBlocks blocks(ahead ? *ahead : decoder, input.source, ahead ? nullptr : &bytesDone,
                       held.get());
  TFileRecord file{name, {}};
  TGames games;
  const TSharedPath gamesFile = held ? TSharedPath(name, held) : TSharedPath(name);
  const TTextPlace end = scanStream(blocks, gamesFile, applyFilters, games, file.record, sink);
  if (!blocks.problem().empty()) {
    file.record.readToEnd = false;
    file.record.problem = breakText(blocks, end);
  }
  {
    TLockHold hold(gameLock());
    for (TGame& game : games) batch.push_back(std::move(game));
  }
  keepRecord(std::move(file));
  return end.code;
}

// A packing this build lacks: the input is named as unreadable, and why.
int refuse(const std::filesystem::path& path, TPacking packing) {
  TFileRecord file{path, {}};
  file.record.unopened = true;
  file.record.readToEnd = false;
  file.record.problem = std::string("is ") + packingName(packing) +
                        " data, which this build cannot read (gamesift --version lists what it reads)";
  filesUnreadable.fetch_add(1, std::memory_order_relaxed);
  keepRecord(std::move(file));
  return kNoGameStart;
}

}  // namespace

bool openAsStream(const std::filesystem::path& path, TStreamInput& input) {
  if (path == kStandardInputName) {
    if (!input.file.openStandard(true)) return false;
  } else {
    if (!input.file.open(path, TOpenMode::readExclusive)) return false;
    input.sized = !input.file.isStream();
  }
  input.packing = packingOf(input.source.peek(kPackingHeadBytes));
  if (!input.sized || input.packing != TPacking::plain) return true;
  // Windows opens files without sharing: the caller's own reading must find this one closed.
  input.file.close();
  return false;
}

int loadStream(const std::filesystem::path& path, TStreamInput& input, bool applyFilters,
               TGames& batch, const TBatchSink* sink) {
  {
    TLockHold hold(gameLock());
    batch.clear();
    bytesTotal.store(input.sized ? input.file.size() : 0, std::memory_order_relaxed);
    bytesDone.store(0, std::memory_order_relaxed);
  }
  std::unique_ptr<TPackedInput> texts = openPacked(input.packing, input.source);
  if (!texts) return refuse(path, input.packing);
  int code = kReadOk;
  std::string member;
  while (!stopRequested.load(std::memory_order_relaxed)) {
    TDecoder* decoder = texts->next(member);
    if (!decoder) break;
    code = loadText(*decoder, input, member.empty() ? path : memberPath(path, member),
                    applyFilters, batch, sink);
  }
  if (!texts->problem().empty()) {
    TFileRecord file{path, {}};
    file.record.readToEnd = false;
    file.record.problem = texts->problem();
    keepRecord(std::move(file));
  }
  return code;
}
