#pragma once
// The drawing canvas on a QPainter: a QImage for the screen page, a QPrinter
// or QPdfWriter for print. The painter must be active for the canvas's life.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <optional>
#include <string>

#include "sheet/canvas.h"

namespace tavolo {

// Wraps a QImage as an opaque canvas picture (figures, the class flag).
CanvasImage MakeCanvasImage(QImage image, std::string name);
// The QImage behind a picture made by MakeCanvasImage; null for any other.
const QImage* CanvasImageToQImage(const CanvasImage& image);

class QPainterCanvas : public Canvas {
 public:
  // dpi turns point sizes into device pixels: 96 for screen images (one
  // layout unit per pixel), the printer's resolution for print.
  QPainterCanvas(QPainter& painter, int dpi);

  int textWidth(std::string_view text) override;
  void rectangle(const Rect& rect) override;
  void roundRect(int left, int top, int right, int bottom, int ellipseWidth,
                 int ellipseHeight) override;
  void ellipse(const Rect& bounds) override;
  void polyline(std::span<const Point> points) override;
  void fillRect(const Rect& rect, Color color) override;
  void drawImage(const Rect& rect, const CanvasImage& image) override;

  // The pixel size a font of this many points gets on this device.
  int PixelSize(int points) const;

 protected:
  int DrawText(int x, int y, std::string_view text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;

 private:
  // Brings the QFont in line with font(); cheap when nothing changed.
  const QFontMetrics& SyncFont();
  // Sets the painter's pen (and raster mode) for a shape; the caller draws,
  // then calls EndShape.
  void BeginShape(bool withBrush);
  void EndShape();

  QPainter& painter_;
  int dpi_;
  std::optional<Font> appliedFont_;
  QFont qfont_;
  std::optional<QFontMetrics> metrics_;
  std::string substitutedFrom_;
  QString substitutedFamily_;
};

}  // namespace tavolo
