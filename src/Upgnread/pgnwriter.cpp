#include "Upgnread/pgnwriter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "Upgnread/ecotag.h"
#include "Upgnread/options.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kLineLimit = 80;

bool needsBackslash(char c) {
  return c == '"' || c == '\\';
}

// Written to a string or straight into the output buffer; the value goes in runs between the
// characters that need a backslash, which few values hold.
template <class TText>
void appendTagLine(TText& text, const TTagView& tag) {
  text.append(std::string_view("["));
  text.append(tag.Name);
  text.append(std::string_view(" \""));
  std::string_view value = tag.Value;
  size_t run = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    if (!needsBackslash(value[i])) continue;
    text.append(value.substr(run, i - run));
    text.append(std::string_view("\\"));
    run = i;
  }
  text.append(value.substr(run));
  text.append(std::string_view("\"]\r\n"));
}

// Whether any of the eight bytes is a quote or a backslash.
bool wordNeedsBackslash(const char* at) {
  constexpr uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
  uint64_t word = 0;
  std::memcpy(&word, at, sizeof word);
  const uint64_t quotes = word ^ (kOnes * '"'), backslashes = word ^ (kOnes * '\\');
  return ((((quotes - kOnes) & ~quotes) | ((backslashes - kOnes) & ~backslashes)) & kHighs) != 0;
}

// Whether a character of the value needs a backslash: eight at a time where there are eight, the
// last eight overlapping those before.
bool valueNeedsBackslash(std::string_view value) {
  const size_t size = value.size();
  if (size < 8) return std::any_of(value.begin(), value.end(), needsBackslash);
  for (size_t at = 0; at + 8 <= size; at += 8)
    if (wordNeedsBackslash(value.data() + at)) return true;
  return wordNeedsBackslash(value.data() + size - 8);
}

// The same straight into the output buffer's room, taken once for the line: a value is copied
// whole where none of its characters needs a backslash, as nearly none does.
void appendTagLine(TOutputBuffer& buffer, const TTagView& tag) {
  const std::string_view name = tag.Name, value = tag.Value;
  if (valueNeedsBackslash(value)) {
    appendTagLine<TOutputBuffer>(buffer, tag);
    return;
  }
  buffer.reserve(name.size() + value.size() + 6);
  char* at = buffer.data() + buffer.used;
  *at++ = '[';
  TOutputBuffer::copyInto(at, name.data(), name.size());
  at += name.size();
  *at++ = ' ';
  *at++ = '"';
  TOutputBuffer::copyInto(at, value.data(), value.size());
  at += value.size();
  std::memcpy(at, "\"]\r\n", 4);
  buffer.used = static_cast<size_t>(at + 4 - buffer.data());
}

// The movetext line being written stands at the end of the buffer, from start on: a token goes
// straight into the buffer, and a full line only gets its line end.
struct TLine {
  TOutputBuffer& buffer;
  size_t start = 0;

  size_t size() const { return buffer.used - start; }
  bool empty() const { return buffer.used == start; }
  char& back() { return buffer[buffer.used - 1]; }
  void popBack() { --buffer.used; }
  void add(std::string_view text) { buffer.append(text); }
  void add(char c) { buffer.append(c); }
  // what was written so far ends the line, or only the output line has ended within it
  void flush() {
    buffer.append(kLineEnd);
    start = buffer.used;
  }
  void restart() { start = buffer.used; }
};

// Comments go out as stored, never wrapped; a line break inside one ends the output line there.
void writeComment(TLine& line, std::string_view comment) {
  if (comment.front() == ';') {
    line.add(comment);
    line.flush();
    return;
  }
  for (size_t feed = comment.find('\n'); feed != std::string_view::npos;
       feed = comment.find('\n')) {
    line.add(comment.substr(0, feed + 1));
    line.restart();
    comment.remove_prefix(feed + 1);
  }
  line.add(comment);
  line.add(' ');
}

// A token goes on the line, or on a new one when it would not fit with a space after it.
void emitToken(TLine& line, bool trailingSpace, std::string_view token) {
  if (!line.empty() && line.size() + token.size() + 2 > kLineLimit) {
    if (line.back() == ' ') line.popBack();
    line.flush();
  }
  if (trailingSpace)
    line.buffer.append(token, ' ');
  else
    line.add(token);
}

// A variation's ")" takes the place of the space before it, and is never put on a line alone.
void emitClose(TLine& line) {
  if (!line.empty() && line.back() == ' ')
    line.back() = ')';
  else
    line.add(')');
  line.add(' ');
}

// A move number's digits, counted up in place: the numbers of a line follow one another, and
// formatting each afresh costs more than the move itself. White's dot stays after the digits.
class TNumberText {
 public:
  explicit TNumberText(int64_t number) { set(number); }
  void set(int64_t number) {
    value = number;
    length =
        static_cast<size_t>(std::to_chars(digits, digits + sizeof digits - 4, number).ptr - digits);
    digits[length] = '.';
  }
  void increment() {
    if (value < 0) {
      set(value + 1);
      return;
    }
    ++value;
    size_t at = length;
    while (at > 0 && digits[at - 1] == '9') digits[--at] = '0';
    if (at > 0) {
      ++digits[at - 1];
      return;
    }
    std::memmove(digits + 1, digits, length++);
    digits[0] = '1';
    digits[length] = '.';
  }
  // The digits and the dots after them.
  std::string_view withDots(bool white) {
    if (white) return {digits, length + 1};
    std::memcpy(digits + length, "...", 3);
    return {digits, length + 3};
  }

 private:
  int64_t value = 0;
  size_t length = 0;
  char digits[24] = {};
};

// One line of the tree being written: where it stands and how its moves are numbered.
struct TLineWalk {
  const jurnal* journal = nullptr;
  int next = 0;     // the move being written
  int variant = 0;  // the next of its variations to write
  bool moveWritten = false;
  TNumberText number{0};  // 64 bits: a FEN may give any move number
  bool numberDue = true;
};

void startLine(std::vector<TLineWalk>& walks, const jurnal& journal, TLine& line) {
  walks.push_back({&journal, 0, 0, false, TNumberText(int64_t(journal.startnumber) + 1), true});
  if (!journal.precomment.empty() && !removeComments) writeComment(line, journal.precomment);
}

// A number between a one-character prefix and a suffix of up to three, in the room given: a
// token built without a string of its own.
std::string_view numberToken(std::string_view prefix, int64_t number, std::string_view suffix,
                             char (&room)[24]) {
  char* end = std::copy(prefix.begin(), prefix.end(), room);
  end = std::to_chars(end, room + 20, number).ptr;
  end = std::copy(suffix.begin(), suffix.end(), end);
  return {room, static_cast<size_t>(end - room)};
}

// emit(text, trailingSpace) puts a token on the line.
template <class TEmit>
void writeNumber(TLineWalk& walk, const mov& move, TEmit&& emit) {
  bool white = isWhitePiece(move.piece);
  // in room of eight bytes, as a run copies a short token
  static constexpr char kMissingHalfMove[8] = "...";
  if (!walk.numberDue && white) {  // Black's half-move before it is missing
    emit(std::string_view(kMissingHalfMove, 3), false);
    walk.numberDue = true;
    walk.number.increment();
  }
  if (!walk.numberDue) return;
  emit(walk.number.withDots(white), false);
  if (!white) walk.numberDue = false;
}

// A kept mark is written as its $n token, never as the glyph suffix of the move text.
void writeMove(TLineWalk& walk, const mov& move, TLine& line) {
  writeNumber(walk, move, [&](std::string_view token, bool trailingSpace) {
    emitToken(line, trailingSpace, token);
  });
  std::string_view text = move.san.view();
  if (move.mark != 0)
    while (!text.empty() && (text.back() == '!' || text.back() == '?')) text.remove_suffix(1);
  emitToken(line, true, text);
  if (move.mark != 0 && keptNags.has(move.mark)) {
    char digits[24];
    emitToken(line, true, numberToken("$", move.mark, "", digits));
  }
}

// Past a move: White's leaves the number to Black's, Black's counts it up.
void passNumber(TLineWalk& walk) {
  const bool wasDue = walk.numberDue;
  walk.numberDue = !wasDue;
  if (!wasDue) walk.number.increment();
}

void finishMove(TLineWalk& walk, TLine& line) {
  passNumber(walk);
  const std::string& comment = walk.journal->commentAt(walk.next);
  if (!comment.empty() && !removeComments) {
    writeComment(line, comment);
    walk.numberDue = true;
  }
  if (!removeVariations && walk.journal->variantCountAt(walk.next) > 0) walk.numberDue = true;
  ++walk.next;
  walk.variant = 0;
  walk.moveWritten = false;
}

// The line's end in registers while a run of plain moves is written into room taken for the
// whole run at once: emitToken's rule, with no look at the room per token.
class TRunWriter {
 public:
  TRunWriter(TLine& line, size_t most) : line(line) {
    line.buffer.reserve(most);
    base = line.buffer.data();
    used = line.buffer.used;
    start = line.start;
  }
  ~TRunWriter() {
    line.buffer.used = used;
    line.start = start;
  }
  // A token whose text lies in room of eight bytes or more (a move number's own room, or the dots
  // of a missing half-move) is copied eight bytes at once where it is no longer: the run's room
  // holds them.
  void token(std::string_view text, bool trailingSpace) {
    breakLineFor(text.size());
    putToken(text);
    if (trailingSpace) base[used++] = ' ';
  }
  // A move's text and a space, its room copied whole: the run's room holds it.
  void moveToken(const TSanText& san) {
    breakLineFor(san.size());
    putMove(san);
  }
  // A whole move, its number and White's and Black's texts. Where Black's still fits the line
  // after the others, so did they, and the line is asked about once.
  void wholeMove(std::string_view number, const TSanText& white, const TSanText& black) {
    if (used - start + number.size() + white.size() + black.size() + 3 > kLineLimit) {
      token(number, false);
      moveToken(white);
      moveToken(black);
      return;
    }
    putToken(number);
    putMove(white);
    putMove(black);
  }

 private:
  void putToken(std::string_view text) {
    if (text.size() <= 8)
      std::memcpy(base + used, text.data(), 8);
    else
      TOutputBuffer::copyInto(base + used, text.data(), text.size());
    used += text.size();
  }
  void putMove(const TSanText& san) {
    std::memcpy(base + used, san.room(), TSanText::kCapacity);
    used += san.size();
    base[used++] = ' ';
  }

  // the length first: a token seldom ends a line, and only one that would is asked about the
  // line being empty
  void breakLineFor(size_t size) {
    if (used - start + size + 2 > kLineLimit && used != start) {
      if (base[used - 1] == ' ') --used;
      base[used++] = '\r';
      base[used++] = '\n';
      start = used;
    }
  }

  TLine& line;
  char* base = nullptr;
  size_t used = 0;
  size_t start = 0;
};

// The most a plain move takes: "..." and a line end, its number with dots and a line end, its
// text, a space and a line end.
constexpr size_t kMostPlainMoveBytes = 5 + 24 + 2 + TSanText::kCapacity + 3;

// A move with nothing around it: no comment, variation or mark.
bool isPlainMove(const mov& move) {
  return (move.hasExtras | move.mark) == 0;
}

// Whole moves, White's with its number and Black's after it, for as long as they come so: most
// of a line, with no question of the number per half-move. The move's place and the line's moves
// are kept apart from the walk while the run lasts: every byte written could be theirs as far as
// the compiler knows, and they would be stored and read again at each move.
void writePlainPairs(TLineWalk& walk, TRunWriter& run, const std::vector<mov>& moves, int count) {
  if (!walk.numberDue) return;
  const mov* const all = moves.data();
  int next = walk.next;
  for (; next + 1 < count; next += 2) {
    const mov& white = all[next];
    const mov& black = all[next + 1];
    if (!isPlainMove(white) || !isPlainMove(black) || !isWhitePiece(white.piece) ||
        isWhitePiece(black.piece))
      break;
    run.wholeMove(walk.number.withDots(true), white.san, black.san);
    walk.number.increment();
  }
  walk.next = next;
}

// The moves with nothing around them, the bulk of every game, one after another: numbered and
// written as writeMove and finishMove would, without the walk's other questions.
void writePlainMoves(TLineWalk& walk, TLine& line) {
  const std::vector<mov>& moves = walk.journal->moves;
  const int count = static_cast<int>(moves.size());
  if (walk.next >= count) return;
  TRunWriter run(line, static_cast<size_t>(count - walk.next) * kMostPlainMoveBytes);
  for (; walk.next < count; ++walk.next) {
    writePlainPairs(walk, run, moves, count);
    if (walk.next >= count) return;
    const mov& move = moves[static_cast<size_t>(walk.next)];
    if (!isPlainMove(move)) return;
    writeNumber(walk, move, [&](std::string_view token, bool trailingSpace) {
      run.token(token, trailingSpace);
    });
    run.moveToken(move.san);
    passNumber(walk);
  }
}

// One walk over the packed tags: finding a tag by its index walks them from the start. The
// Result tag's value comes back where there is one, for the movetext's last token.
template <class TText>
std::optional<std::string_view> appendTags(TText& text, const TGamesTagArray& tags) {
  TTagView setUp, fen;
  std::optional<std::string_view> result;
  size_t index = 0;
  for (const TTagView tag : tags) {
    if (index == kTagResult) result = tag.Value;
    if (index < kRosterTagCount) {
      if (tagMode >= 1) appendTagLine(text, tag);
    } else if (tagMode >= 2) {
      // A mode above 2 (only a damaged settings file holds one) loses no tags.
      appendTagLine(text, tag);
    } else if (index == kTagSetUp) {
      setUp = tag;
    } else {
      fen = tag;
      break;
    }
    ++index;
  }
  if (tagMode <= 1 && setUp.Name == "SetUp" && fen.Name == "FEN") {
    appendTagLine(text, setUp);
    appendTagLine(text, fen);
  }
  return result;
}

bool isResultToken(std::string_view text) {
  return text == "1-0" || text == "0-1" || text == "1/2-1/2" || text == "*";
}

void finishMainLine(const jurnal& journal, TLine& line) {
  emitToken(line, false, isResultToken(journal.result) ? journal.result : "*");
  line.flush();
  line.add(kLineEnd);
  line.restart();
}

}  // namespace

std::string formatTags(const TGamesTagArray& tags) {
  std::string text;
  appendTags(text, tags);
  return text;
}

// A line begun before stays the caller's: it goes into the buffer first, and what the movetext
// leaves unfinished comes back out.
void writeMovetext(const jurnal& journal, TOutputBuffer& buffer, std::string& begun) {
  buffer.append(begun);
  TLine line{buffer, buffer.used - begun.size()};
  // kept from game to game: its room is taken once per thread, not once per game
  thread_local std::vector<TLineWalk> walks;
  walks.clear();
  startLine(walks, journal, line);
  while (!walks.empty()) {
    TLineWalk& walk = walks.back();
    if (!walk.moveWritten) writePlainMoves(walk, line);
    if (walk.next >= walk.journal->movecount()) {
      bool root = walks.size() == 1;
      if (root && !walk.journal->parent) finishMainLine(*walk.journal, line);
      walks.pop_back();
      if (!root) emitClose(line);
      continue;
    }
    const mov& move = walk.journal->moves[walk.next];
    if (!walk.moveWritten) {
      writeMove(walk, move, line);
      walk.moveWritten = true;
    }
    const std::vector<std::unique_ptr<jurnal>>& variations = walk.journal->variantsAt(walk.next);
    if (!removeVariations && walk.variant < static_cast<int>(variations.size())) {
      const jurnal* variation = variations[static_cast<size_t>(walk.variant++)].get();
      if (!variation) continue;
      emitToken(line, false, "(");
      startLine(walks, *variation, line);  // walk is not used past this point
      continue;
    }
    finishMove(walk, line);
  }
  // a game nested deeper than any real one leaves no lasting room behind
  if (walks.capacity() > 4096) walks = std::vector<TLineWalk>();
  begun.assign(buffer.text().substr(line.start));
  buffer.used = line.start;
}

bool writeGame(TGame& game, TOutputBuffer& buffer) {
  if (!game.Journal) return false;
  if (addEcoNames) fillEco(game, true);
  const std::optional<std::string_view> result = appendTags(buffer, game.Tags);
  buffer.append(kLineEnd);
  if (result) game.Journal->result = *result;
  std::string line;
  writeMovetext(*game.Journal, buffer, line);
  return true;
}
