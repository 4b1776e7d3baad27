#pragma once
// The name window `frmInputName` ("名前登録"): the roster of learner names,
// the name to sign on with, and the roster's own file operations. Signing on
// itself (the order of its steps, the password) is core's SignOn.

#include <QDialog>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "authoring/roster.h"
#include "platform/dialogs.h"
#include "platform/settings.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tavolo {

class TfrmPassword;

class TfrmInputName final : public QDialog {
  Q_OBJECT
 public:
  struct Host {
    // The lesson whose record file holds the password (the course menu's).
    std::function<int()> currentLesson;
    // A learner has signed on: show the name and refresh what depends on it.
    std::function<void(const std::string& name)> signedOn;
  };

  TfrmInputName(AppState& app, SettingsStore& settings, Dialogs& dialogs, Host host,
                QWidget* parent = nullptr);

  // Shows the window modally, centred on the screen, with the roster read
  // afresh; true when a learner signed on.
  bool ShowSignOn();

 private:
  void FormShow();
  void ShowRoster();
  void lstNameClick(int row);
  void btnAddClick();
  void btnDeleteClick();
  void BitBtn1Click();
  void btnSaveClick();
  void btnOkClick();

  AppState& app_;
  SettingsStore& settings_;
  Dialogs& dialogs_;
  Host host_;
  Roster roster_;
  TfrmPassword* frmPassword_;

  QPlainTextEdit* Memo1_;
  QLineEdit* edtName_;
  QLabel* lblNameHint_;
  QPushButton* btnOk_;
  QPushButton* btnCancel_;
  QPushButton* btnAdd_;
  QLineEdit* edtMeibo_;
  QListWidget* lstName_;
  QPushButton* btnDelete_;
  QPushButton* BitBtn1_;
  QPushButton* btnSave_;
};

}  // namespace tavolo
