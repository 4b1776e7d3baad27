#pragma once
// The enlarged figure viewer `frmBMP`: a figure at its own size, with its
// width and height, beside the small preview of the question editor. It is not
// modal, so the teacher can keep it open while editing.

#include <QWidget>

class QLabel;

namespace tavolo {

class TfrmBMP final : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmBMP(QWidget* parent = nullptr);

  // Takes the picture, sizes itself to it and shows at the screen's top left.
  void ShowPicture(const QImage& picture);

 private:
  QLabel* imgBMP_;
  QLabel* lblXW_;
  QLabel* lblYH_;
};

}  // namespace tavolo
