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

// 0 none: neither; 1 rectangle and 5 rounded: both; 2, 3 brackets and 4
// underline: the width only. Any other code: as none.
ShapeSizeBoxes SizeBoxesOfShape(int shapeCode);

// The shape choice the dialog marks for a sheet's shape code: the code itself
// when it has a choice (0, 1, 4, 5), none for the brackets 2 and 3, which are
// valid on a sheet but have no choice of their own, and "なし" (0) for any
// other code.
std::optional<int> MarkedShapeChoice(int shapeCode);

// Choosing "なし" or "____" marks the sheet as changed; "四角" and "角丸"
// only redraw it.
bool ShapeChoiceMarksModified(int shapeCode);

// The answer-box lines the dialog edits.
enum class KranField { Shape = 1, Width = 2, Height = 3, AnswerX = 5, AnswerY = 6 };

// Writes a value as decimal text into its answer-box line.
void SetKranValue(SheetParams& params, KranField field, int value);

// Margins are kMarginRange (tens of units); other values are brought into range.
void SetLeftMargin(SheetParams& params, int tens);
void SetRightMargin(SheetParams& params, int tens);

}  // namespace tavolo
