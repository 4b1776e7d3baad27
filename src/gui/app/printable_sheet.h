#pragma once
// What the print dialogs need from the worksheet being printed. The worksheet
// window implements it; tests give a sheet of their own.

#include <string>

#include "random/copy_variants.h"
#include "sheet/page_renderer.h"

namespace tavolo {

class PrintableSheet {
 public:
  virtual ~PrintableSheet() = default;
  virtual PageRenderer& Renderer() = 0;
  virtual AnswerBoxRegistry& Registry() = 0;
  virtual SheetPage Page() = 0;
  // The settings the sheet is drawn with now (school, short unit name, ...).
  virtual PageSettings BaseSettings() = 0;
  // The paper to load: "B5", "A4", "B4" or "A3".
  virtual std::string PaperName() const = 0;
  // "開始No": the sheet's own start number (value line 6); setting it marks the sheet modified.
  virtual int StartNumber() const = 0;
  virtual void SetStartNumber(int number) = 0;
  // The reduced view is switched off before printing, so the page is full size.
  virtual void LeaveReducedView() = 0;
  // Draw the sheet again (the numbering shows on the screen too).
  virtual void Redraw() = 0;
  // A unit with random data: its variants, each numbered copy its own;
  // nullptr for a unit without.
  virtual const CopyVariants* Variants() const { return nullptr; }
};

}  // namespace tavolo
