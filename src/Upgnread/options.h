#pragma once
// The batch option set: what a run keeps, drops, adds and how it splits its output. Written only on
// the interface thread (or by the command line before a job); the worker reads it while a job runs.

#include <array>
#include <cstdint>
#include <string>

// Packed dates: year * 416 + month * 32 + day; a part of 0 is missing or "any".
constexpr int32_t kDateAnyBefore = 0;
constexpr int32_t kDateAnyAfter = 10000 * 416 + 12 * 32 + 31;  // 4160415
constexpr int32_t kDateUnboundedAbove = 4160000;                // below this the upper bound is active
int32_t packDate(int32_t year, int32_t month, int32_t day);
int32_t dateYear(int32_t packed);
int32_t dateMonth(int32_t packed);
int32_t dateDay(int32_t packed);

// Bits of resultMask.
enum : uint8_t {
  kResultWhiteWins = 1,
  kResultBlackWins = 2,
  kResultDraw = 4,
  kResultUnknown = 8,
  kResultOther = 16,
  kResultAll = 31,
};

// A set of annotation codes 0..255: member n is bit n % 8 of byte n / 8.
struct TNagSet {
  std::array<uint8_t, 32> bits{};
  bool has(int code) const { return (bits[code >> 3] >> (code & 7)) & 1; }
  void add(int code) { bits[code >> 3] |= uint8_t(1u << (code & 7)); }
  void remove(int code) { bits[code >> 3] &= uint8_t(~(1u << (code & 7))); }
  bool operator==(const TNagSet&) const = default;
  static TNagSet all();
  static TNagSet moveMarksOnly();  // 1..6: ! ? !! ?? !? ?!
  static TNagSet none();
};

// Stripping and adding
extern bool removeComments;
extern uint8_t tagMode;  // 2 all tags, 1 the seven roster tags, 0 none
extern bool removeVariations;
extern TNagSet keptNags;
extern bool removeDuplicates;
extern bool addEcoNames;
extern bool removeOldEco;
extern bool appendToExisting;

// Splitting
extern uint8_t splitByEco;  // 0 no, 1 letter, 2 letter and digit, 3 whole code
extern bool splitByWhite;
extern bool splitByBlack;
extern bool splitByPlayer;
extern uint8_t splitByDate;  // 0 no, 1 year, 2 month, 3 day
extern bool splitByEvent;
extern uint8_t whiteEloParts;  // 1 = no split
extern uint8_t blackEloParts;
extern bool splitByResult;

// Filters
extern uint8_t resultMask;
extern int32_t dateFrom;
extern int32_t dateTo;
extern std::string whitePlayer;
extern std::string blackPlayer;
// The same names in the other encoding a PGN file may use (UTF-8 or the name code page), which
// the command-line tool sets so that a name typed once finds both; empty when there is none.
extern std::string whitePlayerSpelling;
extern std::string blackPlayerSpelling;
extern bool ignoreColour;
extern int32_t whiteEloMin;
extern int32_t whiteEloMax;
extern int32_t blackEloMin;
extern int32_t blackEloMax;
extern std::string ecoFilter;
extern int32_t movesMin;
extern int32_t movesMax;

// Sets every option to its default.
void resetOptions();
