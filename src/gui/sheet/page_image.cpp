#include "gui/sheet/page_image.h"

#include <QPaintDevice>

#include "gui/sheet/qpainter_canvas.h"

namespace tavolo {

namespace {
constexpr int kScreenDpi = 96;  // one layout unit per pixel
}

QImage RenderPageImage(PageRenderer& renderer, Worksheet& sheet, PageSettings settings,
                       qreal devicePixelRatio) {
  const int width = sheet.params.paperWidth;
  const int height = sheet.params.paperHeight;
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
  QPainterCanvas canvas(painter, kScreenDpi);
  renderer.RenderPage(sheet, canvas, settings);
  return image;
}

void RenderPrinterPage(PageRenderer& renderer, Worksheet& sheet, QPainter& painter,
                       PageSettings settings) {
  const QPaintDevice* device = painter.device();
  settings.printing = true;
  settings.surfaceWidth = device->width();
  settings.surfaceHeight = device->height();
  settings.pageImageWidth = sheet.params.paperWidth;
  QPainterCanvas canvas(painter, device->logicalDpiY());
  renderer.RenderPage(sheet, canvas, settings);
}

}  // namespace tavolo
