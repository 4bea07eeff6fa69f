#pragma once
// Games for tests: tag sections, and move trees either sketched record by record (for code that
// only reads a tree: the writer, the filters) or played on a board (for code that replays one).

#include <memory>
#include <string_view>

#include "plugcommon/gamerecords.h"
#include "uchess/doska.h"
#include "uchess/jurnal.h"

// Tags

// The seven roster tags in their fixed order.
TGamesTagArray rosterTags(std::string_view white = "White", std::string_view black = "Black",
                          std::string_view result = "*", std::string_view date = "2004.05.17");
void addTag(TGamesTagArray& tags, std::string_view name, std::string_view value);

// Sketched trees: no board; moves alternate colours from the line's first mover

// A line of the space-separated move texts, numbered from startnumber + 1.
std::unique_ptr<jurnal> sketchLine(std::string_view sans, bool blackFirst = false,
                                   int startnumber = 0);
// Appends one move of the given colour to a line.
mov& sketchMove(jurnal& line, std::string_view san, bool white);
// An alternative to move index of the line, starting with a move of that move's colour.
jurnal& sketchVariation(jurnal& line, int moveIndex, std::string_view sans);

// Played trees: legal moves on a board, with their short algebraic texts

// Plays space-separated moves in coordinates ("e2e4 e1g1 a7a8q") from the board's present
// position; a refused move fails the test and ends the line.
std::unique_ptr<jurnal> playLine(doska& board, std::string_view moves);
// The same, appended to a line whose board stands at the line's end.
void playMoves(jurnal& line, std::string_view moves);

// A game of the given tags and moves.
TGame makeGame(TGamesTagArray tags, std::unique_ptr<jurnal> journal);
