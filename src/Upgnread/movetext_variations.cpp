// The movetext reader's parentheses: entering and leaving variations.

#include <string>

#include "Upgnread/movetext.h"
#include "Upgnread/movetext_state.h"
#include "Upgnread/pgnscan.h"

namespace {

// After a skipped turn the variation replaces that turn: it opens with a copy of the last real
// move, and the moves inside the parentheses follow the copy.
void branchAtSkippedTurn(TMovetextState& state) {
  state.variationOpened = false;
  jurnal* line = state.line;
  if (line->current < 1) return;  // nothing was played yet: the variation goes on the line itself
  line->back();
  mov taken = line->nextmove();
  int added = line->addmove(taken.fromfile, taken.fromrank, taken.tofile, taken.torank,
                            taken.special, true, taken.mark);
  state.variationOpened = true;
  followNewVariation(state, added);
  state.variationOpened = false;
  state.line->makesan();
  state.line->forward();
}

// A variation without a move ("()", "( {a comment} )", "( () )") is passed over; its comments
// go with the move before it, as if written outside the parentheses.
bool skipEmptyVariation(TMovetextState& state) {
  int64_t position = state.position + 1;
  std::string comments, found;
  for (int depth = 1; depth > 0; ++position) {
    skipSpace(state.text, position, found);
    comments += found;
    if (isAt(state.text, position, '('))
      ++depth;
    else if (isAt(state.text, position, ')'))
      --depth;
    else
      return false;
  }
  state.position = position;
  state.pending += comments;
  return true;
}

}  // namespace

int openVariation(TMovetextState& state) {
  if (skipEmptyVariation(state)) return kReadNextToken;
  if (state.variationOpened) return kVariationAfterVariation;
  if (state.depth >= kMaxVariationDepth) return kVariationsTooDeep;
  ++state.depth;
  attachPendingComment(state);
  state.pending.clear();
  state.variationOpened = true;
  ++state.position;
  // The variation replaces the last move, so its side moves again; without this a variation
  // written without a move number would be read for the wrong side.
  if (state.line->current >= 1) state.whiteToMove = !state.whiteToMove;
  if (state.turnSkipped) branchAtSkippedTurn(state);
  state.mateMarked = false;
  state.stalemated = false;
  return kReadNextToken;
}

int closeVariation(TMovetextState& state) {
  if (!state.line->parent || state.variationOpened) return kUnexpectedToken;
  attachPendingComment(state);
  state.pending.clear();
  state.line->gotomove(0);
  state.whiteToMove = state.line->blackfirst == 1;
  state.line = state.line->parent;
  state.line->forward();  // the replaced move is made again
  ++state.position;
  if (state.depth > 0) --state.depth;
  state.turnSkipped = false;
  state.mateMarked = false;
  state.stalemated = false;
  return kReadNextToken;
}
