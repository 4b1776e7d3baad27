#include "gui/app/frm_print.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include "gui/app/qt_text.h"
#include "gui/app/sheet_host.h"
#include "gui/sheet/page_image.h"

namespace tavolo {

TfrmPrint::TfrmPrint(SheetHost& host, SheetDocument document, const CourseMenuChoice& choice,
                     std::string shortUnitName, SheetPictures pictures, QWidget* parent)
    : QMdiSubWindow(parent),
      host_(host),
      document_(std::move(document)),
      choice_(choice),
      shortUnitName_(std::move(shortUnitName)),
      pictures_(std::move(pictures)) {
  setObjectName("frmPrint");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQString(document_.identity));

  scrPage_ = new QScrollArea(this);
  scrPage_->setObjectName("scrPage");
  scrPage_->setBackgroundRole(QPalette::Dark);
  image1_ = new QLabel(scrPage_);
  image1_->setObjectName("Image1");
  image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scrPage_->setWidget(image1_);
  setWidget(scrPage_);
}

void TfrmPrint::Redraw() {
  if (redrawsHeld_) return;
  SheetPage page{document_.params, pictures_, layout_};
  PageSettings settings = host_.PageSettingsFor(*this);
  settings.shortUnitName = shortUnitName_;
  page_ = RenderPageImage(host_.Renderer(), page, settings, devicePixelRatioF());
  ShowPage();
}

void TfrmPrint::ShowPage() {
  if (page_.isNull()) return;
  QPixmap pixmap = QPixmap::fromImage(page_);
  QSize logical = page_.size() / page_.devicePixelRatio();
  if (reduced_) {
    // Scaled from the full-resolution page, smoothly, so the text stays readable.
    // Only ever smaller: a page that already fits is shown as it is.
    const QSize fit =
        logical.scaled(scrPage_->viewport()->size().boundedTo(logical), Qt::KeepAspectRatio);
    const qreal ratio = devicePixelRatioF();
    pixmap = pixmap.scaled(fit * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(ratio);
    logical = fit;
  }
  image1_->setPixmap(pixmap);
  image1_->resize(logical);
}

void TfrmPrint::SetReduced(bool reduced) {
  reduced_ = reduced;
  ShowPage();
}

void TfrmPrint::ScrollTopOrBottom() {
  QScrollBar* bar = scrPage_->verticalScrollBar();
  bar->setValue(bar->value() == bar->minimum() ? bar->maximum() : bar->minimum());
}

void TfrmPrint::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  if (reduced_) ShowPage();
}

void TfrmPrint::ChangeParams(const std::function<void(SheetParams&)>& change, bool marksModified) {
  change(document_.params);
  if (marksModified) document_.modified = true;
  Redraw();
}

void TfrmPrint::closeEvent(QCloseEvent* event) {
  if (!host_.QueryCloseSheet(*this)) {
    event->ignore();
    return;
  }
  host_.SheetClosed(*this);
  QMdiSubWindow::closeEvent(event);
}

}  // namespace tavolo
