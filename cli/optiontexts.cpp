#include "cli/optiontexts.h"

#include <vector>

namespace {

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Digits only, at most nine of them, so the value always fits.
bool readDigits(std::string_view text, int32_t& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (char c : text) {
    if (!isDigit(c)) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != separator) continue;
    parts.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  return parts;
}

// One mark code or a range of them, "$" allowed before each number.
bool readMarkRange(std::string_view item, int32_t& first, int32_t& last) {
  auto number = [](std::string_view text, int32_t& value) {
    if (!text.empty() && text.front() == '$') text.remove_prefix(1);
    return readDigits(text, value) && value <= 255;
  };
  const size_t dash = item.find('-');
  if (dash == std::string_view::npos) return number(item, first) && number(item, last);
  return number(item.substr(0, dash), first) && number(item.substr(dash + 1), last) &&
         first <= last;
}

uint8_t resultBit(std::string_view word) {
  if (word == "1-0") return kResultWhiteWins;
  if (word == "0-1") return kResultBlackWins;
  if (word == "1/2-1/2") return kResultDraw;
  if (word == "*" || sameWord(word, "unfinished")) return kResultUnknown;
  if (sameWord(word, "other")) return kResultOther;
  if (sameWord(word, "all")) return kResultAll;
  return 0;
}

// A date part: digits within limit, or question marks for "any" (0).
bool readDatePart(std::string_view text, int32_t limit, int32_t& value) {
  if (!text.empty() && text.find_first_not_of('?') == std::string_view::npos) {
    value = 0;
    return true;
  }
  return readDigits(text, value) && value <= limit;
}

}  // namespace

std::string readChoice(std::string_view text, std::span<const TChoice> choices, uint8_t& value) {
  std::string words;
  for (const TChoice& choice : choices) {
    if (sameWord(text, choice.word)) {
      value = choice.value;
      return {};
    }
    words += (words.empty() ? "" : ", ") + std::string(choice.word);
  }
  return "'" + std::string(text) + "' is not one of " + words;
}

std::string readNumber(std::string_view text, int32_t min, int32_t max, int32_t& value) {
  int32_t read = 0;
  if (!readDigits(text, read) || read < min || read > max)
    return "'" + std::string(text) + "' is not a whole number from " + std::to_string(min) +
           " to " + std::to_string(max);
  value = read;
  return {};
}

std::string readMarks(std::string_view text, TNagSet& marks) {
  if (sameWord(text, "all")) return marks = TNagSet::all(), std::string();
  if (sameWord(text, "moves")) return marks = TNagSet::moveMarksOnly(), std::string();
  if (sameWord(text, "none")) return marks = TNagSet::none(), std::string();
  TNagSet kept = TNagSet::none();
  for (std::string_view item : splitAt(text, ',')) {
    int32_t first = 0, last = 0;
    if (!readMarkRange(item, first, last))
      return "'" + std::string(item) +
             "' is not a mark code (0 to 255) or range; give all, moves, none or a list like "
             "1-6,10";
    for (int32_t code = first; code <= last; ++code) kept.add(code);
  }
  marks = kept;
  return {};
}

std::string readResults(std::string_view text, uint8_t& mask) {
  uint8_t read = 0;
  for (std::string_view item : splitAt(text, ',')) {
    const uint8_t bit = resultBit(item);
    if (bit == 0)
      return "'" + std::string(item) +
             "' is not a result; give a list of 1-0, 0-1, 1/2-1/2, *, "
             "other or all";
    read |= bit;
  }
  mask = read;
  return {};
}

std::string readDateBound(std::string_view text, bool upper, int32_t& packed) {
  std::string_view separators = text.find('-') != std::string_view::npos ? "-" : ".";
  std::vector<std::string_view> parts = splitAt(text, separators[0]);
  int32_t year = 0, month = 0, day = 0;
  const bool good = parts.size() <= 3 && readDatePart(parts[0], 9999, year) &&
                    (parts.size() < 2 || readDatePart(parts[1], 12, month)) &&
                    (parts.size() < 3 || readDatePart(parts[2], 31, day));
  if (!good) return "'" + std::string(text) + "' is not a date; give YYYY, YYYY.MM or YYYY.MM.DD";
  if (upper) {
    // An upper bound with a part left open reaches to the end of what the known parts name.
    if (year == 0) year = 10000;
    if (month == 0) month = 12;
    if (day == 0) day = 31;
  }
  packed = packDate(year, month, day);
  return {};
}

std::string readEcoPrefix(std::string_view text, std::string& prefix) {
  const bool good = !text.empty() && text.size() <= 3 && lowerAscii(text[0]) >= 'a' &&
                    lowerAscii(text[0]) <= 'e' && (text.size() < 2 || isDigit(text[1])) &&
                    (text.size() < 3 || isDigit(text[2]));
  if (!good) return "'" + std::string(text) + "' is not an ECO code or its start (A, A0 or A00)";
  prefix = std::string(text);
  // Codes in PGN files carry capital letters, and the filter compares them as they are.
  if (prefix[0] >= 'a') prefix[0] = static_cast<char>(prefix[0] - 'a' + 'A');
  return {};
}
