#include "gui/authoring/frm_input_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "draw/qt_text.h"

namespace tavolo {

namespace {

// What the box is for, so that the teacher knows which name is asked.
QString Prompt(std::string_view mode) {
  if (mode == kInputMainAdd) return QStringLiteral("追加する主メニューの名前");
  if (mode == kInputMainChange) return QStringLiteral("主メニューの新しい名前");
  if (mode == kInputSubAdd) return QStringLiteral("追加する副メニューの名前");
  return QStringLiteral("副メニューの新しい名前");
}

}  // namespace

TfrmInputText::TfrmInputText(QWidget* parent) : QDialog(parent) {
  setObjectName("frmInputText");
  setWindowTitle(QStringLiteral("テキストの入力"));

  lblInput_ = new QLabel(Prompt(kInputMainAdd), this);
  lblInput_->setObjectName("lblInput");
  memInput_ = new QLineEdit(this);
  memInput_->setObjectName("memInput");
  memInput_->setAccessibleName(lblInput_->text());
  lblInput_->setBuddy(memInput_);
  QFont font = memInput_->font();
  font.setPointSizeF(font.pointSizeF() * 1.15);
  memInput_->setFont(font);
  memInput_->setMinimumWidth(
      memInput_->fontMetrics().horizontalAdvance(QString(28, QChar(0x3042))));

  auto* btnOk = new QPushButton(QStringLiteral("O　K"), this);
  btnOk->setObjectName("btnOk");
  btnOk->setAccessibleName(btnOk->text());
  auto* btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setAccessibleName(btnCancel->text());
  // Enter is taken by the box itself (below): no button may act on it twice.
  for (QPushButton* button : {btnOk, btnCancel}) button->setAutoDefault(false);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(memInput_, &QLineEdit::returnPressed, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblInput_);
  layout->addWidget(memInput_);
  layout->addSpacing(6);
  layout->addLayout(buttons);
}

std::optional<std::string> TfrmInputText::AskText(std::string_view mode, std::string_view current) {
  lblInput_->setText(Prompt(mode));
  memInput_->setAccessibleName(lblInput_->text());
  memInput_->clear();
  if (mode == kInputMainChange || mode == kInputSubChange) {
    memInput_->setText(ToQString(current));
    memInput_->selectAll();
  }
  memInput_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  // One line is a name; anything pasted after a line break is not part of it.
  const QString text = memInput_->text();
  return ToStdString(text.section(QLatin1Char('\n'), 0, 0));
}

}  // namespace tavolo
