#include "gui/practice/sheet_picture.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace tavolo {

SheetPicture::SheetPicture(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SheetPicture::SetPage(QImage page) {
  page_ = std::move(page);
  FitSize();
  update();
}

void SheetPicture::SetMinimumRoom(int width) {
  if (width == room_) return;
  room_ = width;
  FitSize();
  update();
}

void SheetPicture::FitSize() {
  const QSize page = page_.deviceIndependentSize().toSize();
  setFixedSize(std::max(page.width(), room_), page.height());
}

void SheetPicture::Draw(const std::vector<SheetDrawing>& drawings) {
  if (drawings.empty() || page_.isNull()) return;
  {
    QPainter painter(&page_);
    painter.setRenderHint(QPainter::Antialiasing, page_.devicePixelRatio() > 1.0);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPainterCanvas canvas(painter, texts_);
    for (const SheetDrawing& drawing : drawings) DrawOnSheet(canvas, drawing);
  }
  update();
}

void SheetPicture::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (page_.isNull()) {
    painter.fillRect(event->rect(), Qt::white);
    return;
  }
  // Only the part that needs painting, from the page at its full resolution;
  // the room right of the page is white.
  const QRect pageArea(QPoint(0, 0), page_.deviceIndependentSize().toSize());
  const QRect area = event->rect() & pageArea;
  if (area != event->rect()) painter.fillRect(event->rect(), Qt::white);
  if (area.isEmpty()) return;
  const qreal ratio = page_.devicePixelRatio();
  painter.drawImage(
      area, page_,
      QRectF(area.left() * ratio, area.top() * ratio, area.width() * ratio, area.height() * ratio));
}

}  // namespace tavolo
