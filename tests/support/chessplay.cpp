#include "support/chessplay.h"

#include <cctype>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::string_view> splitWords(std::string_view text) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    size_t end = pos;
    while (end < text.size() && text[end] != ' ') ++end;
    if (end > pos) words.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

int pieceOfLetter(char letter, bool white) {
  const char* letters = "PNBRQK";
  const char* found = std::strchr(letters, std::toupper(static_cast<unsigned char>(letter)));
  if (letter == '\0' || found == nullptr) return 0;
  int code = static_cast<int>(found - letters) + 1;
  return white ? code : code + 6;
}

bool isFile(char c) {
  return c >= 'a' && c <= 'h';
}
bool isRank(char c) {
  return c >= '1' && c <= '8';
}

struct TSanParts {
  int piece = 0, promotion = 0, fromfile = 0, fromrank = 0, tofile = 0, torank = 0;
};

// Cuts a SAN text into piece, disambiguation, target and promotion, as the movetext reader does.
bool parseSan(std::string_view san, bool white, TSanParts& parts) {
  while (!san.empty() && std::strchr("+#!?", san.back()) != nullptr) san.remove_suffix(1);
  int rank = white ? 1 : 8;
  if (san == "O-O" || san == "O-O-O") {
    parts = {white ? kWhiteKing : kBlackKing, 0, 5, rank, san == "O-O" ? 7 : 3, rank};
    return true;
  }
  if (san.size() >= 2 && san[san.size() - 2] == '=') {
    parts.promotion = pieceOfLetter(san.back(), white);
    san.remove_suffix(2);
  }
  parts.piece = pieceOfLetter(isFile(san.empty() ? ' ' : san[0]) ? 'P' : san[0], white);
  if (parts.piece == 0 || san.size() < 2) return false;
  if (!isFile(san[0])) san.remove_prefix(1);
  std::string rest;
  for (char c : san) {
    if (c != 'x') rest += c;
  }
  if (rest.size() < 2 || !isFile(rest[rest.size() - 2]) || !isRank(rest.back())) return false;
  parts.tofile = rest[rest.size() - 2] - 'a' + 1;
  parts.torank = rest.back() - '0';
  for (size_t i = 0; i + 2 < rest.size(); ++i) {
    if (isFile(rest[i])) parts.fromfile = rest[i] - 'a' + 1;
    if (isRank(rest[i])) parts.fromrank = rest[i] - '0';
  }
  return true;
}

bool isMoveNumber(std::string_view word) {
  return !word.empty() && std::isdigit(static_cast<unsigned char>(word[0])) && word.back() == '.';
}

}  // namespace

std::unique_ptr<jurnal> journalFromFen(std::string_view fen) {
  int error = 0;
  int64_t position = 1;
  std::unique_ptr<jurnal> line = jurnal::createfromfen(fen, error, position);
  EXPECT_EQ(error, 0) << "FEN refused at " << position << ": " << fen;
  return line;
}

doska boardFromFen(std::string_view fen) {
  std::unique_ptr<jurnal> line = journalFromFen(fen);
  doska board;
  if (line) board.assign(*line->startboard);
  return board;
}

bool whiteToMove(const jurnal& line) {
  if (line.current == 0) return line.blackfirst == 0;
  return isBlackPiece(line.lastmove().piece);
}

int playSanMove(jurnal& line, std::string_view san) {
  TSanParts p;
  bool white = whiteToMove(line);
  if (!parseSan(san, white, p)) return -1;
  if (line.board->chess960 && san.starts_with("O-O")) {
    // a shuffled back rank castles onto the rook, from the start files
    bool kingside = p.tofile == 7;
    p.fromfile = line.board->kingfile[white ? kWhite : kBlack];
    p.tofile = line.board->rookfile[white ? kWhite : kBlack][kingside ? 0 : 1];
  }
  int found =
      line.board->findmove(p.piece, p.promotion, p.fromfile, p.fromrank, p.tofile, p.torank);
  if (found > kFoundStalemate) return found;
  if (line.addmove(p.fromfile, p.fromrank, p.tofile, p.torank, p.promotion, false, 0) < 0)
    return -1;
  line.makesan();
  line.forward();
  return found;
}

int playSan(jurnal& line, std::string_view moves) {
  int played = 0;
  for (std::string_view word : splitWords(moves)) {
    if (isMoveNumber(word)) continue;
    int found = playSanMove(line, word);
    if (found < 0 || found > kFoundStalemate) break;
    ++played;
  }
  return played;
}

int playCoords(jurnal& line, std::string_view moves) {
  int played = 0;
  for (std::string_view word : splitWords(moves)) {
    if (word.size() < 4) break;
    int ff = word[0] - 'a' + 1, fr = word[1] - '0', tf = word[2] - 'a' + 1, tr = word[3] - '0';
    int promotion = word.size() > 4 ? pieceOfLetter(word[4], whiteToMove(line)) : 0;
    if (line.addmove(ff, fr, tf, tr, promotion, false, 0) < 0) break;
    line.makesan();
    line.forward();
    ++played;
  }
  return played;
}

uint64_t perft(jurnal& line, int depth) {
  if (depth <= 0) return 1;
  doska& b = *line.board;
  bool white = whiteToMove(line);
  uint64_t nodes = 0;
  for (int ff = 1; ff <= 8; ++ff) {
    for (int fr = 1; fr <= 8; ++fr) {
      uint8_t piece = b.at(ff, fr);
      if (white ? !isWhitePiece(piece) : !isBlackPiece(piece)) continue;
      for (int tf = 1; tf <= 8; ++tf) {
        for (int tr = 1; tr <= 8; ++tr) {
          if (!b.legalmove(ff, fr, tf, tr)) continue;
          bool promotes = (piece == kWhitePawn && tr == 8) || (piece == kBlackPawn && tr == 1);
          int first = promotes ? (white ? kWhiteKnight : kBlackKnight) : 0;
          int last = promotes ? first + 3 : 0;
          for (int promotion = first; promotion <= last; ++promotion) {
            if (depth == 1) {
              ++nodes;
              continue;
            }
            line.addmove(ff, fr, tf, tr, promotion, false, 0);
            line.forward();
            nodes += perft(line, depth - 1);
            line.back();
            line.moves.pop_back();
          }
        }
      }
    }
  }
  return nodes;
}

std::string sanLine(const jurnal& line) {
  std::string text;
  for (const mov& m : line.moves) {
    if (!text.empty()) text += ' ';
    text += m.san.view();
  }
  return text;
}

bool sameBoard(const doska& a, const doska& b) {
  if (std::memcmp(&a.wqlost, &b.wqlost, 8) != 0) return false;
  for (int file = 1; file <= 8; ++file)
    for (int rank = 1; rank <= 8; ++rank)
      if (a.at(file, rank) != b.at(file, rank)) return false;
  return true;
}
