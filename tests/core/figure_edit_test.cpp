#include "sheet/figure_edit.h"

#include <gtest/gtest.h>

namespace tavolo {
namespace {

TEST(FigureEdit, ASelectionCopiesTheSameRegionWhicheverWayItWasDragged) {
  const Rect forward = SelectionCopyRect({100, 50}, {300, 200});
  EXPECT_EQ(forward, (Rect{101, 51, 300, 200}));
  EXPECT_EQ(SelectionCopyRect({300, 200}, {100, 50}), forward);
  EXPECT_EQ(SelectionCopyRect({300, 50}, {100, 200}), forward);
  EXPECT_EQ(SelectionCopyRect({40, 40}, {40, 40}).Width(), 0);  // a click, no region
}

TEST(FigureEdit, ARightClickedFigureIsCopiedExactly) {
  const Rect figure{200, 120, 200 + 64, 120 + 48};
  Point first, second;
  FigureSelectionCorners(figure, first, second);
  EXPECT_EQ(SelectionCopyRect(first, second), figure);
  EXPECT_EQ(FigureOutline(figure), (Rect{199, 119, 265, 169}));
}

TEST(FigureEdit, MovingAFigureWritesItsPlaceIntoTheList) {
  std::vector<std::string> lines = {"line.bmp", "40", "120", "thermo.bmp", "0", "0"};
  EXPECT_TRUE(MoveFigure(lines, 2, 310, 95));
  EXPECT_EQ(lines, (std::vector<std::string>{"line.bmp", "40", "120", "thermo.bmp", "310", "95"}));
  EXPECT_FALSE(MoveFigure(lines, 3, 1, 1));
  EXPECT_FALSE(MoveFigure(lines, 0, 1, 1));
  std::vector<std::string> cut = {"line.bmp", "40"};  // a list cut short in the file
  EXPECT_FALSE(MoveFigure(cut, 1, 5, 5));
  EXPECT_EQ(cut, (std::vector<std::string>{"line.bmp", "40"}));
}

TEST(FigureEdit, ThePointerFindsTheTopmostFigureWithAnArea) {
  const std::vector<Rect> figures = {{10, 10, 60, 40}, {50, 30, 90, 70}, {0, 0, 0, 0}};
  struct Case {
    Point at;
    int figure;
  };
  const Case cases[] = {{{10, 10}, 1}, {{59, 39}, 2},                // the later figure lies on top
                        {{55, 35}, 2}, {{60, 20}, 0},                // right edge exclusive
                        {{89, 69}, 2}, {{90, 69}, 0}, {{0, 0}, 0}};  // no area, no hit
  for (const Case& c : cases)
    EXPECT_EQ(FigureAt(figures, c.at), c.figure) << c.at.x << "," << c.at.y;
  EXPECT_EQ(FigureAt({}, {1, 1}), 0);
}

TEST(FigureEdit, ADroppedFigureStaysPlacedAndOnThePage) {
  const Rect place{200, 300, 240, 330};
  struct Case {
    Point shift;
    Point lands;
  };
  const Case cases[] = {
      {{150, 100}, {350, 400}}, {{-500, 0}, {kFirstPlacedFigureX, 300}},  // never "not placed"
      {{-199, -300}, {1, 0}},   {{1000, 1000}, {629, 890}},               // top-left on an A4 page
      {{-200, -301}, {1, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DroppedFigurePlace(place, c.shift, 630, 891), c.lands)
        << c.shift.x << "," << c.shift.y;
  EXPECT_EQ(ShiftRect(place, {5, -5}), (Rect{205, 295, 245, 325}));
}

}  // namespace
}  // namespace tavolo
