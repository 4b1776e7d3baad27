#pragma once
// The geometry of working with figures and regions on a worksheet page: the
// dotted selection and the region it copies, the outline of a figure being
// dragged, and writing a figure's new place into its sheet's figure list.
// Rectangles are in page pixels with right and bottom exclusive.

#include <string>
#include <vector>

#include "sheet/canvas.h"

namespace tavolo {

// The region "コピー" copies for a selection between two corners, whichever
// way it was dragged: from (first + 1) to second of the ordered corners, so
// the dotted frame itself is not copied.
Rect SelectionCopyRect(Point a, Point b);

// A right click on a figure selects it: corners one pixel outside its area,
// so that copying the selection copies exactly the figure.
void FigureSelectionCorners(const Rect& figure, Point& first, Point& second);

// The outline drawn while a figure is dragged: one pixel around it.
Rect FigureOutline(const Rect& figure);

// Figure k (1-based) now has its top-left at (x, y): entries 3k - 2 and
// 3k - 1 of the figure list. Returns false (and changes nothing) when the
// list has no such figure.
[[nodiscard]] bool MoveFigure(std::vector<std::string>& figureLines, int k, int x, int y);

// A figure whose x is below this has not been placed yet: the page puts it
// beside its question.
inline constexpr int kFirstPlacedFigureX = 1;

// The figure (1-based) shown at a point, the topmost (the last drawn) first;
// 0 for none. A figure without an area is never hit.
int FigureAt(const std::vector<Rect>& figures, Point point);

// A rectangle moved by (dx, dy).
Rect ShiftRect(const Rect& r, Point shift);

// Where a figure at `place` dropped `shift` away lands: its top-left stays on
// a page of this size, so a figure dropped beyond an edge can still be caught
// again, and x stays placed (a figure with x below kFirstPlacedFigureX would
// jump back beside its question).
Point DroppedFigurePlace(const Rect& place, Point shift, int pageWidth, int pageHeight);

}  // namespace tavolo
