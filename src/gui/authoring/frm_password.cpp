#include "gui/authoring/frm_password.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "draw/qt_text.h"

namespace tavolo {

namespace {

QLineEdit* HiddenEdit(const char* name, const QString& accessibleName, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setAccessibleName(accessibleName);
  field->setEchoMode(QLineEdit::Password);
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(20, QChar('M'))));
  return field;
}

}  // namespace

TfrmPassword::TfrmPassword(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setObjectName("frmPassword");
  setWindowTitle(QStringLiteral("パスワードの入力"));

  lblMess_ = new QLabel(this);
  lblMess_->setObjectName("lblMess");
  QFont greeting = lblMess_->font();
  greeting.setPointSizeF(greeting.pointSizeF() * 1.3);
  greeting.setBold(true);
  lblMess_->setFont(greeting);
  lblPW_ = new QLabel(this);
  lblPW_->setObjectName("lblPW");
  Label1_ = new QLabel(QStringLiteral("（半角英数で４文字以上）"), this);
  Label1_->setObjectName("Label1");
  mskPW_ = HiddenEdit("mskPW", QStringLiteral("パスワード"), this);
  lblPW_->setBuddy(mskPW_);
  lblRetry_ = new QLabel(QStringLiteral("確認のため再入力してください"), this);
  lblRetry_->setObjectName("lblRetry");
  mskPW2_ = HiddenEdit("mskPW2", QStringLiteral("パスワードの確認"), this);
  lblRetry_->setBuddy(mskPW2_);
  mskPW2_->installEventFilter(this);

  btnOk_ = new QPushButton(QStringLiteral("OK"), this);
  btnOk_->setObjectName("btnOk");
  btnCancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
  btnCancel_->setObjectName("btnCancel");
  // Enter in a field is OK through returnPressed; no button takes it as well.
  for (QPushButton* button : {btnOk_, btnCancel_}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  for (QLabel* label : {lblMess_, lblPW_, Label1_, lblRetry_})
    label->setAccessibleName(label->text());
  for (QPushButton* button : {btnOk_, btnCancel_}) button->setAccessibleName(button->text());

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk_);
  buttons->addWidget(btnCancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblMess_);
  layout->addSpacing(8);
  layout->addWidget(lblPW_);
  layout->addWidget(Label1_);
  layout->addWidget(mskPW_);
  layout->addSpacing(4);
  layout->addWidget(lblRetry_);
  layout->addWidget(mskPW2_);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setMinimumWidth(320);

  connect(mskPW_, &QLineEdit::returnPressed, this, &TfrmPassword::btnOkClick);
  connect(mskPW2_, &QLineEdit::returnPressed, this, &TfrmPassword::btnOkClick);
  connect(btnOk_, &QPushButton::clicked, this, &TfrmPassword::btnOkClick);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmPassword::Ask(PasswordEntry& entry) {
  entry_ = &entry;
  FormShow();
  const bool accepted = exec() == QDialog::Accepted;
  entry_ = nullptr;
  // Nothing typed here stays in memory once the window is closed.
  mskPW_->clear();
  mskPW2_->clear();
  return accepted;
}

void TfrmPassword::FormShow() {
  lblMess_->setText(ToQString(entry_->Greeting()));
  lblMess_->setAccessibleName(lblMess_->text());
  mskPW_->clear();
  mskPW2_->clear();
  // The confirmation hint keeps its room only where it can appear.
  QSizePolicy retry = lblRetry_->sizePolicy();
  retry.setRetainSizeWhenHidden(entry_->IsNew());
  lblRetry_->setSizePolicy(retry);
  lblRetry_->hide();
  mskPW2_->setVisible(entry_->IsNew());
  lblPW_->setText(ToQString(entry_->Prompt()));
  lblPW_->setAccessibleName(lblPW_->text());
  mskPW_->setFocus();
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mskPW2_ && event->type() == QEvent::FocusIn) lblRetry_->show();
  return QDialog::eventFilter(watched, event);
}

void TfrmPassword::btnOkClick() {
  if (!entry_) return;
  const PasswordVerdict verdict =
      entry_->Accept(ToStdString(mskPW_->text()), ToStdString(mskPW2_->text()));
  if (verdict.accepted) {
    accept();
    return;
  }
  dialogs_.Inform(verdict.message);
  FocusField(verdict.focus);
}

void TfrmPassword::FocusField(PasswordField field) {
  // The message box had the focus; the window takes it back first.
  activateWindow();
  QLineEdit* target = field == PasswordField::Second && mskPW2_->isVisible() ? mskPW2_ : mskPW_;
  // The hint goes with the second field's focus, also while the window
  // waits to be active again.
  if (target == mskPW2_) lblRetry_->show();
  target->setFocus();
  target->selectAll();
}

}  // namespace tavolo
