#include "app/answer_box_settings.h"

#include <algorithm>
#include <string>

namespace tavolo {

ShapeSizeBoxes SizeBoxesOfShape(int shapeCode) {
  switch (shapeCode) {
    case 1:
    case 5:
      return {true, true};
    case 2:
    case 3:
    case 4:
      return {true, false};
    default:
      return {false, false};
  }
}

std::optional<int> MarkedShapeChoice(int shapeCode) {
  switch (shapeCode) {
    case 0:
    case 1:
    case 4:
    case 5:
      return shapeCode;
    case 2:
    case 3:
      return std::nullopt;
    default:
      return 0;
  }
}

bool ShapeChoiceMarksModified(int shapeCode) { return shapeCode == 0 || shapeCode == 4; }

void SetKranValue(SheetParams& params, KranField field, int value) {
  params.kran[static_cast<std::size_t>(static_cast<int>(field) - 1)] = std::to_string(value);
}

void SetLeftMargin(SheetParams& params, int tens) {
  params.leftMargin = std::clamp(tens, kMarginRange.low, kMarginRange.high);
}

void SetRightMargin(SheetParams& params, int tens) {
  params.rightMargin = std::clamp(tens, kMarginRange.low, kMarginRange.high);
}

}  // namespace tavolo
