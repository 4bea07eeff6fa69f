// Reading a game's tag section: tag pairs, broken tag lines, and the fixed layout of the tags.

#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Upgnread/gamebase.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/pgntext.h"

namespace {

// Pairs as read: views into the text, into the roster's names and defaults, or into the strings
// that hold values with escapes resolved.
using TReadTags = std::vector<TTagView>;

struct TRosterSlot {
  std::string_view lower;
  std::string_view name;
  std::string_view defaultValue;
};

constexpr TRosterSlot kRosterSlots[kRosterTagCount] = {
    {"event", "Event", "?"},   {"site", "Site", "?"},           {"date", "Date", "????.??.??"},
    {"round", "Round", "?"},   {"white", "White", "Anonymous"}, {"black", "Black", "Anonymous"},
    {"result", "Result", "*"},
};

// Tables of the bytes that end a run: a name ends at any byte isNameChar refuses; a run of plain
// value characters at the closing quote, a backslash or a control character a value may not hold.
struct TRunEnds {
  bool ends[256] = {};
};

constexpr TRunEnds kNameEnds = [] {
  TRunEnds table;
  for (int c = 0; c < 256; ++c) table.ends[c] = !isNameChar(static_cast<char>(c));
  return table;
}();

constexpr TRunEnds kValueRunEnds = [] {
  TRunEnds table;
  for (unsigned char c : {'"', '\\', '\0', '\t', '\n', '\r'}) table.ends[c] = true;
  return table;
}();

// The position of the first byte at or after the position that ends the run, or past the end:
// scanned through a pointer, as names and values are most of a tag section's bytes.
int64_t runEndFrom(std::string_view text, int64_t position, const TRunEnds& table) {
  const char* at = text.data() + (position - 1);
  const char* end = text.data() + text.size();
  while (at < end && !table.ends[static_cast<unsigned char>(*at)]) ++at;
  return static_cast<int64_t>(at - text.data()) + 1;
}

// The value after its opening quote, up to and past the closing quote: a view into the text, or
// for a value with escapes into a string of `decoded`. Plain characters are taken in runs: most
// values hold no backslash at all.
int readTagValue(std::string_view text, int64_t& position, std::string_view& value,
                 std::deque<std::string>& decoded) {
  std::string* unescaped = nullptr;
  while (!atEnd(text, position)) {
    int64_t run = position;
    position = runEndFrom(text, position, kValueRunEnds);
    std::string_view plain =
        text.substr(static_cast<size_t>(run - 1), static_cast<size_t>(position - run));
    if (atEnd(text, position)) break;
    char c = charAt(text, position);
    if (c == '"') {
      ++position;
      if (unescaped == nullptr) {
        value = plain;
      } else {
        unescaped->append(plain);
        value = *unescaped;
      }
      return kReadOk;
    }
    if (c != '\\') return kTagControlChar;
    if (unescaped == nullptr) unescaped = &decoded.emplace_back();
    unescaped->append(plain);
    if (isAt(text, position + 1, '\\') || isAt(text, position + 1, '"')) ++position;
    *unescaped += charAt(text, position);
    ++position;
  }
  return kValueNotClosed;
}

// lowerCase of one byte, so that a name is compared without a lowered copy.
char loweredByte(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDF)) return static_cast<char>(u + 0x20);
  return u == 0xA8 ? static_cast<char>(0xB8) : c;
}

// The first tag from index `from` on whose lower-cased name is `lower`, or -1.
int findTag(const TReadTags& tags, size_t from, std::string_view lower) {
  for (size_t i = from; i < tags.size(); ++i)
    if (lowersTo(tags[i].Name, lower)) return static_cast<int>(i);
  return -1;
}

// Brings the seven roster tags to indices 0..6, filling the missing ones with their defaults.
void placeRosterTags(TReadTags& tags) {
  for (size_t k = 0; k < kRosterTagCount; ++k) {
    const TRosterSlot& slot = kRosterSlots[k];
    // most sections name the roster in order and as written here
    if (k < tags.size() && tags[k].Name == slot.name) continue;
    int found = findTag(tags, k, slot.lower);
    if (found >= 0) {
      // the name as written, in another case or place
      TTagView& tag = tags[static_cast<size_t>(found)];
      tag.Name = slot.name;
      if (static_cast<size_t>(found) != k) std::swap(tag, tags[k]);
      continue;
    }
    // The tag standing in the slot moves to the end to make room.
    if (k < tags.size())
      tags.push_back(tags[k]);
    else
      tags.emplace_back();
    tags[k] = TTagView{slot.name, slot.defaultValue};
  }
}

// SetUp at 7 and FEN at 8; the FEN text goes out. A FEN tag at index 7 is an ordinary tag:
// SetUp must come first.
int placeSetUpTags(TReadTags& tags, std::string& fen, bool& hasFen) {
  fen.clear();
  bool setUp = false;
  int found = findTag(tags, kTagSetUp, "setup");
  if (found >= 0) {
    TTagView& tag = tags[static_cast<size_t>(found)];
    tag.Name = "SetUp";
    if (tag.Value != "0" && tag.Value != "1") return kBadSetUp;
    setUp = tag.Value == "1";
    std::swap(tag, tags[kTagSetUp]);
  }
  hasFen = false;
  found = findTag(tags, kTagFen, "fen");
  if (found >= 0) {
    tags[static_cast<size_t>(found)].Name = "FEN";
    fen.assign(tags[static_cast<size_t>(found)].Value);
    std::swap(tags[static_cast<size_t>(found)], tags[kTagFen]);
    hasFen = true;
  }
  if (setUp != hasFen) return kSetUpWithoutFen;
  return kReadOk;
}

void placeEcoTag(TReadTags& tags, bool hasFen) {
  size_t slot = hasFen ? 9 : 7;
  int found = findTag(tags, slot, "eco");
  if (found < 0) return;
  tags[static_cast<size_t>(found)].Name = "ECO";
  std::swap(tags[static_cast<size_t>(found)], tags[slot]);
}

// Names at 0..6 are the distinct roster names, so any repeated name involves a tag from 7 on.
// Sections hold a dozen tags or so: comparing each later name with those before it is cheaper
// than sorting them.
bool hasRepeatedName(const TReadTags& tags) {
  for (size_t i = kRosterTagCount; i < tags.size(); ++i) {
    std::string_view name = tags[i].Name;
    for (size_t j = 0; j < i; ++j)
      if (tags[j].Name == name) return true;
  }
  return false;
}

int normaliseTags(TReadTags& tags, std::string& fen) {
  if (tags.empty()) return kNoTags;
  placeRosterTags(tags);
  bool hasFen = false;
  int code = placeSetUpTags(tags, fen, hasFen);
  if (code != kReadOk) return code;
  placeEcoTag(tags, hasFen);
  return hasRepeatedName(tags) ? kDuplicateTag : kReadOk;
}

// Within a tag pair there is one plain space or none as a rule; only what may begin a comment, an
// escape line or other blanks takes skipSpace's full way. What it collects is dropped.
void skipSpaceInPair(std::string_view text, int64_t& position, std::string& dropped) {
  while (!atEnd(text, position) && charAt(text, position) == ' ') ++position;
  if (atEnd(text, position)) return;
  char c = charAt(text, position);
  if (isBlank(c) || c == '%' || c == ';' || c == '{') skipSpace(text, position, dropped);
}

// A pair after its "[", read on a position of its own, which the compiler may keep in a
// register.
int readPairAt(std::string_view text, int64_t& position, TTagView& tag,
               std::deque<std::string>& decoded) {
  std::string dropped;
  skipSpaceInPair(text, position, dropped);
  int64_t nameStart = position;
  position = runEndFrom(text, position, kNameEnds);
  if (position == nameStart || atEnd(text, position)) return kNoTagName;
  tag.Name =
      text.substr(static_cast<size_t>(nameStart - 1), static_cast<size_t>(position - nameStart));
  skipSpaceInPair(text, position, dropped);
  if (!isAt(text, position, '"')) return kNoOpeningQuote;
  ++position;
  int code = readTagValue(text, position, tag.Value, decoded);
  if (code != kReadOk) return code;
  skipSpaceInPair(text, position, dropped);
  if (!isAt(text, position, ']')) return kNoClosingBracket;
  ++position;
  return kReadOk;
}

// The pair of nearly every tag line, `[Name "Value"]` with nothing else in it, from its "[" on;
// false, with nothing read, for any other, which readPairAt reads alike. Made part of both its
// callers: as a call of its own it costs a tenth more than what it does.
[[gnu::always_inline]] inline bool readPlainPair(std::string_view text, int64_t& position,
                                                 TTagView& tag) {
  const char* open = text.data() + (position - 1);
  const char* end = text.data() + text.size();
  const char* name = open + 1;
  const char* at = name;
  while (at < end && !kNameEnds.ends[static_cast<unsigned char>(*at)]) ++at;
  if (at == name || end - at < 2 || at[0] != ' ' || at[1] != '"') return false;
  const char* value = at + 2;
  at = value;
  while (at < end && !kValueRunEnds.ends[static_cast<unsigned char>(*at)]) ++at;
  if (end - at < 2 || at[0] != '"' || at[1] != ']') return false;
  tag.Name = std::string_view(name, static_cast<size_t>(value - 2 - name));
  tag.Value = std::string_view(value, static_cast<size_t>(at - value));
  position = (at + 2 - text.data()) + 1;
  return true;
}

// Plain pairs one to a line, each line ending straight into the next "[": read without the
// general look for comments and escape lines between them, which finds none there.
void readPlainPairLines(std::string_view text, int64_t& position, TReadTags& tags) {
  for (;;) {
    int64_t at = position;
    if (isAt(text, at, '\r')) ++at;
    if (!isAt(text, at, '\n') || !isAt(text, at + 1, '[')) return;
    ++at;
    TTagView tag;
    if (!readPlainPair(text, at, tag)) return;
    tags.push_back(tag);
    position = at;
  }
}

// After a broken pair: on to the line end; the tag is dropped only when its line ends with "]".
int dropBrokenTagLine(std::string_view text, int64_t& position) {
  while (!atEnd(text, position) && !isLineEnd(charAt(text, position))) ++position;
  if (atEnd(text, position)) return kEndInTags;
  return position >= 2 && charAt(text, position - 1) == ']' ? kReadOk : kBrokenTagLine;
}

// The pairs as they come, until the first line that starts no tag.
int readTagList(std::string_view text, int64_t& position, TReadTags& tags,
                std::deque<std::string>& decoded) {
  std::string comments;
  for (;;) {
    skipSpace(text, position, comments);
    pendingComment.swap(comments);
    if (atEnd(text, position)) return kEndInTags;
    if (charAt(text, position) != '[') return kReadOk;
    TTagView tag;
    int64_t at = position;
    int paired = kReadOk;
    if (!readPlainPair(text, at, tag)) {
      at = position + 1;  // past the "["
      paired = readPairAt(text, at, tag, decoded);
    }
    position = at;
    if (paired == kReadOk) {
      tags.push_back(tag);
      readPlainPairLines(text, position, tags);
      continue;
    }
    int code = dropBrokenTagLine(text, position);
    if (code != kReadOk) return code;
  }
}

}  // namespace

bool lowersTo(std::string_view name, std::string_view lower) {
  if (name.size() != lower.size()) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if (loweredByte(name[i]) != lower[i]) return false;
  return true;
}

std::string lowerCase(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = loweredByte(c);
  return lowered;
}

void setDefaultRoster(TGamesTagArray& tags) {
  TReadTags roster;
  placeRosterTags(roster);
  tags.assign(roster);
}

int readTagPair(std::string_view text, int64_t& position, TPGNTag& tag) {
  std::deque<std::string> decoded;
  TTagView read;
  int64_t at = position;
  int code = readPairAt(text, at, read, decoded);
  position = at;
  tag.Name.assign(read.Name);
  tag.Value.assign(read.Value);
  return code;
}

int readTags(std::string_view text, int64_t& position, bool normalise, std::string& fen,
             TGamesTagArray& tags) {
  tags.clear();
  // Kept from game to game on each thread: their room is taken once, not once per game.
  thread_local TReadTags read;
  thread_local std::deque<std::string> decoded;
  read.clear();
  decoded.clear();
  int code = readTagList(text, position, read, decoded);
  if (code == kReadOk && normalise) code = normaliseTags(read, fen);
  tags.assign(read);  // what was read before a failure stays, as the caller may report it
  // a section longer than any real one leaves no lasting room behind
  if (read.capacity() > 256) read = TReadTags();
  return code;
}
