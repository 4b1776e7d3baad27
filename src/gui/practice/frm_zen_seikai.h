#pragma once
// The all-correct notice `frmZenSeikai`: a small yellow card congratulating
// the learner when every box of a run was right at the first attempt.

#include <QDialog>

namespace tavolo {

class TfrmZenSeikai final : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmZenSeikai(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace tavolo
