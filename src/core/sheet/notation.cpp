#include "sheet/notation.h"

#include <algorithm>
#include <string>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace tavolo {
namespace {

// Token characters are drawn this many device pixels higher on the printer.
constexpr int kPrinterLift = 8;
// The largest character size whose fractions keep the fixed offsets.
constexpr int kLargestFixedFractionSize = 18;
// Texts of more characters than this are drawn a piece of this many at a
// time, and only while the pieces start left of the right limit. No page
// shows this many characters of a readable size in one row, so a text that
// fits on its page is still drawn whole, as one run.
constexpr std::size_t kLongTextPiece = 1024;

// Where a piece of at most `characters` characters at the start of text ends
// (bytes); a character keeps the code-variant tag that follows it.
std::size_t PieceEnd(std::string_view text, std::size_t characters) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < characters && pos < text.size(); ++n)
    pos += Utf8CharLength(text, pos);
  while (pos < text.size() && IsCodeVariantTag(Utf8CodePoint(text, pos)))
    pos += Utf8CharLength(text, pos);
  return pos;
}

// Draws text with its cell's top-left at (x, y) up to the right limit and
// returns the pen's x after it; text starting at or past the limit is not
// drawn, and the pen is only moved there.
int DrawTextToLimit(const DrawingContext& context, Canvas& canvas, int x, int y,
                    std::string_view text) {
  if (context.PastRightLimit(x)) {
    canvas.moveTo(x, y);
    return x;
  }
  while (true) {
    const std::size_t end = PieceEnd(text, kLongTextPiece);
    x = canvas.textOut(x, y, text.substr(0, end));
    text.remove_prefix(end);
    if (text.empty() || context.PastRightLimit(x)) return x;
  }
}

// A fraction bar at exactly from.y .. to.y, in the font colour; the pen is
// left as it was.
void DrawBar(const DrawingContext& context, Canvas& canvas, Point from, Point to) {
  const CanvasStateGuard keep(canvas);
  Pen& pen = canvas.pen();
  pen.color = canvas.font().color;
  pen.width = FractionBarWidth(context);
  pen.mode = PenMode::Copy;
  canvas.moveTo(from.x, from.y);
  canvas.lineTo(to.x, to.y);
}

bool IsTokenChar(char c) {
  return (c >= '0' && c <= '9') || c == '.' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         c == '?' || c == '[' || c == ']';
}

// Letters, digits and ASCII signs: on the printer, token drawing raises these
// by 8 device pixels (blanks and other characters stay put).
bool IsLiftedOnPrinter(unsigned char c) {
  return (c >= 0x21 && c <= 0x3F) || (c >= 0x41 && c <= 0x5B) || c == 0x5D ||
         (c >= 0x61 && c <= 0x7A);
}

bool HasNonAscii(std::string_view text) {
  for (unsigned char c : text)
    if (c >= 0x80) return true;
  return false;
}

// Draws one notation string. Holds the parse state of a single DrawMathText
// call; the exponent flag lives in the drawing context because it outlives
// the call.
class MathTextWriter {
 public:
  MathTextWriter(DrawingContext& context, Canvas& canvas, double scale)
      : context_(context), canvas_(canvas), scale_(scale) {}

  Point Draw(Point at, std::string_view text) {
    if (text.size() == 1 && static_cast<unsigned char>(text[0]) < 0x80) {
      if (text[0] == '#') return at;
      return {DrawPlainToken(at.x, at.y, text), at.y};
    }
    if (HasNonAscii(text)) {
      return {DrawTextToLimit(context_, canvas_, at.x, at.y + context_.lineRise, text), at.y};
    }
    return Parse(at, text);
  }

 private:
  enum class State { kPlain, kFraction, kCoefficient };

  Point Parse(Point at, std::string_view text) {
    const int y = at.y;
    int x = at.x;
    context_.exponentPending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (IsTokenChar(c)) {
        token_ += c;
        continue;
      }
      switch (c) {
        case '/':
        case '|':
          numerator_ = std::move(token_);
          token_.clear();
          state_ = c == '/' ? State::kFraction : State::kCoefficient;
          break;
        case ' ':
        case ')':
        case '+':
        case '-':
        case '=':
        case '_':
        case '}':
        case '(':
          x = Flush(x, y);
          x = DrawPlainToken(x, y, text.substr(i, 1));
          break;
        case '&':
          x = Flush(x, y);
          break;
        case '^':
          x = Flush(x, y);
          context_.exponentPending = true;
          break;
        case '*':
          x = DrawRelationSign(Flush(x, y), y, "×");
          break;
        case '\\':
          x = DrawRelationSign(Flush(x, y), y, "÷");
          break;
        case '>':
        case '<': {
          x = Flush(x, y);
          const bool orEqual = i + 1 < text.size() && text[i + 1] == '=';
          if (orEqual) ++i;
          const char* sign = c == '>' ? (orEqual ? "≧" : "＞") : (orEqual ? "≦" : "＜");
          x = DrawRelationSign(x, y, sign);
          break;
        }
        default:
          x = DrawAtDefaultChar(x, y, text, i);
          break;
      }
    }
    return {Flush(x, y), y};
  }

  // Ends the pending token: a plain token, or a fraction when a "/" or "|" is
  // open. The state stays, so "1/2+3/4" needs only the slashes.
  int Flush(int x, int y) {
    if (state_ == State::kPlain) {
      x = DrawPlainToken(x, y, token_);
    } else {
      if (numerator_.empty()) {
        numerator_ = std::move(token_);
        token_.clear();
      }
      x = DrawFraction(x, y, numerator_, token_);
    }
    token_.clear();
    numerator_.clear();
    return x;
  }

  // A character outside the notation ends the token or fraction and is drawn
  // itself, except in the coefficient form: there "2|3,x)" means 2x over 3,
  // the text up to ")" joining the numerator and the "," and ")" vanishing.
  int DrawAtDefaultChar(int x, int y, std::string_view text, std::size_t& i) {
    switch (state_) {
      case State::kPlain:
        x = DrawPlainToken(x, y, token_);
        x = DrawPlainToken(x, y, text.substr(i, 1));
        break;
      case State::kFraction:
        x = DrawFraction(x, y, numerator_, token_);
        x = DrawPlainToken(x, y, text.substr(i, 1));
        break;
      case State::kCoefficient: {
        std::size_t close = text.find(')', i + 1);
        std::size_t end = close != std::string_view::npos ? close : text.size() - 1;
        if (end < i + 1) end = i + 1;
        std::string numerator = numerator_ == "1" ? std::string() : numerator_;
        numerator.append(text.substr(i + 1, end - (i + 1)));
        x = DrawFraction(x, y, numerator, token_);
        // Skip the collected text and the ")"; without a ")" the last
        // character is still read as notation.
        i = close != std::string_view::npos ? close : end - 1;
        break;
      }
    }
    numerator_.clear();
    token_.clear();
    state_ = State::kPlain;
    return x;
  }

  // A token without denominator; an exponent when "^" came before it. An
  // empty token leaves a pending exponent for the next one. A plain token
  // ends two gaps after its last character: token drawing's and its own.
  int DrawPlainToken(int x, int y, std::string_view token) {
    if (token.empty()) return x;
    if (context_.exponentPending) {
      context_.exponentPending = false;
      if (context_.PastRightLimit(x)) return x;
      const CanvasStateGuard keep(canvas_);
      Font& font = canvas_.font();
      font.size = RoundHalfEven(font.size * 0.8);
      if (PieceEnd(token, kLongTextPiece) == token.size()) {
        std::string raised(token);
        raised += ' ';
        x = DrawTextToLimit(context_, canvas_, x, y, raised);
      } else {
        x = DrawTextToLimit(context_, canvas_, x, y, token);
        x = DrawTextToLimit(context_, canvas_, x, y, " ");
      }
      return x;
    }
    return DrawTokenChars(x, y + context_.lineRise, token) + context_.charGap;
  }

  // Draws a token character by character with a quarter gap between them,
  // up to the right limit; returns the end plus one gap. *drawn (when given)
  // is how many characters were laid out.
  int DrawTokenChars(int x, int y, std::string_view token, std::size_t* drawn = nullptr) {
    canvas_.moveTo(x, y);
    const int liftedY = context_.printing ? y - kPrinterLift : y;
    const int innerGap = context_.charGap / 4;
    std::size_t i = 0;
    for (; i < token.size() && !context_.PastRightLimit(x); ++i) {
      const unsigned char c = static_cast<unsigned char>(token[i]);
      if (c == '^') {
        // Only the coefficient form's collected text brings one here.
      } else {
        canvas_.textOut(x, IsLiftedOnPrinter(c) ? liftedY : y, token.substr(i, 1));
      }
      x = canvas_.penPos().x + innerGap;
    }
    if (drawn != nullptr) *drawn = i;
    return canvas_.penPos().x + context_.charGap;
  }

  int DrawRelationSign(int x, int y, std::string_view sign) {
    return DrawTextToLimit(context_, canvas_, x, y + context_.lineRise, sign) +
           context_.charGap / 2;
  }

  // Numerator over denominator, the shorter one centred under or over the
  // longer one by the longer one's average character width.
  int DrawFraction(int x, int y, std::string_view numerator, std::string_view denominator) {
    if (denominator.empty()) return DrawPlainToken(x, y, numerator);
    if (denominator.front() == '[') {
      if (denominator.find('R') != std::string_view::npos) {
        denominator.remove_prefix(1);
      } else {
        denominator = denominator.size() >= 2 ? denominator.substr(1, denominator.size() - 2)
                                              : std::string_view();
      }
    }
    if (context_.exponentPending) return DrawPlainToken(x, y, numerator);
    if (context_.PastRightLimit(x)) return x;

    const FractionLines lines = LinesFor(y);
    const int yN = lines.numerator;
    const int yD = lines.denominator;
    const int lenN = static_cast<int>(numerator.size());
    const int lenD = static_cast<int>(denominator.size());
    int barEnd;
    // The average character width of the longer part is taken over what of
    // it was laid out: all of it unless it ran past the right limit.
    std::size_t drawn = 0;
    if (lenN == lenD) {
      DrawTokenChars(x, yN, numerator);
      barEnd = canvas_.penPos().x;
      DrawTokenChars(x, yD, denominator);
    } else if (lenN > lenD) {
      DrawTokenChars(x, yN, numerator, &drawn);
      barEnd = canvas_.penPos().x;
      const int width = (barEnd - x) / static_cast<int>(std::max<std::size_t>(drawn, 1));
      DrawTokenChars(x + (width * (lenN - lenD)) / 2, yD, denominator);
    } else {
      DrawTokenChars(x, yD, denominator, &drawn);
      barEnd = canvas_.penPos().x;
      const int width = (barEnd - x) / static_cast<int>(std::max<std::size_t>(drawn, 1));
      DrawTokenChars(x + (width * (lenD - lenN)) / 2, yN, numerator);
    }
    const int overhang = RoundHalfEven(scale_);
    if (lines.large) {
      DrawBar(context_, canvas_, {x - overhang, lines.bar}, {barEnd + overhang, lines.bar});
    } else {
      DrawFractionBar(context_, canvas_, {x - overhang, lines.bar}, {barEnd + overhang, lines.bar});
    }
    return barEnd + overhang + 2 * context_.charGap;
  }

  // Where the parts of a fraction at reference y go: the token lines of
  // numerator and denominator (before the printer's lift) and the bar's y.
  struct FractionLines {
    int numerator;
    int denominator;
    int bar;
    bool large;  // the bar is where it goes, without the size correction
  };

  // Up to 18 points (the sizes the fixed offsets were made for) the parts sit
  // at fixed multiples of the line rise, which do not grow with the text: at
  // 20 points and more numerator, bar and denominator would run into each
  // other. There every offset follows the height of the text instead: the
  // bar where the line's text has its middle, numerator and denominator a
  // small gap above and below it, their cells (descent included) clear of it.
  FractionLines LinesFor(int y) const {
    const int lineRise = context_.lineRise;
    const int size = canvas_.font().size - (context_.printing ? kPrinterFontIncrease : 0);
    if (size <= kLargestFixedFractionSize) {
      return {y - RoundHalfEven(0.5 * lineRise), y + RoundHalfEven(2.5 * lineRise),
              y + RoundHalfEven(2.0 * lineRise), false};
    }
    const int height = canvas_.textHeight();
    const int gap = std::max(1, RoundHalfEven(0.05 * height));
    const int barWidth = FractionBarWidth(context_);
    // Token characters are drawn this much higher on the printer.
    const int lift = context_.printing ? kPrinterLift : 0;
    const int bar = y + lineRise - lift + RoundHalfEven(0.45 * height);
    const int barTop = bar - barWidth / 2;
    const int barBottom = barTop + barWidth;
    return {barTop - gap - height + lift, barBottom + gap + lift, bar, true};
  }

  DrawingContext& context_;
  Canvas& canvas_;
  const double scale_;
  State state_ = State::kPlain;
  std::string token_;
  std::string numerator_;
};

// How far a fraction bar moves up from where the arithmetic puts it, so that
// it sits between numerator and denominator at the common screen sizes.
int FractionBarCorrection(int fontSize, bool printing) {
  if (!printing) {
    switch (fontSize) {
      case 6:
      case 8:
        return 4;
      case 10:
        return 2;
      case 12:
        return 0;
      case 14:
        return -1;
      case 16:
        return -2;
      case 18:
        return -4;
      default:
        break;
    }
  }
  return 15 - fontSize;
}

}  // namespace

Point DrawMathText(DrawingContext& context, Canvas& canvas, int size, Point at, Color color,
                   std::string_view text, double scale) {
  if (text.empty()) return at;
  canvas.font().color = color;
  canvas.font().size = size;
  return MathTextWriter(context, canvas, scale).Draw(at, text);
}

void DrawFractionBar(const DrawingContext& context, Canvas& canvas, Point from, Point to) {
  const int correction = FractionBarCorrection(canvas.font().size, context.printing);
  DrawBar(context, canvas, {from.x, from.y - correction}, {to.x, to.y - correction});
}

int FractionBarWidth(const DrawingContext& context) {
  return context.printing && context.printerPageWidth > 2800 ? 4 : 1;
}

}  // namespace tavolo
