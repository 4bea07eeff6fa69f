#include "plugcommon/hostgame.h"
#include "uchess/jurnal.h"

namespace {

void copyHostMove(const TMove* record, jurnal& line, int index) {
  if (record == nullptr) return;
  mov& m = line.moves[static_cast<size_t>(index)];
  m.piece = record->piece;
  m.fromfile = record->fromfile;
  m.fromrank = record->fromrank;
  m.tofile = record->tofile;
  m.torank = record->torank;
  m.special = record->special;
  m.captured = record->captured;
  m.changes = record->changes;
  m.san = record->san ? std::string_view(record->san) : std::string_view();
  m.mark = static_cast<uint8_t>(record->mark & 0xFF);
  line.setCommentAt(index, record->comment ? std::string(record->comment) : std::string());
}

// One line being filled: which move is read next and which of its variations comes next.
struct THostFrame {
  jurnal* line;
  int move;
  int variant;
  int variantCount;  // of the move in hand; -1 while its record is not read yet
};

THostFrame beginLine(THostGame& host, jurnal* line) {
  int count = host.lineMoveCount();
  line->current = 0;
  line->moves.clear();
  line->moves.resize(count > 0 ? static_cast<size_t>(count) : 0);
  return THostFrame{line, 0, 0, -1};
}

void finishLine(THostGame& host, jurnal& line) {
  line.result = host.resultText();
  line.precomment = host.lineText(true);
  line.hosttext = host.lineText(false);
  host.setPosition(0);
}

}  // namespace

// The host's tree is walked with a stack of its own, so that the depth of nesting is the host's
// business and never the call stack's.
void jurnal::loadfromhost(THostGame& host) {
  std::vector<THostFrame> stack{beginLine(host, this)};
  while (!stack.empty()) {
    THostFrame& top = stack.back();
    if (top.variantCount < 0) {
      if (top.move >= top.line->movecount()) {
        finishLine(host, *top.line);
        stack.pop_back();
        if (stack.empty()) break;
        host.leaveVariation();
        ++stack.back().variant;
        continue;
      }
      const TMove* record = host.moveRecord(top.move);
      copyHostMove(record, *top.line, top.move);
      top.variantCount = record && record->variationCount > 0 ? record->variationCount : 0;
      top.variant = 0;
      if (top.variantCount > 0) host.setPosition(top.move);
    }
    if (top.variant < top.variantCount) {
      auto variant = std::make_unique<jurnal>(top.line->board, top.line);
      variant->startnumber = host.plyNumber() - 1;
      host.enterVariation(top.variant + 1);
      jurnal* entered = variant.get();
      top.line->mutableVariantsAt(top.move).push_back(std::move(variant));
      stack.push_back(beginLine(host, entered));
    } else {
      ++top.move;
      top.variantCount = -1;
    }
  }
}
