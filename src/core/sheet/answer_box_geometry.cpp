#include "sheet/answer_box_geometry.h"

#include <algorithm>

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

Rect DrawnAnswerBaseRect(int left, int lineY, int end, const BoxStyle& style, double scale) {
  const int top = lineY + RoundHalfEven(3 * scale);
  return {left, top, end - RoundHalfEven(3 * scale),
          top + RoundHalfEven(scale * AnswerFieldHeight(style.charSize))};
}

int BoxClearance(int penWidth, double scale) {
  return std::max(1, RoundHalfEven(scale)) + (penWidth + 1) / 2;
}

Rect EnclosingOutline(const Rect& outline, const Rect& ink, int clearance) {
  // The right and bottom strokes lie one pixel inside the rectangle.
  return {std::min(outline.left, ink.left - clearance), std::min(outline.top, ink.top - clearance),
          std::max(outline.right, ink.right + clearance + 1),
          std::max(outline.bottom, ink.bottom + clearance + 1)};
}

Rect EnclosingRoundedOutline(const Rect& outline, const Rect& ink, int clearance,
                             int cornerRadius) {
  Rect r = EnclosingOutline(outline, ink, clearance);
  const int radius = std::max(cornerRadius, 0);
  // Inside an arc of that radius, with room for the stroke: within
  // radius - clearance of the arc's centre (or past the centre on either axis).
  auto clear = [&](double px, double py, double cx, double cy, int sx, int sy) {
    const double dx = (cx - px) * sx;
    const double dy = (cy - py) * sy;
    if (dx <= 0 || dy <= 0) return true;
    const double room = radius - clearance;
    return room > 0 && dx * dx + dy * dy <= room * room;
  };
  // Each corner grows outwards one pixel at a time, on both its sides.
  for (int step = 0; step <= radius + clearance; ++step) {
    bool moved = false;
    if (!clear(ink.left, ink.top, r.left + radius, r.top + radius, 1, 1)) {
      --r.left;
      --r.top;
      moved = true;
    }
    if (!clear(ink.right - 1, ink.top, r.right - 1 - radius, r.top + radius, -1, 1)) {
      ++r.right;
      --r.top;
      moved = true;
    }
    if (!clear(ink.left, ink.bottom - 1, r.left + radius, r.bottom - 1 - radius, 1, -1)) {
      --r.left;
      ++r.bottom;
      moved = true;
    }
    if (!clear(ink.right - 1, ink.bottom - 1, r.right - 1 - radius, r.bottom - 1 - radius, -1,
               -1)) {
      ++r.right;
      ++r.bottom;
      moved = true;
    }
    if (!moved) break;
  }
  return r;
}

}  // namespace tavolo
