#include "sheet/grading_marks.h"

#include <array>

#include "sheet/drawing_context.h"

namespace tavolo {

namespace {

// Turns lengths at scale 1 into device pixels.
class MarkSpace {
 public:
  MarkSpace(double scale, bool printing) : scale_(scale), printing_(printing) {}

  // A rectangle's left as the printed boxes place it.
  double Shift(const Rect& r) const { return printing_ ? r.left * 0.03 : 0.0; }
  int At(double v) const { return RoundHalfEven(v * scale_); }
  int Pen(int width) const {
    const int w = At(width);
    return w < 1 ? 1 : w;
  }
  Point P(double x, double y) const { return {At(x), At(y)}; }

 private:
  double scale_;
  bool printing_;
};

}  // namespace

std::optional<GradingMark> SheetMarkFor(AnswerStatus status) {
  switch (status) {
    case AnswerStatus::Correct:
      return GradingMark::Circle;
    case AnswerStatus::Wrong:
      return GradingMark::TestSlash;
    case AnswerStatus::CorrectAfterShown:
      return GradingMark::Triangle;
    case AnswerStatus::NotJudged:
    case AnswerStatus::WrongInPractice:
    case AnswerStatus::CorrectAfterRetry:
      break;
  }
  return std::nullopt;
}

void DrawGradingMark(Canvas& canvas, GradingMark mark, const Rect& field, const Rect& frame,
                     Color color, double scale, bool printing) {
  const MarkSpace space(scale, printing);
  const double w = field.Width();
  const double dx = space.Shift(field);
  // The base rectangle sits 3 units below the field.
  const double left = field.left + dx;
  const double top = field.top + 3;
  const double right = field.right + dx;
  const double bottom = field.bottom + 3;

  const CanvasStateGuard keep(canvas);
  canvas.brush().solid = false;
  Pen& pen = canvas.pen();
  pen.color = color;
  pen.style = PenStyle::Solid;
  pen.mode = PenMode::Copy;
  switch (mark) {
    case GradingMark::Circle: {
      pen.width = space.Pen(2);
      const double l = left - 9, r = right + 6;
      canvas.ellipse({space.At(l - 0.1 * w), space.At(top - 0.2 * w), space.At(r + 0.1 * w),
                      space.At(bottom + 0.2 * w)});
      break;
    }
    case GradingMark::DoubleCircle: {
      pen.width = space.Pen(2);
      const double l = left - 9, r = right + 6;
      const int d = RoundHalfEven(0.09 * w);
      for (int k = 1; k <= 2; ++k) {
        canvas.ellipse({space.At(l - k * d), space.At(top - k * d), space.At(r + k * d),
                        space.At(bottom + k * d)});
      }
      break;
    }
    case GradingMark::Triangle: {
      pen.width = space.Pen(3);
      const double r = right - 3;
      const double centre = static_cast<int>(left + r) / 2;
      const std::array<Point, 4> points = {space.P(centre, top - 15),
                                           space.P(left - 30, bottom + 5),
                                           space.P(r + 10, bottom + 5), space.P(centre, top - 15)};
      canvas.polyline(points);
      break;
    }
    case GradingMark::PracticeSlash: {
      pen.width = space.Pen(2);
      const double l = left - 9, r = right + 6;
      canvas.line(space.At(r + 0.1 * w), space.At(top - 0.2 * w), space.At(l - 0.1 * w),
                  space.At(bottom + 0.2 * w));
      break;
    }
    case GradingMark::TestSlash: {
      pen.width = space.Pen(2);
      const double fdx = space.Shift(frame);
      canvas.line(space.At(frame.right + fdx - 0.05 * w), space.At(frame.top - 0.05 * w),
                  space.At(frame.left + fdx + 0.05 * w), space.At(frame.bottom + 0.05 * w));
      break;
    }
  }
}

}  // namespace tavolo
