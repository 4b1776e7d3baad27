#include "gui/sheet/page_image.h"

#include <QPaintDevice>

#include "gui/sheet/qpainter_canvas.h"

namespace tavolo {

QImage RenderPageImage(PageRenderer& renderer, const SheetPage& page, PageSettings settings,
                       qreal devicePixelRatio, QPainterTextCache* texts) {
  const int width = page.params.paperWidth;
  const int height = page.params.paperHeight;
  QImage image(qRound(width * devicePixelRatio), qRound(height * devicePixelRatio),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);
  settings.printing = false;
  settings.surfaceWidth = width;
  settings.surfaceHeight = height;
  settings.pageImageWidth = width;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, devicePixelRatio > 1.0);
  painter.setRenderHint(QPainter::TextAntialiasing);
  if (texts != nullptr && texts->dpi() == kScreenPageDpi) {
    QPainterCanvas canvas(painter, *texts);
    renderer.RenderPage(page, canvas, settings);
  } else {
    QPainterCanvas canvas(painter, kScreenPageDpi);
    renderer.RenderPage(page, canvas, settings);
  }
  return image;
}

void RenderPrinterPage(PageRenderer& renderer, const SheetPage& page, QPainter& painter,
                       PageSettings settings, QPainterTextCache* texts) {
  const QPaintDevice* device = painter.device();
  settings.printing = true;
  settings.surfaceWidth = device->width();
  settings.surfaceHeight = device->height();
  settings.pageImageWidth = page.params.paperWidth;
  const int dpi = device->logicalDpiY();
  if (texts != nullptr && texts->dpi() == dpi) {
    QPainterCanvas canvas(painter, *texts);
    renderer.RenderPage(page, canvas, settings);
  } else {
    QPainterCanvas canvas(painter, dpi);
    renderer.RenderPage(page, canvas, settings);
  }
}

}  // namespace tavolo
