#pragma once
// The page image of a worksheet window, `Image1`. It shows the rendered page
// (full size, or scaled down in the reduced view), reports mouse presses,
// drags and releases in page pixels, and draws the dotted rectangle of a
// selection or of a figure being dragged over the picture. The rectangle is
// an overlay, so the page image itself is never touched and a copy of it
// never contains the frame.

#include <QImage>
#include <QLabel>
#include <optional>

namespace tavolo {

class PageView final : public QLabel {
  Q_OBJECT
 public:
  explicit PageView(QWidget* parent = nullptr);

  // Page pixels per widget pixel of the shown picture: 1 at full size, below 1
  // in the reduced view.
  void SetScale(double scale);
  // The dotted frame in page pixels, both corners inside the frame's line;
  // nothing shown for nullopt.
  void SetFrame(std::optional<QRect> frame);
  const std::optional<QRect>& Frame() const { return frame_; }

  // A figure being dragged: its picture shows at `to` (page pixels, top left)
  // and its old place `from` shows blank paper until the drop redraws the page.
  struct Floating {
    QImage picture;
    QRect from;
    QPoint to;
  };
  void SetFloating(std::optional<Floating> floating);

  // The page pixel under a point of this widget.
  QPoint PagePoint(QPointF widgetPoint) const;
  // Where page pixel (x, y) shows in this widget.
  QPoint WidgetPoint(QPoint pagePoint) const;

 signals:
  void pagePressed(QPoint pagePoint, Qt::MouseButton button);
  void pageDragged(QPoint pagePoint);
  void pageReleased(QPoint pagePoint);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRect WidgetRect(const QRect& pageRect) const;

  double scale_ = 1.0;
  std::optional<QRect> frame_;
  std::optional<Floating> floating_;
  Qt::MouseButton pressed_ = Qt::NoButton;
};

}  // namespace tavolo
