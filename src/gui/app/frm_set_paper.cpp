#include "gui/app/frm_set_paper.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/app_state.h"
#include "gui/app/widget_helpers.h"
#include "sheet/sheet_params.h"

namespace tavolo {

TfrmSetPaper::TfrmSetPaper(QWidget* parent) : QDialog(parent) {
  setObjectName("frmSetPaper");
  setWindowTitle(QStringLiteral("用紙設定"));

  auto* grpPaper = new QGroupBox(QStringLiteral("用紙"), this);
  grpPaper->setObjectName("grpPaper");
  auto* paperLayout = new QHBoxLayout(grpPaper);
  const char* captions[] = {"B５", "A４", "B4", "A3"};
  const char* names[] = {"radSetB5", "radSetA4", "radSetB4", "radSetA3"};
  for (int i = 0; i < 4; ++i) {
    papers_[i] = new QRadioButton(QString::fromUtf8(captions[i]), grpPaper);
    papers_[i]->setObjectName(names[i]);
    // The course material is laid out for A4; the other papers are offered
    // but not selectable here (a unit's own value block can still ask for one).
    papers_[i]->setEnabled(i == 1);
    paperLayout->addWidget(papers_[i]);
  }
  papers_[1]->setChecked(true);

  auto* grpOptions = new QGroupBox(QStringLiteral("オプション"), this);
  grpOptions->setObjectName("grpOptions");
  auto* optionLayout = new QVBoxLayout(grpOptions);
  chkClassFlag_ = new QCheckBox(QStringLiteral("学級旗"), grpOptions);
  chkClassFlag_->setObjectName("chkClassFlag");
  chkJisshibi_ = new QCheckBox(QStringLiteral("実施日"), grpOptions);
  chkJisshibi_->setObjectName("chkJisshibi");
  chkPrinted_ = new QCheckBox(QStringLiteral("No.印刷日時"), grpOptions);
  chkPrinted_->setObjectName("chkPrinted");
  for (QCheckBox* box : {chkClassFlag_, chkJisshibi_, chkPrinted_}) {
    box->setChecked(true);
    optionLayout->addWidget(box);
  }

  auto* btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  auto* btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grpPaper);
  layout->addWidget(grpOptions);
  layout->addWidget(OkCancelRow(this, btnOK, btnCancel));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<PaperAndOptions> TfrmSetPaper::Ask(int headerOptions) {
  chkClassFlag_->setChecked((headerOptions & kHeaderClassFlag) != 0);
  chkJisshibi_->setChecked((headerOptions & kHeaderTestDate) != 0);
  chkPrinted_->setChecked((headerOptions & kHeaderNumberAndTime) != 0);
  if (exec() != QDialog::Accepted) return std::nullopt;
  int paper = 0;
  for (int i = 0; i < 4; ++i)
    if (papers_[i]->isChecked()) paper = i;
  return PaperAndOptions{PaperWidth(static_cast<PaperSize>(paper)),
                         (chkClassFlag_->isChecked() ? kHeaderClassFlag : 0) |
                             (chkJisshibi_->isChecked() ? kHeaderTestDate : 0) |
                             (chkPrinted_->isChecked() ? kHeaderNumberAndTime : 0)};
}

}  // namespace tavolo
