#pragma once
// The marks a learner's answers get: drawn by practice while it judges and by
// the page renderer for a graded sheet, from the same shapes.

#include <optional>

#include "sheet/answer_box_registry.h"
#include "sheet/canvas.h"

namespace tavolo {

enum class GradingMark {
  Circle,         // correct
  DoubleCircle,   // correct during a review
  Triangle,       // correct only after the answer was shown
  PracticeSlash,  // wrong in practice or review
  TestSlash,      // wrong at test grading
};

// What a graded sheet shows for a box: 1 circle, 0 test slash, -2 triangle.
std::optional<GradingMark> SheetMarkFor(AnswerStatus status);

// Draws a mark around an answer field. field and frame (the box frame, used by
// the test slash) are in sheet units at scale 1. For the printer every length
// is multiplied by scale and the rectangles move right like the printed boxes
// (left x 1.03).
void DrawGradingMark(Canvas& canvas, GradingMark mark, const Rect& field, const Rect& frame,
                     Color color, double scale, bool printing);

}  // namespace tavolo
