#pragma once
// A worksheet window as the print dialogs see it: its page, paper and start
// number come from the window itself; what to draw with (renderer, registry,
// settings) and the reduced view are the printing window's to say.

#include <string>

#include "gui/app/frm_print.h"
#include "gui/app/printable_sheet.h"

namespace tavolo {

class WorksheetPrintable : public PrintableSheet {
 public:
  explicit WorksheetPrintable(TfrmPrint& sheet) : sheet_(sheet) {}

  SheetPage Page() override { return sheet_.Page(); }
  std::string PaperName() const override {
    const SheetPaper* paper = FindPaperByWidth(sheet_.Document().params.paperWidth);
    return std::string(paper ? paper->name : "A4");
  }
  int StartNumber() const override { return sheet_.Document().params.startNumber; }
  void SetStartNumber(int number) override {
    sheet_.ChangeParams([number](SheetParams& p) { p.startNumber = number; });
  }
  void Redraw() override { sheet_.Redraw(); }
  const CopyVariants* Variants() const override { return sheet_.Variants(); }

 protected:
  TfrmPrint& sheet_;
};

}  // namespace tavolo
