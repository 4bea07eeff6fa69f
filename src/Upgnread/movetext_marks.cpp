// The movetext reader's marks written the way books and older programs write them: glyphs as
// text ("+-", "=", "∞"), suffixes set apart from their move ("e4 !?"), and "e.p." after an
// en-passant capture.

#include <string_view>

#include "Upgnread/movetext.h"
#include "Upgnread/movetext_state.h"

namespace {

struct TTextGlyph {
  std::string_view text;
  int code;
};

// Longer texts first, so that "+/-" is not read as "+" and a stray "/-".
constexpr TTextGlyph kTextGlyphs[] = {
    {"+/-", 16}, {"-/+", 17}, {"+/=", 14}, {"=/+", 15},          {"+-", 18},
    {"-+", 19},  {"+=", 14},  {"=+", 15},  {"\xE2\x88\x9E", 13}, {"=", 10},
};

bool isEnPassantCapture(const mov& move) {
  return move.special == 1 || move.special == 7;
}

// "e.p." or "ep", standing alone.
std::string_view enPassantMarkAt(const TMovetextState& state) {
  for (std::string_view mark : {std::string_view("e.p."), std::string_view("ep")}) {
    if (!startsAt(state.text, state.position, mark)) continue;
    char after = state.peek(static_cast<int64_t>(mark.size()));
    bool letterFollows = (after >= 'a' && after <= 'z') || (after >= 'A' && after <= 'Z');
    if (!letterFollows && !isDigit(after)) return mark;
  }
  return {};
}

}  // namespace

bool readTextGlyph(TMovetextState& state) {
  for (const TTextGlyph& glyph : kTextGlyphs) {
    if (!startsAt(state.text, state.position, glyph.text)) continue;
    state.position += static_cast<int64_t>(glyph.text.size());
    state.line->setmark(glyph.code);
    return true;
  }
  return false;
}

int readSeparatedSuffix(TMovetextState& state) {
  moveMarkFromSuffix(state);  // dropped, as the suffix of a piece move is
  return kReadNextToken;
}

bool skipEnPassantMark(TMovetextState& state) {
  if (state.line->current < 1 || !isEnPassantCapture(state.line->lastmove())) return false;
  std::string_view mark = enPassantMarkAt(state);
  state.position += static_cast<int64_t>(mark.size());
  return !mark.empty();
}

bool skipGluedEnPassantMark(TMovetextState& state) {
  std::string_view mark = enPassantMarkAt(state);
  state.position += static_cast<int64_t>(mark.size());
  return !mark.empty();
}
