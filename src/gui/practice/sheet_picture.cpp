#include "gui/practice/sheet_picture.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

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

// The room is part of the picture, so that what is drawn there (a moved
// field's text, its marks) stays like everything else on the page.
void SheetPicture::FitSize() {
  if (!page_.isNull() && room_ > page_.deviceIndependentSize().toSize().width()) {
    const qreal ratio = page_.devicePixelRatio();
    QImage wider(qCeil(room_ * ratio), page_.height(), page_.format());
    wider.setDevicePixelRatio(ratio);
    wider.fill(Qt::white);
    QPainter(&wider).drawImage(QPoint(0, 0), page_);
    page_ = std::move(wider);
  }
  setFixedSize(page_.deviceIndependentSize().toSize());
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
  // Only the part that needs painting, from the page at its full resolution.
  const QRect area = event->rect();
  const qreal ratio = page_.devicePixelRatio();
  painter.drawImage(
      area, page_,
      QRectF(area.left() * ratio, area.top() * ratio, area.width() * ratio, area.height() * ratio));
}

}  // namespace tavolo
