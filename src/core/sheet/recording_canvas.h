#pragma once
// A canvas that draws nothing and writes down every drawing call, with the
// font, pen and brush in effect at the time, so that tests can assert exact
// coordinates and fuzzers and benchmarks can run the drawing code without a
// display. Save() and Restore() are not written down: what they do shows in
// the state the later calls carry.
//
// Metrics (fixed, so that positions follow by hand arithmetic):
//   pixel size of a font = round(points x dpi / 72), halves to even (dpi 96 by
//     default: 12 pt -> 16 px, 10 pt -> 13 px, 9 pt -> 12 px);
//   an ASCII character is round(0.5 x pixel size) wide (12 pt -> 8 px);
//   any other character is pixel size wide (12 pt -> 16 px), except the
//     invisible code-variant tags (platform/cp932.h), which take no room;
//   the text cell is pixel size high.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/canvas.h"

namespace tavolo {

enum class CanvasCallKind {
  TextOut,
  Line,
  Rectangle,
  RoundRect,
  Ellipse,
  Polyline,
  FillRect,
  DrawImage
};

struct CanvasCall {
  CanvasCallKind kind = CanvasCallKind::TextOut;
  std::string text;           // TextOut: the text; DrawImage: the image's name
  Point from;                 // TextOut: top-left of the cell; Line: start
  Point to;                   // Line: end
  Rect rect;                  // TextOut: the cell; shapes, fills and images: their bounds
  int ellipseWidth = 0;       // RoundRect
  int ellipseHeight = 0;      // RoundRect
  std::vector<Point> points;  // Polyline
  Color color;                // FillRect
  Font font;
  Pen pen;
  Brush brush;
};

class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(int dpi = 96) : dpi_(dpi) {}

  const std::vector<CanvasCall>& calls() const { return calls_; }
  void clear() { calls_.clear(); }
  // The text-out calls only, in order.
  std::vector<CanvasCall> texts() const;
  // One line per call, for failure messages and debugging.
  std::string Describe() const;

  int PixelSize(int points) const;
  int CharWidth(char32_t character, int points) const;

  int textWidth(std::string_view text) override;
  int textHeight() override { return PixelSize(font().size); }
  void rectangle(const Rect& rect) override;
  void roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) override;
  void ellipse(const Rect& bounds) override;
  void polyline(std::span<const Point> points) override;
  void fillRect(const Rect& rect, Color color) override;
  void drawImage(const Rect& rect, const CanvasImage& image) override;

 protected:
  int DrawText(int x, int y, std::string_view text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;

 private:
  CanvasCall& Record(CanvasCallKind kind);

  int dpi_;
  std::vector<CanvasCall> calls_;
};

}  // namespace tavolo
