#pragma once
// The drawing canvas on a QPainter: a QImage for the screen page, a QPrinter
// or QPdfWriter for print. The painter must be active for the canvas's life.

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sheet/canvas.h"

namespace tavolo {

// Wraps a QImage as an opaque canvas picture (figures, the class flag).
CanvasImage MakeCanvasImage(QImage image, std::string name);
// The QImage behind a picture made by MakeCanvasImage; null for any other.
const QImage* CanvasImageToQImage(const CanvasImage& image);

// Fonts and laid-out texts for one device resolution. Laying text out
// (shaping) is most of the cost of a page, and a page draws the same digits,
// signs and sentences again and again, as does every numbered copy of it; so
// a text is laid out once into glyph runs and drawn from them from then on,
// on the screen and on printers alike. Whoever draws a page more than once (a
// print job, a sheet window) keeps one of these across the pages.
class QPainterTextCache {
 public:
  explicit QPainterTextCache(int dpi) : dpi_(dpi) {}

  struct LaidOutText {
    QList<QGlyphRun> runs;
    QPointF origin;  // where the runs go relative to the text cell's top-left
  };

  struct FontEntry {
    Font font;  // colour ignored
    QFont qfont;
    QFontMetrics metrics;
    QHash<QString, int> advances;
    QHash<QString, LaidOutText> texts;

    // The text's advance in whole pixels, kept for the next time.
    int Advance(const QString& text);
    // The text laid out as glyph runs, kept for the next time; null when the
    // font has kept as many texts as it will (the caller then draws directly).
    const LaidOutText* LaidOut(const QString& text);
  };

  int dpi() const { return dpi_; }
  int PixelSize(int points) const;
  // The entry for a font (its colour does not matter), made on first use.
  FontEntry& Entry(const Font& font, QPaintDevice* device);

 private:
  int dpi_;
  std::vector<std::unique_ptr<FontEntry>> entries_;
  FontEntry* last_ = nullptr;
};

class QPainterCanvas : public Canvas {
 public:
  // dpi turns point sizes into device pixels: 96 for screen images (one
  // layout unit per pixel), the printer's resolution for print. A cache kept
  // by the caller makes later canvases of the same resolution start warm.
  QPainterCanvas(QPainter& painter, int dpi);
  QPainterCanvas(QPainter& painter, QPainterTextCache& cache);

  int textWidth(std::string_view text) override;
  int textHeight() override;
  void rectangle(const Rect& rect) override;
  void roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) override;
  void ellipse(const Rect& bounds) override;
  void polyline(std::span<const Point> points) override;
  void fillRect(const Rect& rect, Color color) override;
  void drawImage(const Rect& rect, const CanvasImage& image) override;

 protected:
  int DrawText(int x, int y, std::string_view text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  // The painter's own state (pen, brush, composition mode, clipping) goes with
  // the canvas's: whatever is set straight on the painter between the two is
  // put back too.
  void SaveDeviceState() override;
  void RestoreDeviceState() override;

 private:
  // The cache entry for font(); cheap when nothing changed.
  QPainterTextCache::FontEntry& CurrentFont();
  // Sets the painter's pen (and raster mode) for a shape; the caller draws,
  // then calls EndShape.
  void BeginShape(bool withBrush);
  void EndShape();

  QPainter& painter_;
  std::unique_ptr<QPainterTextCache> ownCache_;
  QPainterTextCache& cache_;
  QPainterTextCache::FontEntry* current_ = nullptr;
};

// Lays a page out as the screen canvas does and draws nothing: texts are
// measured in the same fonts at the same resolution, on a device of the
// screen image's kind, so the boxes a page registers land where the screen's
// do. Printing asks for the screen's boxes before it draws; rasterising a
// whole screen page only to throw it away cost a one-copy print about a
// quarter of its time.
class QLayoutCanvas : public Canvas {
 public:
  explicit QLayoutCanvas(int dpi);

  int textWidth(std::string_view text) override;
  int textHeight() override;
  void rectangle(const Rect&) override {}
  void roundRect(const Rect&, int, int) override {}
  void ellipse(const Rect&) override {}
  void polyline(std::span<const Point>) override {}
  void fillRect(const Rect&, Color) override {}
  void drawImage(const Rect&, const CanvasImage&) override {}

 protected:
  int DrawText(int x, int y, std::string_view text) override;
  void DrawLine(int, int, int, int) override {}

 private:
  QPainterTextCache::FontEntry& CurrentFont();

  QImage device_;
  QPainterTextCache cache_;
  QPainterTextCache::FontEntry* current_ = nullptr;
};

}  // namespace tavolo
