#include "gui/app/frm_print.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScrollArea>

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
  image1_->setPixmap(QPixmap::fromImage(page_));
  image1_->resize(document_.params.paperWidth, document_.params.paperHeight);
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
