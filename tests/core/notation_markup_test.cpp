// Segments with "@" markup through DrawMarkedText on the recording canvas.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/notation.h"
#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

class NotationMarkupTest : public ::testing::Test {
 protected:
  void SetUp() override { context.StartPage(1.0, false, 12, 12); }

  Point Draw(std::string_view text, Point at = {100, 40}) {
    return DrawMarkedText(context, canvas, text, at, context.sheetScale, 12);
  }

  DrawingContext context;
  RecordingCanvas canvas;
};

TEST_F(NotationMarkupTest, StyleHoldsForTheWholeRangeUpToTheEndCode) {
  canvas.font().color = Color::Blue();
  Point end = Draw("x@Byz@/w");
  auto texts = canvas.texts();
  ASSERT_EQ(texts.size(), 4u);
  // The segment's text line is lineRise below the drawing point, itself
  // lineRise below the line: 40 + 7 + 7.
  EXPECT_EQ(texts[0].text, "x");
  EXPECT_EQ(texts[0].from, (Point{100, 54}));
  EXPECT_FALSE(texts[0].font.style.bold);
  EXPECT_EQ(texts[1].text, "y");
  EXPECT_EQ(texts[1].from, (Point{112, 54}));
  EXPECT_TRUE(texts[1].font.style.bold);
  EXPECT_EQ(texts[2].text, "z");
  EXPECT_TRUE(texts[2].font.style.bold);
  EXPECT_EQ(texts[3].text, "w");
  EXPECT_EQ(texts[3].from, (Point{132, 54}));
  EXPECT_FALSE(texts[3].font.style.bold);
  for (const auto& t : texts) EXPECT_EQ(t.font.color, Color::Blue());
  // The pen position after the last character, not the gap after it.
  EXPECT_EQ(end, (Point{140, 54}));
  EXPECT_TRUE(canvas.font().style.IsNormal());
}

TEST_F(NotationMarkupTest, EachStyleCodeAddsItsStyle) {
  struct Case {
    const char* text;
    FontStyle style;
  };
  const Case cases[] = {
      {"@Ba", {true, false, false, false}},    {"@Ia", {false, true, false, false}},
      {"@Ua", {false, false, true, false}},    {"@Xa", {true, false, true, false}},
      {"@_a", {false, false, false, true}},    {"@B@Ia", {true, true, false, false}},
      {"@B@/a", {false, false, false, false}}, {"@Uあいう", {false, false, true, false}},
  };
  for (const auto& c : cases) {
    canvas.clear();
    Draw(c.text);
    auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 1u) << c.text;
    EXPECT_EQ(texts[0].font.style, c.style) << c.text;
  }
}

TEST_F(NotationMarkupTest, SizeCodes) {
  struct Case {
    const char* text;
    bool printing;
    int size;
    int offsetAfter;
  };
  const Case cases[] = {
      {"@+a", false, 14, 2},   {"@+@+a", false, 16, 4}, {"@-a", false, 10, -2},
      {"@+@-a", false, 12, 0}, {"@+@=a", false, 12, 0}, {"@0a", false, 12, 0},
      {"@3a", false, 18, 0},   {"@9a", false, 30, 0},   {"@+@3a", false, 18, 2},
      {"@+a", true, 15, 2},  // round(14 x 1.1) = round(15.4)
      {"@3a", true, 19, 0},  // round(6 x 1.1 + 12) = round(18.6)
      {"@=a", true, 12, 0},
  };
  for (const auto& c : cases) {
    context.StartPage(1.0, c.printing, 12, 12, 1000);
    canvas.clear();
    Draw(c.text);
    auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 1u) << c.text;
    EXPECT_EQ(texts[0].font.size, c.size) << c.text;
    EXPECT_EQ(context.markupSizeOffset, c.offsetAfter) << c.text;
  }
}

TEST_F(NotationMarkupTest, SizeChangeRunsOnIntoLaterSegmentsOfThePageOnly) {
  Draw("@+a");
  canvas.clear();
  Draw("b");
  EXPECT_EQ(canvas.texts()[0].font.size, 14);
  // A new page starts from the drawing size again, however often it is redrawn.
  context.StartPage(1.0, false, 12, 12);
  canvas.clear();
  Draw("@+a");
  EXPECT_EQ(canvas.texts()[0].font.size, 14);
}

TEST_F(NotationMarkupTest, RunsOfSizeCodesStayWithinReadableSizes) {
  std::string ups;
  for (int i = 0; i < 2000; ++i) ups += "@+";
  Draw(ups + "a");
  EXPECT_LE(canvas.texts().back().font.size, 500);
  std::string downs;
  for (int i = 0; i < 4000; ++i) downs += "@-";
  canvas.clear();
  Draw(downs + "a");
  EXPECT_GE(canvas.texts().back().font.size, 1);
}

TEST_F(NotationMarkupTest, UnknownCodesAndPlainSignsAreDrawn) {
  struct Case {
    const char* text;
    std::vector<std::string> drawn;
  };
  const std::vector<Case> cases = {
      {"-3", {"-", "3"}},         // a minus without "@" is no size code
      {"a@Qb", {"a", "Q", "b"}},  // "Q" is not a code
      {"@@", {"@"}},              // "@" as a code character is drawn
      {"a@", {"a"}},              // a trailing "@" draws nothing
      {"@あい", {"あ", "い"}},    // a Japanese code character stays whole
      {"a@#b", {"a", "b"}},       // a lone "#" code draws nothing
  };
  for (const auto& c : cases) {
    canvas.clear();
    Draw(c.text);
    std::vector<std::string> drawn;
    for (const auto& t : canvas.texts()) drawn.push_back(t.text);
    EXPECT_EQ(drawn, c.drawn) << c.text;
  }
}

TEST_F(NotationMarkupTest, FractionInASegmentEndsAtItsBar) {
  Point end = Draw("1/2");
  // Drawing point (100, 47); bar at 47 + 14 from 99 to 109.
  EXPECT_EQ(end, (Point{109, 61}));
}

TEST_F(NotationMarkupTest, SegmentsAreListedWithTheirStartEvenWhenEmpty) {
  EXPECT_EQ(Draw("", {5, 6}), (Point{5, 6}));
  EXPECT_EQ(Draw("@B", {7, 8}), (Point{7, 15}));  // nothing drawn: the drawing point
  Draw("a", {9, 10});
  EXPECT_EQ(context.segmentStarts, (std::vector<Point>{{5, 6}, {7, 8}, {9, 10}}));
  EXPECT_EQ(canvas.texts().size(), 1u);
}

}  // namespace
}  // namespace tavolo
