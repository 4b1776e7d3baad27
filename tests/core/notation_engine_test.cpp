// The notation engine on the recording canvas (12 pt = 16 px cells, ASCII 8 px
// wide, other characters 16 px; lineRise 7, charGap 2 on the screen).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/notation.h"
#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

struct Drawn {
  std::string text;
  int x;
  int y;
  int size;
  bool operator==(const Drawn&) const = default;
};

void PrintTo(const Drawn& d, std::ostream* os) {
  *os << "\"" << d.text << "\"@(" << d.x << "," << d.y << ")/" << d.size;
}

std::vector<Drawn> TextsOf(const RecordingCanvas& canvas) {
  std::vector<Drawn> result;
  for (const auto& call : canvas.texts())
    result.push_back({call.text, call.from.x, call.from.y, call.font.size});
  return result;
}

std::vector<CanvasCall> LinesOf(const RecordingCanvas& canvas) {
  std::vector<CanvasCall> result;
  for (const auto& call : canvas.calls())
    if (call.kind == CanvasCallKind::Line) result.push_back(call);
  return result;
}

class NotationEngineTest : public ::testing::Test {
 protected:
  Point Draw(std::string_view text, Point at = {100, 50}, int size = 12) {
    return DrawMathText(context, canvas, size, at, Color::Blue(), text, context.sheetScale);
  }

  DrawingContext context;
  RecordingCanvas canvas;
};

struct PlainCase {
  const char* text;
  std::vector<Drawn> drawn;
  int endX;
};

TEST_F(NotationEngineTest, PlainTokensSignsAndBracketsFollowEachOther) {
  // A plain token ends its width + 2 gaps further; a sign half a gap after it.
  const std::vector<PlainCase> cases = {
      {"x", {{"x", 100, 57, 12}}, 112},
      {"ab", {{"a", 100, 57, 12}, {"b", 108, 57, 12}}, 120},
      {"a>=b", {{"a", 100, 57, 12}, {"≧", 112, 57, 12}, {"b", 129, 57, 12}}, 141},
      {"a<b", {{"a", 100, 57, 12}, {"＜", 112, 57, 12}, {"b", 129, 57, 12}}, 141},
      {"a>b", {{"a", 100, 57, 12}, {"＞", 112, 57, 12}, {"b", 129, 57, 12}}, 141},
      {"a<=b", {{"a", 100, 57, 12}, {"≦", 112, 57, 12}, {"b", 129, 57, 12}}, 141},
      {"2*3", {{"2", 100, 57, 12}, {"×", 112, 57, 12}, {"3", 129, 57, 12}}, 141},
      {"6\\2", {{"6", 100, 57, 12}, {"÷", 112, 57, 12}, {"2", 129, 57, 12}}, 141},
      {"(-3)+(+5)",
       {{"(", 100, 57, 12},
        {"-", 112, 57, 12},
        {"3", 124, 57, 12},
        {")", 136, 57, 12},
        {"+", 148, 57, 12},
        {"(", 160, 57, 12},
        {"+", 172, 57, 12},
        {"5", 184, 57, 12},
        {")", 196, 57, 12}},
       208},
      // "&" separates without drawing; "!" and "," are drawn after the token.
      {"a&b", {{"a", 100, 57, 12}, {"b", 112, 57, 12}}, 124},
      {"3!", {{"3", 100, 57, 12}, {"!", 112, 57, 12}}, 124},
      {"a,b", {{"a", 100, 57, 12}, {",", 112, 57, 12}, {"b", 124, 57, 12}}, 136},
      // Japanese text is one text-out, never parsed.
      {"３つの数1/2", {{"３つの数1/2", 100, 57, 12}}, 100 + 4 * 16 + 3 * 8},
      {"#", {}, 100},
  };
  for (const auto& c : cases) {
    canvas.clear();
    context.exponentPending = false;
    Point end = Draw(c.text);
    EXPECT_EQ(TextsOf(canvas), c.drawn) << c.text;
    EXPECT_EQ(end, (Point{c.endX, 50})) << c.text;
    EXPECT_TRUE(LinesOf(canvas).empty()) << c.text;
  }
}

TEST_F(NotationEngineTest, EmptyTextDrawsNothingAndSetsNothing) {
  canvas.font().size = 20;
  EXPECT_EQ(Draw(""), (Point{100, 50}));
  EXPECT_TRUE(canvas.calls().empty());
  EXPECT_EQ(canvas.font().size, 20);
}

TEST_F(NotationEngineTest, TextIsDrawnInTheGivenSizeAndColour) {
  Draw("ab", {0, 0}, 10);
  for (const auto& call : canvas.texts()) {
    EXPECT_EQ(call.font.size, 10);
    EXPECT_EQ(call.font.color, Color::Blue());
  }
}

struct FractionCase {
  const char* text;
  std::vector<Drawn> drawn;
  int barLeft, barRight;
  int endX;
};

TEST_F(NotationEngineTest, FractionsCentreTheShorterPartAndDrawTheBar) {
  // Numerator at y - round(3.5) = 46, denominator at y + round(17.5) = 68,
  // bar at y + 14 from x - 1 to the end of the longer part + 1.
  const std::vector<FractionCase> cases = {
      {"3/4", {{"3", 100, 46, 12}, {"4", 100, 68, 12}}, 99, 109, 113},
      {"12/5", {{"1", 100, 46, 12}, {"2", 108, 46, 12}, {"5", 104, 68, 12}}, 99, 117, 121},
      {"5/12", {{"1", 100, 68, 12}, {"2", 108, 68, 12}, {"5", 104, 46, 12}}, 99, 117, 121},
      {"123/4",
       {{"1", 100, 46, 12}, {"2", 108, 46, 12}, {"3", 116, 46, 12}, {"4", 108, 68, 12}},
       99,
       125,
       129},
      // Coefficient form: the text up to ")" joins the numerator; "1" drops.
      {"2|3,x)", {{"2", 100, 46, 12}, {"x", 108, 46, 12}, {"3", 104, 68, 12}}, 99, 117, 121},
      {"1|3,x)", {{"x", 100, 46, 12}, {"3", 100, 68, 12}}, 99, 109, 113},
      // A bracketed denominator loses its brackets.
      {"1/[2]", {{"1", 100, 46, 12}, {"2", 100, 68, 12}}, 99, 109, 113},
  };
  for (const auto& c : cases) {
    canvas.clear();
    Point end = Draw(c.text);
    EXPECT_EQ(TextsOf(canvas), c.drawn) << c.text;
    auto lines = LinesOf(canvas);
    ASSERT_EQ(lines.size(), 1u) << c.text;
    EXPECT_EQ(lines[0].from, (Point{c.barLeft, 64})) << c.text;
    EXPECT_EQ(lines[0].to, (Point{c.barRight, 64})) << c.text;
    EXPECT_EQ(lines[0].pen.color, Color::Blue()) << c.text;
    EXPECT_EQ(lines[0].pen.width, 1) << c.text;
    EXPECT_EQ(end, (Point{c.endX, 50})) << c.text;
  }
  EXPECT_EQ(canvas.pen().color, Color::Black());
}

TEST_F(NotationEngineTest, FractionFollowedBySeparatorAndNumber) {
  Point end = Draw("1/2&3");
  EXPECT_EQ(TextsOf(canvas),
            (std::vector<Drawn>{{"1", 100, 46, 12}, {"2", 100, 68, 12}, {"3", 113, 57, 12}}));
  EXPECT_EQ(LinesOf(canvas).size(), 1u);
  EXPECT_EQ(end.x, 125);
}

TEST_F(NotationEngineTest, TwoFractionsWithASignBetween) {
  Draw("1/2+3/4");
  EXPECT_EQ(TextsOf(canvas), (std::vector<Drawn>{{"1", 100, 46, 12},
                                                 {"2", 100, 68, 12},
                                                 {"+", 113, 57, 12},
                                                 {"3", 125, 46, 12},
                                                 {"4", 125, 68, 12}}));
  EXPECT_EQ(LinesOf(canvas).size(), 2u);
}

TEST_F(NotationEngineTest, UnmatchedSlashDrawsTheNumeratorAlone) {
  Point end = Draw("7/");
  EXPECT_EQ(TextsOf(canvas), (std::vector<Drawn>{{"7", 100, 57, 12}}));
  EXPECT_TRUE(LinesOf(canvas).empty());
  EXPECT_EQ(end.x, 112);
}

TEST_F(NotationEngineTest, ExponentIsSmallerAndRaisedWithATrailingBlank) {
  Point end = Draw("x^2");
  // 10 pt = 13 px cells, ASCII round(6.5) = 6 px.
  EXPECT_EQ(TextsOf(canvas), (std::vector<Drawn>{{"x", 100, 57, 12}, {"2 ", 112, 50, 10}}));
  EXPECT_EQ(end.x, 124);
  EXPECT_EQ(canvas.font().size, 12);
  EXPECT_FALSE(context.exponentPending);
}

TEST_F(NotationEngineTest, ExponentOverAFractionDropsTheDenominator) {
  Draw("2^3/4");
  EXPECT_EQ(TextsOf(canvas), (std::vector<Drawn>{{"2", 100, 57, 12}, {"3 ", 112, 50, 10}}));
  EXPECT_TRUE(LinesOf(canvas).empty());
}

TEST_F(NotationEngineTest, TrailingCaretCarriesOnlyIntoAOneCharacterText) {
  Draw("x^");
  EXPECT_TRUE(context.exponentPending);
  canvas.clear();
  Draw("2", {200, 50});
  EXPECT_EQ(TextsOf(canvas), (std::vector<Drawn>{{"2 ", 200, 50, 10}}));

  Draw("x^");
  canvas.clear();
  Draw("23", {200, 50});  // parsing clears the flag first
  EXPECT_EQ(TextsOf(canvas), (std::vector<Drawn>{{"2", 200, 57, 12}, {"3", 208, 57, 12}}));
}

TEST_F(NotationEngineTest, PrinterLiftsTokenCharactersButNotSigns) {
  context.StartPage(1.0, true, 12, 12, 4961);
  Draw("1/2*a b");
  auto texts = TextsOf(canvas);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0], (Drawn{"1", 100, 38, 12}));  // 46 - 8
  EXPECT_EQ(texts[1], (Drawn{"2", 100, 60, 12}));  // 68 - 8
  EXPECT_EQ(texts[2].text, "×");
  EXPECT_EQ(texts[2].y, 57);  // signs are not lifted
  EXPECT_EQ(texts[3], (Drawn{"a", texts[3].x, 49, 12}));
  EXPECT_EQ(texts[4].text, " ");
  EXPECT_EQ(texts[4].y, 57);  // nor is a blank
  auto lines = LinesOf(canvas);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].pen.width, 4);
  EXPECT_EQ(lines[0].from.y, 64 - 3);  // printer correction 15 - 12
}

TEST_F(NotationEngineTest, PrinterScaleWidensGapsAndOverhang) {
  // s = 2: lineRise 13, charGap round(12 * 2 / 6) = 4, inner gap 1.
  context.StartPage(2.0, true, 12, 12, 1260);
  Draw("12/5");
  auto texts = TextsOf(canvas);
  ASSERT_EQ(texts.size(), 3u);
  // yN = 50 - round(6.5) = 44, lifted 8; next character after 8 px + 1 gap.
  EXPECT_EQ(texts[0], (Drawn{"1", 100, 36, 12}));
  EXPECT_EQ(texts[1], (Drawn{"2", 109, 36, 12}));
  // w = (117 - 100) div 2 = 8; denominator at 100 + 4, yD = 50 + round(32.5) = 82.
  EXPECT_EQ(texts[2], (Drawn{"5", 104, 74, 12}));
  auto lines = LinesOf(canvas);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].from, (Point{98, 50 + 26 - 3}));
  EXPECT_EQ(lines[0].to, (Point{119, 50 + 26 - 3}));
  EXPECT_EQ(lines[0].pen.width, 1);  // a narrow printer keeps thin bars
}

// Up to 18 points a fraction keeps its fixed offsets (numerator 4 above the
// reference, denominator 18 below, bar 14 below with the size correction).
TEST_F(NotationEngineTest, FractionsUpToEighteenPointsKeepTheirCoordinates) {
  const std::pair<int, int> sizeAndBar[] = {{6, 60},  {8, 60},  {10, 62}, {11, 60},
                                            {14, 65}, {16, 66}, {18, 68}};
  for (auto [size, barY] : sizeAndBar) {
    canvas.clear();
    Draw("3/4", {100, 50}, size);
    const auto texts = TextsOf(canvas);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].y, 46) << size;
    EXPECT_EQ(texts[1].y, 68) << size;
    EXPECT_EQ(LinesOf(canvas)[0].from.y, barY) << size;
  }
}

// From 19 points up (the size control goes to 50) numerator, bar and
// denominator never touch, on the screen and on paper (where the text is 3
// points larger and letters and digits are raised).
TEST_F(NotationEngineTest, LargeFractionsKeepTheirPartsApart) {
  for (bool printing : {false, true}) {
    for (int size = 19; size <= 50; ++size) {
      for (const char* text : {"3/4", "12/5", "1/234", "2|3,x)"}) {
        SCOPED_TRACE(std::to_string(size) + (printing ? " printer " : " screen ") + text);
        const double scale = printing ? 4961 / 630.0 : 1.0;
        const int drawn = printing ? size + 3 : size;
        context.StartPage(scale, printing, size, drawn, printing ? 4961 : 0);
        RecordingCanvas device(printing ? 600 : 96);
        DrawMathText(context, device, drawn, {1000, 500}, Color::Blue(), text, scale);
        const auto lines = LinesOf(device);
        ASSERT_EQ(lines.size(), 1u);
        const int barTop = lines[0].from.y - lines[0].pen.width / 2;
        const int barBottom = barTop + lines[0].pen.width;
        int above = 0, below = 0;
        for (const CanvasCall& part : device.texts()) {
          if (part.rect.bottom <= barTop - 1) {
            ++above;
          } else {
            EXPECT_GE(part.rect.top, barBottom + 1) << part.text;
            ++below;
          }
        }
        EXPECT_GT(above, 0);
        EXPECT_GT(below, 0);
        // The bar stays beside the line's ordinary text (its cell from
        // 500 + lineRise), not far above or below it.
        const int textTop = 500 + context.lineRise;
        EXPECT_GT(lines[0].from.y, textTop);
        EXPECT_LT(lines[0].from.y, textTop + device.PixelSize(drawn));
      }
    }
  }
}

TEST(FractionBarTest, CorrectionDependsOnFontSizeAndDevice) {
  struct Case {
    int size;
    bool printing;
    int shift;
  };
  const Case cases[] = {{6, false, 4},   {8, false, 4},   {10, false, 2},  {12, false, 0},
                        {14, false, -1}, {16, false, -2}, {18, false, -4}, {11, false, 4},
                        {20, false, -5}, {5, false, 10},  {12, true, 3},   {15, true, 0},
                        {8, true, 7}};
  for (const auto& c : cases) {
    DrawingContext context;
    context.printing = c.printing;
    RecordingCanvas canvas;
    canvas.font().size = c.size;
    canvas.font().color = Color::Red();
    DrawFractionBar(context, canvas, {10, 100}, {30, 100});
    ASSERT_EQ(canvas.calls().size(), 1u);
    const auto& line = canvas.calls()[0];
    EXPECT_EQ(line.from, (Point{10, 100 - c.shift})) << c.size << " " << c.printing;
    EXPECT_EQ(line.to, (Point{30, 100 - c.shift})) << c.size << " " << c.printing;
    EXPECT_EQ(line.pen.color, Color::Red());
    EXPECT_EQ(canvas.pen().color, Color::Black());
    EXPECT_EQ(canvas.pen().width, 1);
  }
}

TEST(FractionBarTest, WidthIsFourOnlyOnWidePrinters) {
  DrawingContext context;
  EXPECT_EQ(FractionBarWidth(context), 1);
  context.StartPage(1.0, true, 12, 15, 2800);
  EXPECT_EQ(FractionBarWidth(context), 1);
  context.StartPage(1.0, true, 12, 15, 2801);
  EXPECT_EQ(FractionBarWidth(context), 4);
  context.StartPage(1.0, false, 12, 12, 4000);
  EXPECT_EQ(FractionBarWidth(context), 1);
}

TEST(DrawingContextTest, StartPageDerivesSpacingAndResetsRunningValues) {
  DrawingContext context;
  context.markupSizeOffset = 6;
  context.exponentPending = true;
  context.RecordSegmentStart({1, 2});
  context.StartPage(4961.0 / 630.0, true, 12, 15, 4961);
  EXPECT_EQ(context.lineRise, 53);  // round(6.732 * 7.874...)
  EXPECT_EQ(context.charGap, 16);   // round(12 * 7.874 / 6) = round(15.75)
  EXPECT_EQ(context.notationFontSize, 15);
  EXPECT_EQ(context.markupSizeOffset, 0);
  EXPECT_FALSE(context.exponentPending);
  EXPECT_TRUE(context.segmentStarts.empty());
  for (std::size_t i = 0; i < DrawingContext::kMaxSegments + 5; ++i)
    context.RecordSegmentStart({0, 0});
  EXPECT_EQ(context.segmentStarts.size(), DrawingContext::kMaxSegments);
}

TEST(DrawingContextTest, RoundingHalvesGoToEven) {
  const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},
                                          {2.49, 2},  {2.51, 3},  {-0.5, 0},  {-1.5, -2},
                                          {-2.5, -2}, {-2.6, -3}, {17.5, 18}, {6.732, 7}};
  for (auto [value, expected] : cases) EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

}  // namespace
}  // namespace tavolo
