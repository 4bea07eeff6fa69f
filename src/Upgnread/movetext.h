#pragma once
// The movetext reader: the moves, comments, marks and variations of one game, replayed on a board
// of its own and stored in the game's journal tree.

#include <cstdint>
#include <string_view>

#include "uchess/jurnal.h"

// Result codes. 0 the game is read; 1..100 the game is bad; above 100 the game is bad and its
// end is unknown.
enum : int {
  kMovetextOk = 0,
  kBadMoveNumber = 2,
  kResultContradictsMark = 5,
  kMoveAfterGameEnd = 6,
  kNoPieceCanMove = 7,
  kAmbiguousPieceMove = 8,
  kCaptureMismatch = 9,
  kPromotionPieceMissing = 10,
  kVariationsTooDeep = 11,
  kEndAfterMoveNumber = 106,
  kMalformedMove = 107,
  kMalformedCastling = 108,
  kGlyphTooLarge = 109,
  kUnexpectedToken = 110,
  kUnclosedVariation = 111,
  kVariationAfterVariation = 113,
};

// "½-½" as a draw, in UTF-8 and in the one-byte code pages.
constexpr std::string_view kDrawSign = "\xC2\xBD-\xC2\xBD";
constexpr std::string_view kDrawSignLatin1 = "\xBD-\xBD";

// Deeper nesting makes the game bad, so that no later recursive walk of the tree can overflow.
constexpr int kMaxVariationDepth = 500;

// Reads from position until the result token, the next game's "[" or the end of the text. On
// return the position is past the result, on the "[", or where an error was found. Must be
// called under gameLock.
int readMovetext(std::string_view text, int64_t& position, jurnal& journal);
