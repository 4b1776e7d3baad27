#pragma once
// Where an answer box and the practice field over it lie. The page renderer
// draws the box frames from these rectangles and practice lays its answer
// fields over them, so both use the same arithmetic and always agree.

#include "sheet/answer_box_registry.h"
#include "sheet/canvas.h"
#include "sheet/sheet_params.h"

namespace tavolo {

// Height in sheet units of a one-line answer field at a character size
// (points): the text cell of the field's font plus its frame and margins.
int AnswerFieldHeight(int charSize);

// The answer-box settings that shape a frame (kran lines 1 to 3).
struct BoxStyle {
  BoxKind kind = BoxKind::None;
  int width = 0;   // kran line 2
  int height = 0;  // kran line 3
  int charSize = 12;

  static BoxStyle FromSheet(const SheetParams& sheet) {
    return {sheet.boxKind(), sheet.boxWidth(), sheet.boxHeight(), sheet.charSize};
  }
};

// The rectangle around the drawn answer text, in device pixels: scale is the
// sheet scale, and printing moves the box a little right (x 1.03) because the
// printed fonts are larger than those on the screen.
Rect AnswerBaseRect(const AnswerBox& box, const BoxStyle& style, double scale, bool printing);

// The frame drawn for the box, grown from the base rectangle by the kran
// width and height.
Rect AnswerFrameRect(const Rect& base, const BoxStyle& style, double scale);

// The practice answer field over a box, in sheet units at scale 1.
Rect AnswerFieldRect(const AnswerBox& box, const BoxStyle& style);

}  // namespace tavolo
