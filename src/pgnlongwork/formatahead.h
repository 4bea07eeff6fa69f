#pragma once
// The games of a streamed part formatted before the writer comes to them, half of them on a
// second thread. A part's games are its own: no other thread looks at them while it is written,
// so formatting needs no lock, and the writer only copies each game's text into its file.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "Upgnread/outputbuffer.h"

class TFormattedGames {
 public:
  // Formats the games of outputOrder from its start up to total, in place of what it held. Lean
  // games and games that cannot be written are left to the writer, which reads, reports and
  // counts them.
  void formatAll(int32_t total);
  // The text of the game at position, when it was formatted here.
  bool textAt(int32_t position, std::string_view& text) const;
  // The bytes of all the text formatted here.
  size_t textBytes() const { return halves[0].text.used + halves[1].text.used; }

 private:
  struct THalf {
    int32_t first = 0;
    int32_t end = 0;
    TOutputBuffer text;
    std::vector<size_t> ends;      // of each position's text in text
    std::vector<uint8_t> written;  // 0: left to the writer
  };
  static void formatHalf(void* half);
  THalf halves[2];
};
