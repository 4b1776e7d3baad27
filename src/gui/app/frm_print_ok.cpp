#include "gui/app/frm_print_ok.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "draw/answer_list_print.h"
#include "draw/sheet_print.h"
#include "platform/clock.h"
#include "sheet/pdf_date.h"

namespace tavolo {

namespace {

void StampCreationDate(const QString& pdf) {
  const QByteArray path = QFile::encodeName(pdf);
  const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return;
  // A file without a date to replace stays as Qt wrote it.
  (void)StampPdfFileCreationDate(fd, Now());
  ::close(fd);
}

// What the teacher should know before printing copies of a sheet with
// random data; empty when nothing is worth saying.
QString RandomNote(const CopyVariants& variants, const PrintSettings& settings, int copies) {
  if (!settings.numbered)
    return QStringLiteral("番号を付けないので、すべての部数が同じ問題になります");
  const std::optional<std::uint64_t> distinct = variants.DistinctCount();
  if (!distinct || *distinct == 0 || static_cast<std::uint64_t>(copies) <= *distinct) return {};
  // Copy n + count shows variant n again.
  const std::uint64_t repeatsAt = static_cast<std::uint64_t>(settings.startNumber) + *distinct;
  return QStringLiteral("№ %1 からは同じ問題がくり返されます")
      .arg(static_cast<qulonglong>(repeatsAt));
}

}  // namespace

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
  lblRandom = new QLabel(this);
  lblRandom->setObjectName("lblRandom");
  lblRandom->setWordWrap(true);
  chkAnswerList = new QCheckBox(QStringLiteral("解答一覧も印刷する"), this);
  chkAnswerList->setObjectName("chkAnswerList");
  chkAnswerList->setAccessibleName(chkAnswerList->text());
  chkAnswerList->setEnabled(false);
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
  layout->addWidget(lblRandom);
  layout->addWidget(chkAnswerList);
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

QPrinter& TfrmPrintOk::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void TfrmPrintOk::PrintSheet(PrintableSheet& sheet) {
  sheet_ = &sheet;
  exec();
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
  const bool random = sheet_ && sheet_->Variants() && sheet_->Variants()->HasRandomData();
  chkAnswerList->setEnabled(random);
  if (!random) chkAnswerList->setChecked(false);
  ShowRandomNote();
  QDialog::showEvent(event);
}

void TfrmPrintOk::ShowPrinterSize() {
  // The page in the printer's own pixels, as the teacher's printer reports it.
  const QPrinter& printer = Printer();
  const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
  lblPWidth->setText(QStringLiteral("横：") + QString::number(page.width()));
  lblPHeight->setText(QStringLiteral("縦：") + QString::number(page.height()));
}

void TfrmPrintOk::ShowRandomNote() {
  const CopyVariants* variants = sheet_ ? sheet_->Variants() : nullptr;
  lblRandom->setText(variants && variants->HasRandomData()
                         ? RandomNote(*variants, settings_, Printer().copyCount())
                         : QString());
  lblRandom->setVisible(!lblRandom->text().isEmpty());
}

void TfrmPrintOk::btnSetteiClick() {
  if (!ChoosePrinter()) return;
  ShowPrinterSize();
  ShowRandomNote();  // the copy count is the print dialog's
  printerChosen_ = true;
}

void TfrmPrintOk::SetButtonsEnabled(bool enabled) {
  btnSettei->setEnabled(enabled);
  btnPrint->setEnabled(enabled);
  btnClose->setEnabled(enabled);
}

void TfrmPrintOk::btnPrintClick() {
  if (!printerChosen_) {
    if (!ChoosePrinter()) return;
    ShowPrinterSize();
    ShowRandomNote();
    printerChosen_ = true;
  }
  if (!sheet_) return;
  lblSize->setText(QStringLiteral("印刷中"));
  SetButtonsEnabled(false);

  sheet_->LeaveReducedView();
  // With numbering every copy is a document of its own: the copy count the
  // print dialog asked for becomes the number of documents, and the printer
  // is asked for one copy of each.
  QPrinter& printer = Printer();
  const int copies = printer.copyCount();
  const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
  PagedDevicePrintTarget target(printer, sheet_->Renderer(), sheet_->Page(), sheet_->BaseSettings(),
                                !toFile);
  target.SetPrinterControls(
      {[&printer](int n) { printer.setCopyCount(n); }, [&printer] { printer.abort(); }});
  // With random data each numbered copy shows the variant of its own number,
  // and its key (the same page with the answers on) that variant's answers.
  const CopyVariants* variants = sheet_->Variants();
  std::optional<CopyPages> pages;
  if (variants && variants->HasRandomData()) {
    pages.emplace(*variants, sheet_->Page(), sheet_->Renderer(), sheet_->Registry());
    target.SetCopyPages([&pages](int number) { return pages->Page(number); });
    if (chkAnswerList->isChecked()) {
      // Copies without numbers all show the start number's variant: one row.
      const std::vector<AnswerListRow> rows =
          variants->AnswerList(settings_.startNumber, settings_.numbered ? copies : 1);
      const AnswerListHeading heading{sheet_->Page().params.unit.title,
                                      sheet_->BaseSettings().shortUnitName,
                                      variants->Fingerprint()};
      target.SetAfterCopies([rows, heading](QPainter& painter, QPagedPaintDevice& device) {
        return DrawAnswerList(painter, device, heading, rows);
      });
    }
  }
  const PrintResult result = RunPrintJob(settings_, copies, target);
  // The job has closed the file. A PDF file is dated by the program's clock,
  // as the command line dates it.
  if (result.ok && toFile) StampCreationDate(printer.outputFileName());
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
