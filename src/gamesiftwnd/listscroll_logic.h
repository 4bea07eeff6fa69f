#pragma once
// The list scrolls in pixels, not rows: the scroll bar's range and page, the target of each
// scroll request and of the wheel, and the position that keeps the cursor row in sight.

#include <cstdint>

// Nearest integer; a value exactly halfway goes to the even neighbour.
int32_t roundHalfEven(double value);

enum class TScrollRequest { lineUp, lineDown, pageUp, pageDown, thumb, other };

// What the scroll bar needs besides the position; hidden when every row fits.
struct TScrollBarShape {
  bool visible = false;
  int32_t range = 0;  // 0 .. range, in pixels
  int32_t page = 0;
};

// Rows n of rowHeight in a list of listHeight; onListPage is false on the settings pages.
TScrollBarShape scrollBarShape(int32_t rows, int32_t rowHeight, int32_t listHeight,
                               bool onListPage);

// Clamped to what the scroll bar allows (0 .. range - page + 1, as the platform does).
int32_t clampScroll(int32_t position, const TScrollBarShape& shape);

// The position a request asks for, before clamping. trackPosition is the thumb's.
int32_t scrollTarget(TScrollRequest request, int32_t position, int32_t trackPosition,
                     int32_t textHeight, int32_t listHeight, double pageFraction);

// The pixels one page scroll moves.
int32_t pageStep(int32_t listHeight, double pageFraction);

// The signed number of notches of a wheel delta, rounded; positive scrolls up.
int32_t wheelNotches(int32_t delta);

// The position after which the cursor row lies wholly inside the list.
int32_t keepCursorVisible(int32_t position, int32_t cursor, int32_t rowHeight, int32_t listHeight);
