#include "gui/practice/result_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <tuple>

#include "draw/font_substitution.h"

namespace tavolo {

namespace {

constexpr QSize kFaceSize(97, 113);
// The face sits in the upper part; a short word goes under it.
const QPointF kFaceCentre(48.5, 50);
constexpr double kFaceRadius = 38;

const QColor kInk(60, 40, 30);
const QColor kCheek(255, 150, 160, 150);

void Caption(QPainter& p, const QString& text, const QColor& colour) {
  QFont font(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  font.setPixelSize(14);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QRectF(0, 92, kFaceSize.width(), 20), Qt::AlignCenter, text);
}

void FaceDisc(QPainter& p, const QColor& skin) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(skin);
  p.drawEllipse(kFaceCentre, kFaceRadius, kFaceRadius);
}

void Cheeks(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kCheek);
  p.drawEllipse(QPointF(27, 60), 7, 4.5);
  p.drawEllipse(QPointF(70, 60), 7, 4.5);
}

void DotEyes(QPainter& p, double y, double radius) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(35, y), radius, radius * 1.2);
  p.drawEllipse(QPointF(62, y), radius, radius * 1.2);
  // A glint keeps them friendly.
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(35 + radius * 0.35, y - radius * 0.45), radius * 0.35, radius * 0.35);
  p.drawEllipse(QPointF(62 + radius * 0.35, y - radius * 0.45), radius * 0.35, radius * 0.35);
}

// Eyes shut as arcs: up (smiling, ^ ^) or down (sleeping, crying).
void ArcEyes(QPainter& p, double y, bool up) {
  p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (double x : {35.0, 62.0}) {
    QPainterPath arc;
    arc.moveTo(x - 7, y);
    arc.quadTo(x, up ? y - 9 : y + 7, x + 7, y);
    p.drawPath(arc);
  }
}

void Mouth(QPainter& p, QPointF from, QPointF control, QPointF to, double width = 2.5) {
  p.setPen(QPen(kInk, width, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath path;
  path.moveTo(from);
  path.quadTo(control, to);
  p.drawPath(path);
}

// A laughing or roaring mouth: a filled half-moon.
void OpenMouth(QPainter& p, const QRectF& box, const QColor& inside) {
  QPainterPath path;
  path.moveTo(box.left(), box.top());
  path.lineTo(box.right(), box.top());
  path.arcTo(QRectF(box.left(), box.top() - box.height(), box.width(), 2 * box.height()), 0, -180);
  path.closeSubpath();
  p.setPen(QPen(kInk, 2));
  p.setBrush(inside);
  p.drawPath(path);
}

QPainterPath HeartPath(const QRectF& box) {
  const double w = box.width();
  const double h = box.height();
  const double x = box.left();
  const double y = box.top();
  QPainterPath path;
  path.moveTo(x + w / 2, y + h * 0.28);
  path.cubicTo(x + w * 0.5, y, x, y, x + w * 0.02, y + h * 0.34);
  path.cubicTo(x + w * 0.04, y + h * 0.62, x + w * 0.4, y + h * 0.78, x + w / 2, y + h * 0.98);
  path.cubicTo(x + w * 0.6, y + h * 0.78, x + w * 0.96, y + h * 0.62, x + w * 0.98, y + h * 0.34);
  path.cubicTo(x + w, y, x + w * 0.5, y, x + w / 2, y + h * 0.28);
  return path;
}

void Heart(QPainter& p, const QSize& size, const QColor& colour, const QString& word) {
  const QRectF box(3, 3, size.width() - 6, size.height() - 6);
  p.setPen(QPen(colour.darker(150), 2));
  p.setBrush(colour);
  p.drawPath(HeartPath(box));
  // A shine on the upper left lobe.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(QRectF(box.left() + box.width() * 0.16, box.top() + box.height() * 0.14,
                       box.width() * 0.16, box.height() * 0.12));
  if (word.isEmpty()) return;
  QFont font(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  font.setPixelSize(static_cast<int>(box.height() * 0.22));
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(box.left(), box.top() + box.height() * 0.3, box.width(), box.height() * 0.3),
             Qt::AlignCenter, word);
}

void Star(QPainter& p, QPointF centre, double radius, const QColor& colour) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? radius * 0.45 : radius;
    const double a = -M_PI / 2 + i * M_PI / 5;
    const QPointF point(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    if (i == 0)
      path.moveTo(point);
    else
      path.lineTo(point);
  }
  path.closeSubpath();
  p.setPen(QPen(colour.darker(130), 1));
  p.setBrush(colour);
  p.drawPath(path);
}

// No points: a little lion cub that roars back, so a zero is met with a grin.
void Gaoh(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 130, 40));
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    p.drawEllipse(QPointF(kFaceCentre.x() + 32 * std::cos(a), kFaceCentre.y() + 32 * std::sin(a)),
                  9, 9);
  }
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(255, 215, 120));
  p.drawEllipse(kFaceCentre, 30, 30);
  // Eyebrows drawn together, eyes wide.
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(30, 34), QPointF(41, 38));
  p.drawLine(QPointF(67, 34), QPointF(56, 38));
  DotEyes(p, 45, 4);
  OpenMouth(p, QRectF(34, 57, 29, 15), QColor(190, 40, 50));
  // Two fangs.
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({QPointF(38, 57), QPointF(44, 57), QPointF(41, 64)}));
  p.drawPolygon(QPolygonF({QPointF(53, 57), QPointF(59, 57), QPointF(56, 64)}));
  Caption(p, QStringLiteral("がおー！"), QColor(200, 80, 0));
}

void Namida(QPainter& p) {
  FaceDisc(p, QColor(255, 236, 170));
  p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(27, 36), QPointF(40, 31));
  p.drawLine(QPointF(70, 36), QPointF(57, 31));
  ArcEyes(p, 44, false);
  Mouth(p, QPointF(37, 70), QPointF(48.5, 60), QPointF(60, 70));
  // Tears run down both cheeks.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(80, 160, 240));
  for (double x : {31.0, 66.0}) {
    QPainterPath drop;
    drop.moveTo(x, 50);
    drop.quadTo(x + 6, 62, x, 66);
    drop.quadTo(x - 6, 62, x, 50);
    p.drawPath(drop);
  }
  Caption(p, QStringLiteral("しくしく"), QColor(40, 110, 200));
}

void Nanda(QPainter& p) {
  FaceDisc(p, QColor(255, 230, 150));
  p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(28, 30), QPointF(41, 28));
  p.drawLine(QPointF(56, 28), QPointF(69, 30));
  DotEyes(p, 43, 4.5);
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(190, 60, 60));
  p.drawEllipse(QPointF(48.5, 68), 5, 6);
  QFont font(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  font.setPixelSize(30);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(230, 120, 0));
  p.drawText(QRectF(70, 0, 27, 34), Qt::AlignCenter, QStringLiteral("?"));
  Caption(p, QStringLiteral("あれれ？"), QColor(200, 110, 0));
}

void Sleep(QPainter& p) {
  FaceDisc(p, QColor(245, 230, 190));
  p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(28, 46), QPointF(42, 46));
  p.drawLine(QPointF(55, 46), QPointF(69, 46));
  Cheeks(p);
  p.setPen(QPen(kInk, 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(48.5, 68), 4, 3);
  QFont font(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  font.setBold(true);
  p.setPen(QColor(90, 90, 200));
  for (auto [x, y, size] :
       {std::tuple{62, 22, 10}, std::tuple{70, 13, 13}, std::tuple{79, 3, 16}}) {
    font.setPixelSize(size);
    p.setFont(font);
    p.drawText(QPointF(x, y + size), QStringLiteral("Z"));
  }
  Caption(p, QStringLiteral("むにゃむにゃ"), QColor(90, 90, 200));
}

void Happy(QPainter& p) {
  FaceDisc(p, QColor(255, 220, 90));
  ArcEyes(p, 45, true);
  Cheeks(p);
  Mouth(p, QPointF(33, 63), QPointF(48.5, 80), QPointF(64, 63), 3);
  Caption(p, QStringLiteral("いいね！"), QColor(220, 120, 0));
}

void Kutta(QPainter& p) {
  FaceDisc(p, QColor(255, 210, 70));
  ArcEyes(p, 43, true);
  Cheeks(p);
  OpenMouth(p, QRectF(31, 58, 35, 18), QColor(200, 50, 60));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 140, 150));
  p.drawEllipse(QPointF(48.5, 71), 8, 4);
  Star(p, QPointF(12, 14), 9, QColor(255, 200, 0));
  Star(p, QPointF(86, 16), 8, QColor(255, 120, 160));
  Star(p, QPointF(88, 80), 6, QColor(120, 200, 255));
  Caption(p, QStringLiteral("やったね！"), QColor(230, 60, 60));
}

}  // namespace

QSize ResultPictureSize(ResultPicture picture) {
  switch (picture) {
    case ResultPicture::RedHeart:
      return {114, 105};
    case ResultPicture::GreenHeart:
      return {67, 62};
    case ResultPicture::Gaoh:
    case ResultPicture::Namida:
    case ResultPicture::Nanda:
    case ResultPicture::Sleep:
    case ResultPicture::Happy:
    case ResultPicture::Kutta:
      break;
  }
  return kFaceSize;
}

QImage DrawResultPicture(ResultPicture picture, qreal devicePixelRatio) {
  const QSize size = ResultPictureSize(picture);
  QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  switch (picture) {
    case ResultPicture::Gaoh:
      Gaoh(p);
      break;
    case ResultPicture::Namida:
      Namida(p);
      break;
    case ResultPicture::Nanda:
      Nanda(p);
      break;
    case ResultPicture::Sleep:
      Sleep(p);
      break;
    case ResultPicture::Happy:
      Happy(p);
      break;
    case ResultPicture::Kutta:
      Kutta(p);
      break;
    case ResultPicture::GreenHeart:
      Heart(p, size, QColor(60, 180, 90), QString());
      break;
    case ResultPicture::RedHeart:
      Heart(p, size, QColor(225, 40, 70), QStringLiteral("満点"));
      break;
  }
  return image;
}

QCursor ScissorsCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF pivot(15, 15);
  // Two blades from the pivot to their tips, outlined so they show on white.
  for (const QPointF tip : {QPointF(29, 3), QPointF(30, 12)}) {
    QPainterPath blade;
    const QPointF along = tip - pivot;
    const QPointF across(-along.y() * 0.12, along.x() * 0.12);
    blade.moveTo(pivot - along * 0.15);
    blade.lineTo(pivot + across);
    blade.lineTo(tip);
    blade.lineTo(pivot - across);
    blade.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(210, 215, 225));
    p.drawPath(blade);
  }
  // Handles and their finger rings.
  p.setPen(QPen(QColor(200, 30, 40), 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawLine(pivot, QPointF(9, 20));
  p.drawLine(pivot, QPointF(13, 23));
  p.drawEllipse(QPointF(6, 23), 4.5, 4.5);
  p.drawEllipse(QPointF(13, 27.5), 4.5, 4.5);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(pivot, 1.5, 1.5);
  p.end();
  // The pad erases around the point where the blades cross.
  return QCursor(pixmap, static_cast<int>(pivot.x()), static_cast<int>(pivot.y()));
}

}  // namespace tavolo
