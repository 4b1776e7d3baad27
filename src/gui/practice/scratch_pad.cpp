#include "gui/practice/scratch_pad.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "draw/qpainter_canvas.h"
#include "gui/practice/result_pictures.h"

namespace tavolo {

namespace {

constexpr int kScreenDpi = 96;
const QColor kPencil(0xFF, 0, 0);  // red (0000FF in the course's colour order)
constexpr int kPencilWidth = 2;
constexpr int kEraserWidth = 10;

}  // namespace

ScratchPad::ScratchPad(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
}

void ScratchPad::Prepare() { Clear(true); }

void ScratchPad::Clear(bool allInstructions) {
  blank_ = true;
  allInstructions_ = allInstructions;
  const qreal ratio = devicePixelRatioF();
  picture_ = QImage(size() * ratio, QImage::Format_RGB32);
  picture_.setDevicePixelRatio(ratio);
  picture_.fill(Qt::white);
  QPainter painter(&picture_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QPainterCanvas canvas(painter, kScreenDpi);
  canvas.font().size = 8;
  canvas.textOut(10, 5, "    マウスで線が描けます");
  if (allInstructions) {
    canvas.font().size = 12;
    canvas.textOut(10, 33, "左ボタン：描く");
    canvas.textOut(10, 50, "右ボタン：消す");
    canvas.textOut(10, 67, "ダブルクリック：全部消す");
  }
  update();
}

void ScratchPad::resizeEvent(QResizeEvent*) {
  if (blank_) {
    Clear(allInstructions_);
    return;
  }
  // What was drawn stays where it was; new room is white.
  const qreal ratio = devicePixelRatioF();
  QImage grown(size() * ratio, QImage::Format_RGB32);
  grown.setDevicePixelRatio(ratio);
  grown.fill(Qt::white);
  if (!picture_.isNull()) {
    QPainter painter(&grown);
    painter.drawImage(QPoint(0, 0), picture_);
  }
  picture_ = std::move(grown);
}

void ScratchPad::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  const qreal ratio = picture_.devicePixelRatio();
  painter.drawImage(
      area, picture_,
      QRectF(area.left() * ratio, area.top() * ratio, area.width() * ratio, area.height() * ratio));
}

void ScratchPad::mousePressEvent(QMouseEvent* event) {
  erasing_ = event->button() != Qt::LeftButton;
  setCursor(erasing_ ? ScissorsCursor() : QCursor(Qt::CrossCursor));
  drawing_ = true;
  last_ = event->position().toPoint();
  // A click without a move still leaves a dot (or a wiped spot).
  LineTo(last_);
}

void ScratchPad::mouseMoveEvent(QMouseEvent* event) {
  if (drawing_) LineTo(event->position().toPoint());
}

void ScratchPad::mouseReleaseEvent(QMouseEvent* event) {
  if (!drawing_) return;
  setCursor(Qt::CrossCursor);
  LineTo(event->position().toPoint());
  drawing_ = false;
}

void ScratchPad::mouseDoubleClickEvent(QMouseEvent*) {
  drawing_ = false;
  Clear(false);
}

void ScratchPad::LineTo(QPoint point) {
  blank_ = false;
  {
    QPainter painter(&picture_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(erasing_ ? QColor(Qt::white) : kPencil,
                        erasing_ ? kEraserWidth : kPencilWidth, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawLine(last_, point);
  }
  const int reach = (erasing_ ? kEraserWidth : kPencilWidth) + 2;
  update(QRect(last_, point).normalized().adjusted(-reach, -reach, reach, reach));
  last_ = point;
}

}  // namespace tavolo
