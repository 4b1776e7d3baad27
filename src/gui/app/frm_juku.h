#pragma once
// The school-name dialog `frmJuku`: the free title that heads every worksheet
// ("例　ＣＡＩ中学校　年　組").

#include <QDialog>
#include <optional>

class QLineEdit;

namespace tavolo {

class TfrmJuku final : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmJuku(QWidget* parent = nullptr);

  // Shows the dialog modally. With a current school name (a worksheet is
  // open) the field starts from it; otherwise it keeps what was last typed.
  // Returns the new name on OK, nothing on Cancel.
  std::optional<QString> Ask(const std::optional<QString>& currentSchool);

  QLineEdit* SchoolEdit() const { return edtSchool_; }

 private:
  QLineEdit* edtSchool_;
};

}  // namespace tavolo
