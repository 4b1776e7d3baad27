#include "gui/authoring/frm_input_name.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/sign_on.h"
#include "draw/qt_text.h"
#include "gui/app/widget_helpers.h"
#include "gui/authoring/frm_password.h"
#include "practice/learner_name.h"

namespace tavolo {

namespace {}  // namespace

TfrmInputName::TfrmInputName(AppState& app, SettingsStore& settings, Dialogs& dialogs, Host host,
                             QWidget* parent)
    : QDialog(parent),
      app_(app),
      settings_(settings),
      dialogs_(dialogs),
      host_(std::move(host)),
      // A window of its own beside this one (both belong to the main window),
      // not inside it.
      frmPassword_(new TfrmPassword(dialogs, parent ? parent : this)) {
  setObjectName("frmInputName");
  setWindowTitle(QStringLiteral("名前登録"));

  Memo1_ = new QPlainTextEdit(this);
  Memo1_->setObjectName("Memo1");
  Memo1_->setReadOnly(true);
  Memo1_->setFocusPolicy(Qt::NoFocus);
  Memo1_->setPlainText(
      QStringLiteral("学習者の名前を選んでください。\nリストに無い場合は、氏名を入力して\n"
                     "[追加]をクリックすれば名簿を作成\nできます。"));
  Memo1_->setAccessibleName(QStringLiteral("説明"));
  Memo1_->setFixedHeight(Memo1_->fontMetrics().lineSpacing() * 5 + 10);
  Memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  edtName_ = new QLineEdit(this);
  edtName_->setObjectName("edtName");
  auto* lblName = BuddyLabel(QStringLiteral("氏名："), edtName_, this, "lblName");
  // Why a refused name cannot be used, beside the field until it changes.
  lblNameHint_ = new QLabel(this);
  lblNameHint_->setObjectName("lblNameHint");
  lblNameHint_->setWordWrap(true);
  lblNameHint_->setStyleSheet(QStringLiteral("color: #c00000;"));
  lblNameHint_->setAccessibleName(QStringLiteral("名前についての注意"));

  btnOk_ = PlainButton(QStringLiteral("OK"), "btnOk", this);
  btnCancel_ = PlainButton(QStringLiteral("キャンセル"), "btnCancel", this);
  btnAdd_ = PlainButton(QStringLiteral("追加 =>"), "btnAdd", this);
  btnDelete_ = PlainButton(QStringLiteral("削除 =>"), "btnDelete", this);
  edtMeibo_ = new QLineEdit(this);
  edtMeibo_->setObjectName("edtMeibo");
  edtMeibo_->setReadOnly(true);
  edtMeibo_->setFocusPolicy(Qt::NoFocus);
  auto* lblMeibo = BuddyLabel(QStringLiteral("名簿"), edtMeibo_, this, "lblMeibo");
  lstName_ = new QListWidget(this);
  lstName_->setObjectName("lstName");
  lstName_->setAccessibleName(QStringLiteral("名簿の名前"));
  lstName_->setMinimumHeight(lstName_->fontMetrics().lineSpacing() * 12);
  BitBtn1_ = PlainButton(QStringLiteral("名簿を開く"), "BitBtn1", this);
  btnSave_ = PlainButton(QStringLiteral("名前を付けて保存"), "btnSave", this);

  auto* left = new QVBoxLayout;
  left->addWidget(Memo1_);
  left->addSpacing(6);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(lblName);
  nameRow->addWidget(edtName_, 1);
  left->addLayout(nameRow);
  left->addWidget(lblNameHint_);
  left->addStretch(1);
  auto* okRow = new QHBoxLayout;
  okRow->addStretch();
  okRow->addWidget(btnOk_);
  okRow->addWidget(btnCancel_);
  left->addLayout(okRow);

  auto* middle = new QVBoxLayout;
  middle->addStretch(1);
  middle->addWidget(btnAdd_);
  middle->addSpacing(12);
  middle->addWidget(btnDelete_);
  middle->addStretch(2);

  auto* right = new QVBoxLayout;
  auto* meiboRow = new QHBoxLayout;
  meiboRow->addWidget(lblMeibo);
  meiboRow->addWidget(edtMeibo_, 1);
  right->addLayout(meiboRow);
  right->addWidget(lstName_, 1);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(BitBtn1_);
  fileRow->addWidget(btnSave_);
  right->addLayout(fileRow);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 3);
  layout->addLayout(middle, 0);
  layout->addLayout(right, 3);
  resize(sizeHint().width() + 80, sizeHint().height());

  connect(lstName_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { lstNameClick(lstName_->row(item)); });
  connect(lstName_, &QListWidget::currentRowChanged, this, &TfrmInputName::lstNameClick);
  connect(edtName_, &QLineEdit::textChanged, lblNameHint_, &QLabel::clear);
  connect(edtName_, &QLineEdit::returnPressed, this, &TfrmInputName::btnOkClick);
  connect(btnOk_, &QPushButton::clicked, this, &TfrmInputName::btnOkClick);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnAdd_, &QPushButton::clicked, this, &TfrmInputName::btnAddClick);
  connect(btnDelete_, &QPushButton::clicked, this, &TfrmInputName::btnDeleteClick);
  connect(BitBtn1_, &QPushButton::clicked, this, &TfrmInputName::BitBtn1Click);
  connect(btnSave_, &QPushButton::clicked, this, &TfrmInputName::btnSaveClick);
}

bool TfrmInputName::ShowSignOn() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  FormShow();
  return exec() == QDialog::Accepted;
}

// Each opening starts from the roster file as it is now.
void TfrmInputName::FormShow() {
  roster_.Clear();
  if (Status loaded = roster_.Load(DefaultRosterFile(app_)); !loaded)
    dialogs_.Inform(loaded.message());
  ShowRoster();
  btnSave_->setEnabled(false);
  edtName_->clear();
  lblNameHint_->clear();
  edtName_->setFocus();
}

void TfrmInputName::ShowRoster() {
  {
    const QSignalBlocker notAClick(lstName_);
    FillList(lstName_, roster_.Names());
    lstName_->setCurrentRow(-1);
  }
  edtMeibo_->setText(ToQString(roster_.FileName()));
}

void TfrmInputName::lstNameClick(int row) {
  if (row < 0 || row >= lstName_->count()) return;
  edtName_->setText(lstName_->item(row)->text());
}

void TfrmInputName::btnAddClick() {
  const std::string name = TrimLearnerName(ToStdString(edtName_->text()));
  lblNameHint_->clear();
  if (AddToRoster(roster_, name, dialogs_)) {
    lstName_->addItem(ToQString(name));
    btnSave_->setEnabled(true);
  } else if (auto why = LearnerNameRefusal(name)) {
    lblNameHint_->setText(ToQString(*why));
  }
  edtName_->setFocus();
}

void TfrmInputName::btnDeleteClick() {
  const int row = lstName_->currentRow();
  if (row >= 0 && lstName_->item(row)->isSelected() &&
      roster_.RemoveAt(static_cast<std::size_t>(row))) {
    const QSignalBlocker notAClick(lstName_);
    delete lstName_->takeItem(row);
    lstName_->setCurrentRow(-1);
  }
  edtName_->clear();
  edtName_->setFocus();
}

void TfrmInputName::BitBtn1Click() {
  OpenRoster(app_, roster_, dialogs_);
  ShowRoster();
  edtName_->setFocus();
}

void TfrmInputName::btnSaveClick() {
  SaveRosterAs(app_, roster_, dialogs_);
  edtName_->setFocus();
}

void TfrmInputName::btnOkClick() {
  SignOnRequest request;
  request.name = ToStdString(edtName_->text());
  request.lesson = host_.currentLesson ? host_.currentLesson() : 1;
  request.askPassword = [this](PasswordEntry& entry) { return frmPassword_->Ask(entry); };
  const std::size_t before = roster_.Names().size();
  switch (SignOn(app_, settings_, dialogs_, roster_, request)) {
    case SignOnOutcome::SignedOn:
      if (host_.signedOn) host_.signedOn(app_.LearnerName());
      accept();
      return;
    case SignOnOutcome::Cancelled:
      reject();
      return;
    case SignOnOutcome::Stay:
      break;
  }
  // A name typed for the first time has joined the roster even so.
  if (roster_.Names().size() != before) {
    ShowRoster();
    btnSave_->setEnabled(true);
  }
  if (auto why = LearnerNameRefusal(TrimLearnerName(request.name)))
    lblNameHint_->setText(ToQString(*why));
  activateWindow();
  edtName_->setFocus();
}

}  // namespace tavolo
