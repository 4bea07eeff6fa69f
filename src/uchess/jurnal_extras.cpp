// The comments and variations a line keeps beside its moves.

#include <algorithm>

#include "uchess/jurnal.h"

namespace {

const std::string& noComment() {
  static const std::string kNone;
  return kNone;
}

const std::vector<std::unique_ptr<jurnal>>& noVariants() {
  static const std::vector<std::unique_ptr<jurnal>> kNone;
  return kNone;
}

template <typename TEntries>
auto entryFor(TEntries& entries, int index) {
  return std::lower_bound(entries.begin(), entries.end(), index,
                          [](const auto& entry, int wanted) { return entry.first < wanted; });
}

}  // namespace

const TMoveExtras* jurnal::extrasAt(int index) const {
  if (index < 0 || index >= movecount() || !moves[static_cast<size_t>(index)].hasExtras)
    return nullptr;
  auto entry = entryFor(extras, index);
  return entry != extras.end() && entry->first == index ? entry->second.get() : nullptr;
}

TMoveExtras& jurnal::extrasKeptAt(int index) {
  mov& move = moves[static_cast<size_t>(index)];
  auto entry = entryFor(extras, index);
  if (entry == extras.end() || entry->first != index)
    entry = extras.emplace(entry, index, std::make_unique<TMoveExtras>());
  else if (!move.hasExtras)
    *entry->second = TMoveExtras();  // left by a move no longer on the line
  move.hasExtras = 1;
  return *entry->second;
}

const std::string& jurnal::commentAt(int index) const {
  const TMoveExtras* kept = extrasAt(index);
  return kept ? kept->comment : noComment();
}

void jurnal::setCommentAt(int index, std::string text) {
  if (index < 0 || index >= movecount()) return;
  if (text.empty() && !extrasAt(index)) return;
  extrasKeptAt(index).comment = std::move(text);
}

const std::vector<std::unique_ptr<jurnal>>& jurnal::variantsAt(int index) const {
  const TMoveExtras* kept = extrasAt(index);
  return kept ? kept->variants : noVariants();
}

std::vector<std::unique_ptr<jurnal>>& jurnal::mutableVariantsAt(int index) {
  return extrasKeptAt(index).variants;
}
