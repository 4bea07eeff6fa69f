#include "support/fuzzchecks.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <memory>

#include "Upgnread/filters.h"
#include "Upgnread/options.h"
#include "plugin/settingsfile_logic.h"
#include "uchess/doska.h"
#include "uchess/ecobase.h"
#include "uchess/fileutil.h"
#include "uchess/jurnal.h"

namespace {

// One scratch file per process: the fuzzer runs inputs one after another.
const std::filesystem::path& scratchFile(const char* name) {
  static const std::filesystem::path folder = std::filesystem::temp_directory_path();
  static std::filesystem::path path;
  path = folder / ("gamesift-fuzz-" + std::to_string(getpid()) + "-" + name);
  return path;
}

void putFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Tries every move from the first squares that hold a piece, as a reader would.
void tryMoves(doska& board) {
  int tried = 0;
  for (int file = 1; file <= 8 && tried < 64; ++file)
    for (int rank = 1; rank <= 8 && tried < 64; ++rank) {
      if (board.at(file, rank) == 0) continue;
      for (int to = 0; to < 64; ++to, ++tried) board.legalmove(file, rank, to / 8 + 1, to % 8 + 1);
    }
  board.status(true);
  board.status(false);
}

bool sameSettings(const TPanelSettings& a, const TPanelSettings& b) {
  return a.placement.left == b.placement.left && a.placement.top == b.placement.top &&
         a.placement.width == b.placement.width && a.placement.height == b.placement.height &&
         a.panelVisible == b.panelVisible && a.outputPath == b.outputPath &&
         a.autoResetSettings == b.autoResetSettings;
}

// The options a settings file carries, as one comparable text.
std::string optionsText() {
  std::string text;
  for (int value : {int{removeComments},
                    int{tagMode},
                    int{removeVariations},
                    int{removeDuplicates},
                    int{addEcoNames},
                    int{removeOldEco},
                    int{splitByEco},
                    int{splitByWhite},
                    int{splitByBlack},
                    int{splitByPlayer},
                    int{splitByDate},
                    int{splitByEvent},
                    int{whiteEloParts},
                    int{blackEloParts},
                    int{splitByResult},
                    int{resultMask},
                    dateFrom,
                    dateTo,
                    int{ignoreColour},
                    whiteEloMin,
                    whiteEloMax,
                    blackEloMin,
                    blackEloMax,
                    movesMin,
                    movesMax,
                    int{appendToExisting}})
    text += std::to_string(value) + ",";
  for (uint8_t byte : keptNags.bits) text += std::to_string(byte) + ",";
  return text + whitePlayer + "|" + blackPlayer + "|" + ecoFilter;
}

}  // namespace

std::string exerciseFen(std::string_view bytes) {
  int error = 0;
  int64_t position = 1;
  std::unique_ptr<jurnal> journal = jurnal::createfromfen(bytes, error, position);
  if (position < 1 || position > static_cast<int64_t>(bytes.size()) + 1)
    return "the position left the text";
  if ((error == 0) != (journal != nullptr)) return "an error came with a journal, or none without";
  if (error != 0 && (error < kFenEarlyEnd || error > kFenBadEnPassantRank))
    return "an unknown error code";
  if (journal) tryMoves(*journal->startboard);
  return {};
}

std::string exerciseEcoBase(std::string_view bytes) {
  const std::filesystem::path& path = scratchFile("ecos.dat");
  putFile(path, bytes);
  const bool loaded = loadecoFrom(path);
  std::filesystem::remove(path);
  const ecoinfar& base = ecoBase();
  if (!loaded) return base.empty() ? std::string() : "a failed load left entries";
  if (base.size() != bytes.size() / kEcoRecordSize) return "not one entry per whole record";
  for (size_t i = 0; i < base.size(); ++i) {
    if (i > 0 && base[i - 1].key > base[i].key) return "the base is out of order";
    const int found = findeco(base[i].key);
    if (found < 0 || base[static_cast<size_t>(found)].key != base[i].key)
      return "a key of the base is not found";
  }
  clearEcoBase();
  return {};
}

std::string exerciseSettingsFile(std::string_view bytes) {
  const std::filesystem::path& path = scratchFile("gamesift.dat");
  putFile(path, bytes);
  resetOptions();
  TPanelSettings first;
  const TSettingsContent content = readSettingsFile(path, first);
  const std::string firstOptions = optionsText();
  std::string problem;
  if (content == TSettingsContent::everything || content == TSettingsContent::pathAndFlag) {
    // What was read, written back, reads the same: the two directions agree field by field.
    if (!writeSettingsFile(path, first)) problem = "the settings could not be written back";
    TPanelSettings second;
    resetOptions();
    if (problem.empty() && readSettingsFile(path, second) != content)
      problem = "the written file holds a different set of fields";
    else if (problem.empty() && (!sameSettings(first, second) || optionsText() != firstOptions))
      problem = "the written file reads back differently";
  }
  std::filesystem::remove(path);
  resetOptions();
  return problem;
}

std::string exerciseNumbers(std::string_view bytes) {
  const int32_t date = parseDate(bytes);
  if (date < 0 || date > kDateAnyAfter) return "a date out of the packed range";
  int32_t number = -1;
  if (textToInt(bytes, number)) {
    if (number < 0) return "a digit string read as a negative number";
    // Leading zeros aside, a number prints back as it was read.
    const size_t digits = bytes.find_first_not_of('0');
    const std::string_view plain = digits == std::string_view::npos ? "0" : bytes.substr(digits);
    if (intToText(number) != plain) return "a number does not print as it was read";
  }
  TGamesTagArray tags;
  for (int i = 0; i < kTagSetUp; ++i) tags.append("", "");
  tags.push_back({"WhiteElo", std::string(bytes)});
  tags.push_back({"BlackElo", std::string(bytes)});
  const TRatings ratings = readRatings(tags);
  if (ratings.White != ratings.Black) return "one rating text read two ways";
  return {};
}
