#pragma once
// The class overview `frmClassRecords` ("学級の記録"), a teacher's window:
// every learner of a lesson as a row, every unit as a column, the best score
// in each cell coloured from red to green, the runs on hover, and the records
// written as CSV. It reads through the same core code as `tavolo records`.

#include <QDialog>

#include "app/class_overview.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tavolo {

class TfrmClassRecords final : public QDialog {
  Q_OBJECT
 public:
  TfrmClassRecords(const AppState& app, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the overview modally, starting at a lesson (1-based).
  void ShowOverview(int lesson);
  // Reads every record file of the lesson afresh and lays it out.
  void LoadLesson(int lesson);

  const ClassRecords& Records() const { return records_; }
  const ClassGrid& Grid() const { return grid_; }

  // A cell's background for a best score from 0 (red) to 100 (green).
  static QColor ScoreColour(int best);

 private:
  void ShowGrid();
  void btnCsvClick();

  const AppState& app_;
  Dialogs& dialogs_;
  ClassRecords records_;
  ClassGrid grid_;

  QComboBox* cmbLesson_;
  QTableWidget* tblRecords_;
  QLabel* lblSummary_;
  QLabel* lblProblems_;
  QPushButton* btnReload_;
  QPushButton* btnCsv_;
  QPushButton* btnClose_;
};

}  // namespace tavolo
