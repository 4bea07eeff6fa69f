#include "Upgnread/options.h"

// Dates

int32_t packDate(int32_t year, int32_t month, int32_t day) {
  return year * 416 + month * 32 + day;
}
int32_t dateYear(int32_t packed) {
  return packed / 416;
}
int32_t dateMonth(int32_t packed) {
  return packed % 416 / 32;
}
int32_t dateDay(int32_t packed) {
  return packed % 32;
}

// Annotation-mark presets

// Constant data, so the option set holds its defaults before any other code runs.
constexpr TNagSet kAllNags = [] {
  TNagSet set;
  set.bits.fill(0xFF);
  return set;
}();

TNagSet TNagSet::all() {
  return kAllNags;
}

TNagSet TNagSet::moveMarksOnly() {
  TNagSet set;
  for (int code = 1; code <= 6; ++code) set.add(code);
  return set;
}

TNagSet TNagSet::none() {
  return TNagSet{};
}

// The option set, starting with its defaults

bool removeComments = false;
uint8_t tagMode = 2;
bool removeVariations = false;
TNagSet keptNags = kAllNags;
bool removeDuplicates = false;
bool addEcoNames = false;
bool removeOldEco = true;
bool appendToExisting = true;

uint8_t splitByEco = 0;
bool splitByWhite = false;
bool splitByBlack = false;
bool splitByPlayer = false;
uint8_t splitByDate = 0;
bool splitByEvent = false;
uint8_t whiteEloParts = 1;
uint8_t blackEloParts = 1;
bool splitByResult = false;

uint8_t resultMask = kResultAll;
int32_t dateFrom = kDateAnyBefore;
int32_t dateTo = kDateAnyAfter;
std::string whitePlayer;
std::string whitePlayerSpelling;
std::string blackPlayerSpelling;
std::string blackPlayer;
bool ignoreColour = false;
int32_t whiteEloMin = 0;
int32_t whiteEloMax = 10000;
int32_t blackEloMin = 0;
int32_t blackEloMax = 10000;
std::string ecoFilter;
int32_t movesMin = 0;
int32_t movesMax = 100000;

void resetOptions() {
  removeComments = false;
  tagMode = 2;
  removeVariations = false;
  keptNags = TNagSet::all();
  removeDuplicates = false;
  addEcoNames = false;
  removeOldEco = true;
  appendToExisting = true;

  splitByEco = 0;
  splitByWhite = false;
  splitByBlack = false;
  splitByPlayer = false;
  splitByDate = 0;
  splitByEvent = false;
  whiteEloParts = 1;
  blackEloParts = 1;
  splitByResult = false;

  resultMask = kResultAll;
  dateFrom = kDateAnyBefore;
  dateTo = kDateAnyAfter;
  whitePlayer.clear();
  whitePlayerSpelling.clear();
  blackPlayerSpelling.clear();
  blackPlayer.clear();
  ignoreColour = false;
  whiteEloMin = 0;
  whiteEloMax = 10000;
  blackEloMin = 0;
  blackEloMax = 10000;
  ecoFilter.clear();
  movesMin = 0;
  movesMax = 100000;
}
