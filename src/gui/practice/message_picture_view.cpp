#include "gui/practice/message_picture_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>

#include "draw/qpainter_canvas.h"
#include "draw/qt_text.h"
#include "gui/practice/result_pictures.h"

namespace tavolo {

namespace {
constexpr int kScreenDpi = 96;  // point sizes as the sheet picture has them
}

MessagePictureView::MessagePictureView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MessagePictureView::Show(const MessagePicture& picture) {
  if (picture.texts == picture_.texts && picture.picture == picture_.picture) return;
  picture_ = picture;
  // What the picture says, for screen readers: its texts, or the picture's name.
  QStringList said;
  for (const PictureText& text : picture_.texts) said << QString::fromStdString(text.text);
  if (picture_.picture) said << ToQString(ResultPictureName(*picture_.picture));
  setAccessibleDescription(said.join(QLatin1Char('\n')));
  // Long rows (other than hints, which wrap) are cut at the picture's edge;
  // the pointer can read them whole.
  setToolTip(picture_.texts.empty() ? QString() : accessibleDescription());
  update();
}

void MessagePictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::Antialiasing);
  if (picture_.picture) {
    const QImage image = DrawResultPicture(*picture_.picture, devicePixelRatioF());
    const QSize size = ResultPictureSize(*picture_.picture);
    painter.drawImage(QPoint((width() - size.width()) / 2, 4), image);
    return;
  }
  QPainterCanvas canvas(painter, kScreenDpi);
  DrawMessagePicture(canvas, picture_, width());
}

int MessagePictureView::HeightFor(int width) const {
  if (picture_.picture) return ResultPictureSize(*picture_.picture).height() + 4;
  if (picture_.texts.empty()) return 0;
  // Measured on a scratch image with the fonts the picture draws with.
  QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&scratch);
  QPainterCanvas canvas(painter, kScreenDpi);
  return LayOutMessagePicture(canvas, picture_, width).height;
}

void MessagePictureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QWidget::mousePressEvent(event);
}

}  // namespace tavolo
