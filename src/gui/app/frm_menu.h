#pragma once
// The course menu `frmMenu`: lessons, sections, units with their marks, and
// the similar problems of the chosen unit. The choices themselves are made by
// core's CourseMenu; this window shows them and forwards the clicks.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "app/course_menu.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tavolo {

class TfrmMenu final : public QDialog {
  Q_OBJECT
 public:
  TfrmMenu(AppState& app, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the menu modally in mode "Open" over `area` (the main window);
  // the choice on OK, nothing on Cancel.
  std::optional<CourseMenuChoice> ShowOpen(const QRect& area);

  CourseMenu& Menu() { return menu_; }
  // Fills the lesson list (start-up, and after the index was re-read).
  void ShowLessons();
  // Opens the all-units view (set by the main window).
  void SetAllUnitsView(std::function<void()> show) { showAllUnits_ = std::move(show); }

  // What "記録表示" needs from the main window: the current learner, the
  // sign-on window, and the records viewer (lesson, the chosen unit's
  // section), which answers whether records were erased.
  struct RecordsView {
    std::function<std::string()> learner;
    std::function<void()> signOn;
    std::function<bool(int lesson, const std::string& unitSection)> show;
  };
  void SetRecordsView(RecordsView view) { recordsView_ = std::move(view); }
  // The learner or the records changed: the unit marks are counted again and shown.
  void RefreshUnitMarks();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowSections();
  void ShowUnits();
  void ShowSimilarProblems();
  void MarkSimilarChoice();
  void lstLessonClick(int row);
  void lstSectionClick(int row);
  void lstUnitClick(int row);
  void btnRuidaiClearClick();
  void btnOkClick();
  void btnShowRecordClick();

  Dialogs& dialogs_;
  CourseMenu menu_;
  std::optional<CourseMenuChoice> choice_;
  std::function<void()> showAllUnits_;
  RecordsView recordsView_;

  QLabel* pnlTitle_;
  QLabel* pnlLesson_;
  QLabel* pnlSection_;
  QLabel* pnlUnit_;
  QListWidget* lstLesson_;
  QListWidget* lstSection_;
  QListWidget* lstUnit_;
  QListWidget* lstRuidai_;
  QLabel* lblRuidai_;
  QPushButton* btnRuidaiClear_;
  QPushButton* btnOk_;
  QPushButton* btnCancel_;
  QPushButton* btnZenTangen_;
  QPushButton* btnShowRecord_;
};

}  // namespace tavolo
