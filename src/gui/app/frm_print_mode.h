#pragma once
// The print-mode dialog `frmPrintMode`: faithful to the screen or at the
// printer's resolution, and the sheet numbering. Its choices are the print
// settings every print job uses.

#include <QDialog>
#include <functional>

#include "platform/settings.h"
#include "sheet/print_job.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tavolo {

class TfrmPrintMode final : public QDialog {
  Q_OBJECT
 public:
  TfrmPrintMode(PrintSettings& settings, SettingsStore& store, QWidget* parent = nullptr);

  // Called when the dialog closes, so the active sheet shows the numbering.
  void SetRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }

  QRadioButton* radDisplay;
  QRadioButton* radPrinter;
  QCheckBox* chkNumber;
  QSpinBox* spnStart;
  QPushButton* frmClose;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void frmCloseClick();
  void ControlsToSettings();

  PrintSettings& settings_;
  SettingsStore& store_;
  std::function<void()> redraw_;
};

}  // namespace tavolo
