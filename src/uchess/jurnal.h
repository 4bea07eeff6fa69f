#pragma once
// One line of play of a game with its variations: the move tree that the reader builds, the writer
// walks and the ECO lookup and duplicate keys replay.

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "uchess/doska.h"

class jurnal;
class THostGame;

// A move's short algebraic text, kept inline: with its mark it never exceeds nine characters.
class TSanText {
 public:
  static constexpr int kCapacity = 11;
  TSanText() = default;
  TSanText(std::string_view text) { assign(text); }
  TSanText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  // Longer texts (only a host could hand one in) keep their first kCapacity characters.
  void assign(std::string_view text);
  // The first length characters of room that holds kCapacity of them, zero past the length.
  void assignPadded(const char* room, size_t size) {
    length = static_cast<uint8_t>(size < kCapacity ? size : kCapacity);
    std::memcpy(chars, room, kCapacity);
  }
  // The first size characters of the eight in the word, the first in its lowest byte, zero past
  // the size: a move's text read from its written bytes at once.
  void assignWord(uint64_t firstEight, size_t size) {
    static_assert(std::endian::native == std::endian::little,
                  "the first character is the lowest byte");
    std::memcpy(chars, &firstEight, sizeof firstEight);
    std::memset(chars + sizeof firstEight, 0, kCapacity - sizeof firstEight);
    length = static_cast<uint8_t>(size);
  }
  // One more character, where there is room for it.
  void append(char c) {
    if (length < kCapacity) chars[length++] = c;
  }
  std::string_view view() const { return {chars, length}; }
  // The whole room, kCapacity characters whatever the length: a copy of a fixed size is a few
  // moves, one of the text's own length a call or a chain of branches.
  const char* room() const { return chars; }
  operator std::string_view() const { return view(); }
  std::string str() const { return std::string(view()); }
  bool empty() const { return length == 0; }
  size_t size() const { return length; }
  bool operator==(std::string_view other) const { return view() == other; }

 private:
  // No initializers: a text, and a move that holds one, are trivial, so that a line's moves are
  // copied as bytes. Made as `TSanText{}` (or in a vector), a text is empty.
  char chars[kCapacity];
  uint8_t length;
};

// Comments and variations are rare; a line keeps them apart from its moves, so that a move is a
// few plain bytes, copied as such.
struct TMoveExtras {
  std::string comment;
  std::vector<std::unique_ptr<jurnal>> variants;
};

// Bits of mov::changes.
enum : uint8_t {
  kLosesWhiteQueenside = 1,
  kLosesWhiteKingside = 2,
  kLosesBlackQueenside = 4,
  kLosesBlackKingside = 8,
  kMovesWhiteKing = 16,
  kMovesBlackKing = 32,
  kWhiteDoubleStep = 64,
  kBlackDoubleStep = 128,
};

struct mov {
  mov() = default;
  // Every field given: GCC clears a record built from an incomplete brace list byte by byte first.
  mov(uint8_t piece, uint8_t fromfile, uint8_t fromrank, uint8_t tofile, uint8_t torank,
      uint8_t special, uint8_t captured, uint8_t changes, const TSanText& san)
      : piece(piece),
        fromfile(fromfile),
        fromrank(fromrank),
        tofile(tofile),
        torank(torank),
        special(special),
        captured(captured),
        changes(changes),
        mark(0),
        hasExtras(0),
        san(san) {}

  // No initializers, as in TSanText: made as `mov{}` (or in a vector), every field is 0.
  uint8_t piece;
  uint8_t fromfile;
  uint8_t fromrank;
  uint8_t tofile;
  uint8_t torank;
  uint8_t special;  // promotion piece; 7 / 1 for a white / black en-passant capture
  uint8_t captured;
  uint8_t changes;
  uint8_t mark;  // annotation code 0..255; 1..6 are suffixed to san
  // the line keeps a comment or variations for this move; a copy of it in another line has
  // none there
  uint8_t hasExtras;
  TSanText san;
};
static_assert(std::is_trivial_v<mov>, "a line's moves are copied as bytes");

// Errors of jurnal::createfromfen.
enum : int {
  kFenEarlyEnd = 10,
  kFenRankOverflow = 11,
  kFenBadPiece = 12,
  kFenNoSlash = 13,
  kFenNoSpace = 14,
  kFenBadSide = 15,  // also a "-" after the first character of the castling field
  kFenBadCastling = 16,
  kFenBadEnPassantFile = 17,
  kFenBadEnPassantRank = 18,
};

struct TGameKeys {
  uint64_t StartKey = 0;
  uint64_t MovesKey = 0;
};

class jurnal {
 public:
  jurnal(doska* board, jurnal* parent);
  // Destroys the whole subtree without recursion, so any depth of nesting is safe.
  virtual ~jurnal();
  jurnal(const jurnal&) = delete;
  jurnal& operator=(const jurnal&) = delete;

  // A journal with its own start board set up from a FEN text read from position (1-based, in/out).
  // error is 0 on success, else 10..18; on an error the result is none. With chess960 the
  // castling field names the rooks of a shuffled back rank, whatever it looks like.
  static std::unique_ptr<jurnal> createfromfen(std::string_view text, int& error, int64_t& position,
                                               bool chess960 = false);

  // Building the line
  virtual int addvariant();
  int addmove(int fromfile, int fromrank, int tofile, int torank, int promotion, bool forceNew,
              int mark);
  void setcomment(std::string_view text);
  void setmark(int code);
  void makesan();

  // Walking the line
  void forward();
  void back();
  void gotomove(int n);
  int nextnumber() const;
  void attachboard(doska* newBoard);

  // Reading the line
  const mov& moveat(int index) const {
    return index >= 0 && index < movecount() ? moves[static_cast<size_t>(index)] : noMove();
  }
  const mov& nextmove() const { return moveat(current); }
  const mov& lastmove() const { return moveat(current - 1); }
  int movecount() const { return static_cast<int>(moves.size()); }

  // Comments and variations of the moves, by the index of the move they follow or branch at;
  // none for a move without them or an index off the line.
  const std::string& commentAt(int index) const;
  bool hasCommentAt(int index) const { return !commentAt(index).empty(); }
  void setCommentAt(int index, std::string text);
  // In order of addition.
  const std::vector<std::unique_ptr<jurnal>>& variantsAt(int index) const;
  // Of a move on the line.
  std::vector<std::unique_ptr<jurnal>>& mutableVariantsAt(int index);
  int variantCountAt(int index) const { return static_cast<int>(variantsAt(index).size()); }

  // Identity and classification
  TGameKeys gamekeys() const;
  std::string ecocode();
  void loadfromhost(THostGame& host);

  std::unique_ptr<doska> startboard;  // owned; only for a journal set up from FEN
  uint8_t blackfirst = 0;
  jurnal* parent = nullptr;
  std::vector<mov> moves;
  int current = 0;
  doska* board = nullptr;  // shared by the whole tree, owned by the caller
  int halfmoves = 0;
  int startnumber = 0;
  uint8_t startep = 0;
  std::string result = "*";
  std::string precomment;
  std::string hosttext;

 private:
  // By move index, ascending. An entry whose move does not say it has extras is left from a move
  // taken off the line and counts for nothing.
  std::vector<std::pair<int, std::unique_ptr<TMoveExtras>>> extras;

  static const mov& noMove();
  const TMoveExtras* extrasAt(int index) const;
  // The extras of a move of the line, made where there are none yet.
  TMoveExtras& extrasKeptAt(int index);
  // Hands the variations of every move over to pending, leaving the line without any.
  void handVariantsTo(std::vector<std::unique_ptr<jurnal>>& pending);
  int matchingMove(const mov& added, int promotion) const;
  int openVariation(mov added);
};
