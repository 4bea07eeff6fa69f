#pragma once
// Lays a settings page out row by row: each call adds one item and says where the row goes on.

#include "gamesiftwnd/pagelayout_logic.h"

class TPageBuilder {
 public:
  explicit TPageBuilder(const TPageMetrics& metrics) : m(metrics) {}

  int32_t width(std::u16string_view text) const { return m.textWidth(text); }
  void add(const TPageItem& item) { layout.items.push_back(item); }

  // A label; returns where a control after it starts.
  int32_t label(const char16_t* text, int32_t left, int32_t rowTop);
  // A check box with its caption gap pixels right of it; returns the end of the caption.
  int32_t box(TBoxId id, int32_t left, int32_t rowTop, int32_t gap = 5);
  // A drop-down field; returns its right edge.
  int32_t field(TFieldId id, int32_t left, int32_t rowTop, int32_t fieldWidth);
  // The page ends with the row at lastRowTop.
  TPageLayout finish(int32_t lastRowTop);

  const TPageMetrics& m;

 private:
  TPageLayout layout;
};
