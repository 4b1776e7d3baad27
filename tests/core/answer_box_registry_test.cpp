#include "sheet/answer_box_registry.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "sheet/answer_box_geometry.h"
#include "sheet/grading_marks.h"
#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

TEST(AnswerBoxRegistryTest, RegistersInOrderAndKeepsStatusesAcrossPages) {
  AnswerBoxRegistry registry;
  registry.BeginPage();
  EXPECT_EQ(registry.Register(100, 98, "7", 12), 1);
  EXPECT_EQ(registry.Register(200, 98, "1/2;0.5", 12), 2);
  registry.SetWidth(2, 30);
  EXPECT_EQ(registry.count(), 2);
  EXPECT_EQ(registry.box(2).answerText, "1/2;0.5");
  EXPECT_EQ(registry.box(2).width, 30);

  // Grading writes statuses; a redraw rewrites geometry but not the judging state.
  registry.box(1).status = AnswerStatus::Correct;
  registry.box(2).status = AnswerStatus::CorrectAfterShown;
  registry.box(2).answerShown = true;
  registry.box(2).tries = 3;
  registry.BeginPage();
  EXPECT_EQ(registry.count(), 0);
  EXPECT_EQ(registry.Register(110, 99, "8", 14), 1);
  EXPECT_EQ(registry.Register(210, 99, "9", 14), 2);
  EXPECT_EQ(registry.box(1).status, AnswerStatus::Correct);
  EXPECT_EQ(registry.box(1).x, 110);
  EXPECT_EQ(registry.box(1).answerText, "8");
  EXPECT_EQ(registry.box(2).status, AnswerStatus::CorrectAfterShown);
  EXPECT_TRUE(registry.box(2).answerShown);
  EXPECT_EQ(registry.box(2).tries, 3);
  EXPECT_EQ(registry.box(2).width, 0);  // until the renderer measures the new answer

  registry.ResetStatuses();
  for (int n = 1; n <= AnswerBoxRegistry::kMaxBoxes; ++n)
    EXPECT_EQ(registry.box(n).status, AnswerStatus::NotJudged);
}

TEST(AnswerBoxRegistryTest, StopsAtEightyBoxes) {
  AnswerBoxRegistry registry;
  registry.BeginPage();
  for (int n = 1; n <= 80; ++n) EXPECT_EQ(registry.Register(n, n, std::to_string(n), 12), n);
  EXPECT_TRUE(registry.full());
  EXPECT_EQ(registry.Register(81, 81, "81", 12), 0);
  EXPECT_EQ(registry.count(), 80);
  EXPECT_EQ(registry.box(80).answerText, "80");
  EXPECT_THROW(registry.box(0), std::out_of_range);
  EXPECT_THROW(registry.box(81), std::out_of_range);
}

TEST(AnswerBoxGeometryTest, FieldHeightFollowsTheCharacterSize) {
  const std::pair<int, int> cases[] = {{8, 19}, {10, 21}, {12, 24}, {14, 27}, {50, 75}};
  for (const auto& [size, height] : cases) EXPECT_EQ(AnswerFieldHeight(size), height) << size;
}

TEST(AnswerBoxGeometryTest, BaseFrameAndFieldRectangles) {
  AnswerBox box;
  box.x = 100;
  box.y = 98;
  box.width = 20;
  const BoxStyle style{BoxKind::Rectangle, 15, 2, 12};
  const Rect base = AnswerBaseRect(box, style, 1.0, false);
  EXPECT_EQ(base, (Rect{100, 101, 117, 125}));
  EXPECT_EQ(AnswerFrameRect(base, style, 1.0), (Rect{100, 100, 200, 127}));
  // The practice field: 6 right of the answer, the frame's width, one field high.
  EXPECT_EQ(AnswerFieldRect(box, style), (Rect{106, 103, 206, 127}));
  // A negative kran width grows the frame leftwards from the base's right.
  const BoxStyle negative{BoxKind::Rectangle, -10, 2, 12};
  EXPECT_EQ(AnswerFrameRect(base, negative, 1.0).right, 117 + 5);
  // For the printer everything scales and the box moves right by 3 %.
  const Rect printed = AnswerBaseRect(box, style, 2.0, true);
  EXPECT_EQ(printed, (Rect{206, 202, 240, 250}));
}

struct MarkCase {
  GradingMark mark;
  CanvasCallKind kind;
  int penWidth;
  std::vector<Point> points;  // rectangle corners, line ends or polyline points
};

std::vector<Point> Shape(const CanvasCall& call) {
  switch (call.kind) {
    case CanvasCallKind::Line:
      return {call.from, call.to};
    case CanvasCallKind::Polyline:
      return call.points;
    default:
      return {{call.rect.left, call.rect.top}, {call.rect.right, call.rect.bottom}};
  }
}

TEST(GradingMarksTest, ShapesAroundAFieldAndItsFrame) {
  const Rect field{106, 103, 206, 130};  // w = 100
  const Rect frame{100, 99, 200, 132};
  const MarkCase cases[] = {
      {GradingMark::Circle, CanvasCallKind::Ellipse, 2, {{87, 86}, {222, 153}}},
      {GradingMark::Triangle,
       CanvasCallKind::Polyline,
       3,
       {{154, 91}, {76, 138}, {213, 138}, {154, 91}}},
      {GradingMark::PracticeSlash, CanvasCallKind::Line, 2, {{222, 86}, {87, 153}}},
      {GradingMark::TestSlash, CanvasCallKind::Line, 2, {{195, 94}, {105, 137}}},
  };
  for (const MarkCase& c : cases) {
    RecordingCanvas canvas;
    DrawGradingMark(canvas, c.mark, field, frame, Color::Red(), 1.0, false);
    SCOPED_TRACE(static_cast<int>(c.mark));
    ASSERT_EQ(canvas.calls().size(), 1u);
    const CanvasCall& call = canvas.calls()[0];
    EXPECT_EQ(call.kind, c.kind);
    EXPECT_EQ(call.pen.width, c.penWidth);
    EXPECT_EQ(call.pen.color, Color::Red());
    EXPECT_FALSE(call.brush.solid);
    EXPECT_EQ(Shape(call), c.points);
    EXPECT_EQ(canvas.pen().color, Color::Black());
  }

  RecordingCanvas review;
  DrawGradingMark(review, GradingMark::DoubleCircle, field, frame, Color::Green(), 1.0, false);
  ASSERT_EQ(review.calls().size(), 2u);
  EXPECT_EQ(review.calls()[0].rect, (Rect{88, 97, 221, 142}));
  EXPECT_EQ(review.calls()[1].rect, (Rect{79, 88, 230, 151}));

  // Printed: lengths double at scale 2 and the field moves right by 3 %.
  RecordingCanvas printed;
  DrawGradingMark(printed, GradingMark::Circle, field, frame, Color::Red(), 2.0, true);
  EXPECT_EQ(printed.calls()[0].rect, (Rect{180, 172, 450, 306}));
  EXPECT_EQ(printed.calls()[0].pen.width, 4);
}

TEST(GradingMarksTest, GradedSheetsMarkThreeStatuses) {
  EXPECT_EQ(SheetMarkFor(AnswerStatus::Correct), GradingMark::Circle);
  EXPECT_EQ(SheetMarkFor(AnswerStatus::Wrong), GradingMark::TestSlash);
  EXPECT_EQ(SheetMarkFor(AnswerStatus::CorrectAfterShown), GradingMark::Triangle);
  for (AnswerStatus status :
       {AnswerStatus::NotJudged, AnswerStatus::WrongInPractice, AnswerStatus::CorrectAfterRetry})
    EXPECT_FALSE(SheetMarkFor(status).has_value());
}

}  // namespace
}  // namespace tavolo
