#include "gui/app/message_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/app_state.h"
#include "gui/sheet/qt_text.h"

namespace tavolo {

namespace {

// Qt's own buttons speak English unless a translation is installed; these
// boxes always speak Japanese.
int Ask(QWidget* parent, QMessageBox::Icon icon, std::string_view text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, ToQString(kApplicationTitle), ToQString(text), buttons, parent);
  box.setObjectName("messageBox");
  const std::pair<QMessageBox::StandardButton, const char*> labels[] = {
      {QMessageBox::Ok, "OK"},
      {QMessageBox::Yes, "はい(&Y)"},
      {QMessageBox::No, "いいえ(&N)"},
      {QMessageBox::Cancel, "キャンセル"},
  };
  for (const auto& [button, label] : labels)
    if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(label));
  box.setDefaultButton(defaultButton);
  return box.exec();
}

}  // namespace

void InformFailure(QWidget* parent, const Status& failed) {
  MessageDialogs(parent).Inform(failed.message());
}

void MessageDialogs::Inform(std::string_view message) {
  Ask(parent_, QMessageBox::Information, message, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageDialogs::AskYesNo(std::string_view question) {
  return Ask(parent_, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No,
             QMessageBox::Yes) == QMessageBox::Yes;
}

bool MessageDialogs::AskBeforeDestroying(std::string_view question) {
  return Ask(parent_, QMessageBox::Warning, question, QMessageBox::Yes | QMessageBox::No,
             QMessageBox::No) == QMessageBox::Yes;
}

Answer MessageDialogs::AskYesNoCancel(std::string_view question) {
  switch (Ask(parent_, QMessageBox::Question, question,
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:  // Cancel, Esc and the close box all keep things as they are
      return Answer::Cancel;
  }
}

std::optional<std::string> MessageDialogs::ChooseSaveFile(std::string_view suggested,
                                                          std::string_view filter) {
  // Replacing an existing file is asked by the program itself, in its own words.
  const QString file =
      QFileDialog::getSaveFileName(parent_, ToQString(kApplicationTitle), ToQString(suggested),
                                   ToQString(filter), nullptr, QFileDialog::DontConfirmOverwrite);
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

std::optional<std::string> MessageDialogs::ChooseOpenFile(std::string_view folder,
                                                          std::string_view filter) {
  const QString file = QFileDialog::getOpenFileName(parent_, ToQString(kApplicationTitle),
                                                    ToQString(folder), ToQString(filter));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

}  // namespace tavolo
