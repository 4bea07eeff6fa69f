#include "support/fakehost.h"

#include <algorithm>

#include "uchess/jurnal.h"

namespace {

TFakeHostLine lineOf(const jurnal& line) {
  TFakeHostLine copy;
  copy.beforeFirstMove = line.precomment;
  copy.secondText = line.hosttext;
  for (int i = 0; i < line.movecount(); ++i) {
    const mov& m = line.moveat(i);
    TFakeHostMove hostMove;
    uint8_t bytes[8] = {m.piece,  m.fromfile, m.fromrank, m.tofile,
                        m.torank, m.special,  m.captured, m.changes};
    std::copy(bytes, bytes + 8, hostMove.bytes);
    hostMove.san = m.san.str();
    hostMove.comment = line.commentAt(i);
    hostMove.mark = m.mark;
    for (const std::unique_ptr<jurnal>& variant : line.variantsAt(i))
      hostMove.variations.push_back(lineOf(*variant));
    copy.moves.push_back(std::move(hostMove));
  }
  return copy;
}

}  // namespace

TFakeHost TFakeHost::fromJournal(const jurnal& line) {
  TFakeHost host;
  host.game = lineOf(line);
  host.result = line.result;
  return host;
}

TFakeHostLine& TFakeHost::currentLine() {
  return path.empty() ? game : *path.back().line;
}

int TFakeHost::lineStartPly() const {
  int ply = startPly;
  for (const TLevel& level : path) ply += level.position;
  return ply;
}

std::string TFakeHost::lineText(bool beforeFirstMove) {
  calls.push_back(beforeFirstMove ? "text 1" : "text 0");
  return beforeFirstMove ? currentLine().beforeFirstMove : currentLine().secondText;
}

void TFakeHost::enterVariation(int n) {
  calls.push_back("enter " + std::to_string(n));
  TFakeHostLine& line = currentLine();
  if (currentPosition >= static_cast<int>(line.moves.size())) return;
  std::vector<TFakeHostLine>& variations = line.moves[currentPosition].variations;
  if (n < 1 || n > static_cast<int>(variations.size())) return;
  path.push_back(TLevel{&variations[n - 1], currentPosition});
  currentPosition = 0;
}

void TFakeHost::leaveVariation() {
  calls.push_back("leave");
  if (path.empty()) return;
  currentPosition = path.back().position;
  path.pop_back();
}

const TMove* TFakeHost::moveRecord(int index) {
  calls.push_back("move " + std::to_string(index));
  TFakeHostLine& line = currentLine();
  if (index < 0 || index >= static_cast<int>(line.moves.size())) return nullptr;
  const TFakeHostMove& m = line.moves[index];
  record = TMove{};
  record.piece = m.bytes[0];
  record.fromfile = m.bytes[1];
  record.fromrank = m.bytes[2];
  record.tofile = m.bytes[3];
  record.torank = m.bytes[4];
  record.special = m.bytes[5];
  record.captured = m.bytes[6];
  record.changes = m.bytes[7];
  record.san = m.san.c_str();
  record.comment = m.comment.c_str();
  record.mark = m.mark;
  variationIds.assign(m.variations.size(), 0);
  record.variationCount = static_cast<int32_t>(m.variations.size());
  record.variations = variationIds.data();
  return &record;
}

void TFakeHost::setPosition(int n) {
  calls.push_back("position " + std::to_string(n));
  int count = static_cast<int>(currentLine().moves.size());
  currentPosition = n < 0 ? 0 : n > count ? count : n;
}

int TFakeHost::lineMoveCount() {
  calls.push_back("count");
  return static_cast<int>(currentLine().moves.size());
}

int TFakeHost::plyNumber() {
  calls.push_back("ply");
  return lineStartPly() + currentPosition + 1;
}

std::string TFakeHost::resultText() {
  calls.push_back("result");
  return result;
}
