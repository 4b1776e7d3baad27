#pragma once
// The paper and options dialog `frmSetPaper` ("用紙設定"): the paper of the
// active worksheet and which header parts it prints (class flag, date of the
// test, sheet number with print time).

#include <QDialog>
#include <optional>

class QCheckBox;
class QRadioButton;

namespace tavolo {

struct PaperAndOptions {
  int paperWidth;
  int headerOptions;  // kHeaderClassFlag | kHeaderTestDate | kHeaderNumberAndTime
};

class TfrmSetPaper final : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmSetPaper(QWidget* parent = nullptr);

  // Shows the dialog for a sheet's header options; the choice on OK.
  std::optional<PaperAndOptions> Ask(int headerOptions);

 private:
  QCheckBox* chkClassFlag_;
  QCheckBox* chkJisshibi_;
  QCheckBox* chkPrinted_;
  QRadioButton* papers_[4];
};

}  // namespace tavolo
