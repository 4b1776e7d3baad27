#pragma once
// The question editor `frmEditQues` ("マスターファイルの編集"): a unit's
// question text, dummy answers, answer choices, hints, random data, figures
// and layout blocks in boxes of their own, the buttons that check and edit
// them, and OK to write the unit back. Every rule is core's (authoring/);
// this window shows the boxes and forwards its buttons.

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>
#include <string>

#include "authoring/editor_figures.h"
#include "authoring/question_editor.h"
#include "authoring/question_text.h"
#include "platform/dialogs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tavolo {

class TfrmBMP;

class TfrmEditQues final : public QDialog {
  Q_OBJECT
 public:
  struct Host {
    // The source editor on a file's lines: the edited lines on OK, once they
    // passed the check.
    std::function<std::optional<Lines>(const std::string& path, const Lines& lines,
                                       LinesCheck check)>
        editSource;
    // After OK and Cancel: the course menu's marks may have changed.
    std::function<void()> refreshMarks;
  };

  TfrmEditQues(Dialogs& dialogs, Host host, QWidget* parent = nullptr);

  // Edits the unit of a worksheet, shown modally over `area`; true on OK.
  bool EditSheetUnit(const CourseIndex& course, const UnitAddress& address,
                     const UnitCaptions& captions, const EditorSheet& sheet, const QRect& area);
  // Makes a unit that does not exist yet (new-unit mode); true on OK.
  bool CreateUnit(const CourseIndex& course, const UnitAddress& address,
                  const UnitCaptions& captions, const QRect& area);

  QuestionEditor& Editor() { return editor_; }
  TfrmBMP* FigureViewer() const { return frmBMP_; }

  // The buttons, as the window's own handlers.
  void btnOkClick();
  void btnCancelClick();
  void btnEditDirectClick();
  void btnKaiClick();
  void btnNumberClick();
  void MarkupClick(TextStyle style);
  void btnTestClick();
  void btnKgAddClick();
  void btnDummyClick();
  void btnKGClearClick();
  void btnTryClick();  // 試す: the unit with its random data, variant by variant
  void AddFigures(FigureBox kind);

 protected:
  void reject() override;          // Esc, like the close box
  void done(int result) override;  // the enlarged figure goes with the editor
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateLayout();
  void ConnectControls();
  void SetTabOrder();

  bool Run(const QRect& area);
  // What opening does after the unit is loaded (also after a direct edit).
  void ShowLoadedUnit();
  // The boxes from the session, and back.
  void ShowBoxes();
  void CollectBoxes();
  // Puts the caret at the start of a line (1-based) of the box and focuses it.
  void PlaceCaret(QPlainTextEdit* box, int line, std::size_t offset = 0);
  QPlainTextEdit* BoxOf(EditorBox box) const;
  // Acts on where saving stopped; true when it saved.
  bool ShowSaveStop(const EditorSave& save);
  // Replaces the selection of the question box with what `wrap` makes of it.
  bool WrapSelection(const std::function<std::string(std::string_view)>& wrap);
  void UpdateChoiceCounters();
  void ShowFigureFiles();
  void flbGraphClick();
  void ShowFigureViewer();
  void Changed();

  Dialogs& dialogs_;
  Host host_;
  QuestionEditor editor_;
  bool showing_ = false;  // boxes are being filled: not the teacher's changes
  QImage preview_;
  TfrmBMP* frmBMP_ = nullptr;

  QLineEdit* edtLesson_ = nullptr;
  QLineEdit* edtTangen_ = nullptr;
  QLineEdit* edtFileName_ = nullptr;
  QPlainTextEdit* MemQues_ = nullptr;
  QPlainTextEdit* memDummy_ = nullptr;
  QPlainTextEdit* memKgroup_ = nullptr;
  QPlainTextEdit* memHint_ = nullptr;
  QPlainTextEdit* memQGraph_ = nullptr;
  QPlainTextEdit* memAGraph_ = nullptr;
  QPlainTextEdit* memPasteLo_ = nullptr;
  QPlainTextEdit* memRandom_ = nullptr;
  QListWidget* lstKai_ = nullptr;
  QLabel* lblKosuh_ = nullptr;
  QLabel* lblKosuh2_ = nullptr;
  QLabel* lblKosuh3_ = nullptr;
  QListWidget* flbGraph_ = nullptr;
  QLabel* imgGraph_ = nullptr;

  QPushButton* btnOk_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
  QPushButton* btnEditDirect_ = nullptr;
  QPushButton* btnKai_ = nullptr;
  QPushButton* btnNumber_ = nullptr;
  QPushButton* btnKakko_ = nullptr;
  QPushButton* BitBtn1_ = nullptr;
  QPushButton* BitBtn2_ = nullptr;
  QPushButton* btnTest_ = nullptr;
  QPushButton* btnKgAdd_ = nullptr;
  QPushButton* btnDummy_ = nullptr;
  QPushButton* btnKGClear_ = nullptr;
  QPushButton* btnTry_ = nullptr;
  QCheckBox* chkSuuji_ = nullptr;
  QCheckBox* chkKigou_ = nullptr;
  QPushButton* btnQGAdd_ = nullptr;
  QPushButton* btnAGAdd_ = nullptr;
  QPushButton* btnQGClear_ = nullptr;
  QPushButton* btnAGClear_ = nullptr;
};

}  // namespace tavolo
