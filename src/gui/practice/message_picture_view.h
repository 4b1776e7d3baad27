#pragma once
// A picture of message rows (`imgMessXX` under the run buttons, `imgMess` in
// the records panel): the texts the run wrote, or one of the result pictures.

#include <QWidget>

#include "practice/practice_view.h"

namespace tavolo {

class MessagePictureView final : public QWidget {
  Q_OBJECT
 public:
  explicit MessagePictureView(QWidget* parent = nullptr);

  // Repaints only when what it shows changed.
  void Show(const MessagePicture& picture);
  const MessagePicture& Shown() const { return picture_; }
  // How high the texts reach in a picture this wide (wrapped hints make it
  // taller than the picture; the window then lets it scroll).
  int HeightFor(int width) const;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  MessagePicture picture_;
};

}  // namespace tavolo
