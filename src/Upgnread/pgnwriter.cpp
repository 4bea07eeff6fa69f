#include "Upgnread/pgnwriter.h"

#include <vector>

#include "Upgnread/ecotag.h"
#include "Upgnread/options.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kLineLimit = 80;

void appendTagLine(std::string& text, const TPGNTag& tag) {
  text += '[';
  text += tag.Name;
  text += " \"";
  for (char c : tag.Value) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  text += "\"]";
  text += kLineEnd;
}

bool startsFromPosition(const TGamesTagArray& tags) {
  return tags.size() > 8 && tags[kTagSetUp].Name == "SetUp" && tags[kTagFen].Name == "FEN";
}

void flushLine(TOutputBuffer& buffer, std::string& line) {
  buffer.append(line);
  buffer.append(kLineEnd);
  line.clear();
}

// Comments go out as stored, never wrapped; a line break inside one ends the output line there.
void writeComment(TOutputBuffer& buffer, std::string& line, std::string_view comment) {
  if (comment.front() == ';') {
    buffer.append(line);
    buffer.append(comment);
    buffer.append(kLineEnd);
    line.clear();
    return;
  }
  for (size_t feed = comment.find('\n'); feed != std::string_view::npos;
       feed = comment.find('\n')) {
    buffer.append(line);
    buffer.append(comment.substr(0, feed + 1));
    line.clear();
    comment.remove_prefix(feed + 1);
  }
  line += comment;
  line += ' ';
}

// One line of the tree being written: where it stands and how its moves are numbered.
struct TLineWalk {
  const jurnal* journal = nullptr;
  int next = 0;     // the move being written
  int variant = 0;  // the next of its variations to write
  bool moveWritten = false;
  int64_t number = 0;  // 64 bits: a FEN may give any move number
  bool numberDue = true;
};

void startLine(std::vector<TLineWalk>& walks, const jurnal& journal, TOutputBuffer& buffer,
               std::string& line) {
  walks.push_back({&journal, 0, 0, false, int64_t(journal.startnumber) + 1, true});
  if (!journal.precomment.empty() && !removeComments)
    writeComment(buffer, line, journal.precomment);
}

void writeNumber(TLineWalk& walk, const mov& move, TOutputBuffer& buffer, std::string& line) {
  bool white = isWhitePiece(move.piece);
  if (!walk.numberDue && white) {  // Black's half-move before it is missing
    emitToken(buffer, line, false, "...");
    walk.numberDue = true;
    ++walk.number;
  }
  if (!walk.numberDue) return;
  emitToken(buffer, line, false, std::to_string(walk.number) + (white ? "." : "..."));
  if (!white) walk.numberDue = false;
}

// A kept mark is written as its $n token, never as the glyph suffix of the move text.
void writeMove(TLineWalk& walk, const mov& move, TOutputBuffer& buffer, std::string& line) {
  writeNumber(walk, move, buffer, line);
  std::string_view text = move.san.view();
  if (move.mark != 0)
    while (!text.empty() && (text.back() == '!' || text.back() == '?')) text.remove_suffix(1);
  emitToken(buffer, line, true, text);
  if (move.mark != 0 && keptNags.has(move.mark))
    emitToken(buffer, line, true, "$" + std::to_string(move.mark));
}

void finishMove(TLineWalk& walk, const mov& move, TOutputBuffer& buffer, std::string& line) {
  bool wasDue = walk.numberDue;
  walk.numberDue = !wasDue;
  if (!wasDue) ++walk.number;
  if (!move.comment().empty() && !removeComments) {
    writeComment(buffer, line, move.comment());
    walk.numberDue = true;
  }
  if (!removeVariations && move.variantCount() > 0) walk.numberDue = true;
  ++walk.next;
  walk.variant = 0;
  walk.moveWritten = false;
}

bool isResultToken(std::string_view text) {
  return text == "1-0" || text == "0-1" || text == "1/2-1/2" || text == "*";
}

void finishMainLine(const jurnal& journal, TOutputBuffer& buffer, std::string& line) {
  emitToken(buffer, line, false, isResultToken(journal.result) ? journal.result : "*");
  flushLine(buffer, line);
  buffer.append(kLineEnd);
}

}  // namespace

std::string formatTags(const TGamesTagArray& tags) {
  std::string text;
  if (tagMode >= 1)
    for (size_t i = 0; i < tags.size() && i < kRosterTagCount; ++i) appendTagLine(text, tags[i]);
  if (tagMode <= 1 && startsFromPosition(tags)) {
    appendTagLine(text, tags[kTagSetUp]);
    appendTagLine(text, tags[kTagFen]);
  }
  // A mode above 2 (only a damaged settings file holds one) loses no tags.
  if (tagMode >= 2)
    for (size_t i = kRosterTagCount; i < tags.size(); ++i) appendTagLine(text, tags[i]);
  return text;
}

void emitToken(TOutputBuffer& buffer, std::string& line, bool trailingSpace,
               std::string_view token) {
  if (token == ")") {
    if (!line.empty() && line.back() == ' ')
      line.back() = ')';
    else
      line += ')';
    line += ' ';
    return;
  }
  if (!line.empty() && line.size() + token.size() + 2 > kLineLimit) {
    if (line.back() == ' ') line.pop_back();
    flushLine(buffer, line);
  }
  line += token;
  if (trailingSpace) line += ' ';
}

void writeMovetext(const jurnal& journal, TOutputBuffer& buffer, std::string& line) {
  std::vector<TLineWalk> walks;
  startLine(walks, journal, buffer, line);
  while (!walks.empty()) {
    TLineWalk& walk = walks.back();
    if (walk.next >= walk.journal->movecount()) {
      bool root = walks.size() == 1;
      if (root && !walk.journal->parent) finishMainLine(*walk.journal, buffer, line);
      walks.pop_back();
      if (!root) emitToken(buffer, line, true, ")");
      continue;
    }
    const mov& move = walk.journal->moves[walk.next];
    if (!walk.moveWritten) {
      writeMove(walk, move, buffer, line);
      walk.moveWritten = true;
    }
    if (!removeVariations && walk.variant < move.variantCount()) {
      const jurnal* variation = move.variants()[walk.variant++].get();
      if (!variation) continue;
      emitToken(buffer, line, false, "(");
      startLine(walks, *variation, buffer, line);  // walk is not used past this point
      continue;
    }
    finishMove(walk, move, buffer, line);
  }
}

bool writeGame(TGame& game, TOutputBuffer& buffer) {
  if (!game.Journal) return false;
  if (addEcoNames) fillEco(game, true);
  buffer.append(formatTags(game.Tags));
  buffer.append(kLineEnd);
  if (game.Tags.size() > kTagResult) game.Journal->result = game.Tags[kTagResult].Value;
  std::string line;
  writeMovetext(*game.Journal, buffer, line);
  return true;
}
