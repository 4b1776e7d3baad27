#pragma once
// The all-units view `frmZenTangen`: every section and unit of a lesson with
// the learner's marks in one tree, dated, with a counter of the copies printed
// while it is shown.

#include <QDialog>
#include <functional>

#include "app/course_menu.h"

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace tavolo {

class TfrmZenTangen final : public QDialog {
  Q_OBJECT
 public:
  // print puts the window's picture on paper (through the print dialog) and
  // says whether it did: only a print that happened is counted.
  TfrmZenTangen(CourseMenu& menu, Dialogs& dialogs, std::function<bool(const QImage&)> print,
                QWidget* parent = nullptr);

  // Shows the view modally over `area` (the main window).
  void ShowView(const QRect& area);

  void SetPrinter(std::function<bool(const QImage&)> print) { print_ = std::move(print); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Rebuild();
  void btnPrintClick();

  CourseMenu& menu_;
  Dialogs& dialogs_;
  std::function<bool(const QImage&)> print_;
  int printCount_ = 0;
  QTreeWidget* trvMain_;
  QLabel* label1_;
  QLineEdit* edit1_;
};

}  // namespace tavolo
