#include "gui/app/frm_edit_source.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "draw/font_substitution.h"
#include "draw/qt_text.h"
#include "gui/app/redo_key.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

// The same readable Japanese face and size as the question editor's boxes.
constexpr int kSourcePointSize = 12;

}  // namespace

TfrmEditSource::TfrmEditSource(Dialogs& dialogs, std::function<void(int)> openHelp, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), openHelp_(std::move(openHelp)) {
  setObjectName("frmEditSource");
  setWindowTitle(QStringLiteral("ソースの直接編集"));
  InstallRedoKey();

  memEditBuffer_ = new QPlainTextEdit(this);
  memEditBuffer_->setObjectName("memEditBuffer");
  memEditBuffer_->setAccessibleName(QStringLiteral("ソースの本文"));
  memEditBuffer_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memEditBuffer_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memEditBuffer_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  font.setPointSize(kSourcePointSize);
  memEditBuffer_->setFont(font);

  auto* btnOk = new QPushButton(QStringLiteral(" O　K  "), this);
  btnOk->setObjectName("btnOk");
  btnOk->setAutoDefault(false);  // Enter is a new line in the text
  auto* btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setAutoDefault(false);
  auto* btnHelp = new QPushButton(QStringLiteral("ヘルプ"), this);
  btnHelp->setObjectName("btnHelp");
  btnHelp->setAutoDefault(false);
  connect(btnOk, &QPushButton::clicked, this, &TfrmEditSource::btnOkClick);
  // The button says what it does: the edits go without a question.
  connect(btnCancel, &QPushButton::clicked, this, [this] { QDialog::done(QDialog::Rejected); });
  connect(btnHelp, &QPushButton::clicked, this, [this] {
    if (openHelp_) openHelp_(helpContext_);
  });
  // Ctrl+S is OK, as in every editor of the program.
  auto* save = new QShortcut(QKeySequence::Save, this);
  connect(save, &QShortcut::activated, this, &TfrmEditSource::btnOkClick);

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
                                                             const QRect& area, SourceCheck check) {
  setGeometry(area);
  setWindowTitle(QStringLiteral("ソースの直接編集") + ToQString(path));
  helpContext_ = helpContext;
  check_ = std::move(check);
  // Each line with its line break, the last too, as the file holds them.
  memEditBuffer_->setPlainText(lines.empty() ? QString() : JoinedLines(lines) + QLatin1Char('\n'));
  memEditBuffer_->document()->setModified(false);
  memEditBuffer_->moveCursor(QTextCursor::Start);
  memEditBuffer_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return EditedLines();
}

std::vector<std::string> TfrmEditSource::EditedLines() const {
  // The same line splitting as every course file read: no line is lost or added.
  return SplitLines(ToStdString(memEditBuffer_->toPlainText()));
}

void TfrmEditSource::btnOkClick() {
  if (check_) {
    if (const auto fault = check_(EditedLines())) {
      dialogs_.Inform(fault->message);
      // The caret on the line (and the character) to mend; the text stays.
      const QTextBlock block = memEditBuffer_->document()->findBlockByNumber(fault->line - 1);
      if (block.isValid()) {
        QTextCursor cursor(block);
        const QByteArray utf8 = block.text().toUtf8().left(static_cast<qsizetype>(fault->offset));
        cursor.setPosition(block.position() + static_cast<int>(QString::fromUtf8(utf8).size()));
        memEditBuffer_->setTextCursor(cursor);
        memEditBuffer_->ensureCursorVisible();
      }
      memEditBuffer_->setFocus();
      return;
    }
  }
  accept();
}

void TfrmEditSource::reject() {
  if (memEditBuffer_->document()->isModified() &&
      dialogs_.AskYesNo("変更されたデータファイルを保存しますか？")) {
    btnOkClick();  // a refused text keeps the window open
    return;
  }
  QDialog::reject();
}

void TfrmEditSource::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

}  // namespace tavolo
