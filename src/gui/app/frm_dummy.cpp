#include "gui/app/frm_dummy.h"

#include <QImageReader>
#include <QPixmap>
#include <QPushButton>

#include "draw/qt_text.h"
#include "platform/text_file.h"

namespace tavolo {

TfrmDummy::TfrmDummy(QWidget* parent) : QMdiSubWindow(parent) {
  setObjectName("frmDummy");
  auto* page = new QWidget(this);
  page->setObjectName("pnlDummy");
  page->setAutoFillBackground(true);
  btnTitle_ = new QPushButton(page);
  btnTitle_->setObjectName("btnTitle");
  btnTitle_->setAccessibleName(QStringLiteral("タイトル"));
  btnTitle_->setFlat(true);
  btnTitle_->setFocusPolicy(Qt::NoFocus);
  btnTitle_->resize(10, 20);
  setWidget(page);
  // The title window is reused for the whole run; closing it only hides it.
  setAttribute(Qt::WA_DeleteOnClose, false);
}

Status TfrmDummy::SetTitlePicture(const std::filesystem::path& file) {
  const QString path = ToQString(PathText(file));
  QImageReader reader(path);
  const QImage image = reader.read();
  if (image.isNull()) return Failure{"ファイル " + PathText(file) + " は画像として読み込めません"};
  const QPixmap glyph = QPixmap::fromImage(image);
  btnTitle_->setIcon(glyph);
  btnTitle_->setIconSize(glyph.size());
  btnTitle_->resize(glyph.width() + 10, glyph.height() + 20);
  return Succeeded();
}

// The close box hides the window and, with it, the page inside: a title
// window shown again shows its page again too, not an empty frame.
void TfrmDummy::showEvent(QShowEvent* event) {
  QMdiSubWindow::showEvent(event);
  if (widget() && widget()->isHidden()) widget()->show();
}

QSize TfrmDummy::TitleButtonSize() const { return btnTitle_->size(); }

void TfrmDummy::PlaceTitleButton(QPoint topLeft) { btnTitle_->move(topLeft); }

}  // namespace tavolo
