#pragma once
// The print dialog `frmPrintOk` ("印刷"): shows the printer's page size, says
// which paper to load, lets the printer be chosen, and runs the print job for
// the sheet it was opened for. A sheet with random data prints each numbered
// copy with its own variant, says when the copies would repeat or be all the
// same, and can print the answer list of the copies after them.

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

#include "gui/app/printable_sheet.h"
#include "platform/dialogs.h"
#include "sheet/print_job.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavolo {

class TfrmPrintOk final : public QDialog {
  Q_OBJECT
 public:
  TfrmPrintOk(PrintSettings& settings, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the dialog modally for a sheet. Answer-box registration stays off
  // meanwhile: the printed boxes are those of the last screen page.
  void PrintSheet(PrintableSheet& sheet);

  // The printer, set up the first time it is asked for: making one loads the
  // print system, which the program need not wait for until it prints.
  QPrinter& Printer();
  // The system print dialog; replaceable so that tests need no print system.
  void SetPrinterChooser(std::function<bool(QPrinter&)> chooser) { chooser_ = std::move(chooser); }
  bool PrinterChosen() const { return printerChosen_; }
  // The system print dialog (or its stand-in) on this dialog's printer; false
  // when the user cancelled it.
  bool ChoosePrinter() { return chooser_(Printer()); }

  QLabel* lblPWidth;
  QLabel* lblPHeight;
  QLabel* lblSize;
  QSpinBox* spnStartNum;
  // Said for a sheet with random data: every copy the same, or from which number they repeat.
  QLabel* lblRandom;
  QCheckBox* chkAnswerList;  // "解答一覧も印刷する": only for a sheet with random data
  QPushButton* btnSettei;
  QPushButton* btnPrint;
  QPushButton* btnClose;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void btnSetteiClick();
  void btnPrintClick();
  void spnStartNumChange(int value);
  void ShowPrinterSize();
  void ShowRandomNote();
  void SetButtonsEnabled(bool enabled);

  PrintSettings& settings_;
  Dialogs& dialogs_;
  std::unique_ptr<QPrinter> printer_;
  std::function<bool(QPrinter&)> chooser_;
  PrintableSheet* sheet_ = nullptr;
  bool printerChosen_ = false;
};

}  // namespace tavolo
