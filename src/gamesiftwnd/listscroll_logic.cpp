#include "gamesiftwnd/listscroll_logic.h"

#include <cmath>
#include <limits>

int32_t roundHalfEven(double value) {
  if (!(value == value)) return 0;  // NaN from a broken host fraction
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  if (value <= kLow) return std::numeric_limits<int32_t>::min();
  if (value >= kHigh) return std::numeric_limits<int32_t>::max();
  const double floor = std::floor(value);
  const double rest = value - floor;
  auto whole = static_cast<int64_t>(floor);
  if (rest > 0.5 || (rest == 0.5 && (whole % 2 != 0))) ++whole;
  return static_cast<int32_t>(whole);
}

TScrollBarShape scrollBarShape(int32_t rows, int32_t rowHeight, int32_t listHeight,
                               bool onListPage) {
  const int64_t total = static_cast<int64_t>(rows) * rowHeight;
  if (!onListPage || listHeight >= total) return {};
  // A base too tall for the 32-bit range keeps the range at its largest instead of wrapping.
  const int64_t largest = std::numeric_limits<int32_t>::max();
  return {true, static_cast<int32_t>(total < largest ? total : largest), listHeight};
}

int32_t clampScroll(int32_t position, const TScrollBarShape& shape) {
  if (!shape.visible) return 0;
  const int32_t page = shape.page > 0 ? shape.page : 1;
  const int32_t highest = shape.range - page + 1 > 0 ? shape.range - page + 1 : 0;
  if (position > highest) return highest;
  return position < 0 ? 0 : position;
}

int32_t pageStep(int32_t listHeight, double pageFraction) {
  return roundHalfEven(listHeight * pageFraction);
}

int32_t scrollTarget(TScrollRequest request, int32_t position, int32_t trackPosition,
                     int32_t textHeight, int32_t listHeight, double pageFraction) {
  const int64_t from = position;
  int64_t to = from;
  switch (request) {
    case TScrollRequest::lineUp:
      to = from - textHeight - 1;
      break;
    case TScrollRequest::lineDown:
      to = from + textHeight + 1;
      break;
    case TScrollRequest::pageUp:
      to = from - pageStep(listHeight, pageFraction);
      break;
    case TScrollRequest::pageDown:
      to = from + pageStep(listHeight, pageFraction);
      break;
    case TScrollRequest::thumb:
      to = trackPosition;
      break;
    case TScrollRequest::other:
      break;
  }
  if (to < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (to > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(to);
}

int32_t wheelNotches(int32_t delta) {
  return roundHalfEven(delta / 120.0);
}

int32_t keepCursorVisible(int32_t position, int32_t cursor, int32_t rowHeight, int32_t listHeight) {
  if (cursor < 0) return position;
  const int64_t top = static_cast<int64_t>(cursor) * rowHeight;
  int64_t result = position;
  if (top < result) result = top;
  if (result + listHeight < top + rowHeight) result = top + rowHeight - listHeight;
  return static_cast<int32_t>(result);
}
