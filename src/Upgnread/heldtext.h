#pragma once
// The text of an input that cannot be read again by place (a packed file, a pipe, standard
// input), held in memory packed in small pieces so that its games may drop their journals like
// the games of a plain file and be read again from here when written. Filled once while the
// input is read; read from any thread after that.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class THeldText {
 public:
  THeldText() = default;
  ~THeldText();
  THeldText(const THeldText&) = delete;
  THeldText& operator=(const THeldText&) = delete;

  // The next bytes of the text, in order.
  void append(std::string_view bytes);
  // The piece last unpacked by one reader: games read one after another mostly share one.
  struct TUnpacked {
    int64_t index = -1;
    std::string text;
  };
  // count bytes (fewer at the end) from the 1-based position start into text; false when start
  // lies past what is held or a piece cannot be unpacked.
  bool read(int64_t start, int64_t count, std::string& text, TUnpacked& last) const;
  int64_t size() const { return heldBytes + static_cast<int64_t>(open.size()); }
  // The memory the held text takes.
  int64_t packedBytes() const;

 private:
  struct TPiece {
    std::string bytes;  // packed, or the text itself
    int64_t length = 0;  // of the text
    bool packed = false;
  };
  void closePiece();
  bool unpack(const TPiece& piece, std::string& text) const;

  bool packInto(TPiece& piece);

  // The packer's state, made once: making it for each piece would cost more than the packing.
  void* packer = nullptr;
  std::vector<TPiece> pieces;  // each kPieceBytes of text long
  std::string open;            // the text after the last whole piece
  int64_t heldBytes = 0;       // in the pieces
};
