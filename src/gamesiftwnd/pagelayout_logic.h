#pragma once
// Where the controls and texts of the three settings pages go. The window code creates and paints
// exactly what these lists say; every number of the layout is here.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "gamesiftwnd/settingsboxes_logic.h"
#include "gamesiftwnd/settingsfields_logic.h"
#include "uchess/fileutil.h"

struct TPageMetrics {
  int32_t top = 0, bottom = 0, left = 0;  // the host's margins
  int32_t boxWidth = 0, boxHeight = 0;
  int32_t rowHeight = 0;
  int32_t fieldTextHeight = 0;  // the host's text height: a field is one more
  int32_t fontHeight = 0;       // height of a text in the panel font
  std::function<int32_t(std::u16string_view)> textWidth;
};

enum class TPageItemKind {
  label,        // text at left, centred in its row
  box,          // a check box centred in its row, its caption captionGap right of it
  field,        // a drop-down field centred in its row, framed by the painter
  text,         // text with its top left corner at left, top
  rightText,    // text ending at left, centred in its row
  centredText,  // text centred on the span left .. left + width, its top at top
  groupFrame,   // a frame from left, top to left + width, top + height, captioned on its top edge
};

struct TPageItem {
  TPageItemKind kind = TPageItemKind::label;
  const char16_t* text = u"";
  int32_t left = 0, top = 0;  // top: of the row for rows, of the item otherwise
  int32_t width = 0, height = 0;
  TFieldId field = TFieldId::count;
  TBoxId box = TBoxId::count;
  int32_t captionGap = 5;
};

struct TPageLayout {
  std::vector<TPageItem> items;
  int32_t minHeight = 0;  // what the panel needs to show the page whole
};

TPageLayout otherPageLayout(const TPageMetrics& m);
TPageLayout splitPageLayout(const TPageMetrics& m);
TPageLayout filterPageLayout(const TPageMetrics& m);

// Window rectangles of a page's controls, in panel coordinates.
TRect boxRect(const TPageItem& item, const TPageMetrics& m);
TRect fieldRect(const TPageItem& item, const TPageMetrics& m);
