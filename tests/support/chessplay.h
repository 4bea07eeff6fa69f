#pragma once
// Building boards and games for tests: positions from FEN, moves in short algebraic or coordinate
// notation played through the journal as the movetext reader would, and move-path enumeration.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "uchess/doska.h"
#include "uchess/jurnal.h"

inline constexpr std::string_view kStartFen =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Positions rich in castling, en passant, promotion, pins and checks, with known move-path counts.
inline constexpr const char* kTacticalFens[] = {
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9",
};

// A board in the initial position with an empty main line on it.
struct TTestGame {
  doska board;
  jurnal line{&board, nullptr};
};

// A journal set up from FEN; adds a test failure and returns none when the text is refused.
std::unique_ptr<jurnal> journalFromFen(std::string_view fen);

// The position of a FEN text as a plain board.
doska boardFromFen(std::string_view fen);

// The side whose move comes next at the journal's current point.
bool whiteToMove(const jurnal& line);

// Plays one move in short algebraic notation ("Nbd7", "exd5", "e8=Q+", "O-O") at the journal's
// current point: findmove, addmove (not force-new), makesan, forward. Returns findmove's code, or
// -1 when the text cannot be parsed or the journal refuses the move.
int playSanMove(jurnal& line, std::string_view san);

// Plays a whole sequence; move numbers ("1.", "12...") are skipped. Returns the number of moves
// played; stops at the first move that is not found (codes 5 and above) or not parsed.
int playSan(jurnal& line, std::string_view moves);

// Plays coordinate moves "e2e4 e7e8q" (promotion letter of either case) with addmove, makesan and
// forward. Returns the number of moves played, stopping at the first refused one.
int playCoords(jurnal& line, std::string_view moves);

// Number of move paths of the given depth from the journal's current point, which must be the end
// of its line. Every square pair is tried with legalmove; a pawn reaching the last rank counts once
// per promotion piece. Inner moves are made with addmove/forward and taken back with back.
uint64_t perft(jurnal& line, int depth);

// The SAN texts of the journal's line, space-separated.
std::string sanLine(const jurnal& line);

// The eight state bytes and the squares of two boards are equal.
bool sameBoard(const doska& a, const doska& b);
