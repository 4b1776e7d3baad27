// Segments with inline "@" markup: style and size codes between pieces of
// notation text.

#include <algorithm>

#include "sheet/markup_text.h"
#include "sheet/notation.h"

namespace tavolo {
namespace {

// Sizes a run of "@+" (or "@-") can reach; beyond them text would be
// unreadable or the font engine would be asked for absurd glyphs.
constexpr int kMinMarkupSize = 1;
constexpr int kMaxMarkupSize = 500;
constexpr int kMaxMarkupOffset = 1000;

int ClampSize(double size) {
  return std::clamp(RoundHalfEven(size), kMinMarkupSize, kMaxMarkupSize);
}

// Applies a markup code; false when the piece is not one (it is then drawn).
bool ApplyMarkupCode(std::string_view code, DrawingContext& context, Canvas& canvas, int baseSize) {
  if (code.size() != 1) return false;
  const double factor = context.printing ? 1.1 : 1.0;
  FontStyle& style = canvas.font().style;
  const char c = code[0];
  switch (c) {
    case 'B':
      style.bold = true;
      return true;
    case 'I':
      style.italic = true;
      return true;
    case 'U':
      style.underline = true;
      return true;
    case 'X':
      style.bold = true;
      style.underline = true;
      return true;
    case '_':
      style.strikeout = true;
      return true;
    case '/':
      style = FontStyle{};
      return true;
    case '+':
    case '-':
      context.markupSizeOffset = std::clamp(context.markupSizeOffset + (c == '+' ? 2 : -2),
                                            -kMaxMarkupOffset, kMaxMarkupOffset);
      context.notationFontSize = ClampSize((baseSize + context.markupSizeOffset) * factor);
      return true;
    case '=':
      context.markupSizeOffset = 0;
      context.notationFontSize = ClampSize(baseSize);
      return true;
    default:
      if (c >= '0' && c <= '9') {
        context.notationFontSize = ClampSize(2 * (c - '0') * factor + baseSize);
        return true;
      }
      return false;
  }
}

}  // namespace

Point DrawMarkedText(DrawingContext& context, Canvas& canvas, std::string_view text, Point at,
                     double scale, int baseSize) {
  context.RecordSegmentStart(at);
  if (text.empty()) return at;
  // A style runs from its code to "@/" within the segment, never beyond it.
  canvas.font().style = FontStyle{};
  const Color color = canvas.font().color;
  Point point{at.x, at.y + context.lineRise};
  canvas.moveTo(point.x, point.y);
  ForEachMarkupPiece(text, [&](std::string_view piece, bool isCode) {
    if (isCode && ApplyMarkupCode(piece, context, canvas, baseSize)) return;
    if (piece.empty()) return;
    point = DrawMathText(context, canvas, context.notationFontSize, point, color, piece, scale);
  });
  canvas.font().style = FontStyle{};
  return canvas.penPos();
}

}  // namespace tavolo
