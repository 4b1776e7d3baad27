#include "gui/sheet/qpainter_canvas.h"

#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <utility>

#include "gui/sheet/font_substitution.h"
#include "sheet/drawing_context.h"

namespace tavolo {
namespace {

struct QImageData : CanvasImageData {
  explicit QImageData(QImage picture) : image(std::move(picture)) {}
  QImage image;
};

QColor ToQColor(Color color) { return QColor(color.red, color.green, color.blue); }

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Rules count a shape's right and bottom edges as outside it; QRect counts
// both edges in.
QRect OutlineRect(const Rect& rect) {
  return QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1);
}

// Glyphs of many thousand pixels help nobody and stall the rasteriser.
constexpr int kMaxPixelSize = 4000;

}  // namespace

CanvasImage MakeCanvasImage(QImage image, std::string name) {
  CanvasImage result;
  result.width = image.width();
  result.height = image.height();
  result.name = std::move(name);
  if (!image.isNull()) result.data = std::make_shared<QImageData>(std::move(image));
  return result;
}

const QImage* CanvasImageToQImage(const CanvasImage& image) {
  const auto* data = dynamic_cast<const QImageData*>(image.data.get());
  return data ? &data->image : nullptr;
}

QPainterCanvas::QPainterCanvas(QPainter& painter, int dpi) : painter_(painter), dpi_(dpi) {}

int QPainterCanvas::PixelSize(int points) const {
  return std::clamp(RoundHalfEven(static_cast<double>(points) * dpi_ / 72.0), 1, kMaxPixelSize);
}

const QFontMetrics& QPainterCanvas::SyncFont() {
  const Font& wanted = font();
  if (appliedFont_ && *appliedFont_ == wanted) return *metrics_;
  if (substitutedFamily_.isEmpty() || substitutedFrom_ != wanted.family) {
    substitutedFrom_ = wanted.family;
    substitutedFamily_ = SubstituteFontFamily(ToQString(wanted.family));
    qfont_.setFamily(substitutedFamily_);
  }
  qfont_.setPixelSize(PixelSize(wanted.size));
  qfont_.setBold(wanted.style.bold);
  qfont_.setItalic(wanted.style.italic);
  qfont_.setUnderline(wanted.style.underline);
  qfont_.setStrikeOut(wanted.style.strikeout);
  metrics_.emplace(qfont_, painter_.device());
  appliedFont_ = wanted;
  return *metrics_;
}

int QPainterCanvas::textWidth(std::string_view text) {
  return SyncFont().horizontalAdvance(ToQString(text));
}

int QPainterCanvas::DrawText(int x, int y, std::string_view text) {
  const QFontMetrics& metrics = SyncFont();
  const QString qtext = ToQString(text);
  const int advance = metrics.horizontalAdvance(qtext);
  if (brush().solid)
    painter_.fillRect(QRect(x, y, advance, metrics.height()), ToQColor(brush().color));
  painter_.setFont(qfont_);
  painter_.setPen(ToQColor(font().color));
  // Qt places text on its baseline; the rules give the cell's top-left.
  painter_.drawText(QPoint(x, y + metrics.ascent()), qtext);
  return advance;
}

void QPainterCanvas::BeginShape(bool withBrush) {
  QPen qpen(ToQColor(pen().color));
  qpen.setWidth(std::max(pen().width, 1));
  qpen.setStyle(pen().style == PenStyle::kDot ? Qt::DotLine : Qt::SolidLine);
  qpen.setCapStyle(Qt::FlatCap);
  qpen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(qpen);
  if (withBrush && brush().solid) {
    painter_.setBrush(ToQColor(brush().color));
  } else {
    painter_.setBrush(Qt::NoBrush);
  }
  if (pen().mode == PenMode::kNotXor)
    painter_.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
}

void QPainterCanvas::EndShape() {
  if (pen().mode == PenMode::kNotXor)
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QPainterCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  BeginShape(false);
  painter_.drawLine(x1, y1, x2, y2);
  EndShape();
}

void QPainterCanvas::rectangle(const Rect& rect) {
  BeginShape(true);
  painter_.drawRect(OutlineRect(rect));
  EndShape();
}

void QPainterCanvas::roundRect(int left, int top, int right, int bottom, int ellipseWidth,
                               int ellipseHeight) {
  BeginShape(true);
  painter_.drawRoundedRect(OutlineRect({left, top, right, bottom}), ellipseWidth / 2.0,
                           ellipseHeight / 2.0, Qt::AbsoluteSize);
  EndShape();
}

void QPainterCanvas::ellipse(const Rect& bounds) {
  BeginShape(true);
  painter_.drawEllipse(OutlineRect(bounds));
  EndShape();
}

void QPainterCanvas::polyline(std::span<const Point> points) {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) polygon.append(QPoint(p.x, p.y));
  BeginShape(false);
  painter_.drawPolyline(polygon);
  EndShape();
}

void QPainterCanvas::fillRect(const Rect& rect, Color color) {
  painter_.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}

void QPainterCanvas::drawImage(const Rect& rect, const CanvasImage& image) {
  const QImage* picture = CanvasImageToQImage(image);
  if (picture == nullptr || picture->isNull()) return;
  painter_.drawImage(QRect(rect.left, rect.top, rect.Width(), rect.Height()), *picture);
}

}  // namespace tavolo
