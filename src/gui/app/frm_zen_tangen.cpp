#include "gui/app/frm_zen_tangen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "draw/qt_text.h"
#include "platform/clock.h"

namespace tavolo {

namespace {
// The tree leaves this much of the window's height to the buttons below it.
constexpr int kButtonStripHeight = 50;
}  // namespace

TfrmZenTangen::TfrmZenTangen(CourseMenu& menu, Dialogs& dialogs,
                             std::function<bool(const QImage&)> print, QWidget* parent)
    : QDialog(parent), menu_(menu), dialogs_(dialogs), print_(std::move(print)) {
  setObjectName("frmZenTangen");
  setWindowTitle(QStringLiteral("全単元"));

  trvMain_ = new QTreeWidget(this);
  trvMain_->setObjectName("trvMain");
  trvMain_->setAccessibleName(QStringLiteral("全単元"));
  trvMain_->setHeaderHidden(true);
  QFont treeFont = trvMain_->font();
  treeFont.setPointSizeF(treeFont.pointSizeF() * 1.1);
  trvMain_->setFont(treeFont);

  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName("Edit1");
  edit1_->setAccessibleName(QStringLiteral("印刷の番号"));
  edit1_->setReadOnly(true);
  edit1_->setFixedWidth(edit1_->fontMetrics().horizontalAdvance("00000") + 12);
  auto* btnPrint = new QPushButton(QStringLiteral("印刷"), this);
  btnPrint->setObjectName("btnPrint");
  btnPrint->setAutoDefault(false);
  auto* btnClose = new QPushButton(QStringLiteral("閉じる"), this);
  btnClose->setObjectName("btnClose");
  btnClose->setDefault(true);
  connect(btnPrint, &QPushButton::clicked, this, &TfrmZenTangen::btnPrintClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

  auto* strip = new QHBoxLayout;
  strip->addWidget(label1_);
  strip->addWidget(edit1_);
  strip->addStretch();
  strip->addWidget(btnPrint);
  strip->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 8, 8);
  layout->addWidget(trvMain_, 1);
  layout->addLayout(strip);
}

void TfrmZenTangen::ShowView(const QRect& area) {
  setGeometry(area);
  Rebuild();
  label1_->setText(ToQString(DateDotText(Now()) + "-"));
  printCount_ = 0;
  edit1_->setText(QString::number(printCount_));
  exec();
}

void TfrmZenTangen::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  trvMain_->setFixedHeight(std::max(0, height() - kButtonStripHeight));
}

void TfrmZenTangen::Rebuild() {
  trvMain_->clear();
  const auto view = menu_.AllUnits(dialogs_);
  if (!view) return;
  auto* root = new QTreeWidgetItem(trvMain_, {ToQString(view->title)});
  for (const AllUnitsSection& section : view->sections) {
    auto* node = new QTreeWidgetItem(root, {ToQString(section.caption)});
    for (const std::string& row : section.unitRows) new QTreeWidgetItem(node, {ToQString(row)});
  }
  trvMain_->expandAll();
}

void TfrmZenTangen::btnPrintClick() {
  if (!print_ || !print_(grab().toImage())) return;
  ++printCount_;
  edit1_->setText(QString::number(printCount_));
}

}  // namespace tavolo
