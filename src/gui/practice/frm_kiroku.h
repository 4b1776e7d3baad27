#pragma once
// The records viewer `frmKiroku` ("実行記録"): a learner's units of a lesson
// with how often each was practised, the record lines of the clicked one
// beside a chart of its scores, and erasing one unit's records. The course
// menu and the practice window open it.

#include <QDialog>
#include <string>

#include "app/records_viewer.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tavolo {

class ScoreChart;

class TfrmKiroku final : public QDialog {
  Q_OBJECT
 public:
  TfrmKiroku(const AppState& app, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the viewer modally on the learner's records of the lesson. With a
  // unit's record section (UnitSectionName, or a copy file's name) that entry
  // is chosen and its records shown at once. Returns whether any records were
  // erased, so that the caller refreshes what it shows of them.
  bool ShowRecords(int lesson, const std::string& learner, const std::string& unitSection = {});
  // Everything ShowRecords does before the window waits for the user.
  void Prepare(int lesson, const std::string& learner, const std::string& unitSection = {});

  const RecordsViewer& Viewer() const { return viewer_; }
  ScoreChart* Chart() const { return chart_; }

 private:
  void FillList();
  void lstTitleClick(int row);
  void btnEraseClick();

  Dialogs& dialogs_;
  RecordsViewer viewer_;

  QListWidget* lstTitle_;
  QPlainTextEdit* memDetail_;
  QLineEdit* edtName_;
  QPushButton* btnErase_;
  QPushButton* btnReturn_;
  ScoreChart* chart_;
  QLabel* lblRun_;
};

}  // namespace tavolo
