#include "pgnlongwork/formatahead.h"

#include <algorithm>

#include "Upgnread/gamebase.h"
#include "Upgnread/leangame.h"
#include "Upgnread/pgnwriter.h"
#include "pgnlongwork/jobstate.h"
#include "platform/platform.h"

namespace {

// Fewer are formatted quicker than a thread starts.
constexpr int32_t kGamesWorthAThread = 256;

// A game is written back about as long as it was read: room for the games' own text and a
// little more, so that the text rarely grows and is copied to grow.
size_t expectedTextBytes(int32_t first, int32_t end) {
  size_t bytes = 0;
  for (int32_t position = first; position < end; ++position) {
    const int32_t game = outputOrder[static_cast<size_t>(position)];
    if (game >= 0 && game < static_cast<int32_t>(panelGames.size()))
      bytes += static_cast<size_t>(std::max<int64_t>(panelGames[game].TextLength, 0));
  }
  return bytes + bytes / 16 + 4096;
}

}  // namespace

void TFormattedGames::formatHalf(void* half) {
  THalf& part = *static_cast<THalf*>(half);
  const auto count = static_cast<size_t>(part.end - part.first);
  part.text.clear();
  part.text.reserve(expectedTextBytes(part.first, part.end));
  part.ends.assign(count, 0);
  part.written.assign(count, 0);
  for (int32_t position = part.first; position < part.end; ++position) {
    // What is left goes the writer's way, which stops at once.
    if (stopRequested.load(std::memory_order_relaxed)) break;
    const auto at = static_cast<size_t>(position - part.first);
    const int32_t game = outputOrder[static_cast<size_t>(position)];
    if (game >= 0 && game < static_cast<int32_t>(panelGames.size()) &&
        !isLeanGame(panelGames[game]))
      part.written[at] = writeGame(panelGames[game], part.text) ? 1 : 0;
    part.ends[at] = part.text.used;
  }
}

void TFormattedGames::formatAll(int32_t total) {
  const int32_t middle = total >= kGamesWorthAThread && processorCount() > 1 ? total / 2 : total;
  halves[0].first = 0;
  halves[0].end = middle;
  halves[1].first = middle;
  halves[1].end = total;
  const TThreadHandle helper = middle < total ? startThread(formatHalf, &halves[1]) : nullptr;
  formatHalf(&halves[0]);
  if (helper)
    joinThread(helper);
  else
    formatHalf(&halves[1]);
}

bool TFormattedGames::textAt(int32_t position, std::string_view& text) const {
  const THalf& half = position < halves[1].first ? halves[0] : halves[1];
  const auto at = static_cast<size_t>(position - half.first);
  if (position < half.first || at >= half.written.size() || !half.written[at]) return false;
  const size_t begin = at == 0 ? 0 : half.ends[at - 1];
  text = half.text.text().substr(begin, half.ends[at] - begin);
  return true;
}
