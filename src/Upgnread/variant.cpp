#include "Upgnread/variant.h"

#include <string>

#include "Upgnread/pgnscan.h"
#include "uchess/jurnal.h"

bool isChess960Variant(const TGamesTagArray& tags) {
  for (const TTagView tag : tags) {
    if (lowerCase(tag.Name) != "variant") continue;
    std::string value = lowerCase(tag.Value);
    return value == "chess960" || value == "fischerandom" || value == "fischerrandom" ||
           value == "fischer random";
  }
  return false;
}

bool isChess960Game(const TGame& game) {
  if (game.Journal && game.Journal->startboard && game.Journal->startboard->chess960) return true;
  return isChess960Variant(game.Tags);
}
