#include "gui/authoring/index_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tavolo {

namespace {

constexpr int kSize = 20;

QPixmap Empty() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A closed book in the course's blackboard green: the lesson.
QPixmap Book() {
  QPixmap pixmap = Empty();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(20, 60, 40), 1));
  p.setBrush(QColor(40, 120, 80));
  p.drawRoundedRect(QRectF(3.5, 2.5, 13, 15), 1.5, 1.5);
  p.setBrush(QColor(250, 245, 225));
  p.drawRect(QRectF(5.5, 15.5, 11, 2));
  p.setPen(QPen(QColor(255, 230, 120), 1.6));
  p.drawLine(QPointF(7, 7), QPointF(13, 7));
  p.drawLine(QPointF(7, 10), QPointF(11, 10));
  return pixmap;
}

// A folder: a section holding units.
QPixmap Folder() {
  QPixmap pixmap = Empty();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(150, 100, 10), 1));
  p.setBrush(QColor(240, 190, 70));
  QPainterPath tab;
  tab.moveTo(2.5, 5.5);
  tab.lineTo(8, 5.5);
  tab.lineTo(9.5, 7.5);
  tab.lineTo(17.5, 7.5);
  tab.lineTo(17.5, 16.5);
  tab.lineTo(2.5, 16.5);
  tab.closeSubpath();
  p.drawPath(tab);
  p.setBrush(QColor(255, 215, 110));
  p.drawRect(QRectF(2.5, 9.5, 15, 7));
  return pixmap;
}

// A worksheet with lines of text: a unit.
QPixmap Sheet() {
  QPixmap pixmap = Empty();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(70, 90, 140), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 2.5, 11, 15));
  p.setPen(QPen(QColor(60, 90, 190), 1));
  for (qreal y : {6.5, 9.5, 12.5}) p.drawLine(QPointF(6.5, y), QPointF(13.5, y));
  return pixmap;
}

}  // namespace

QIcon IndexNodeIcon(IndexLevel level) {
  switch (level) {
    case IndexLevel::Lesson:
      return QIcon(Book());
    case IndexLevel::Section:
      return QIcon(Folder());
    case IndexLevel::Unit:
      break;
  }
  return QIcon(Sheet());
}

QIcon ExpandGlyph(bool willExpand) {
  QPixmap pixmap = Empty();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 70, 140), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  // Two chevrons: pointing away from the middle line to expand, towards it to collapse.
  const qreal tip = willExpand ? 8 : 3;
  const qreal base = willExpand ? 3 : 8;
  p.drawLine(QPointF(4, 10), QPointF(16, 10));
  p.drawPolyline(QPolygonF({QPointF(6, 10 - base), QPointF(10, 10 - tip), QPointF(14, 10 - base)}));
  p.drawPolyline(QPolygonF({QPointF(6, 10 + base), QPointF(10, 10 + tip), QPointF(14, 10 + base)}));
  return QIcon(pixmap);
}

}  // namespace tavolo
