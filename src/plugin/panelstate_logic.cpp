#include "plugin/panelstate_logic.h"

#include "uchess/fileutil.h"

int32_t panelWidth = 0;
int32_t panelHeight = 0;
int32_t panelMinHeight = kInitialPanelMinHeight;
int32_t panelCommand = 0;
std::u16string outputPath;
uint8_t autoResetSettings = 1;
uint8_t panelWasShown = 0;

TPanelSize panelDefaultSize(int32_t dpi) {
  // A screen that reports no resolution is taken as the standard one rather than sizing the
  // panel to nothing; a huge one must not overflow the products below.
  constexpr int32_t kStandardDpi = 96;
  constexpr int32_t kLargestDpi = 9600;
  if (dpi <= 0 || dpi > kLargestDpi) dpi = kStandardDpi;
  return {dpi * 640 / 120, dpi * 450 / 120, dpi * 600 / 120};
}

std::u16string defaultOutputPath() {
  return hostFolder().u16string() + u"output";
}

uint32_t panelRecordHandle(const void* window) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

THostPanelRecord* findPanelRecord(const THostPanelList* panels, const void* window) {
  // Without a panel window (its creation failed) a free record of the host would match.
  if (!panels || !panels->records || !window) return nullptr;
  // Bytes 0 to 3 only: what the host keeps in bytes 4 to 7 must not hide the panel's record.
  const uint32_t wanted = panelRecordHandle(window);
  for (int32_t i = panels->count - 1; i >= 0; --i)
    if (panels->records[i].window == wanted) return &panels->records[i];
  return nullptr;
}

int32_t adoptPanelRecord(THostPanelRecord& record, const TPanelSize& size, int32_t minHeight) {
  record.minWidth = size.minWidth;
  record.minHeight = minHeight;
  return record.command;
}
