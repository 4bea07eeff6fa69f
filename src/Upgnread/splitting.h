#pragma once
// Where the output run starts a new file and what each file is called. The sort step fills the
// per-run arrays below so that the decisions read arrays only.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "plugcommon/gamerecords.h"

// Per output run, indexed by the game's place in panelGames (ratings only with a rating split,
// dates only with the date split); emptied at the end of the run.
extern std::vector<int32_t> whiteRating;
extern std::vector<int32_t> blackRating;
extern std::vector<int32_t> whiteEloBounds;  // part i covers bounds[i] <= rating < bounds[i + 1]
extern std::vector<int32_t> blackEloBounds;
extern std::vector<int32_t> gameDates;
extern TIndexArray playerGroupStarts;  // positions in outputOrder where a player's group begins
extern std::vector<std::string> playerGroupNames;
extern int32_t groupCursor;  // the group of the position last looked at

// Counts the file names that had to be shortened; never reset while the library is loaded.
extern int32_t nameCounter;
// While set, a name cut to fit keeps the cut it got first: a run that plans its files part by
// part would otherwise give the same long name another cut in every part.
using TCutNames = std::map<std::filesystem::path::string_type, std::filesystem::path::string_type>;
extern TCutNames* rememberedCuts;
// The ending of every output file's name: ".pgn", or as the command line's output path typed it
// (".PGN", ".pgn.zst"); a packed ending has the files written packed.
extern std::string outputEnding;
// The host's text-buffer length in characters: the longest output path it takes. The plug-in sets
// it from the host; the command line and the tests keep or set their own.
constexpr int32_t kDefaultTextBufferLength = 260;
extern int32_t textBufferLength;

// A per-game value of the run; 0 for a game the arrays do not cover.
inline int32_t perGameValue(const std::vector<int32_t>& values, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < values.size() ? values[index] : 0;
}

// Rating parts
void buildRatingParts(const TIndexArray& list);
// The boundaries of `parts` parts over low..high; one part over every rating when the range is
// empty.
std::vector<int32_t> ratingBounds(int32_t parts, int32_t low, int32_t high);
int32_t ratingPart(int32_t rating, const std::vector<int32_t>& bounds);

// File changes and names, for positions in outputOrder
// Whether the options split the output into files at all.
bool splitsOutput();
bool startsNewFile(int32_t position);
// BASE and its keys and outputEnding.
std::filesystem::path outputFileName(const std::filesystem::path& base, int32_t position);
void resetGroupCursor();
// Puts groupCursor on the player's group that holds the position.
void followGroups(int32_t position);
void emptyRunArrays();

// Characters a file system refuses in a name, replaced by "_" in the parts taken from tag values.
enum class TNameRules { windows, posix };
#ifdef _WIN32
constexpr TNameRules kHostNameRules = TNameRules::windows;
#else
constexpr TNameRules kHostNameRules = TNameRules::posix;
#endif

// True for a character the rules do not allow anywhere in a file name.
bool refusedInName(uint32_t code, TNameRules rules);

template <class Char>
void makeNamePartSafe(std::basic_string<Char>& part, TNameRules rules) {
  for (Char& c : part)
    if (refusedInName(static_cast<std::make_unsigned_t<Char>>(c), rules)) c = Char('_');
  // Windows drops a trailing dot or space from a name, so a part must not end in one.
  if (rules == TNameRules::windows && !part.empty() &&
      (part.back() == Char('.') || part.back() == Char(' ')))
    part.back() = Char('_');
}
