#include "gui/app/frm_help.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "content/file_checks.h"
#include "draw/qt_text.h"
#include "platform/text_file.h"

namespace tavolo {

TfrmHelp::TfrmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmHelp");
  setWindowTitle(QStringLiteral("使い方"));
  brwHelp_ = new QTextBrowser(this);
  brwHelp_->setObjectName("brwHelp");
  brwHelp_->setAccessibleName(QStringLiteral("ヘルプの本文"));
  // Pages of the course link to each other; links out of it go to the browser.
  brwHelp_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(brwHelp_);
  resize(640, 560);
}

Status TfrmHelp::ShowPage(const std::filesystem::path& page) {
  if (Status exists = RequireFile(page); !exists) return exists;
  brwHelp_->setSource(QUrl::fromLocalFile(ToQString(PathText(page))));
  show();
  raise();
  activateWindow();
  return Succeeded();
}

}  // namespace tavolo
