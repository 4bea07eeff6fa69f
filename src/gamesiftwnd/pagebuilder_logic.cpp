#include "gamesiftwnd/pagebuilder_logic.h"

int32_t TPageBuilder::label(const char16_t* text, int32_t left, int32_t rowTop) {
  add({TPageItemKind::label, text, left, rowTop});
  return left + width(text) + 5;
}

int32_t TPageBuilder::box(TBoxId id, int32_t left, int32_t rowTop, int32_t gap) {
  TPageItem item{TPageItemKind::box, boxCaption(id), left, rowTop};
  item.box = id;
  item.captionGap = gap;
  add(item);
  return left + m.boxWidth + gap + width(boxCaption(id));
}

int32_t TPageBuilder::field(TFieldId id, int32_t left, int32_t rowTop, int32_t fieldWidth) {
  TPageItem item{TPageItemKind::field, u"", left, rowTop, fieldWidth};
  item.field = id;
  add(item);
  return left + fieldWidth;
}

TPageLayout TPageBuilder::finish(int32_t lastRowTop) {
  layout.minHeight = lastRowTop + m.rowHeight + m.bottom + 52;
  return std::move(layout);
}
