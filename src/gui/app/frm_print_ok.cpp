#include "gui/app/frm_print_ok.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/sheet/sheet_print.h"

namespace tavolo {

TfrmPrintOk::TfrmPrintOk(PrintSettings& settings, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs) {
  setObjectName("frmPrintOk");
  setWindowTitle(QStringLiteral("印刷"));
  setModal(true);

  lblPWidth = new QLabel(this);
  lblPWidth->setObjectName("lblPWidth");
  lblPHeight = new QLabel(this);
  lblPHeight->setObjectName("lblPHeight");
  lblSize = new QLabel(this);
  lblSize->setObjectName("lblSize");
  spnStartNum = new QSpinBox(this);
  spnStartNum->setObjectName("spnStartNum");
  spnStartNum->setRange(kStartNumberRange.low, kStartNumberRange.high);
  auto* startLabel = new QLabel(QStringLiteral("開始No"), this);
  startLabel->setBuddy(spnStartNum);
  btnSettei = new QPushButton(QStringLiteral("プリンタ設定"), this);
  btnSettei->setObjectName("btnSettei");
  btnPrint = new QPushButton(QStringLiteral("印刷開始"), this);
  btnPrint->setObjectName("btnPrint");
  btnPrint->setDefault(true);
  btnClose = new QPushButton(QStringLiteral("閉じる"), this);
  btnClose->setObjectName("btnClose");

  auto* size = new QHBoxLayout;
  size->addWidget(lblPWidth);
  size->addWidget(lblPHeight);
  size->addStretch();
  size->addWidget(startLabel);
  size->addWidget(spnStartNum);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnSettei);
  buttons->addStretch();
  buttons->addWidget(btnPrint);
  buttons->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(size);
  layout->addWidget(lblSize);
  layout->addLayout(buttons);

  chooser_ = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("prdPrint");
    return dialog.exec() == QDialog::Accepted;
  };
  connect(btnSettei, &QPushButton::clicked, this, &TfrmPrintOk::btnSetteiClick);
  connect(btnPrint, &QPushButton::clicked, this, &TfrmPrintOk::btnPrintClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(spnStartNum, &QSpinBox::valueChanged, this, &TfrmPrintOk::spnStartNumChange);
}

void TfrmPrintOk::PrintSheet(PrintableSheet& sheet) {
  sheet_ = &sheet;
  AnswerBoxRegistry& registry = sheet.Registry();
  const bool registering = registry.registering();
  registry.SetRegistering(false);
  exec();
  registry.SetRegistering(registering);
  sheet_ = nullptr;
}

void TfrmPrintOk::showEvent(QShowEvent* event) {
  printerChosen_ = false;
  ShowPrinterSize();
  if (sheet_) {
    lblSize->setText(QStringLiteral("用紙のサイズを ") +
                     QString::fromStdString(sheet_->PaperName()) +
                     QStringLiteral(" に設定してください"));
    const QSignalBlocker quiet(spnStartNum);
    spnStartNum->setValue(sheet_->StartNumber());
  }
  QDialog::showEvent(event);
}

void TfrmPrintOk::ShowPrinterSize() {
  // The page in the printer's own pixels, as the teacher's printer reports it.
  const QRect page = printer_.pageLayout().fullRectPixels(printer_.resolution());
  lblPWidth->setText(QStringLiteral("横：") + QString::number(page.width()));
  lblPHeight->setText(QStringLiteral("縦：") + QString::number(page.height()));
}

void TfrmPrintOk::btnSetteiClick() {
  if (!chooser_(printer_)) return;
  ShowPrinterSize();
  printerChosen_ = true;
}

void TfrmPrintOk::SetButtonsEnabled(bool enabled) {
  btnSettei->setEnabled(enabled);
  btnPrint->setEnabled(enabled);
  btnClose->setEnabled(enabled);
}

void TfrmPrintOk::btnPrintClick() {
  if (!printerChosen_) {
    if (!chooser_(printer_)) return;
    ShowPrinterSize();
    printerChosen_ = true;
  }
  if (!sheet_) return;
  lblSize->setText(QStringLiteral("印刷中"));
  SetButtonsEnabled(false);

  sheet_->LeaveReducedView();
  // With numbering every copy is a document of its own: the copy count the
  // print dialog asked for becomes the number of documents, and the printer
  // is asked for one copy of each.
  const int copies = printer_.copyCount();
  const bool toFile = printer_.outputFormat() == QPrinter::PdfFormat;
  PagedDevicePrintTarget target(printer_, sheet_->Renderer(), sheet_->Page(),
                                sheet_->BaseSettings(), !toFile);
  target.SetPrinterControls(
      {[this](int n) { printer_.setCopyCount(n); }, [this] { printer_.abort(); }});
  const PrintResult result = RunPrintJob(settings_, copies, target);
  SetButtonsEnabled(true);
  if (!result.ok) {
    lblSize->setText(QString());
    dialogs_.Inform(result.message.empty() ? "印刷できませんでした" : result.message);
    return;
  }
  lblSize->setText(QStringLiteral("印刷完了"));
  accept();
}

void TfrmPrintOk::spnStartNumChange(int value) {
  if (sheet_) sheet_->SetStartNumber(value);
}

}  // namespace tavolo
