#pragma once
// Printing a worksheet on a Qt paged device: a QPrinter (CUPS) or a PDF file.
// The job's logic (documents, numbers, restored state) is core's RunPrintJob;
// this target only draws.

#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>

#include "draw/qpainter_canvas.h"
#include "random/copy_variants.h"
#include "sheet/page_renderer.h"
#include "sheet/print_job.h"

namespace tavolo {

class PagedDevicePrintTarget final : public PrintTarget {
 public:
  // separateDocuments: every document is a job of its own (a real printer).
  // Otherwise every document is a new page of the one output, so a PDF file
  // gets every numbered copy instead of each copy overwriting the last.
  PagedDevicePrintTarget(QPagedPaintDevice& device, PageRenderer& renderer, SheetPage page,
                         PageSettings base, bool separateDocuments);

  // What only a real printer does: take a number of copies for a document,
  // and drop the job it is printing. A PDF file needs neither.
  struct PrinterControls {
    std::function<void(int copies)> setCopies;
    std::function<void()> abort;
  };
  void SetPrinterControls(PrinterControls controls) { printer_ = std::move(controls); }
  // The page each copy draws, from the number it carries (the job's start
  // number when the copies are not numbered): a unit with random data shows
  // each copy's own variant (CopyPages). Without it every copy is the page.
  void SetCopyPages(std::function<CopyPage(int number)> pages) { copyPages_ = std::move(pages); }
  // Pages drawn once every copy has printed (the answer list), from a blank
  // page begun for them: further pages of the same output, or on a real
  // printer a document of its own, one copy. False when they could not be drawn.
  using AfterCopies = std::function<bool(QPainter& painter, QPagedPaintDevice& device)>;
  void SetAfterCopies(AfterCopies draw) { afterCopies_ = std::move(draw); }
  ~PagedDevicePrintTarget() override;

  bool BeginDocument(int printerCopies) override;
  bool PrintPage(const PrintSettings& settings) override;
  bool EndDocument() override;
  void AbortDocument() override;
  bool EndJob() override;
  std::string FailureMessage() const override { return failure_; }

 private:
  bool DrawAfterCopies();

  QPagedPaintDevice& device_;
  PageRenderer& renderer_;
  SheetPage page_;
  PageSettings base_;
  bool separateDocuments_;
  std::unique_ptr<QPainter> painter_;
  bool pageOpen_ = false;
  PrinterControls printer_;
  std::function<CopyPage(int number)> copyPages_;
  AfterCopies afterCopies_;
  bool failed_ = false;  // a document was refused or dropped: nothing follows the copies
  std::string failure_;
  // Laid-out texts kept across the pages of the job: every numbered copy
  // draws mostly the same texts. One for the device, one for the
  // screen page the faithful mode stretches.
  std::unique_ptr<QPainterTextCache> deviceTexts_;
  std::unique_ptr<QPainterTextCache> screenTexts_;
};

// The faithful print: the screen page image stretched to the printer page at
// s = page width / 630, round(6 × s) from the left.
void DrawFaithfulPage(QPainter& painter, const QImage& pageImage);

}  // namespace tavolo
