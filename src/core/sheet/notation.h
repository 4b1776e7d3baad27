#pragma once
// The maths-notation text engine: draws question and answer texts written in a
// small ASCII notation ("3/4", "x^2", "a>=b", "2*3") as school-maths
// typography on a Canvas, left to right, measuring nothing in advance.
//
// Notation, character by character (a text with any non-ASCII character is
// drawn as it is, unparsed):
//   digits . letters ? [ ]   build the current token
//   /                        the token becomes a numerator, the next token its denominator
//   |                        coefficient form: "2|3,x)" draws 2x over 3 ("1|" drops the 1)
//   ^                        the next token is an exponent (smaller, raised)
//   * \                      the signs "×" and "÷"
//   > >= < <=                "＞" "≧" "＜" "≦"
//   space ) + - = _ } (      drawn as themselves
//   &                        an invisible separator
//   anything else            ends the token or fraction, then drawn as itself
// Inline markup in a segment ("@" and one code): B I U X _ add bold, italic,
// underline, bold+underline, strikeout until "@/"; "@+" "@-" change the size by
// 2 points, "@0".."@9" set base + 2d points, "@=" goes back to the base size.
//
// Coordinates: a "reference" (x, y) is a line's reference point; ordinary text
// is drawn lineRise below it, exponents at it, fractions around it. The engine
// never fails: malformed notation draws whatever the rules make of it.

#include <string_view>

#include "sheet/canvas.h"
#include "sheet/drawing_context.h"

namespace tavolo {

// Draws one notation string at reference (at.x, at.y) in size points and the
// colour (the canvas font's colour and size are set first; its family and
// style are used as they are). Returns where the next item goes: x is the end
// of what was drawn, y is at.y.
Point DrawMathText(DrawingContext& context, Canvas& canvas, int size, Point at, Color color,
                   std::string_view text, double scale);

// Draws one segment of a question line that may hold "@" markup, piece by
// piece through DrawMathText at the current context.notationFontSize and the
// canvas font's colour. Records the segment's start in the context. baseSize
// is the sheet's drawing size that the size codes count from. Returns the
// canvas pen position after the last piece drawn ((at.x, at.y + lineRise) when
// nothing was drawn; at itself for an empty text). The canvas font style is
// normal afterwards.
Point DrawMarkedText(DrawingContext& context, Canvas& canvas, std::string_view text, Point at,
                     double scale, int baseSize);

// The bar of a fraction, from and to at the same y, shifted up by a small
// correction that depends on the canvas font size; in the font colour, the
// pen left as it was.
void DrawFractionBar(const DrawingContext& context, Canvas& canvas, Point from, Point to);

// 4 pixels on printers wider than 2800 pixels, else 1.
int FractionBarWidth(const DrawingContext& context);

}  // namespace tavolo
