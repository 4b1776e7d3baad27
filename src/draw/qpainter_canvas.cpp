#include "draw/qpainter_canvas.h"

#include <QPen>
#include <QPolygon>
#include <QTextLayout>
#include <algorithm>
#include <limits>
#include <utility>

#include "draw/font_substitution.h"
#include "draw/qt_color.h"
#include "draw/qt_text.h"
#include "platform/cp932.h"
#include "sheet/drawing_context.h"

namespace tavolo {
namespace {

struct QImageData : CanvasImageData {
  explicit QImageData(QImage picture) : image(std::move(picture)) {}
  QImage image;
};

QString DrawnText(std::string_view text) {
  // A character read from one of its less usual codes carries an invisible
  // code-variant tag (platform/cp932.h) so that saving keeps its bytes. Laid
  // out, the tag still nudges what follows by a fraction of a pixel; pages
  // draw and measure the characters alone. (Both tags start with EF B8.)
  if (text.find("\xEF\xB8") != std::string_view::npos) return ToQString(WithoutCodeVariants(text));
  return ToQString(text);
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

int QPainterTextCache::PixelSize(int points) const {
  return std::clamp(RoundHalfEven(static_cast<double>(points) * dpi_ / 72.0), 1, kMaxPixelSize);
}

QPainterTextCache::FontEntry& QPainterTextCache::Entry(const Font& font, QPaintDevice* device) {
  auto sameFace = [&font](const Font& other) {
    return other.size == font.size && other.style == font.style && other.family == font.family;
  };
  if (last_ != nullptr && sameFace(last_->font)) return *last_;
  for (auto& entry : entries_) {
    if (sameFace(entry->font)) {
      last_ = entry.get();
      return *last_;
    }
  }
  QFont qfont(SubstituteFontFamily(DrawnText(font.family)));
  qfont.setPixelSize(PixelSize(font.size));
  qfont.setBold(font.style.bold);
  qfont.setItalic(font.style.italic);
  qfont.setUnderline(font.style.underline);
  qfont.setStrikeOut(font.style.strikeout);
  entries_.push_back(
      std::make_unique<FontEntry>(FontEntry{font, qfont, QFontMetrics(qfont, device), {}, {}}));
  last_ = entries_.back().get();
  return *last_;
}

namespace {

// A page seldom holds more different texts in one font than this; a bound
// keeps a long-lived cache from growing without end.
constexpr qsizetype kMaxKeptTexts = 4096;

// One line, never wrapped, placed in its cell. The notation's short texts
// (single digits, letters and signs) sit where their laid-out line puts them
// below the cell's top, leading included; sentences sit on the font's
// whole-pixel baseline. Pages have always been drawn so, and printed copies
// stay the same to the pixel.
QPainterTextCache::LaidOutText LayOut(const QString& text, const QFont& font,
                                      const QFontMetrics& metrics) {
  constexpr qsizetype kShortText = 8;
  const bool isShort = text.size() <= kShortText;
  QTextLayout layout(text, font);
  layout.setCacheEnabled(true);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  qreal baselineShift = 0;
  if (line.isValid()) {
    line.setLeadingIncluded(isShort);
    line.setLineWidth(std::numeric_limits<int>::max());
    line.setPosition(QPointF(0, 0));
  }
  layout.endLayout();
  if (line.isValid() && !isShort) baselineShift = metrics.ascent() - line.ascent();
  return {layout.glyphRuns(), QPointF(0, baselineShift)};
}

}  // namespace

int QPainterTextCache::FontEntry::Advance(const QString& text) {
  auto found = advances.constFind(text);
  if (found != advances.constEnd()) return *found;
  const int advance = metrics.horizontalAdvance(text);
  if (advances.size() < kMaxKeptTexts) advances.insert(text, advance);
  return advance;
}

const QPainterTextCache::LaidOutText* QPainterTextCache::FontEntry::LaidOut(const QString& text) {
  auto found = texts.constFind(text);
  if (found != texts.constEnd()) return &*found;
  if (texts.size() >= kMaxKeptTexts) return nullptr;
  return &*texts.insert(text, LayOut(text, qfont, metrics));
}

QPainterCanvas::QPainterCanvas(QPainter& painter, int dpi)
    : painter_(painter), ownCache_(std::make_unique<QPainterTextCache>(dpi)), cache_(*ownCache_) {}

QPainterCanvas::QPainterCanvas(QPainter& painter, QPainterTextCache& cache)
    : painter_(painter), cache_(cache) {}

namespace {

// The cache entry for the canvas's font, looked up again only when it changed.
QPainterTextCache::FontEntry& EntryFor(const Font& wanted, QPainterTextCache& cache,
                                       QPainterTextCache::FontEntry*& current,
                                       QPaintDevice* device) {
  if (current == nullptr || current->font.size != wanted.size ||
      current->font.style != wanted.style || current->font.family != wanted.family) {
    current = &cache.Entry(wanted, device);
  }
  return *current;
}

}  // namespace

QPainterTextCache::FontEntry& QPainterCanvas::CurrentFont() {
  return EntryFor(font(), cache_, current_, painter_.device());
}

int QPainterCanvas::textWidth(std::string_view text) {
  return CurrentFont().Advance(DrawnText(text));
}

int QPainterCanvas::textHeight() { return CurrentFont().metrics.height(); }

int QPainterCanvas::DrawText(int x, int y, std::string_view text) {
  QPainterTextCache::FontEntry& entry = CurrentFont();
  const QString qtext = DrawnText(text);
  const int advance = entry.Advance(qtext);
  if (brush().solid)
    painter_.fillRect(QRect(x, y, advance, entry.metrics.height()), ToQColor(brush().color));
  painter_.setPen(ToQColor(font().color));
  const QPainterTextCache::LaidOutText* laidOut = entry.LaidOut(qtext);
  std::optional<QPainterTextCache::LaidOutText> once;
  if (laidOut == nullptr) laidOut = &once.emplace(LayOut(qtext, entry.qfont, entry.metrics));
  const QPointF origin = QPointF(x, y) + laidOut->origin;
  for (const QGlyphRun& run : laidOut->runs) painter_.drawGlyphRun(origin, run);
  return advance;
}

void QPainterCanvas::SaveDeviceState() { painter_.save(); }

// The font entry in use is looked up again from font() whenever it no longer
// matches, so the restored font needs nothing more here.
void QPainterCanvas::RestoreDeviceState() { painter_.restore(); }

void QPainterCanvas::BeginShape(bool withBrush) {
  QPen qpen(ToQColor(pen().color));
  qpen.setWidth(std::max(pen().width, 1));
  qpen.setStyle(pen().style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
  qpen.setCapStyle(Qt::FlatCap);
  qpen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(qpen);
  if (withBrush && brush().solid) {
    painter_.setBrush(ToQColor(brush().color));
  } else {
    painter_.setBrush(Qt::NoBrush);
  }
  if (pen().mode == PenMode::NotXor)
    painter_.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
}

void QPainterCanvas::EndShape() {
  if (pen().mode == PenMode::NotXor)
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

void QPainterCanvas::roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
  BeginShape(true);
  painter_.drawRoundedRect(OutlineRect(rect), ellipseWidth / 2.0, ellipseHeight / 2.0,
                           Qt::AbsoluteSize);
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

// The screen image is a QImage of this kind: its resolution is what fonts are
// measured at.
QLayoutCanvas::QLayoutCanvas(int dpi) : device_(1, 1, QImage::Format_RGB32), cache_(dpi) {}

QPainterTextCache::FontEntry& QLayoutCanvas::CurrentFont() {
  return EntryFor(font(), cache_, current_, &device_);
}

int QLayoutCanvas::textWidth(std::string_view text) {
  return CurrentFont().Advance(DrawnText(text));
}

int QLayoutCanvas::textHeight() { return CurrentFont().metrics.height(); }

int QLayoutCanvas::DrawText(int /*x*/, int /*y*/, std::string_view text) { return textWidth(text); }

}  // namespace tavolo
