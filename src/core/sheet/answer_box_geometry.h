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
    return {sheet.AnswerBoxKind(), sheet.BoxWidth(), sheet.BoxHeight(), sheet.charSize};
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

// The base rectangle of an answer as a render actually drew it (device
// pixels): left at the answer's start, right 3 units before its end, top 3
// units below the line, as high as a practice field. A printed page draws its
// text at the printer's resolution, a few per cent narrower than the screen
// layout, so its boxes come from where its own answers went.
Rect DrawnAnswerBaseRect(int left, int lineY, int end, const BoxStyle& style, double scale);

// How far a box outline of pen width penWidth keeps off the answer's ink:
// one unit of white between the stroke and the text cell.
int BoxClearance(int penWidth, double scale);

// The outline rectangle (edges drawn on its left and top and one pixel inside
// its right and bottom, as Canvas::rectangle draws them) grown where needed so
// that its strokes stay clearance off ink: a box never crosses its answer.
Rect EnclosingOutline(const Rect& outline, const Rect& ink, int clearance);

// The same for an outline with rounded corners of radius cornerRadius, whose
// arcs cut into the rectangle: a corner of the ink too close to an arc pushes
// that corner of the outline out.
Rect EnclosingRoundedOutline(const Rect& outline, const Rect& ink, int clearance, int cornerRadius);

}  // namespace tavolo
