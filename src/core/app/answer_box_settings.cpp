#include "app/answer_box_settings.h"

#include <algorithm>
#include <string>

namespace tavolo {

// Every case is named, so a new shape does not compile past these switches
// unnoticed; a code read from a file that is no shape falls out below them.
ShapeSizeBoxes SizeBoxesOfShape(BoxKind shape) {
  switch (shape) {
    case BoxKind::Rectangle:
    case BoxKind::RoundedRectangle:
      return {true, true};
    case BoxKind::SquareBrackets:
    case BoxKind::LenticularBrackets:
    case BoxKind::Underline:
      return {true, false};
    case BoxKind::None:
      break;
  }
  return {false, false};
}

std::optional<BoxKind> MarkedShapeChoice(BoxKind shape) {
  switch (shape) {
    case BoxKind::None:
    case BoxKind::Rectangle:
    case BoxKind::Underline:
    case BoxKind::RoundedRectangle:
      return shape;
    case BoxKind::SquareBrackets:
    case BoxKind::LenticularBrackets:
      return std::nullopt;
  }
  return BoxKind::None;
}

bool ShapeChoiceMarksModified(BoxKind shape) {
  return shape == BoxKind::None || shape == BoxKind::Underline;
}

void SetBoxKind(SheetParams& params, BoxKind shape) {
  SetKranValue(params, KranField::Shape, static_cast<int>(shape));
}

void SetKranValue(SheetParams& params, KranField field, int value) {
  params.kran[static_cast<std::size_t>(static_cast<int>(field) - 1)] = std::to_string(value);
}

void SetBoxSize(SheetParams& params, int width, int height) {
  SetKranValue(params, KranField::Width, width);
  SetKranValue(params, KranField::Height, height);
}

void SetLeftMargin(SheetParams& params, int tens) {
  params.leftMargin = std::clamp(tens, kMarginRange.low, kMarginRange.high);
}

void SetRightMargin(SheetParams& params, int tens) {
  params.rightMargin = std::clamp(tens, kMarginRange.low, kMarginRange.high);
}

}  // namespace tavolo
