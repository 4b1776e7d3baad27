// The recording canvas's documented metrics, which every layout test relies on.

#include <gtest/gtest.h>

#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

TEST(RecordingCanvasTest, MetricsFollowTheDocumentedRules) {
  struct Case {
    int dpi;
    int points;
    const char* text;
    int pixelSize;
    int width;
  };
  const Case cases[] = {
      {96, 12, "ab", 16, 16}, {96, 12, "あ", 16, 16},    {96, 12, "aあ", 16, 24},
      {96, 10, "1", 13, 6},   {96, 9, "x", 12, 6},       {96, 15, "≧", 20, 20},
      {96, 12, "", 16, 0},    {600, 15, "12", 125, 124}, {600, 15, "数", 125, 125},
      {96, 12, "ｱ", 16, 16},  // half-width katakana counts as "any other"
  };
  for (const auto& c : cases) {
    RecordingCanvas canvas(c.dpi);
    canvas.font().size = c.points;
    EXPECT_EQ(canvas.PixelSize(c.points), c.pixelSize) << c.text;
    EXPECT_EQ(canvas.textWidth(c.text), c.width) << c.text;
  }
}

TEST(RecordingCanvasTest, RecordsEachCallWithTheStateOfItsTime) {
  RecordingCanvas canvas;
  canvas.font().color = Color::Blue();
  EXPECT_EQ(canvas.textOut(10, 20, "ab"), 26);
  EXPECT_EQ(canvas.penPos(), (Point{26, 20}));
  canvas.pen().width = 3;
  canvas.moveTo(1, 2);
  canvas.lineTo(5, 6);
  EXPECT_EQ(canvas.penPos(), (Point{5, 6}));
  canvas.line(7, 8, 9, 10);  // leaves the pen where it was
  EXPECT_EQ(canvas.penPos(), (Point{5, 6}));
  canvas.drawImage({0, 0, 4, 4}, CanvasImage{4, 4, "fig1.bmp", nullptr});

  const auto& calls = canvas.calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].kind, CanvasCallKind::TextOut);
  EXPECT_EQ(calls[0].rect, (Rect{10, 20, 26, 36}));
  EXPECT_EQ(calls[0].font.color, Color::Blue());
  EXPECT_EQ(calls[0].pen.width, 1);
  EXPECT_EQ(calls[1].from, (Point{1, 2}));
  EXPECT_EQ(calls[1].to, (Point{5, 6}));
  EXPECT_EQ(calls[1].pen.width, 3);
  EXPECT_EQ(calls[2].from, (Point{7, 8}));
  EXPECT_EQ(calls[3].text, "fig1.bmp");
  EXPECT_EQ(canvas.texts().size(), 1u);
}

TEST(RecordingCanvasTest, StateGuardsBringBackFontPenAndBrushNotThePenPosition) {
  RecordingCanvas canvas;
  canvas.font().size = 10;
  canvas.pen().width = 2;
  {
    const CanvasStateGuard outer(canvas);
    canvas.font().size = 20;
    canvas.brush().solid = true;
    {
      const CanvasStateGuard inner(canvas);
      canvas.pen() = Pen{Color::Red(), 5, PenStyle::Dot, PenMode::NotXor};
      canvas.font().style.bold = true;
      canvas.textOut(0, 0, "a");
    }
    EXPECT_EQ(canvas.pen(), (Pen{Color::Black(), 2}));
    EXPECT_EQ(canvas.font().size, 20);
    EXPECT_FALSE(canvas.font().style.bold);
    EXPECT_TRUE(canvas.brush().solid);
    canvas.moveTo(40, 50);
  }
  EXPECT_EQ(canvas.font().size, 10);
  EXPECT_FALSE(canvas.brush().solid);
  EXPECT_EQ(canvas.penPos(), (Point{40, 50}));
  canvas.Restore();  // without a Save: nothing happens
  EXPECT_EQ(canvas.font().size, 10);
  // Only the drawing was written down, in the state of its time.
  ASSERT_EQ(canvas.calls().size(), 1u);
  EXPECT_EQ(canvas.calls()[0].pen.width, 5);
  EXPECT_EQ(canvas.calls()[0].font.size, 20);
}

TEST(RecordingCanvasTest, ColoursFromStoredBlueGreenRedValues) {
  EXPECT_EQ(Color::FromBgr(0xFF0000), Color::Blue());
  EXPECT_EQ(Color::FromBgr(0x0000FF), Color::Red());
  EXPECT_EQ(Color::FromBgr(0x808080), Color::Grey());
  EXPECT_EQ(Color::FromBgr(0x008000), Color::Green());
}

}  // namespace
}  // namespace tavolo
