#pragma once
// The password window `frmPassword` ("パスワードの入力"): greets the learner
// and asks for their password, or, the first time, for a new one typed
// twice. What is accepted is decided by core's PasswordEntry.

#include <QDialog>

#include "authoring/password.h"
#include "platform/dialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolo {

class TfrmPassword final : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmPassword(Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the window modally for one sign-on; true when it closed with OK
  // (for a new learner the password has then been written).
  bool Ask(PasswordEntry& entry);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void btnOkClick();
  void FocusField(PasswordField field);

  Dialogs& dialogs_;
  PasswordEntry* entry_ = nullptr;

  QLabel* lblMess_;
  QLabel* lblPW_;
  QLabel* Label1_;
  QLineEdit* mskPW_;
  QLabel* lblRetry_;
  QLineEdit* mskPW2_;
  QPushButton* btnOk_;
  QPushButton* btnCancel_;
};

}  // namespace tavolo
