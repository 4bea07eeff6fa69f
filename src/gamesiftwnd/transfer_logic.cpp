#include "gamesiftwnd/transfer_logic.h"

#include "Upgnread/ecotag.h"
#include "Upgnread/options.h"
#include "Upgnread/pgnscan.h"

std::string copyHostGame(const THostGameRecord& host, TGame& game) {
  game.Journal.reset();
  game.FileName = host.FileName ? std::filesystem::path(std::u16string(host.FileName))
                                : std::filesystem::path();
  game.TextStart = host.TextStart;
  game.TextLength = host.TextLength;
  game.Tags.clear();
  std::string fen;
  const int32_t count = host.Tags ? host.TagCount : 0;
  for (int32_t i = 0; i < count; ++i) {
    const std::string_view name = host.Tags[i].Name ? host.Tags[i].Name : "";
    const std::string_view value = host.Tags[i].Value ? host.Tags[i].Value : "";
    if (lowerCase(name) == "fen") fen = value;
    game.Tags.append(name, value);
  }
  return fen;
}

bool transferNeedsEco() {
  return addEcoNames || splitByEco != 0 || !ecoFilter.empty();
}

void fillTransferredEco(TGame& game) {
  if (transferNeedsEco() && game.Journal) fillEco(game, true);
}

int32_t variationNumber(const intptr_t* variations, int32_t count, intptr_t line) {
  if (!variations || count < 0) return 1;
  for (int32_t j = 0; j < count; ++j)
    if (variations[j] == line) return j + 1;
  return count + 1;
}
