#include "sheet/figure_edit.h"

#include <algorithm>

namespace tavolo {

Rect SelectionCopyRect(Point a, Point b) {
  const Point first{std::min(a.x, b.x), std::min(a.y, b.y)};
  const Point second{std::max(a.x, b.x), std::max(a.y, b.y)};
  Rect r{first.x + 1, first.y + 1, second.x, second.y};
  // A click without a drag selects nothing rather than a negative area.
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

void FigureSelectionCorners(const Rect& figure, Point& first, Point& second) {
  first = {figure.left - 1, figure.top - 1};
  second = {figure.right, figure.bottom};
}

Rect FigureOutline(const Rect& figure) {
  return {figure.left - 1, figure.top - 1, figure.right + 1, figure.bottom + 1};
}

int FigureAt(const std::vector<Rect>& figures, Point point) {
  for (int k = static_cast<int>(figures.size()); k >= 1; --k) {
    const Rect& r = figures[static_cast<std::size_t>(k - 1)];
    if (r.Width() > 0 && r.Height() > 0 && point.x >= r.left && point.x < r.right &&
        point.y >= r.top && point.y < r.bottom)
      return k;
  }
  return 0;
}

Rect ShiftRect(const Rect& r, Point shift) {
  return {r.left + shift.x, r.top + shift.y, r.right + shift.x, r.bottom + shift.y};
}

Point DroppedFigurePlace(const Rect& place, Point shift, int pageWidth, int pageHeight) {
  return {std::clamp(place.left + shift.x, kFirstPlacedFigureX,
                     std::max(kFirstPlacedFigureX, pageWidth - 1)),
          std::clamp(place.top + shift.y, 0, std::max(0, pageHeight - 1))};
}

bool MoveFigure(std::vector<std::string>& figureLines, int k, int x, int y) {
  if (k < 1) return false;
  // Entries are counted from 0: figure k's name, x and y are 3k - 3, 3k - 2, 3k - 1.
  const std::size_t xEntry = static_cast<std::size_t>(3 * k - 2);
  if (xEntry + 1 >= figureLines.size()) return false;
  figureLines[xEntry] = std::to_string(x);
  figureLines[xEntry + 1] = std::to_string(y);
  return true;
}

}  // namespace tavolo
