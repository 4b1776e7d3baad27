#include "gui/app/page_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace tavolo {

PageView::PageView(QWidget* parent) : QLabel(parent) {
  setObjectName("Image1");
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PageView::SetScale(double scale) {
  if (scale <= 0 || scale == scale_) return;
  scale_ = scale;
  update();
}

void PageView::SetFrame(std::optional<QRect> frame) {
  if (frame == frame_) return;
  // Only the old and the new frame's lines need painting again, not the page.
  if (frame_) update(WidgetRect(*frame_));
  frame_ = frame;
  if (frame_) update(WidgetRect(*frame_));
}

void PageView::SetFloating(std::optional<Floating> floating) {
  if (floating_) {
    update(WidgetRect(floating_->from));
    update(WidgetRect(QRect(floating_->to, floating_->from.size())));
  }
  floating_ = std::move(floating);
  if (floating_) {
    update(WidgetRect(floating_->from));
    update(WidgetRect(QRect(floating_->to, floating_->from.size())));
  }
}

QPoint PageView::PagePoint(QPointF widgetPoint) const {
  return {static_cast<int>(std::floor(widgetPoint.x() / scale_)),
          static_cast<int>(std::floor(widgetPoint.y() / scale_))};
}

QPoint PageView::WidgetPoint(QPoint pagePoint) const {
  return {static_cast<int>(std::floor(pagePoint.x() * scale_)),
          static_cast<int>(std::floor(pagePoint.y() * scale_))};
}

QRect PageView::WidgetRect(const QRect& pageRect) const {
  // One pixel of slack on each side covers the rounding of the scaled lines.
  return QRect(WidgetPoint(pageRect.topLeft()), WidgetPoint(pageRect.bottomRight()))
      .normalized()
      .adjusted(-1, -1, 2, 2);
}

void PageView::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!frame_ && !floating_) return;
  QPainter painter(this);
  if (floating_) {
    const auto place = [this](const QRect& r) {
      return QRect(WidgetPoint(r.topLeft()),
                   WidgetPoint(r.topLeft() + QPoint(r.width(), r.height())));
    };
    painter.fillRect(place(floating_->from), Qt::white);
    painter.drawImage(place(QRect(floating_->to, floating_->from.size())), floating_->picture);
  }
  if (!frame_) return;
  // Black in "not xor" inverts whatever is below, so the frame stays visible
  // on white paper, on black text and on coloured figures alike.
  painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  painter.setBrush(Qt::NoBrush);
  QPen pen(Qt::black, 0, Qt::DotLine);
  painter.setPen(pen);
  // A one-pixel outline of a QRect covers width() + 1 columns: the size is
  // given one less so the lines lie on the frame's corners exactly.
  const QPoint topLeft = WidgetPoint(frame_->topLeft());
  const QPoint bottomRight = WidgetPoint(frame_->bottomRight());
  painter.drawRect(
      QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())));
}

void PageView::mousePressEvent(QMouseEvent* event) {
  // One button at a time: a second button during a drag is ignored.
  if (pressed_ != Qt::NoButton) return;
  pressed_ = event->button();
  emit pagePressed(PagePoint(event->position()), event->button());
}

void PageView::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ == Qt::NoButton) return;
  emit pageDragged(PagePoint(event->position()));
}

void PageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != pressed_) return;
  pressed_ = Qt::NoButton;
  emit pageReleased(PagePoint(event->position()));
}

}  // namespace tavolo
