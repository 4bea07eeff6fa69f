#include "plugin/settingsfile_logic.h"

#include <memory>
#include <utility>

#include "btfile/bytefile.h"
#include "platform/platform.h"
#include "Upgnread/options.h"

namespace {

// Reading and writing walk the same list of option fields, so the two can never disagree on the
// order; each direction is one of these two small adaptors.
// A field is read only when the file holds it whole; from the first one it does not, nothing is
// read any more and the values stay as they were (the caller's defaults).
struct TFieldReader {
  bytefile& file;
  int32_t& wholeFields;
  bool cut = false;

  bool holds(int64_t bytes) {
    cut = cut || file.failed || file.size() - file.position() < bytes;
    return !cut;
  }
  void took() { ++wholeFields; }
  void boolean(bool& value) {
    if (!holds(1)) return;
    value = file.readbool();
    took();
  }
  void byte(uint8_t& value) {
    if (!holds(1)) return;
    value = file.readbyte();
    took();
  }
  void int32(int32_t& value) {
    if (!holds(4)) return;
    value = file.readint();
    took();
  }
  // A text whose stored length runs past the end sets the failure flag: the text is not there.
  template <class TText, class TRead>
  void text(TText& value, TRead read) {
    if (!holds(4)) return;
    TText got = read();
    if (file.failed) {
      cut = true;
      return;
    }
    value = std::move(got);
    took();
  }
  void text8(std::string& value) {
    text(value, [this] { return file.readstr(); });
  }
  void text16(std::u16string& value) {
    text(value, [this] { return file.readwstr(); });
  }
  // keptNags starts from the empty set and receives exactly the bits read.
  void nags(TNagSet& value) {
    if (!holds(32)) return;
    value = TNagSet::none();
    for (uint8_t& b : value.bits) b = file.readbyte();
    took();
  }
};

struct TFieldWriter {
  bytefile& file;
  void boolean(bool value) { file.writebool(value); }
  void byte(uint8_t value) { file.writebyte(value); }
  void int32(int32_t value) { file.writeint(value); }
  void text8(const std::string& value) { file.writestr(value); }
  void nags(const TNagSet& value) {
    for (uint8_t b : value.bits) file.writebyte(b);
  }
};

// Fields 8 to 37; appendToExisting comes last although it belongs among the flags.
template <class TFields>
void transferOptions(TFields& io) {
  io.boolean(removeComments);
  io.byte(tagMode);
  io.boolean(removeVariations);
  io.nags(keptNags);
  io.boolean(removeDuplicates);
  io.boolean(addEcoNames);
  io.boolean(removeOldEco);
  io.byte(splitByEco);
  io.boolean(splitByWhite);
  io.boolean(splitByBlack);
  io.boolean(splitByPlayer);
  io.byte(splitByDate);
  io.boolean(splitByEvent);
  io.byte(whiteEloParts);
  io.byte(blackEloParts);
  io.boolean(splitByResult);
  io.byte(resultMask);
  io.int32(dateFrom);
  io.int32(dateTo);
  io.text8(whitePlayer);
  io.text8(blackPlayer);
  io.boolean(ignoreColour);
  io.int32(whiteEloMin);
  io.int32(whiteEloMax);
  io.int32(blackEloMin);
  io.int32(blackEloMax);
  io.text8(ecoFilter);
  io.int32(movesMin);
  io.int32(movesMax);
  io.boolean(appendToExisting);
}

void writeAllFields(bytefile& file, const TPanelSettings& settings) {
  file.writeint(settings.placement.left);
  file.writeint(settings.placement.top);
  file.writeint(settings.placement.width);
  file.writeint(settings.placement.height);
  file.writebool(settings.panelVisible);
  file.writewstr(settings.outputPath);
  file.writebool(settings.autoResetSettings);
  if (settings.autoResetSettings) return;
  // Only bits 0-4 of the result mask mean anything; a stray high bit must not survive a save.
  const uint8_t storedMask = resultMask;
  resultMask &= kResultAll;
  TFieldWriter writer{file};
  transferOptions(writer);
  resultMask = storedMask;
}

}  // namespace

TSettingsContent readSettingsFile(const std::filesystem::path& path, TPanelSettings& settings) {
  bytefile file(path, true);
  if (file.failed) return TSettingsContent::missing;
  settings.wholeFields = 0;
  TFieldReader reader{file, settings.wholeFields};
  reader.int32(settings.placement.left);
  reader.int32(settings.placement.top);
  reader.int32(settings.placement.width);
  reader.int32(settings.placement.height);
  reader.boolean(settings.panelVisible);
  if (reader.cut || file.eof()) return TSettingsContent::placement;
  reader.text16(settings.outputPath);
  // Without its output path the file gives neither the path nor the flag after it.
  if (reader.cut) return TSettingsContent::placement;
  // A file that ends before the flag gets the flag's default: on, so no option is read.
  settings.autoResetSettings = true;
  reader.boolean(settings.autoResetSettings);
  if (settings.autoResetSettings) return TSettingsContent::pathAndFlag;
  // Every option the file holds whole is read as it stands; the ones after the end keep their
  // defaults, so a cut file never turns the filters into "keep nothing".
  resetOptions();
  transferOptions(reader);
  resultMask &= kResultAll;
  return reader.cut ? TSettingsContent::someOptions : TSettingsContent::everything;
}

bool writeSettingsFile(const std::filesystem::path& path, const TPanelSettings& settings) {
  std::filesystem::path fresh = path;
  fresh += ".new";
  int64_t written = 0;
  bool failed = false;
  {
    bytefile file(fresh, false);
    if (!file.failed) writeAllFields(file, settings);
    written = file.position();
    failed = file.failed;
  }  // the destructor writes the last buffer back
  if (failed || fileSize(fresh) != written || !replaceFile(fresh, path)) {
    std::error_code ignored;
    std::filesystem::remove(fresh, ignored);
    return false;
  }
  return true;
}

TPanelPlacement clampPlacement(TPanelPlacement saved, const TRect& workArea) {
  TPanelPlacement p = saved;
  if (p.width < kSmallestPanelWidth) p.width = kSmallestPanelWidth;
  if (p.height < kSmallestPanelHeight) p.height = kSmallestPanelHeight;
  if (workArea.bottom - workArea.top < p.height) p.height = workArea.bottom - workArea.top;
  if (p.left + 10 >= workArea.right) p.left = workArea.right - p.width;
  if (p.left < 0) p.left = 0;
  if (workArea.bottom - 10 < p.top) p.top = workArea.bottom - p.height - 10;
  if (p.top < 0) p.top = 0;
  return p;
}

TPanelPlacement centredPlacement(int32_t width, int32_t height, const TRect& workArea) {
  // Halves truncate toward zero, as C++ integer division does.
  return {(workArea.left + workArea.right - width) / 2, (workArea.top + workArea.bottom - height) / 2,
          width, height};
}
