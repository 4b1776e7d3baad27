#include "draw/page_image.h"

#include <QPaintDevice>

#include "draw/qpainter_canvas.h"

namespace tavolo {

namespace {

// Draws with the caller's text cache when it was made for this resolution,
// else with a cache of the canvas's own.
void DrawPage(PageRenderer& renderer, const SheetPage& page, QPainter& painter,
              const PageSettings& settings, QPainterTextCache* texts, int dpi) {
  if (texts != nullptr && texts->dpi() == dpi) {
    QPainterCanvas canvas(painter, *texts);
    renderer.RenderPage(page, canvas, settings);
  } else {
    QPainterCanvas canvas(painter, dpi);
    renderer.RenderPage(page, canvas, settings);
  }
}

// The settings of a screen page of the sheet's paper.
PageSettings ScreenSettings(const SheetPage& page, PageSettings settings) {
  settings.printing = false;
  settings.surfaceWidth = page.params.paperWidth;
  settings.surfaceHeight = page.params.paperHeight;
  settings.pageImageWidth = page.params.paperWidth;
  return settings;
}

}  // namespace

QImage RenderPageImage(PageRenderer& renderer, const SheetPage& page, PageSettings settings,
                       qreal devicePixelRatio, QPainterTextCache* texts) {
  const int width = page.params.paperWidth;
  const int height = page.params.paperHeight;
  QImage image(qRound(width * devicePixelRatio), qRound(height * devicePixelRatio),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);
  settings = ScreenSettings(page, settings);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, devicePixelRatio > 1.0);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawPage(renderer, page, painter, settings, texts, kScreenPageDpi);
  return image;
}

void LayOutScreenPage(PageRenderer& renderer, const SheetPage& page, PageSettings settings) {
  QLayoutCanvas canvas(kScreenPageDpi);
  renderer.RenderPage(page, canvas, ScreenSettings(page, settings));
}

void RenderPrinterPage(PageRenderer& renderer, const SheetPage& page, QPainter& painter,
                       PageSettings settings, QPainterTextCache* texts) {
  const QPaintDevice* device = painter.device();
  settings.printing = true;
  settings.surfaceWidth = device->width();
  settings.surfaceHeight = device->height();
  settings.pageImageWidth = page.params.paperWidth;
  DrawPage(renderer, page, painter, settings, texts, device->logicalDpiY());
}

}  // namespace tavolo
