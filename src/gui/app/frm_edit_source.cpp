#include "gui/app/frm_edit_source.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "gui/sheet/qt_text.h"
#include "platform/text_file.h"

namespace tavolo {

TfrmEditSource::TfrmEditSource(std::function<void(int)> openHelp, QWidget* parent)
    : QDialog(parent), openHelp_(std::move(openHelp)) {
  setObjectName("frmEditSource");
  setWindowTitle(QStringLiteral("ソースの直接編集"));

  memEditBuffer_ = new QPlainTextEdit(this);
  memEditBuffer_->setObjectName("memEditBuffer");
  memEditBuffer_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memEditBuffer_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memEditBuffer_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  auto* btnOk = new QPushButton(QStringLiteral(" O　K  "), this);
  btnOk->setObjectName("btnOk");
  btnOk->setAutoDefault(false);  // Enter is a new line in the text
  auto* btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setAutoDefault(false);
  auto* btnHelp = new QPushButton(QStringLiteral("ヘルプ"), this);
  btnHelp->setObjectName("btnHelp");
  btnHelp->setAutoDefault(false);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnHelp, &QPushButton::clicked, this, [this] {
    if (openHelp_) openHelp_(helpContext_);
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  buttons->addWidget(btnHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memEditBuffer_, 1);
  layout->addLayout(buttons);
}

std::optional<std::vector<std::string>> TfrmEditSource::Edit(const std::string& path,
                                                             int helpContext,
                                                             const std::vector<std::string>& lines,
                                                             const QRect& area) {
  setGeometry(area);
  setWindowTitle(QStringLiteral("ソースの直接編集") + ToQString(path));
  helpContext_ = helpContext;
  QString text;
  for (const std::string& line : lines) text += ToQString(line) + QLatin1Char('\n');
  memEditBuffer_->setPlainText(text);
  memEditBuffer_->moveCursor(QTextCursor::Start);
  memEditBuffer_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  // The same line splitting as every course file read: no line is lost or added.
  return SplitLines(ToStdString(memEditBuffer_->toPlainText()));
}

}  // namespace tavolo
