#pragma once
// The rules of the answer-box settings dialog: which size boxes a box shape
// uses, which edits count as changes to the worksheet, and how the dialog's
// numbers are written into a sheet's answer-box lines and margins.

#include <optional>

#include "sheet/sheet_params.h"

namespace tavolo {

struct ShapeSizeBoxes {
  bool width;
  bool height;
  bool operator==(const ShapeSizeBoxes&) const = default;
};

// None: neither; the rectangles: both; the brackets and the underline: the
// width only. A code that is no shape (a sheet may carry any number): as none.
ShapeSizeBoxes SizeBoxesOfShape(BoxKind shape);

// The shape choice the dialog marks for a sheet's shape: the shape itself when
// it has a choice (none, rectangle, underline, rounded), nothing for the
// brackets, which are valid on a sheet but have no choice of their own, and
// "なし" for a code that is no shape.
std::optional<BoxKind> MarkedShapeChoice(BoxKind shape);

// Choosing "なし" or "____" marks the sheet as changed; "四角" and "角丸"
// only redraw it.
bool ShapeChoiceMarksModified(BoxKind shape);

// The answer-box lines the dialog edits.
enum class KranField { Shape = 1, Width = 2, Height = 3, AnswerX = 5, AnswerY = 6 };

// Writes a value as decimal text into its answer-box line.
void SetKranValue(SheetParams& params, KranField field, int value);
// The size boxes' values: the box width and height lines.
void SetBoxSize(SheetParams& params, int width, int height);
void SetBoxKind(SheetParams& params, BoxKind shape);

// Margins are kMarginRange (tens of units); other values are brought into range.
void SetLeftMargin(SheetParams& params, int tens);
void SetRightMargin(SheetParams& params, int tens);

}  // namespace tavolo
