#include "Upgnread/variant.h"

#include <string>

#include "Upgnread/pgnscan.h"
#include "uchess/jurnal.h"

bool isChess960Variant(const TGamesTagArray& tags) {
  for (const TTagView tag : tags) {
    if (!lowersTo(tag.Name, "variant")) continue;
    std::string_view value = tag.Value;
    return lowersTo(value, "chess960") || lowersTo(value, "fischerandom") ||
           lowersTo(value, "fischerrandom") || lowersTo(value, "fischer random");
  }
  return false;
}

bool isChess960Game(const TGame& game) {
  if (game.Journal && game.Journal->startboard && game.Journal->startboard->chess960) return true;
  return isChess960Variant(game.Tags);
}
