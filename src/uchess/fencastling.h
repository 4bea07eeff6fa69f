#pragma once
// The castling field of a FEN for a shuffled back rank. Besides "KQkq" it may name the rooks'
// files ("HAha", upper case for White), and "K" / "Q" then mean the outermost rook on that side
// of the king.

#include <string_view>

#include "uchess/doska.h"

// "K", "Q", "k", "q" and the file letters "A".."H", "a".."h".
bool isCastlingLetter(char c);

// True when the letters cannot mean ordinary castling on the placement: a file letter, or "K" /
// "Q" with the king off the e-file or the rook off its corner while a rook stands on that side.
bool needsChess960(const doska& board, std::string_view letters);

// Sets chess960, the kings' and rooks' start files and the rights the letters grant. A letter
// whose king is off its back rank, or that finds no rook of its side, grants nothing.
void applyChess960Castling(doska& board, std::string_view letters);
