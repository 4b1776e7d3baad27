#pragma once
// The main window's tool panel `pnlMain`: its buttons, spin boxes and the
// save panel that floats beside "保　存". It says what the user did through
// its signals and shows what it is told; what a button does to the worksheet
// in front is the main window's.

#include <QFrame>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavolo {

class ToolPanel final : public QFrame {
  Q_OBJECT
 public:
  // `home` is the main window: the save panel floats over it, and it takes the
  // focus that a control hiding or being disabled gives up.
  ToolPanel(QWidget* home, QWidget* parent);

  // The sheet in front's values; showing them is no change by the user.
  void ShowSheetValues(int lineSpacing, int charSize);
  void ShowAnswerDisplay(bool shown);
  void ShowAlternatives(bool shown);
  // Start-up has set the answer display: the answer button is usable.
  void EnableAnswerButton();
  bool AnswerButtonEnabled() const;
  void ShowLearnerName(const QString& name);
  // Learner mode hides every teacher tool.
  void ShowKeyLock(bool locked);
  // "コピー" and "キャンセル" are usable while the sheet in front has a selection.
  void ShowSelection(bool hasSelection);
  // The save choices beside "保　存"; "上書き保存" only for a sheet of a unit.
  void ShowSavePanel(bool overUnit);
  void HideSavePanel();
  // The mouse entering `widget` hides the save panel, as it does when it
  // enters the tool panel or a button beside the save choices.
  void HideSavePanelOnEnter(QWidget* widget);

 signals:
  void lockClicked();
  void closeClicked();
  void openClicked();
  void saveClicked();
  void printClicked();
  void editClicked();
  void practiceClicked();
  void logOnClicked();
  void answersClicked();
  void kranClicked();
  void copyClicked();
  void cancelClicked();
  void saveMasterClicked();
  void saveCopyClicked();
  void alternativesChanged(bool shown);
  void lineSpacingChanged(int spacing);
  void charSizeChanged(int points);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* AddButton(const char* objectName, const char* caption);
  void CreateSavePanel();
  void ConnectSignals();
  // Moves the focus to the main window when it is on `leaving` or inside it.
  void KeepFocusOffSheets(QWidget* leaving);

  QWidget* home_;
  QPushButton* btnLock_ = nullptr;
  QPushButton* btnFpClose_ = nullptr;
  QPushButton* btnOpenMaster_ = nullptr;
  QPushButton* btnSave_ = nullptr;
  QPushButton* btnStartPrint_ = nullptr;
  QPushButton* btnEdit_ = nullptr;
  QPushButton* btnTest_ = nullptr;
  QPushButton* btnLogOn_ = nullptr;
  QLineEdit* edtLogOnName_ = nullptr;
  QPushButton* btnKaitou_ = nullptr;
  QCheckBox* chkBekkai_ = nullptr;
  QPushButton* btnKran_ = nullptr;
  QLabel* lblGyouSpace_ = nullptr;
  QSpinBox* spnGyouSpace_ = nullptr;
  QLabel* lblMoji_ = nullptr;
  QLabel* lblSize_ = nullptr;
  QSpinBox* spnMojiSize_ = nullptr;
  QFrame* pnlCopy_ = nullptr;
  QPushButton* btnCopy_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
  QFrame* pnlSave_ = nullptr;
  QPushButton* btnSaveMaster_ = nullptr;
  QPushButton* btnSaveCopy_ = nullptr;
};

}  // namespace tavolo
