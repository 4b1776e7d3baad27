#pragma once
// The drawing values that the page renderer sets at the start of every page
// and the notation engine reads while it draws. One object, owned by whoever
// renders (the renderer, the practice window, the CLI) and passed down, so
// that two renders never share hidden state.

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "sheet/canvas.h"

namespace tavolo {

// Page positions round to the nearest integer with halves to even (2.5 -> 2,
// 3.5 -> 4), independent of the floating-point rounding mode.
inline int RoundHalfEven(double value) {
  double floor = std::floor(value);
  double diff = value - floor;
  if (diff > 0.5) return static_cast<int>(floor) + 1;
  if (diff < 0.5) return static_cast<int>(floor);
  const auto f = static_cast<long long>(floor);
  return static_cast<int>(f % 2 == 0 ? f : f + 1);
}

// Printed text is this many points larger than the same sheet on the screen.
inline constexpr int kPrinterFontIncrease = 3;

struct DrawingContext {
  // A page holds at most this many text segments; later ones are drawn but not listed.
  static constexpr std::size_t kMaxSegments = 240;

  double sheetScale = 1.0;       // 1 on screen; printer page width in pixels / 630
  bool printing = false;         // rendering for the printer
  int printerPageWidth = 0;      // device pixels, while printing (fraction bar width)
  int lineRise = 7;              // round(6.732 x sheetScale): text sits this far below a line's y
  int charGap = 2;               // round(character size x sheetScale / 6): horizontal spacing unit
  int notationFontSize = 12;     // current size of marked-up text, points
  int markupSizeOffset = 0;      // running change made by "@+" and "@-"
  bool exponentPending = false;  // set by "^", taken by the next token drawn
  // Text is laid out only while it starts left of this x: what lies beyond a
  // page's right edge cannot be seen, and a line of megabytes must cost no
  // more than a page of text. Parsing goes on past it (markup sizes and a
  // pending exponent carry over to what follows), drawing stops.
  int rightLimit = std::numeric_limits<int>::max();

  // Start point of every text segment drawn on the page, in order (figures
  // without a position are anchored to them).
  std::vector<Point> segmentStarts;

  // Prepares a page: scale, printer mode and the spacing derived from them.
  // sheetCharacterSize is the sheet's character size before any printer
  // enlargement; drawingSize the size text is drawn at. The markup size offset
  // starts again at 0 so that an "@+" left open enlarges the rest of this page
  // only, the same way on every redraw.
  void StartPage(double scale, bool forPrinter, int sheetCharacterSize, int drawingSize,
                 int printerWidth = 0) {
    sheetScale = scale;
    printing = forPrinter;
    printerPageWidth = forPrinter ? printerWidth : 0;
    lineRise = RoundHalfEven(6.732 * scale);
    charGap = RoundHalfEven(sheetCharacterSize * scale / 6.0);
    notationFontSize = drawingSize;
    markupSizeOffset = 0;
    exponentPending = false;
    rightLimit = std::numeric_limits<int>::max();
    segmentStarts.clear();
  }

  bool PastRightLimit(int x) const { return x >= rightLimit; }

  void RecordSegmentStart(Point start) {
    if (segmentStarts.size() < kMaxSegments) segmentStarts.push_back(start);
  }
};

}  // namespace tavolo
