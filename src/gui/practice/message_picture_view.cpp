#include "gui/practice/message_picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStringList>

#include "gui/practice/result_pictures.h"
#include "gui/sheet/qpainter_canvas.h"
#include "gui/sheet/qt_text.h"

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
  // Long rows are cut at the picture's edge; the pointer can read them whole.
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
  DrawMessagePicture(canvas, picture_);
}

void MessagePictureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QWidget::mousePressEvent(event);
}

}  // namespace tavolo
