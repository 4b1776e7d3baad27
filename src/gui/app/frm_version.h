#pragma once
// The version window `frmVersion`: the program's icon, its name and version.

#include <QDialog>

namespace tavolo {

class TfrmVersion final : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmVersion(QWidget* parent = nullptr);
};

}  // namespace tavolo
