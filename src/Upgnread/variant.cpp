#include "Upgnread/variant.h"

#include <string>

#include "Upgnread/pgnscan.h"
#include "uchess/jurnal.h"

bool isChess960Variant(const TGamesTagArray& tags) {
  constexpr std::string_view kVariant = "variant";
  for (const TTagView tag : tags) {
    // asked of every game read: most names are told apart by their length alone
    if (tag.Name.size() != kVariant.size() || !lowersTo(tag.Name, kVariant)) continue;
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
