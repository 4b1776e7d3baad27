// The answer-box settings rules: size boxes per shape, which choices count as
// changes, and the values written into a sheet.

#include <gtest/gtest.h>

#include "app/answer_box_settings.h"

namespace tavolo {
namespace {

TEST(AnswerBoxSettings, ShapesDecideSizeBoxesAndChanges) {
  struct Case {
    int code;
    ShapeSizeBoxes boxes;
    bool modifies;
  };
  const Case cases[] = {
      {0, {false, false}, true},  {1, {true, true}, false},    {2, {true, false}, false},
      {3, {true, false}, false},  {4, {true, false}, true},    {5, {true, true}, false},
      {9, {false, false}, false}, {-1, {false, false}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SizeBoxesOfShape(BoxKind(c.code)), c.boxes) << c.code;
    EXPECT_EQ(ShapeChoiceMarksModified(BoxKind(c.code)), c.modifies) << c.code;
  }
}

TEST(AnswerBoxSettings, ValuesGoIntoTheirLines) {
  SheetParams params;
  SetKranValue(params, KranField::Shape, 4);
  SetKranValue(params, KranField::Width, 25);
  SetKranValue(params, KranField::Height, 3);
  SetKranValue(params, KranField::AnswerX, -7);  // the answer position has no bound
  SetKranValue(params, KranField::AnswerY, 12);
  EXPECT_EQ(params.kran, (std::array<std::string, kKranLineCount>{"4", "25", "3", "0", "-7", "12",
                                                                  "15", "10", "0", "0"}));
  EXPECT_EQ(params.AnswerBoxKind(), BoxKind::Underline);
  for (const auto& [given, kept] : {std::pair{15, 15}, {16, 15}, {0, 0}, {-3, 0}, {7, 7}}) {
    SetLeftMargin(params, given);
    SetRightMargin(params, given);
    EXPECT_EQ(params.leftMargin, kept) << given;
    EXPECT_EQ(params.rightMargin, kept) << given;
  }
}

TEST(AnswerBoxSettings, TheDialogMarksTheChoiceOfASheetsShape) {
  const std::pair<int, std::optional<int>> cases[] = {
      {0, 0}, {1, 1}, {4, 4}, {5, 5}, {2, std::nullopt}, {3, std::nullopt}, {9, 0}, {-1, 0}};
  for (const auto& [code, marked] : cases) {
    const std::optional<BoxKind> choice = MarkedShapeChoice(BoxKind(code));
    EXPECT_EQ(choice ? std::optional<int>(static_cast<int>(*choice)) : std::nullopt, marked)
        << code;
  }
}

}  // namespace
}  // namespace tavolo
