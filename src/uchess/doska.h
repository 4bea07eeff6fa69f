#pragma once
// The board on which every game is replayed: pieces, castling and en-passant state, legality.
// It does not know whose turn it is; the journal keeps that and passes it in.

#include <cstdint>

#include "uchess/piecesets.h"

// Piece codes: 0 empty, 1..6 white pawn, knight, bishop, rook, queen, king; 7..12 the same for
// Black.
constexpr uint8_t kEmpty = 0;
constexpr uint8_t kWhitePawn = 1, kWhiteKnight = 2, kWhiteBishop = 3, kWhiteRook = 4,
                  kWhiteQueen = 5, kWhiteKing = 6;
constexpr uint8_t kBlackPawn = 7, kBlackKnight = 8, kBlackBishop = 9, kBlackRook = 10,
                  kBlackQueen = 11, kBlackKing = 12;
constexpr int kWhite = 0, kBlack = 1;

// Results of doska::findmove.
enum : int {
  kFoundQuiet = 0,
  kFoundCheck = 1,
  kFoundMate = 2,
  kFoundStalemate = 3,
  kNoSuchMove = 5,
  kAmbiguousMove = 6,
  kNoPiece = 7,
  kPromotionMissing = 8,
};

// Results of doska::status.
enum : int {
  kStatusNone = 0,
  kStatusCheck = 1,
  kStatusMate = 2,
  kStatusStalemate = 3,
  kStatusNoKing = 255,
};

constexpr bool isWhiteCode(uint8_t code) {
  return code >= 1 && code <= 6;
}
constexpr bool isBlackCode(uint8_t code) {
  return code >= 7 && code <= 12;
}

// The squares are kept twice: as codes, for the question what stands on a square, and as sets, for
// every question about lines, attacks and pins. put keeps the two in step, so the squares are
// written through it only.
class doska {
 public:
  // The leading bytes that say which position the board holds: the state bytes, the squares and
  // the castling bytes. The sets that follow are worked out from them.
  static constexpr unsigned kIdentityBytes = 80;

  doska() { setinitial(); }

  // Setting up
  void setinitial();
  void assign(const doska& other);

  // Questions about moves; squares are (file, rank), each 1..8
  bool attacked(int file, int rank, int side) const;
  bool canmove(int fromfile, int fromrank, int tofile, int torank) const;
  // Tries the move on this board and takes it back, so the board is unchanged afterwards.
  bool legalmove(int fromfile, int fromrank, int tofile, int torank);
  int findmove(int piece, int& promotion, int& fromfile, int& fromrank, int tofile, int& torank);
  int status(bool whiteToMove);
  bool castleright(int side, bool queenside) const;
  // Back to castling from the e-file with the rooks in the corners.
  void setStandardCastling();
  uint64_t poskey(bool blackToMove) const;
  // poskey is pieceKey ^ stateKey: the part of the pieces on their squares, which a move changes
  // on a few squares only (pieceKeyChange), and the part of castling, en passant and the side.
  uint64_t pieceKey() const;
  uint64_t stateKey(bool blackToMove) const;

  uint8_t at(int file, int rank) const { return squares[(file - 1) * 8 + (rank - 1)]; }
  void put(int file, int rank, uint8_t piece) {
    uint8_t& square = squares[(file - 1) * 8 + (rank - 1)];
    changeSquare(pieceSets, (file - 1) * 8 + (rank - 1), square, piece);
    square = piece;
  }
  // The piece on one square moves to another, which holds nothing or a piece of the other side:
  // put twice, with the sets changed by what the codes are known to be. Squares are indexes.
  bool canStep(int from, int to) const {
    uint8_t piece = atIndex(from), target = atIndex(to);
    if (isWhiteCode(piece)) return target == kEmpty || isBlackCode(target);
    return isBlackCode(piece) && (target == kEmpty || isWhiteCode(target));
  }
  void stepPiece(int from, int to) {
    uint8_t* cells = squares;
    uint8_t piece = cells[from];
    TSquareSet fromBit = TSquareSet{1} << from, toBit = TSquareSet{1} << to;
    pieceSets.of[cells[to]] &= ~toBit;
    pieceSets.of[piece] ^= fromBit | toBit;
    TSquareSet& own = isWhiteCode(piece) ? pieceSets.white : pieceSets.black;
    TSquareSet& other = isWhiteCode(piece) ? pieceSets.black : pieceSets.white;
    own ^= fromBit | toBit;
    other &= ~toBit;
    pieceSets.occupied = (pieceSets.occupied & ~fromBit) | toBit;
    pieceSets.of[kEmpty] = ~pieceSets.occupied;
    pieceSets.knownFacts = 0;
    cells[to] = piece;
    cells[from] = kEmpty;
  }
  // The code on a square given as its index (file - 1) * 8 + (rank - 1).
  uint8_t atIndex(int index) const { return squares[index]; }
  const TBoardMasks& sets() const { return pieceSets; }
  // Facts found out together (the bits of TBoardMasks::knownFacts), marked at once.
  void markKnown(uint64_t facts) { pieceSets.knownFacts |= facts; }
  // One king a side and no code that is no piece: the next move need not count them.
  void markPlain() { pieceSets.knownFacts |= kPlainBoard; }

  // The eight state bytes, saved and restored as one block around every trial move
  uint8_t wqlost = 0;
  uint8_t wklost = 0;
  uint8_t bqlost = 0;
  uint8_t bklost = 0;
  uint8_t wkingmoved = 0;
  uint8_t bkingmoved = 0;
  uint8_t epforblack = 0;  // file of a white pawn that just made a double step, 0 if none
  uint8_t epforwhite = 0;  // file of a black pawn that just made a double step, 0 if none

 private:
  uint8_t squares[64] = {};  // [(file - 1) * 8 + (rank - 1)], the index of the sets

 public:
  // Where castling starts; fixed for a game. With chess960 set (a game from a shuffled back rank)
  // castling is recorded as the king moving onto its own rook, from these files to the usual end
  // squares; without it, as the king's two-file step from the e-file with the rooks in the corners.
  uint8_t chess960 = 0;
  uint8_t kingfile[2] = {5, 5};               // White, Black
  uint8_t rookfile[2][2] = {{8, 1}, {8, 1}};  // [side][0 king-side, 1 queen-side]
  uint8_t spare = 0;                          // keeps the board a whole number of words

 private:
  struct TBlank {};
  explicit doska(TBlank) {}  // every square empty, every state byte 0
  static doska initialBoard();

  TBoardMasks pieceSets = kEmptyBoardSets;
};

static_assert(sizeof(doska) == doska::kIdentityBytes + sizeof(TBoardMasks),
              "the sets follow the bytes that say which position the board holds");

// What the piece part of the key changes by between the positions of two boards' sets.
uint64_t pieceKeyChange(const TBoardMasks& before, const TBoardMasks& after);

inline bool isWhitePiece(int piece) {
  return piece >= 1 && piece <= 6;
}
inline bool isBlackPiece(int piece) {
  return piece >= 7 && piece <= 12;
}
inline bool isKing(int piece) {
  return piece == kWhiteKing || piece == kBlackKing;
}
