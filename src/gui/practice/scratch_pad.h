#pragma once
// The scratch pad `imgMemo`: the learner works a problem out with the mouse.
// The left button draws in red, any other button erases with a wide white
// pen (the cursor turns into scissors), a double click wipes the pad.

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace tavolo {

class ScratchPad final : public QWidget {
  Q_OBJECT
 public:
  explicit ScratchPad(QWidget* parent = nullptr);

  // A clean pad with its instructions (the practice window opens).
  void Prepare();
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // White, with the first line of the instructions; all of them when full.
  void Clear(bool allInstructions);
  void LineTo(QPoint point);

  QImage picture_;
  // Nothing drawn since the pad was cleared: a new size draws it afresh.
  bool blank_ = true;
  bool allInstructions_ = true;
  bool drawing_ = false;
  bool erasing_ = false;
  QPoint last_;
};

}  // namespace tavolo
