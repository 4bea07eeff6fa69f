#include "pgnstatwnd/statuswindow_logic.h"

#include <algorithm>
#include <limits>

#include "pgnlongwork/jobstate.h"

namespace {

int32_t thousands(int64_t bytes) {
  const int64_t value = std::max<int64_t>(bytes, 0) / 1000;
  return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

bool showsFile(uint8_t stage) {
  return stage == kStageLoading || stage == kStageWriting || stage == kStageLoadingMoves;
}

void compareFile(TStatusShown& shown, const TJobSnapshot& job, TStatusTick& tick) {
  if (job.file != shown.file) tick.changed = true;
}

}  // namespace

TStatusTick statusTick(TStatusShown& shown, const TJobSnapshot& job) {
  TStatusTick tick;
  tick.changed = job.stage != shown.stage;
  shown.stage = job.stage;
  switch (job.stage) {
    case kStageLoading:
      tick.setRange = true;
      tick.rangeMax = thousands(job.bytesTotal);
      compareFile(shown, job, tick);
      tick.setPosition = true;
      tick.position = thousands(job.bytesDone);
      break;
    case kStageWriting:
    case kStageLoadingMoves:
    case kStageSorting:
      tick.setRange = tick.changed;
      tick.rangeMax = std::max(job.itemsTotal, 0);
      if (job.stage != kStageSorting) compareFile(shown, job, tick);
      tick.setPosition = true;
      tick.position = std::max(job.itemsDone, 0);
      break;
    case kStageDone:
      tick.refreshPanel = job.mode == kJobLoadFile || job.mode == kJobLoadFolder;
      tick.close = true;
      break;
    default:
      break;
  }
  if (showsFile(job.stage)) shown.file = job.file;
  return tick;
}

std::u16string shownFileName(uint8_t stage, const std::filesystem::path& file) {
  if (!showsFile(stage)) return {};
  std::u16string text = file.u16string();
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  const size_t cut = text.find_last_of(u"\\/");
  return cut == std::u16string::npos ? text : text.substr(cut + 1);
}

int32_t statusWidth(int32_t widestText, int32_t marginLeft, int32_t marginRight) {
  return std::max(widestText, 350) + marginLeft + marginRight + 20;
}
