#include "draw/sheet_print.h"

#include <cmath>
#include <utility>

#include "draw/page_image.h"

namespace tavolo {

namespace {
// A4 width in layout units: the faithful scale.
constexpr double kLayoutWidth = kDefaultPaperWidth;
}  // namespace

PagedDevicePrintTarget::PagedDevicePrintTarget(QPagedPaintDevice& device, PageRenderer& renderer,
                                               SheetPage page, PageSettings base,
                                               bool separateDocuments)
    : device_(device),
      renderer_(renderer),
      page_(page),
      base_(std::move(base)),
      separateDocuments_(separateDocuments) {}

PagedDevicePrintTarget::~PagedDevicePrintTarget() { (void)EndJob(); }

bool PagedDevicePrintTarget::BeginDocument(int printerCopies) {
  if (painter_ && painter_->isActive()) {
    if (separateDocuments_) {
      painter_->end();
    } else {
      if (!device_.newPage()) {
        failure_ = "印刷用のページを追加できません";
        failed_ = true;
        return false;
      }
      pageOpen_ = true;
      return true;
    }
  }
  if (printer_.setCopies) printer_.setCopies(printerCopies);
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&device_)) {
    failure_ = "プリンタまたは出力ファイルを開けません。プリンタの設定と保存先を確かめてください";
    painter_.reset();
    failed_ = true;
    return false;
  }
  pageOpen_ = true;
  return true;
}

bool PagedDevicePrintTarget::PrintPage(const PrintSettings& settings) {
  if (!painter_ || !pageOpen_) {
    failure_ = "印刷を開始できません";
    return false;
  }
  const CopyPage copy =
      copyPages_ ? copyPages_(settings.startNumber) : CopyPage{page_, renderer_, false};
  PageSettings s = base_;
  s.sheetNumber = settings.SheetNumber();
  s.registerBoxes = false;  // the printed boxes are the screen's: a print leaves them as they are
  if (settings.mode == PrintMode::PrinterResolution) {
    const int dpi = painter_->device()->logicalDpiY();
    if (!deviceTexts_ || deviceTexts_->dpi() != dpi)
      deviceTexts_ = std::make_unique<QPainterTextCache>(dpi);
    RenderPrinterPage(copy.renderer, copy.page, *painter_, s, deviceTexts_.get());
  } else {
    // The screen page as it would look with this copy's number, stretched;
    // a copy with boxes of its own registers them in its own registry.
    s.registerBoxes = copy.registersBoxes;
    if (!screenTexts_) screenTexts_ = std::make_unique<QPainterTextCache>(kScreenPageDpi);
    DrawFaithfulPage(*painter_,
                     RenderPageImage(copy.renderer, copy.page, s, 1.0, screenTexts_.get()));
  }
  return true;
}

bool PagedDevicePrintTarget::EndDocument() {
  pageOpen_ = false;
  if (separateDocuments_ && painter_ && !painter_->end()) failed_ = true;
  return !failed_;
}

void PagedDevicePrintTarget::AbortDocument() {
  pageOpen_ = false;
  failed_ = true;
  if (printer_.abort) printer_.abort();
  if (painter_ && painter_->isActive()) painter_->end();
}

bool PagedDevicePrintTarget::EndJob() {
  if (!painter_) return true;
  const bool drawn = DrawAfterCopies();
  const bool ok = !painter_->isActive() || painter_->end();
  painter_.reset();
  return drawn && ok;
}

bool PagedDevicePrintTarget::DrawAfterCopies() {
  // Once only, and only after a job whose every copy printed.
  const AfterCopies draw = std::exchange(afterCopies_, {});
  if (!draw || failed_) return true;
  if (painter_->isActive()) {
    if (!device_.newPage()) {
      failure_ = "印刷用のページを追加できません";
      return false;
    }
  } else {
    if (printer_.setCopies) printer_.setCopies(1);
    if (!painter_->begin(&device_)) {
      failure_ = "プリンタを開けません。プリンタの設定を確かめてください";
      return false;
    }
  }
  if (draw(*painter_, device_)) return true;
  failure_ = "印刷用のページを追加できません";
  return false;
}

void DrawFaithfulPage(QPainter& painter, const QImage& pageImage) {
  const double s = painter.device()->width() / kLayoutWidth;
  const QSizeF logical = pageImage.deviceIndependentSize();
  const QRect target(static_cast<int>(std::nearbyint(6 * s)), 0,
                     static_cast<int>(std::nearbyint(logical.width() * s)),
                     static_cast<int>(std::nearbyint(logical.height() * s)));
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, pageImage);
  painter.restore();
}

}  // namespace tavolo
