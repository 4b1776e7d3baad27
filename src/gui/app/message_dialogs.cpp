#include "gui/app/message_dialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

#include "app/app_state.h"
#include "draw/qt_text.h"

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

// The file list's size, kind and date columns are written by Qt's file model
// in the system's locale ("644 bytes", "9 Dec 2026"), and its word for a
// folder is missing from Qt's catalogues: this writes those three in
// Japanese, whatever the machine's language.
class JapaneseFileColumns final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid())
      return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    switch (index.column()) {
      case kSizeColumn:
        if (files->isDir(source)) return QString();
        return japanese.formattedDataSize(files->size(source), 1,
                                          QLocale::DataSizeTraditionalFormat);
      case kKindColumn:
        if (files->isDir(source)) return QStringLiteral("フォルダ");
        break;
      case kDateColumn:
        return japanese.toString(files->lastModified(source), QLocale::ShortFormat);
      default:
        break;
    }
    return QIdentityProxyModel::data(index, role);
  }

  static constexpr int kSizeColumn = 1;
  static constexpr int kKindColumn = 2;
  static constexpr int kDateColumn = 3;
};

// The columns right of the name as wide as their titles and what they show.
void FitFileColumns(QFileDialog& dialog) {
  auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!tree) return;
  QHeaderView* header = tree->header();
  const QAbstractItemView* list = tree;  // where the column's size hint is public
  for (int column = JapaneseFileColumns::kSizeColumn; column <= JapaneseFileColumns::kDateColumn;
       ++column)
    header->resizeSection(
        column, std::max(header->sectionSizeHint(column), list->sizeHintForColumn(column)));
}

// Qt's own file dialog on every desktop, so that it speaks Japanese as the
// program does. Replacing an existing file is asked by the program itself,
// in its own words.
QString RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& start,
                      const QString& filter) {
  QFileDialog dialog(parent, ToQString(kApplicationTitle), start, filter);
  dialog.setObjectName("fileDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setViewMode(QFileDialog::Detail);
  auto* columns = new JapaneseFileColumns(&dialog);
  dialog.setProxyModel(columns);
  if (auto* files = qobject_cast<QFileSystemModel*>(columns->sourceModel()))
    QObject::connect(files, &QFileSystemModel::directoryLoaded, &dialog,
                     [&dialog] { FitFileColumns(dialog); });
  dialog.resize(std::max(dialog.width(), 760), std::max(dialog.height(), 460));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
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
  const QString file =
      RunFileDialog(parent_, QFileDialog::AcceptSave, ToQString(suggested), ToQString(filter));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

std::optional<std::string> MessageDialogs::ChooseOpenFile(std::string_view folder,
                                                          std::string_view filter) {
  const QString file =
      RunFileDialog(parent_, QFileDialog::AcceptOpen, ToQString(folder), ToQString(filter));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

}  // namespace tavolo
