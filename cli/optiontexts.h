#pragma once
// Reading the values of the command line's batch options. Each reader returns an empty text when
// the value was good and stored, else a message saying what was expected (the value untouched).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "Upgnread/options.h"

// One word of a choice and the option value it stands for.
struct TChoice {
  std::string_view word;
  uint8_t value;
};

constexpr TChoice kTagChoices[] = {{"all", 2}, {"seven", 1}, {"none", 0}};
constexpr TChoice kEcoSplitChoices[] = {{"none", 0}, {"letter", 1}, {"digit", 2}, {"code", 3}};
constexpr TChoice kDateSplitChoices[] = {{"none", 0}, {"year", 1}, {"month", 2}, {"day", 3}};

// One of the words, in any letter case.
std::string readChoice(std::string_view text, std::span<const TChoice> choices, uint8_t& value);
// A whole number in min..max.
std::string readNumber(std::string_view text, int32_t min, int32_t max, int32_t& value);
// "all", "moves" (the six move marks), "none", or a list of codes and ranges: "1-6,10,$14".
std::string readMarks(std::string_view text, TNagSet& marks);
// A list of results let through: "1-0", "0-1", "1/2-1/2", "*" (or "unfinished"), "other", "all".
std::string readResults(std::string_view text, uint8_t& mask);
// "YYYY", "YYYY.MM" or "YYYY.MM.DD" ("-" also separates; "??" is any). A missing or unknown part
// is the earliest date of the rest for a lower bound and the latest for an upper one.
std::string readDateBound(std::string_view text, bool upper, int32_t& packed);
// An ECO code prefix: a letter A to E, then up to two digits ("B", "B1", "B12").
std::string readEcoPrefix(std::string_view text, std::string& prefix);
