#pragma once
// The practice window's sheet picture `imgPaper2`: the worksheet drawn
// without its answers, at the screen's pixel ratio, with what the learner
// typed, the marks and the score drawn over it. The answer fields are its
// children, so they scroll with the sheet.

#include <QImage>
#include <QWidget>
#include <vector>

#include "draw/qpainter_canvas.h"
#include "practice/practice_view.h"

namespace tavolo {

class SheetPicture final : public QWidget {
  Q_OBJECT
 public:
  explicit SheetPicture(QWidget* parent = nullptr);

  // A freshly drawn page; the widget takes its size in layout units.
  void SetPage(QImage page);
  // At least this wide, white right of the page: room for the answer fields
  // (and what is drawn under them) that move right of a box near its edge.
  void SetMinimumRoom(int width);
  // Draws over the page, in order.
  void Draw(const std::vector<SheetDrawing>& drawings);
  const QImage& Page() const { return page_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FitSize();

  QImage page_;
  int room_ = 0;
  // Marks and typed answers come one Enter at a time: the fonts stay laid out.
  QPainterTextCache texts_{96};
};

}  // namespace tavolo
