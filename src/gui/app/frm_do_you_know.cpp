#include "gui/app/frm_do_you_know.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/message_dialogs.h"

namespace tavolo {

namespace {

struct Tip {
  const char* objectName;
  const char* caption;
  int context;
};

constexpr Tip kTips[] = {
    {"btnFax", "FAXソフトで送れます", 901},
    {"btnStudy", "［学習］ボタンで勉強できます", 902},
    {"btnFlag", "自作の学級旗が印刷できます。", 840},
    {"btnWord", "★Microsoft Word（ワード）との連携", 842},
    {"btnClipboard", "クリップボードへコピーして画像を加工できます。", 850},
};

}  // namespace

TfrmDoYouKnow::TfrmDoYouKnow(SettingsStore& settings, std::function<void(int)> openTopic,
                             QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("frmDoYouKnow");
  setWindowTitle(QStringLiteral("ご存じですか"));

  auto* grpTips = new QGroupBox(QStringLiteral("ご存じですか？"), this);
  grpTips->setObjectName("grpTips");
  auto* tips = new QVBoxLayout(grpTips);
  for (const Tip& tip : kTips) {
    auto* button = new QPushButton(QString::fromUtf8(tip.caption), grpTips);
    button->setObjectName(tip.objectName);
    button->setAutoDefault(false);
    button->setStyleSheet("text-align: left; padding: 4px 10px;");
    const int context = tip.context;
    connect(button, &QPushButton::clicked, this, [openTopic, context] { openTopic(context); });
    tips->addWidget(button);
  }

  chkNextTime_ = new QCheckBox(QStringLiteral("次の起動時にも表示する"), this);
  chkNextTime_->setObjectName("chkNextTime");
  chkNextTime_->setChecked(true);

  auto* btnClose = new QPushButton(QStringLiteral("閉じる"), this);
  btnClose->setObjectName("btnClose");
  btnClose->setDefault(true);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(chkNextTime_);
  bottom->addStretch();
  bottom->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grpTips);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmDoYouKnow::done(int result) {
  if (Status stored = WriteSettingBool(settings_, "ShowDoYouKnow", chkNextTime_->isChecked());
      !stored)
    InformFailure(this, stored);
  QDialog::done(result);
}

}  // namespace tavolo
