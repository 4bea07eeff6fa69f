#include "cli/stagetexts.h"

#include <cstdlib>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cli/progressline.h"
#include "pgnlongwork/jobstate.h"

namespace {

constexpr std::string_view kEnglishStageTexts[kStageCount] = {
    "Starting...",         "Loading games...", "Dropping duplicates...",
    "Writing games...",    "Sorting games...", "Loading the moves of games listed without them...",
    "Applying filters...", "Finishing...",     "All done",
};

bool isSet(const char* value) {
  return value != nullptr && *value != '\0';
}

// No variable set: natively the "C" locale; on Windows the language the user chose for Windows.
bool systemLanguageIsRussian() {
#ifdef _WIN32
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN;
#else
  return false;
#endif
}

// A locale name is language[_territory][.codeset][@modifier].
bool isRussian(std::string_view locale) {
  return locale.starts_with("ru") &&
         (locale.size() == 2 || std::string_view("_.@").find(locale[2]) != std::string_view::npos);
}

}  // namespace

bool namesRussian(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang})
    if (isSet(value)) return isRussian(value);
  return false;
}

bool russianLocale() {
  const char* lcAll = std::getenv("LC_ALL");
  const char* lcMessages = std::getenv("LC_MESSAGES");
  const char* lang = std::getenv("LANG");
  if (!isSet(lcAll) && !isSet(lcMessages) && !isSet(lang)) return systemLanguageIsRussian();
  return namesRussian(lcAll, lcMessages, lang);
}

std::string stageText(uint8_t stage, bool russian) {
  if (stage >= kStageCount) stage = kStageDone;
  if (russian) return utf16ToUtf8(kStageTexts[stage]);
  return std::string(kEnglishStageTexts[stage]);
}

std::string stageText(uint8_t stage) {
  static const bool russian = russianLocale();
  return stageText(stage, russian);
}
