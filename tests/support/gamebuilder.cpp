#include "support/gamebuilder.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> result;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find(' ', pos);
    if (end == std::string_view::npos) end = text.size();
    if (end > pos) result.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return result;
}

// The number the move at index carries in its line.
int numberAt(const jurnal& line, int index) {
  int number = line.startnumber + 1;
  for (int i = 0; i < index; ++i)
    if (isBlackPiece(line.moves[i].piece)) ++number;
  return number;
}

bool nextIsWhite(const jurnal& line) {
  if (line.moves.empty()) return !line.blackfirst;
  return isBlackPiece(line.moves.back().piece);
}

void sketchMoves(jurnal& line, std::string_view sans) {
  for (std::string_view san : words(sans)) sketchMove(line, san, nextIsWhite(line));
}

int promotionPiece(char letter, bool white) {
  int piece = letter == 'n'   ? kWhiteKnight
              : letter == 'b' ? kWhiteBishop
              : letter == 'r' ? kWhiteRook
              : letter == 'q' ? kWhiteQueen
                              : 0;
  return piece && !white ? piece + 6 : piece;
}

}  // namespace

TGamesTagArray rosterTags(std::string_view white, std::string_view black, std::string_view result,
                          std::string_view date) {
  return {{"Event", "Test"},
          {"Site", "Here"},
          {"Date", std::string(date)},
          {"Round", "1"},
          {"White", std::string(white)},
          {"Black", std::string(black)},
          {"Result", std::string(result)}};
}

void addTag(TGamesTagArray& tags, std::string_view name, std::string_view value) {
  tags.append(name, value);
}

std::unique_ptr<jurnal> sketchLine(std::string_view sans, bool blackFirst, int startnumber) {
  auto line = std::make_unique<jurnal>(nullptr, nullptr);
  line->blackfirst = blackFirst;
  line->startnumber = startnumber;
  sketchMoves(*line, sans);
  return line;
}

mov& sketchMove(jurnal& line, std::string_view san, bool white) {
  mov& move = line.moves.emplace_back();
  move.piece = white ? kWhitePawn : kBlackPawn;
  move.san = san;
  return move;
}

jurnal& sketchVariation(jurnal& line, int moveIndex, std::string_view sans) {
  mov& replaced = line.moves.at(moveIndex);
  auto variation = std::make_unique<jurnal>(line.board, &line);
  variation->blackfirst = isBlackPiece(replaced.piece);
  variation->startnumber = numberAt(line, moveIndex) - 1;
  sketchMoves(*variation, sans);
  return *line.mutableVariantsAt(moveIndex).emplace_back(std::move(variation));
}

std::unique_ptr<jurnal> playLine(doska& board, std::string_view moves) {
  auto line = std::make_unique<jurnal>(&board, nullptr);
  playMoves(*line, moves);
  return line;
}

void playMoves(jurnal& line, std::string_view moves) {
  doska& board = *line.board;
  for (std::string_view move : words(moves)) {
    int fromfile = move[0] - 'a' + 1, fromrank = move[1] - '0';
    int tofile = move[2] - 'a' + 1, torank = move[3] - '0';
    bool white = isWhitePiece(board.at(fromfile, fromrank));
    int promotion = move.size() > 4 ? promotionPiece(move[4], white) : 0;
    if (line.addmove(fromfile, fromrank, tofile, torank, promotion, false, 0) != 0) {
      ADD_FAILURE() << "refused move " << move;
      return;
    }
    line.makesan();
    line.forward();
  }
}

TGame makeGame(TGamesTagArray tags, std::unique_ptr<jurnal> journal) {
  TGame game;
  game.Tags = std::move(tags);
  game.Journal = std::move(journal);
  return game;
}
