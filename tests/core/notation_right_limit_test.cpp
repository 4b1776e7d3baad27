// Text past the drawing context's right limit is not laid out: what is drawn
// left of it is exactly what an unlimited layout draws, and the parse state
// that later text depends on is the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sheet/notation.h"
#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

constexpr Point kAt{100, 40};
constexpr int kLimit = 400;

struct Drawing {
  std::vector<CanvasCall> calls;
  Point end;
  bool exponentPending = false;
  int notationFontSize = 0;
};

Drawing DrawWithLimit(std::string_view text, int limit, bool printing = false) {
  DrawingContext context;
  context.StartPage(1.0, printing, 12, 12);
  if (limit > 0) context.rightLimit = limit;
  RecordingCanvas canvas;
  Drawing drawing;
  drawing.end = DrawMarkedText(context, canvas, text, kAt, 1.0, 12);
  drawing.calls = canvas.calls();
  drawing.exponentPending = context.exponentPending;
  drawing.notationFontSize = context.notationFontSize;
  return drawing;
}

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// Where the item a call belongs to was laid out: a fraction bar starts one
// overhang (1 pixel at this scale) left of its fraction.
int LaidOutAt(const CanvasCall& call) {
  return call.kind == CanvasCallKind::Line ? std::min(call.from.x, call.to.x) + 1 : call.from.x;
}

TEST(NotationRightLimitTest, NotationIsCutAtTheLimitAndKeepsItsState) {
  // Each text runs well past the limit; what is drawn is the unlimited
  // drawing up to the first call at or past the limit.
  const std::string cases[] = {
      Repeat("12345", 100),                 // one long token
      Repeat("1/2+", 100),                  // fractions
      Repeat("123456/7+", 60),              // a long numerator over a short denominator
      Repeat("7/123456+", 60),              // a short numerator over a long one
      Repeat("x^2*y>=3\\", 60),             // exponents and signs
      Repeat("a@B2@/@+b", 80),              // markup: sizes carry on past the limit
      Repeat("3+", 200) + "x^",             // an exponent left pending at the end
      "1" + Repeat("0", 2000) + "/7",       // a fraction longer than the page
      Repeat("2|3,x)+", 60),                // the coefficient form
      Repeat("@+", 30) + Repeat("9", 300),  // size codes, then text
  };
  for (bool printing : {false, true}) {
    for (const std::string& text : cases) {
      SCOPED_TRACE(text.substr(0, 30) + (printing ? " (printer)" : ""));
      const Drawing full = DrawWithLimit(text, 0, printing);
      const Drawing cut = DrawWithLimit(text, kLimit, printing);
      ASSERT_LT(cut.calls.size(), full.calls.size());
      ASSERT_FALSE(cut.calls.empty());
      // Every call that starts left of the limit, and no other; a fraction
      // bar that crosses it ends past it either way.
      std::vector<CanvasCall> expected;
      for (const CanvasCall& call : full.calls)
        if (LaidOutAt(call) < kLimit) expected.push_back(call);
      ASSERT_EQ(cut.calls.size(), expected.size());
      for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(cut.calls[k].kind, expected[k].kind) << k;
        EXPECT_EQ(cut.calls[k].text, expected[k].text) << k;
        EXPECT_EQ(cut.calls[k].from, expected[k].from) << k;
        EXPECT_EQ(cut.calls[k].font, expected[k].font) << k;
        EXPECT_EQ(cut.calls[k].to.y, expected[k].to.y) << k;
        EXPECT_GE(cut.calls[k].to.x, std::min(expected[k].to.x, kLimit)) << k;
      }
      EXPECT_GE(cut.end.x, kLimit);
      EXPECT_EQ(cut.exponentPending, full.exponentPending);
      EXPECT_EQ(cut.notationFontSize, full.notationFontSize);
    }
  }
}

TEST(NotationRightLimitTest, TextsThatFitAreDrawnAsEverWhateverTheLimit) {
  for (const std::string text : {"(1) ０より７大きい数　", "1/2+3/4=5/4", "x^2@Bあ@/", "ア"}) {
    const Drawing full = DrawWithLimit(text, 0);
    const Drawing limited = DrawWithLimit(text, full.end.x + 1);
    ASSERT_EQ(limited.calls.size(), full.calls.size()) << text;
    for (std::size_t k = 0; k < full.calls.size(); ++k) {
      EXPECT_EQ(limited.calls[k].text, full.calls[k].text);
      EXPECT_EQ(limited.calls[k].from, full.calls[k].from);
    }
    EXPECT_EQ(limited.end, full.end);
  }
}

TEST(NotationRightLimitTest, LongJapaneseTextGoesOutInPiecesUpToTheLimit) {
  struct Case {
    std::string text;
    int limit;
    std::size_t calls;  // text-outs expected
  };
  // 1024 characters at 16 pixels reach 16384 pixels past the start.
  const Case cases[] = {
      {Repeat("あ", 1000), kLimit, 1},           // short enough: one run, however far it reaches
      {Repeat("あ", 5000), kLimit, 1},           // the first piece is past the limit
      {Repeat("あ", 5000), 100 + 16384 + 1, 2},  // the second starts just left of it
      {Repeat("あ", 3000), 1000000, 3},          // all of it, in three pieces
      // A character keeps its variant tag: 1025 code points a piece.
      {"x" + Repeat("あ\uFE0C", 3000), 1000000, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    const Drawing drawing = DrawWithLimit(c.text, c.limit);
    ASSERT_EQ(drawing.calls.size(), c.calls);
    std::string drawn;
    int x = kAt.x;
    for (const CanvasCall& call : drawing.calls) {
      EXPECT_EQ(call.from.x, x);  // each piece where the last ended
      EXPECT_FALSE(call.text.starts_with("\uFE0C"));
      x = call.rect.right;
      drawn += call.text;
    }
    EXPECT_TRUE(c.text.starts_with(drawn));
    if (c.limit == 1000000) {
      EXPECT_EQ(drawn, c.text);
    }
  }
}

TEST(NotationRightLimitTest, NothingIsDrawnFromPastTheLimit) {
  for (const std::string text : {"abc", "1/2", "あいう", "x^2", "@B1@/", ">="}) {
    const Drawing drawing = DrawWithLimit(text, kAt.x);
    EXPECT_TRUE(drawing.calls.empty()) << text;
    EXPECT_GE(drawing.end.x, kAt.x) << text;
  }
}

}  // namespace
}  // namespace tavolo
