#include "cli/batchoptions.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include <CLI/CLI.hpp>

#include "Upgnread/options.h"
#include "cli/optiontexts.h"
#include "cli/textpaths.h"
#include "platform/platform.h"

namespace {

constexpr const char* kStripping = "Stripping and adding";
constexpr const char* kSplitting = "Splitting the output into files";
constexpr const char* kFilters = "Filters (games that fail one are not written)";
constexpr const char* kWriting = "Writing";

// A switch and its opposite; the positive name stores whenSet.
struct TSwitch {
  const char* names;
  bool* option;
  bool whenSet;
  const char* help;
  const char* group;
};

constexpr TSwitch kSwitches[] = {
    {"--strip-comments,!--keep-comments", &removeComments, true,
     "Strip comments from the games written (default: keep them)", kStripping},
    {"--strip-variations,!--keep-variations", &removeVariations, true,
     "Strip variations (default: keep them)", kStripping},
    {"--drop-duplicates,!--keep-duplicates", &removeDuplicates, true,
     "Drop games equal to another (same start position and moves) while loading (default: keep)",
     kStripping},
    {"--add-eco,!--no-add-eco", &addEcoNames, true,
     "Fill in the ECO tag from the ECO base (default: no)", kStripping},
    {"--keep-old-eco,!--replace-old-eco", &removeOldEco, false,
     "With --add-eco, keep a valid ECO tag a game already has (default: replace it)", kStripping},
    {"--split-white,!--no-split-white", &splitByWhite, true, "One file per White player",
     kSplitting},
    {"--split-black,!--no-split-black", &splitByBlack, true, "One file per Black player",
     kSplitting},
    {"--split-player,!--no-split-player", &splitByPlayer, true,
     "One file per player of either colour (a game goes to both players' files)", kSplitting},
    {"--split-event,!--no-split-event", &splitByEvent, true, "One file per tournament", kSplitting},
    {"--split-result,!--no-split-result", &splitByResult, true, "One file per result", kSplitting},
    {"--ignore-colour,!--heed-colour", &ignoreColour, true,
     "--white matches a player of either colour; --black is then not used", kFilters},
    {"--append,!--replace", &appendToExisting, true,
     "Append to output files that exist (the default) or replace them", kWriting},
};

// Checks a value and, when it is good, sets apply to store it.
using TReader = std::function<std::string(std::string_view text, std::function<void()>& apply)>;

struct TValueOption {
  const char* names;
  const char* typeName;
  const char* help;
  const char* group;
  TReader reader;
};

template <class T, class Read>
TReader readerOf(T* option, Read read) {
  return [option, read](std::string_view text, std::function<void()>& apply) {
    T value{};
    std::string problem = read(text, value);
    if (problem.empty()) apply = [option, value] { *option = value; };
    return problem;
  };
}

TReader choiceOf(std::span<const TChoice> choices, uint8_t* option) {
  return readerOf(option, [choices](std::string_view text, uint8_t& value) {
    return readChoice(text, choices, value);
  });
}

TReader numberOf(int32_t min, int32_t max, int32_t* option) {
  return readerOf(option, [min, max](std::string_view text, int32_t& value) {
    return readNumber(text, min, max, value);
  });
}

TReader bandsOf(uint8_t* option) {
  return readerOf(option, [](std::string_view text, uint8_t& value) {
    int32_t bands = 1;
    std::string problem = readNumber(text, 1, 255, bands);
    value = static_cast<uint8_t>(bands);
    return problem;
  });
}

TReader dateOf(bool upper, int32_t* option) {
  return readerOf(option, [upper](std::string_view text, int32_t& value) {
    return readDateBound(text, upper, value);
  });
}

TReader nameOf(std::string* option) {
  return readerOf(option, [](std::string_view text, std::string& value) {
    value = systemText(text);
    return std::string();
  });
}

std::vector<TValueOption> valueOptions() {
  return {
      {"--tags", "all|seven|none",
       "Tags kept: all, the seven roster tags (Event Site Date Round White Black Result), or none "
       "(default: all)",
       kStripping, choiceOf(kTagChoices, &tagMode)},
      {"--marks", "all|moves|none|LIST",
       "Annotation marks ($n) kept: all, moves (the six move marks ! ? !! ?? !? ?!), none, or a "
       "list of codes and ranges such as 1-6,10 (default: all)",
       kStripping, readerOf(&keptNags, readMarks)},
      {"--split-eco", "none|letter|digit|code",
       "One file per ECO letter, letter and first digit, or whole code (default: none)", kSplitting,
       choiceOf(kEcoSplitChoices, &splitByEco)},
      {"--split-date", "none|year|month|day", "One file per year, month or day (default: none)",
       kSplitting, choiceOf(kDateSplitChoices, &splitByDate)},
      {"--split-white-elo", "N", "Split by White's rating into N bands (default: 1, no split)",
       kSplitting, bandsOf(&whiteEloParts)},
      {"--split-black-elo", "N", "Split by Black's rating into N bands (default: 1, no split)",
       kSplitting, bandsOf(&blackEloParts)},
      {"--result", "LIST",
       "Results let through, a list of 1-0, 0-1, 1/2-1/2, * (or unfinished), other, all "
       "(default: all)",
       kFilters, readerOf(&resultMask, readResults)},
      {"--date-from", "DATE", "Earliest date, YYYY, YYYY.MM or YYYY.MM.DD", kFilters,
       dateOf(false, &dateFrom)},
      {"--date-to", "DATE", "Latest date, YYYY, YYYY.MM or YYYY.MM.DD", kFilters,
       dateOf(true, &dateTo)},
      {"--white", "NAME", "Only games where White is NAME, exactly as in the White tag", kFilters,
       nameOf(&whitePlayer)},
      {"--black", "NAME", "Only games where Black is NAME, exactly as in the Black tag", kFilters,
       nameOf(&blackPlayer)},
      {"--white-elo-min", "N", "White's lowest rating", kFilters, numberOf(0, 10000, &whiteEloMin)},
      {"--white-elo-max", "N", "White's highest rating (10000: any)", kFilters,
       numberOf(0, 10000, &whiteEloMax)},
      {"--black-elo-min", "N", "Black's lowest rating", kFilters, numberOf(0, 10000, &blackEloMin)},
      {"--black-elo-max", "N", "Black's highest rating (10000: any)", kFilters,
       numberOf(0, 10000, &blackEloMax)},
      {"--eco", "CODE", "Only games whose ECO code starts with CODE: A, A0 or A00", kFilters,
       readerOf(&ecoFilter, readEcoPrefix)},
      {"--moves-min", "N", "Fewest moves", kFilters, numberOf(0, 100000, &movesMin)},
      {"--moves-max", "N", "Most moves (100000: any)", kFilters, numberOf(0, 100000, &movesMax)},
  };
}

void addSwitch(CLI::App& app, TOptionEdits& edits, const TSwitch& entry) {
  app.add_flag_function(
         entry.names,
         [&edits, entry](std::int64_t count) {
           const bool value = count > 0 ? entry.whenSet : !entry.whenSet;
           edits.push_back([option = entry.option, value] { *option = value; });
         },
         entry.help)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->group(entry.group);
}

void addValue(CLI::App& app, TOptionEdits& edits, const TValueOption& entry) {
  const TReader reader = entry.reader;
  app.add_option_function<std::string>(
         entry.names,
         [&edits, reader](const std::string& text) {
           std::function<void()> apply;
           if (reader(text, apply).empty()) edits.push_back(std::move(apply));
         },
         entry.help)
      ->check(CLI::Validator(
          [reader](std::string& text) {
            std::function<void()> ignored;
            return reader(text, ignored);
          },
          "", entry.typeName))
      ->type_name(entry.typeName)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->group(entry.group);
}

}  // namespace

void addBatchOptions(CLI::App& app, TOptionEdits& edits) {
  for (const TSwitch& entry : kSwitches) addSwitch(app, edits, entry);
  for (const TValueOption& entry : valueOptions()) addValue(app, edits, entry);
}

namespace {

// The same name in the other encoding tags come in: a UTF-8 name as the name code page writes
// it, an 8-bit one (from a settings file, or the ANSI code page on Windows) as UTF-8.
std::string otherSpelling(const std::string& name) {
  const bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return {};
  std::string other = utf8ToNameCodePage(name);
  if (other.empty()) other = tagTextToUtf8(name);
  return other == name ? std::string() : other;
}

}  // namespace

void setPlayerSpellings() {
  whitePlayerSpelling = otherSpelling(whitePlayer);
  blackPlayerSpelling = otherSpelling(blackPlayer);
}

void applyEdits(const TOptionEdits& edits) {
  for (const std::function<void()>& edit : edits) edit();
}
