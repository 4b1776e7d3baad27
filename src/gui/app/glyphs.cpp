#include "gui/app/glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace tavolo {

namespace {

constexpr int kGlyphSize = 24;

QPixmap EmptyGlyph(int size = kGlyphSize) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QPixmap LockGlyph(bool shut) {
  QPixmap pixmap = EmptyGlyph();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // Shackle: closed over the body, or lifted and swung open.
  p.setPen(QPen(QColor(90, 90, 90), 2.5));
  p.setBrush(Qt::NoBrush);
  const QRectF shackle = shut ? QRectF(7, 3, 10, 12) : QRectF(11, 1, 10, 12);
  QPainterPath arc;
  arc.moveTo(shackle.left(), shackle.center().y() + 4);
  arc.arcTo(shackle.adjusted(0, 0, 0, -4), 180, -180);
  arc.lineTo(shackle.right(), shut ? shackle.center().y() + 4 : shackle.center().y());
  p.drawPath(arc);
  // Body.
  p.setPen(QPen(QColor(120, 80, 0), 1));
  p.setBrush(shut ? QColor(230, 170, 40) : QColor(250, 215, 120));
  p.drawRoundedRect(QRectF(4, 11, 16, 11), 2, 2);
  p.setBrush(QColor(80, 50, 0));
  p.drawEllipse(QPointF(12, 16), 1.8, 1.8);
  return pixmap;
}

QPixmap AnswerGlyph(bool shown) {
  QPixmap pixmap = EmptyGlyph();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor lamp = shown ? QColor(255, 0, 0) : QColor(110, 0, 0);
  QRadialGradient shade(QPointF(9, 9), 11);
  shade.setColorAt(0, shown ? QColor(255, 180, 180) : lamp.lighter(130));
  shade.setColorAt(1, lamp);
  p.setPen(QPen(lamp.darker(150), 1));
  p.setBrush(shade);
  p.drawEllipse(QRectF(3, 3, 18, 18));
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) {
    QPixmap pixmap = EmptyGlyph(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(QColor(120, 80, 30), s / 16));
    p.setBrush(QColor(30, 90, 60));
    p.drawRoundedRect(QRectF(s / 32, s / 32, s * 15 / 16, s * 15 / 16), s / 8, s / 8);
    p.setPen(QPen(Qt::white, s / 10, Qt::SolidLine, Qt::RoundCap));
    // "+" in the upper left, "-" in the lower right.
    p.drawLine(QPointF(s * 0.2, s * 0.35), QPointF(s * 0.5, s * 0.35));
    p.drawLine(QPointF(s * 0.35, s * 0.2), QPointF(s * 0.35, s * 0.5));
    p.setPen(QPen(QColor(255, 230, 120), s / 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.5, s * 0.7), QPointF(s * 0.8, s * 0.7));
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tavolo
