#include "gui/app/frm_juku.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/widget_helpers.h"

namespace tavolo {

TfrmJuku::TfrmJuku(QWidget* parent) : QDialog(parent) {
  setObjectName("frmJuku");
  setWindowTitle(QStringLiteral("校名／塾名入力"));

  auto* lblTitle = new QLabel(QStringLiteral("学校名・塾名"), this);
  lblTitle->setObjectName("lblTitle");
  QFont bold = lblTitle->font();
  bold.setBold(true);
  lblTitle->setFont(bold);
  auto* lblFree = new QLabel(QStringLiteral("ここには自由にタイトルを入れることができます"), this);
  lblFree->setObjectName("lblFree");
  auto* lblExample = new QLabel(QStringLiteral("例　ＣＡＩ中学校　年　組"), this);
  lblExample->setObjectName("lblExample");

  edtSchool_ = new QLineEdit(this);
  edtSchool_->setObjectName("edtSchool");
  edtSchool_->setAccessibleName(QStringLiteral("学校名"));
  edtSchool_->setMinimumWidth(
      edtSchool_->fontMetrics().horizontalAdvance(QString(24, QChar(0x3000))));

  auto* btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);  // Enter in the field is OK
  auto* btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(lblFree);
  layout->addWidget(lblExample);
  layout->addWidget(edtSchool_);
  layout->addWidget(OkCancelRow(this, btnOK, btnCancel));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<QString> TfrmJuku::Ask(const std::optional<QString>& currentSchool) {
  if (currentSchool) edtSchool_->setText(*currentSchool);
  edtSchool_->selectAll();
  edtSchool_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return edtSchool_->text();
}

}  // namespace tavolo
