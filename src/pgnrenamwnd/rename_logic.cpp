#include "pgnrenamwnd/rename_logic.h"

#include <algorithm>

const std::u16string kRenameCaption = u"Переименование завершено";

namespace {

void collect(const TGame& game, int32_t tag, std::vector<std::string>& values) {
  if (static_cast<size_t>(tag) < game.Tags.size()) values.emplace_back(game.Tags[tag].Value);
}

int32_t replaceIn(TGame& game, int32_t tag, const std::string& oldValue,
                  const std::string& newValue) {
  if (static_cast<size_t>(tag) >= game.Tags.size() || game.Tags[tag].Value != oldValue) return 0;
  game.Tags.setValue(static_cast<size_t>(tag), newValue);
  return 1;
}

}  // namespace

std::vector<std::string> renameValues(const TGames& games, int32_t tag) {
  std::vector<std::string> values;
  for (const TGame& game : games) {
    collect(game, tag, values);
    if (tag == kTagWhite) collect(game, kTagBlack, values);
  }
  // std::string compares as unsigned bytes, the order the lists show.
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  return values;
}

int32_t applyRename(TGames& games, int32_t tag, const std::string& oldValue,
                    const std::string& newValue) {
  int32_t count = 0;
  for (TGame& game : games) {
    count += replaceIn(game, tag, oldValue, newValue);
    if (tag == kTagWhite) count += replaceIn(game, kTagBlack, oldValue, newValue);
  }
  return count;
}

std::u16string renameMessage(int32_t count) {
  if (count <= 0) return u"Переименование завершено. Совпадений не найдено";
  const std::string digits = std::to_string(count);
  return u"Переименование завершено. Изменено " + std::u16string(digits.begin(), digits.end()) +
         u" названий.";
}
