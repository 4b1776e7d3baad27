#pragma once
// What a worksheet window needs from the main window: the one renderer and
// answer-box registry of the program, the shared settings a page is drawn
// with, and a say when the window wants to close.

#include "sheet/page_renderer.h"

namespace tavolo {

class TfrmPrint;

class SheetHost {
 public:
  virtual ~SheetHost() = default;
  virtual PageRenderer& Renderer() = 0;
  // The toolbar's and the program's settings for drawing this sheet now.
  virtual PageSettings PageSettingsFor(const TfrmPrint& sheet) = 0;
  // The number the next printed sheet carries (the print-mode dialog's
  // start number): a sheet of a unit with random data shows its variant.
  virtual int NextSheetNumber() const = 0;
  // Before the window closes (may ask to save): false keeps it open.
  virtual bool QueryCloseSheet(TfrmPrint& sheet) = 0;
  // False while the key lock is on the learner's side: the page is then only shown.
  virtual bool TeacherMode() const = 0;
  // The reduced view of every worksheet, held by the program.
  virtual bool ReducedView() const = 0;
  virtual void SetReducedView(bool reduced) = 0;
  // The window is closing for good.
  virtual void SheetClosed(TfrmPrint& sheet) = 0;
};

}  // namespace tavolo
