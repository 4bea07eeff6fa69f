#pragma once
// Where everything of the panel lies for a client size and the host's margins: the four tabs, the
// six column headers, the rows' area and the bottom row. Pure arithmetic, shared by painting and
// hit testing.

#include <cstdint>

#include "uchess/fileutil.h"

inline constexpr int32_t kPageCount = 4;
inline constexpr int32_t kColumnCount = 6;
inline constexpr int32_t kNoTab = 4;     // hoverTab when the mouse is over no tab
inline constexpr int32_t kNoColumn = 0;  // hoverColumn when the mouse is over no header

// The host's margins and text height, in pixels.
struct TPanelMetrics {
  int32_t marginTop = 0;
  int32_t marginBottom = 0;
  int32_t marginLeft = 0;
  int32_t marginRight = 0;
  int32_t textHeight = 0;
};

struct TPanelPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// A host button of the bottom row: its size and the rounded window region that shapes it, in
// the button's own coordinates.
struct TButtonShape {
  int32_t width = 0;
  int32_t height = 0;
  TRect region;
  int32_t ellipse = 0;  // the corner ellipses' width and height
};

struct TBottomRowShapes {
  TButtonShape menu;
  TButtonShape browse;
  TButtonShape start;
};

// The widths of the three buttons' captions and of the edit's label, in the panel font.
struct TBottomRowTexts {
  int32_t menuCaption = 0;
  int32_t browseCaption = 0;
  int32_t startCaption = 0;
  int32_t label = 0;
};

struct TPanelLayout {
  TRect tabs[kPageCount];
  TRect columns[kColumnCount];  // column k (1..6) is columns[k - 1]
  TRect list;                   // the rows' area
  TRect startButton;
  TRect browseButton;
  TRect menuButton;
  TPanelPoint label;  // where the output edit's label is written
  TRect outputEdit;
};

// The column weights, in column order; their sum sets each column's share of the width.
inline constexpr int32_t kColumnWeights[kColumnCount] = {4, 12, 12, 9, 12, 8};

// The buttons keep their usual sizes (menu 44 x 28, browse 90 x 21, start 105 x 28) while their
// captions fit; a larger font (a screen of more dots per inch) grows them so that no face or
// caption is cut by the rounded region.
TBottomRowShapes bottomRowShapes(int32_t textHeight, const TBottomRowTexts& texts);

TPanelLayout panelLayout(int32_t width, int32_t height, const TPanelMetrics& metrics,
                         const TBottomRowTexts& texts);

// A row's height for the host's text height.
int32_t listRowHeightFor(int32_t textHeight);

// Hit tests

// True when the point lies in the band the tabs span, edges included.
bool inTabBand(const TPanelLayout& layout, int32_t x, int32_t y);
// The tab (0..3) containing the point, or kNoTab.
int32_t tabAt(const TPanelLayout& layout, int32_t x, int32_t y);
// The header (1..6) containing the point, or kNoColumn.
int32_t columnAt(const TPanelLayout& layout, int32_t x, int32_t y);
// The row under a point of the list's area; rows below the last one count on.
int32_t rowAt(const TPanelLayout& layout, int32_t y, int32_t scrollPosition, int32_t rowHeight);
