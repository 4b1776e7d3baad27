#include "gui/app/frm_print.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "draw/page_image.h"
#include "draw/qt_text.h"
#include "gui/app/page_view.h"
#include "gui/app/sheet_host.h"
#include "sheet/figure_edit.h"

namespace tavolo {

TfrmPrint::TfrmPrint(SheetHost& host, SheetDocument document, const CourseMenuChoice& choice,
                     std::string shortUnitName, SheetPictures pictures,
                     std::shared_ptr<const CopyVariants> variants, QWidget* parent)
    : QMdiSubWindow(parent),
      host_(host),
      document_(std::move(document)),
      choice_(choice),
      shortUnitName_(std::move(shortUnitName)),
      pictures_(std::move(pictures)) {
  if (document_.params.written) {
    variants_ = variants != nullptr
                    ? std::move(variants)
                    : std::make_shared<const CopyVariants>(document_.params.WrittenUnit());
  }
  setObjectName("frmPrint");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQString(document_.identity));

  scrPage_ = new QScrollArea(this);
  scrPage_->setObjectName("scrPage");
  scrPage_->setBackgroundRole(QPalette::Dark);
  image1_ = new PageView(scrPage_);
  scrPage_->setWidget(image1_);
  setWidget(scrPage_);
  connect(image1_, &PageView::pagePressed, this, &TfrmPrint::PagePressed);
  connect(image1_, &PageView::pageDragged, this, &TfrmPrint::PageDragged);
  connect(image1_, &PageView::pageReleased, this, &TfrmPrint::PageReleased);
}

void TfrmPrint::Redraw() {
  if (redrawsHeld_) return;
  if (variants_) {
    const int wanted = runVariant_.value_or(host_.NextSheetNumber());
    if (wanted != shownVariant_) {
      variants_->PutVariant(wanted, document_.params);
      shownVariant_ = wanted;
    }
  }
  SheetPage page{document_.params, pictures_, layout_};
  PageSettings settings = host_.PageSettingsFor(*this);
  settings.shortUnitName = shortUnitName_;
  // Practice lays its fields over the boxes of this render.
  settings.registerBoxes = true;
  page_ = RenderPageImage(host_.Renderer(), page, settings, devicePixelRatioF());
  ShowPage();
}

void TfrmPrint::ShowRunVariant(std::optional<int> variant) {
  runVariant_ = variant;
  Redraw();
}

void TfrmPrint::ShowPage() {
  if (page_.isNull()) return;
  QPixmap pixmap = QPixmap::fromImage(page_);
  QSize logical = page_.size() / page_.devicePixelRatio();
  if (IsReduced()) {
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
  const int pageWidth = static_cast<int>(page_.width() / page_.devicePixelRatio());
  image1_->SetScale(pageWidth > 0 ? static_cast<double>(logical.width()) / pageWidth : 1.0);
}

void TfrmPrint::SetReduced(bool reduced) { host_.SetReducedView(reduced); }

bool TfrmPrint::IsReduced() const { return host_.ReducedView(); }

QRect TfrmPrint::PageOnScreen() const {
  const QRect viewport(scrPage_->viewport()->mapToGlobal(QPoint(0, 0)),
                       scrPage_->viewport()->size());
  const QRect page(image1_->mapToGlobal(QPoint(0, 0)), image1_->size());
  return page.intersected(viewport);
}

void TfrmPrint::ScrollTopOrBottom() {
  QScrollBar* bar = scrPage_->verticalScrollBar();
  bar->setValue(bar->value() == bar->minimum() ? bar->maximum() : bar->minimum());
}

void TfrmPrint::ScrollToTop() { scrPage_->verticalScrollBar()->setValue(0); }

void TfrmPrint::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  if (IsReduced()) ShowPage();
}

void TfrmPrint::ChangeParams(const std::function<void(SheetParams&)>& change, bool marksModified) {
  change(document_.params);
  if (marksModified) document_.modified = true;
  Redraw();
}

namespace {

QRect ToQRect(const Rect& r) {
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}
Point ToPoint(QPoint p) { return {p.x(), p.y()}; }
QPoint ToQPoint(Point p) { return {p.x, p.y}; }

}  // namespace

void TfrmPrint::PagePressed(QPoint point, Qt::MouseButton button) {
  // A new press on the page always begins afresh: a pending selection goes first.
  CancelSelection();
  // Choosing regions and moving figures are the teacher's; learners only look.
  if (!host_.TeacherMode()) return;
  const int figure = FigureAt(point);
  if (figure > 0 && button == Qt::RightButton) {
    Point first;
    Point second;
    FigureSelectionCorners(layout_.figures[figure - 1], first, second);
    selectionStart_ = ToQPoint(first);
    selectionEnd_ = ToQPoint(second);
    selection_ = Selection::Dragging;
    EndSelection();
  } else if (figure > 0 && button == Qt::LeftButton) {
    draggedFigure_ = figure;
    dragStart_ = point;
    image1_->SetFrame(ToQRect(FigureOutline(layout_.figures[figure - 1])));
    // The figure itself goes with the mouse, not only its outline.
    const Rect& place = layout_.figures[figure - 1];
    const qreal ratio = page_.devicePixelRatio();
    draggedPicture_ = page_.copy(qRound(place.left * ratio), qRound(place.top * ratio),
                                 qRound(place.Width() * ratio), qRound(place.Height() * ratio));
  } else if (button == Qt::LeftButton) {
    selectionStart_ = selectionEnd_ = ClampToPage(point);
    selection_ = Selection::Dragging;
    ShowSelectionFrame();
  }
}

void TfrmPrint::PageDragged(QPoint point) {
  // A redraw during the drag may have dropped the figure (its list was changed elsewhere).
  if (draggedFigure_ > static_cast<int>(layout_.figures.size())) {
    draggedFigure_ = 0;
    image1_->SetFloating(std::nullopt);
  }
  if (draggedFigure_ > 0) {
    const Point shift = ToPoint(point - dragStart_);
    image1_->SetFrame(
        ToQRect(ShiftRect(FigureOutline(layout_.figures[draggedFigure_ - 1]), shift)));
    const Rect& place = layout_.figures[draggedFigure_ - 1];
    image1_->SetFloating(PageView::Floating{
        draggedPicture_, QRect(place.left, place.top, place.Width(), place.Height()),
        QPoint(place.left + shift.x, place.top + shift.y)});
  } else if (selection_ == Selection::Dragging) {
    selectionEnd_ = ClampToPage(point);
    ShowSelectionFrame();
  }
}

void TfrmPrint::PageReleased(QPoint point) {
  if (draggedFigure_ > 0) {
    MoveDraggedFigure(point);
  } else if (selection_ == Selection::Dragging) {
    selectionEnd_ = ClampToPage(point);
    EndSelection();
  }
}

void TfrmPrint::EndSelection() {
  // A click, or a drag too small to hold a pixel inside the frame, selects nothing.
  const Rect region = SelectionCopyRect(ToPoint(selectionStart_), ToPoint(selectionEnd_));
  if (region.Width() <= 0 || region.Height() <= 0) {
    selection_ = Selection::None;
    image1_->SetFrame(std::nullopt);
    return;
  }
  selection_ = Selection::Chosen;
  ShowSelectionFrame();
  emit selectionChanged(true);
}

void TfrmPrint::ShowSelectionFrame() {
  // From the ordered corners: QRect::normalized() shifts a rectangle built
  // from bottom-right to top-left by a pixel.
  image1_->SetFrame(QRect(QPoint(std::min(selectionStart_.x(), selectionEnd_.x()),
                                 std::min(selectionStart_.y(), selectionEnd_.y())),
                          QPoint(std::max(selectionStart_.x(), selectionEnd_.x()),
                                 std::max(selectionStart_.y(), selectionEnd_.y()))));
}

void TfrmPrint::MoveDraggedFigure(QPoint point) {
  const int k = draggedFigure_;
  draggedFigure_ = 0;
  image1_->SetFrame(std::nullopt);
  image1_->SetFloating(std::nullopt);
  const QPoint shift = point - dragStart_;
  // A click on a figure moves nothing.
  if (shift.isNull() || k > static_cast<int>(layout_.figures.size())) return;
  const QSize size = page_.size() / page_.devicePixelRatio();
  const Point to =
      DroppedFigurePlace(layout_.figures[k - 1], ToPoint(shift), size.width(), size.height());
  // A figure list without this figure's place (a hand-edited block) cannot
  // take the move: the sheet stays as it was, unchanged.
  std::vector<std::string> lines = document_.params.unit.graphLines;
  if (!MoveFigure(lines, k, to.x, to.y)) return;
  ChangeParams([&lines](SheetParams& params) { params.unit.graphLines = std::move(lines); });
}

int TfrmPrint::FigureAt(QPoint point) const {
  return tavolo::FigureAt(layout_.figures, ToPoint(point));
}

QPoint TfrmPrint::ClampToPage(QPoint point) const {
  const QSize size = page_.size() / page_.devicePixelRatio();
  return {std::clamp(point.x(), -1, size.width()), std::clamp(point.y(), -1, size.height())};
}

void TfrmPrint::CopySelection() {
  if (!HasSelection() || page_.isNull()) return;
  const Rect region = SelectionCopyRect(ToPoint(selectionStart_), ToPoint(selectionEnd_));
  // The page image holds devicePixelRatio pixels per page pixel: the region is
  // copied at that resolution, as sharp as it is shown.
  const qreal ratio = page_.devicePixelRatio();
  const QRect pixels(qRound(region.left * ratio), qRound(region.top * ratio),
                     qRound(region.Width() * ratio), qRound(region.Height() * ratio));
  QImage picture = page_.copy(pixels);
  picture.setDevicePixelRatio(1.0);
  QGuiApplication::clipboard()->setImage(picture);
  CancelSelection();
}

void TfrmPrint::CancelSelection() {
  const bool had = HasSelection();
  selection_ = Selection::None;
  if (draggedFigure_ == 0) image1_->SetFrame(std::nullopt);
  if (had) emit selectionChanged(false);
}

void TfrmPrint::CopyWholePage() {
  if (page_.isNull()) return;
  QImage picture = page_;
  picture.setDevicePixelRatio(1.0);
  QGuiApplication::clipboard()->setImage(picture);
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
