#include "cli/settings.h"

#include <cstdint>
#include <limits>

#include "Upgnread/options.h"
#include "cli/preflight.h"
#include "cli/textpaths.h"
#include "platform/platform.h"
#include "uchess/fileutil.h"

namespace {

enum class TFieldKind : uint8_t { int32, boolean, byte, text8, text16, set256 };

// A field of the file with the values it may hold (for texts: the lengths).
struct TFieldRule {
  const char* name;
  TFieldKind kind;
  int64_t min = 0;
  int64_t max = 1;
};

constexpr int64_t kAnyLow = std::numeric_limits<int32_t>::min();
constexpr int64_t kAnyHigh = std::numeric_limits<int32_t>::max();
constexpr int kPlacementFields = 5;
constexpr int kAutoResetField = 7;

constexpr TFieldRule kFields[] = {
    {"panel left", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"panel top", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"panel width", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"panel height", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"panel visible", TFieldKind::boolean},
    {"output path", TFieldKind::text16, 0, 32767},
    {"auto reset", TFieldKind::boolean},
    {"removeComments", TFieldKind::boolean},
    {"tagMode", TFieldKind::byte, 0, 2},
    {"removeVariations", TFieldKind::boolean},
    {"keptNags", TFieldKind::set256},
    {"removeDuplicates", TFieldKind::boolean},
    {"addEcoNames", TFieldKind::boolean},
    {"removeOldEco", TFieldKind::boolean},
    {"splitByEco", TFieldKind::byte, 0, 3},
    {"splitByWhite", TFieldKind::boolean},
    {"splitByBlack", TFieldKind::boolean},
    {"splitByPlayer", TFieldKind::boolean},
    {"splitByDate", TFieldKind::byte, 0, 3},
    {"splitByEvent", TFieldKind::boolean},
    {"whiteEloParts", TFieldKind::byte, 1, 255},
    {"blackEloParts", TFieldKind::byte, 1, 255},
    {"splitByResult", TFieldKind::boolean},
    {"resultMask", TFieldKind::byte, 0, 255},
    {"dateFrom", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"dateTo", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"whitePlayer", TFieldKind::text8, 0, 4096},
    {"blackPlayer", TFieldKind::text8, 0, 4096},
    {"ignoreColour", TFieldKind::boolean},
    {"whiteEloMin", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"whiteEloMax", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"blackEloMin", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"blackEloMax", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"ecoFilter", TFieldKind::text8, 0, 3},
    {"movesMin", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"movesMax", TFieldKind::int32, kAnyLow, kAnyHigh},
    {"appendToExisting", TFieldKind::boolean},
};
constexpr int kFieldCount = static_cast<int>(std::size(kFields));

int64_t bigEndian32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return static_cast<int32_t>(value);
}

std::string fieldName(int index) {
  return "field " + std::to_string(index + 1) + " (" + kFields[index].name + ")";
}

// Reads one field at pos: its value (a text's length) and its size in bytes. False when the
// bytes end inside it.
bool readField(std::string_view bytes, size_t pos, const TFieldRule& rule, int64_t& value,
               size_t& size) {
  const size_t left = bytes.size() - pos;
  switch (rule.kind) {
    case TFieldKind::boolean:
    case TFieldKind::byte:
      size = 1;
      if (left < size) return false;
      value = static_cast<uint8_t>(bytes[pos]);
      return true;
    case TFieldKind::set256:
      size = 32;
      value = 0;
      return left >= size;
    case TFieldKind::int32:
      size = 4;
      if (left < size) return false;
      value = bigEndian32(bytes, pos);
      return true;
    case TFieldKind::text8:
    case TFieldKind::text16:
      if (left < 4) return false;
      value = bigEndian32(bytes, pos);
      size = 4 +
             static_cast<size_t>(value < 0 ? 0 : value) * (rule.kind == TFieldKind::text16 ? 2 : 1);
      // A negative length is reported as out of range by the caller, not as a short file.
      return value < 0 || left >= size;
  }
  return false;
}

// Where the fields may stop: after the placement, after the flag that said the options were not
// saved, or after the last field.
bool endsHere(int fieldsRead, bool autoReset) {
  return fieldsRead == kPlacementFields || (fieldsRead == kAutoResetField && autoReset) ||
         fieldsRead == kFieldCount;
}

TSettingsContent contentOf(int fieldsRead) {
  if (fieldsRead == kFieldCount) return TSettingsContent::everything;
  return fieldsRead == kAutoResetField ? TSettingsContent::pathAndFlag
                                       : TSettingsContent::placement;
}

}  // namespace

std::string checkSettingsBytes(std::string_view bytes, TSettingsContent& content) {
  if (bytes.empty()) return "settings file is empty";
  size_t pos = 0;
  bool autoReset = false;
  for (int i = 0; i < kFieldCount; ++i) {
    if (pos == bytes.size() && endsHere(i, autoReset)) return content = contentOf(i), std::string();
    if (pos == bytes.size()) return "settings file is truncated: it ends before " + fieldName(i);
    if (endsHere(i, autoReset) && i != kPlacementFields)
      return "not a settings file: " + std::to_string(bytes.size() - pos) +
             " bytes follow its last field";
    int64_t value = 0;
    size_t size = 0;
    if (!readField(bytes, pos, kFields[i], value, size))
      return "settings file is truncated: it ends inside " + fieldName(i);
    if (value < kFields[i].min || value > kFields[i].max)
      return "not a settings file: " + fieldName(i) + " holds " + std::to_string(value) +
             (kFields[i].kind == TFieldKind::text8 || kFields[i].kind == TFieldKind::text16
                  ? " as its length"
                  : "");
    if (i + 1 == kAutoResetField) autoReset = value != 0;
    pos += size;
  }
  if (pos != bytes.size())
    return "not a settings file: " + std::to_string(bytes.size() - pos) +
           " bytes follow its last field";
  content = TSettingsContent::everything;
  return {};
}

std::string loadSettings(const std::filesystem::path& path, TSettingsContent& content) {
  if (std::string problem = checkReadableFile(path); !problem.empty()) return problem;
  std::string bytes;
  if (!readWholeFile(path, bytes)) return "cannot be read";
  if (std::string problem = checkSettingsBytes(bytes, content); !problem.empty()) return problem;
  TPanelSettings ignored;
  if (readSettingsFile(path, ignored) != content) return "changed while it was read";
  return {};
}

TPanelSettings defaultPanelSettings(const std::filesystem::path& outputBase) {
  TPanelSettings settings;
  settings.placement = centredPlacement(640, 450, TRect{0, 0, 1920, 1080});
  settings.panelVisible = false;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(outputBase, error);
  settings.outputPath = pathUtf16(error ? outputBase : absolute);
  settings.autoResetSettings = false;
  return settings;
}

std::string saveSettings(const std::filesystem::path& path,
                         const std::filesystem::path& outputBase) {
  if (std::string problem = checkWritableFolder(folderOf(path)); !problem.empty())
    return "cannot write the settings file: " + problem;
  if (!writeSettingsFile(path, defaultPanelSettings(outputBase)))
    return "cannot write the settings file";
  return {};
}
