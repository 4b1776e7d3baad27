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
bool MoveFigure(std::vector<std::string>& figureLines, int k, int x, int y);

}  // namespace tavolo
