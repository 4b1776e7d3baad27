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

}  // namespace
}  // namespace tavolo
