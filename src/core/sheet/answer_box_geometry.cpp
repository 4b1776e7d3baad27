#include "sheet/answer_box_geometry.h"

#include "sheet/drawing_context.h"

namespace tavolo {

int AnswerFieldHeight(int charSize) {
  // A field's font is drawn at 96 dpi; four units of frame and padding above
  // and below keep the caret and descenders inside.
  return RoundHalfEven(charSize * 96.0 / 72.0) + 8;
}

Rect AnswerBaseRect(const AnswerBox& box, const BoxStyle& style, double scale, bool printing) {
  const double f = printing ? 1.03 : 1.0;
  const int left = RoundHalfEven(box.x * scale * f);
  const int top = RoundHalfEven(scale * box.y) + RoundHalfEven(3 * scale);
  const int right = RoundHalfEven(scale * box.width) + left - RoundHalfEven(3 * scale);
  const int bottom = RoundHalfEven(scale * AnswerFieldHeight(style.charSize)) + top;
  return {left, top, right, bottom};
}

Rect AnswerFrameRect(const Rect& base, const BoxStyle& style, double scale) {
  const int g = RoundHalfEven(scale * (style.width + 5));
  const int v = RoundHalfEven(style.height * scale);
  const int right = g < 0 ? base.right - g : base.left + 5 * g;
  return {base.left, base.top - RoundHalfEven(0.5 * v), right, base.bottom + v};
}

Rect AnswerFieldRect(const AnswerBox& box, const BoxStyle& style) {
  const Rect frame = AnswerFrameRect(AnswerBaseRect(box, style, 1.0, false), style, 1.0);
  const int left = box.x + 6;
  const int top = box.y + RoundHalfEven(0.3 * (2 * style.charSize + style.height - 10));
  return {left, top, left + frame.Width(), top + AnswerFieldHeight(style.charSize)};
}

}  // namespace tavolo
