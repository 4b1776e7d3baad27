#include "gui/app/frm_print_mode.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/app/message_dialogs.h"
#include "sheet/sheet_params.h"

namespace tavolo {

TfrmPrintMode::TfrmPrintMode(PrintSettings& settings, SettingsStore& store, QWidget* parent)
    : QDialog(parent), settings_(settings), store_(store) {
  setObjectName("frmPrintMode");
  setWindowTitle(QStringLiteral("印字モードの設定"));
  setModal(true);

  auto* mode = new QGroupBox(QStringLiteral("印刷のモード"), this);
  radDisplay = new QRadioButton(QStringLiteral("画面に忠実に印刷する"), mode);
  radDisplay->setObjectName("radDisplay");
  radPrinter = new QRadioButton(QStringLiteral("プリンタの解像度で印刷する"), mode);
  radPrinter->setObjectName("radPrinter");
  auto* modeLayout = new QVBoxLayout(mode);
  modeLayout->addWidget(radDisplay);
  modeLayout->addWidget(radPrinter);

  auto* numbering = new QGroupBox(QStringLiteral("番号"), this);
  chkNumber = new QCheckBox(QStringLiteral("№を付ける"), numbering);
  chkNumber->setObjectName("chkNumber");
  spnStart = new QSpinBox(numbering);
  spnStart->setObjectName("spnStart");
  spnStart->setRange(kStartNumberRange.low, kStartNumberRange.high);
  auto* startLabel = new QLabel(QStringLiteral("開始番号"), numbering);
  startLabel->setBuddy(spnStart);
  auto* numberLayout = new QHBoxLayout(numbering);
  numberLayout->addWidget(chkNumber);
  numberLayout->addStretch();
  numberLayout->addWidget(startLabel);
  numberLayout->addWidget(spnStart);

  frmClose = new QPushButton(QStringLiteral("閉じる"), this);
  frmClose->setObjectName("frmClose");
  frmClose->setDefault(true);
  connect(frmClose, &QPushButton::clicked, this, &TfrmPrintMode::frmCloseClick);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mode);
  layout->addWidget(numbering);
  layout->addWidget(frmClose, 0, Qt::AlignRight);
}

void TfrmPrintMode::showEvent(QShowEvent* event) {
  radDisplay->setChecked(settings_.mode == PrintMode::Faithful);
  radPrinter->setChecked(settings_.mode == PrintMode::PrinterResolution);
  chkNumber->setChecked(settings_.numbered);
  spnStart->setValue(settings_.startNumber);
  QDialog::showEvent(event);
}

void TfrmPrintMode::ControlsToSettings() {
  settings_.mode = radPrinter->isChecked() ? PrintMode::PrinterResolution : PrintMode::Faithful;
  settings_.numbered = chkNumber->isChecked();
  settings_.startNumber = spnStart->value();
}

void TfrmPrintMode::frmCloseClick() { accept(); }

// However the dialog closes (button, Esc, the close box) the choices hold,
// are remembered as "PrintMode", and the sheet shows them.
void TfrmPrintMode::done(int result) {
  ControlsToSettings();
  if (Status stored =
          WriteSettingBool(store_, "PrintMode", settings_.mode == PrintMode::PrinterResolution);
      !stored)
    InformFailure(this, stored);
  if (redraw_) redraw_();
  QDialog::done(result);
}

}  // namespace tavolo
