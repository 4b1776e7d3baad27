#include "sheet/recording_canvas.h"

#include <sstream>

#include "platform/cp932.h"
#include "platform/utf8.h"
#include "sheet/drawing_context.h"

namespace tavolo {

int RecordingCanvas::PixelSize(int points) const {
  return RoundHalfEven(static_cast<double>(points) * dpi_ / 72.0);
}

int RecordingCanvas::CharWidth(char32_t character, int points) const {
  if (IsCodeVariantTag(character)) return 0;
  int pixels = PixelSize(points);
  return character < 0x80 ? RoundHalfEven(0.5 * pixels) : pixels;
}

int RecordingCanvas::textWidth(std::string_view text) {
  int width = 0;
  int points = font().size;
  for (std::size_t pos = 0; pos < text.size();) {
    width += CharWidth(Utf8CodePoint(text, pos), points);
    pos += Utf8CharLength(text, pos);
  }
  return width;
}

CanvasCall& RecordingCanvas::Record(CanvasCallKind kind) {
  CanvasCall& call = calls_.emplace_back();
  call.kind = kind;
  call.font = font();
  call.pen = pen();
  call.brush = brush();
  return call;
}

int RecordingCanvas::DrawText(int x, int y, std::string_view text) {
  int advance = textWidth(text);
  CanvasCall& call = Record(CanvasCallKind::TextOut);
  call.text = std::string(text);
  call.from = {x, y};
  call.rect = {x, y, x + advance, y + PixelSize(font().size)};
  return advance;
}

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  CanvasCall& call = Record(CanvasCallKind::Line);
  call.from = {x1, y1};
  call.to = {x2, y2};
}

void RecordingCanvas::rectangle(const Rect& rect) { Record(CanvasCallKind::Rectangle).rect = rect; }

void RecordingCanvas::roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
  CanvasCall& call = Record(CanvasCallKind::RoundRect);
  call.rect = rect;
  call.ellipseWidth = ellipseWidth;
  call.ellipseHeight = ellipseHeight;
}

void RecordingCanvas::ellipse(const Rect& bounds) { Record(CanvasCallKind::Ellipse).rect = bounds; }

void RecordingCanvas::polyline(std::span<const Point> points) {
  Record(CanvasCallKind::Polyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::fillRect(const Rect& rect, Color color) {
  CanvasCall& call = Record(CanvasCallKind::FillRect);
  call.rect = rect;
  call.color = color;
}

void RecordingCanvas::drawImage(const Rect& rect, const CanvasImage& image) {
  CanvasCall& call = Record(CanvasCallKind::DrawImage);
  call.rect = rect;
  call.text = image.name;
}

std::vector<CanvasCall> RecordingCanvas::texts() const {
  std::vector<CanvasCall> result;
  for (const auto& call : calls_)
    if (call.kind == CanvasCallKind::TextOut) result.push_back(call);
  return result;
}

std::string RecordingCanvas::Describe() const {
  std::ostringstream out;
  for (const auto& call : calls_) {
    switch (call.kind) {
      case CanvasCallKind::TextOut:
        out << "text \"" << call.text << "\" at (" << call.from.x << "," << call.from.y << ") size "
            << call.font.size << (call.font.style.bold ? " bold" : "")
            << (call.font.style.italic ? " italic" : "")
            << (call.font.style.underline ? " underline" : "")
            << (call.font.style.strikeout ? " strikeout" : "");
        break;
      case CanvasCallKind::Line:
        out << "line (" << call.from.x << "," << call.from.y << ")-(" << call.to.x << ","
            << call.to.y << ") width " << call.pen.width;
        break;
      case CanvasCallKind::Polyline:
        out << "polyline of " << call.points.size() << " points";
        break;
      case CanvasCallKind::Rectangle:
      case CanvasCallKind::RoundRect:
      case CanvasCallKind::Ellipse:
      case CanvasCallKind::FillRect:
      case CanvasCallKind::DrawImage:
        out << "shape " << static_cast<int>(call.kind) << " [" << call.rect.left << ","
            << call.rect.top << "," << call.rect.right << "," << call.rect.bottom << "]";
        if (!call.text.empty()) out << " " << call.text;
        break;
    }
    out << "\n";
  }
  return out.str();
}

}  // namespace tavolo
