#pragma once
// A print job: how many documents, which sheet number each carries, and the
// state that must be restored however the job ends. The drawing itself is the
// target's business (a printer, a PDF file, a test recorder).

#include <optional>
#include <string>

namespace tavolo {

enum class PrintMode {
  Faithful,           // "画面に忠実に印刷する": the screen page stretched to the paper
  PrinterResolution,  // "プリンタの解像度で印刷する": the page drawn again at printer scale
};

// The print-mode dialog's choices, shared by every sheet.
struct PrintSettings {
  PrintMode mode = PrintMode::Faithful;
  bool numbered = true;  // "№を付ける"
  int startNumber = 1;   // "開始番号": the number of the next printed sheet
  bool notPrinting = true;

  // What the header shows now: "№ " + start number when numbering is on.
  std::optional<int> SheetNumber() const {
    return numbered ? std::optional<int>(startNumber) : std::nullopt;
  }
};

class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  // Each returns false when the device refuses; the message says why in Japanese.
  virtual bool BeginDocument(int printerCopies) = 0;
  virtual bool PrintPage(const PrintSettings& settings) = 0;  // draws one sheet
  virtual bool EndDocument() = 0;
  virtual void AbortDocument() = 0;
  // Closes the output once the job is over, however it went (a PDF file is
  // complete only then); false when that fails.
  virtual bool EndJob() { return true; }
  virtual std::string FailureMessage() const = 0;
};

struct [[nodiscard]] PrintResult {
  bool ok = true;
  int documentsPrinted = 0;
  std::string message;  // on failure: what to tell the user
};

// Runs the job. With numbering on, every one of the copies is its own document
// with the next number; with numbering off, one document goes to the printer
// with the copy count. However the job ends, the start number goes back to 1
// and notPrinting to true, so the next job and sheet activation behave normally.
// The target's EndJob closes every job; a job that printed everything but
// could not be closed has failed.
PrintResult RunPrintJob(PrintSettings& settings, int copies, PrintTarget& target);

}  // namespace tavolo
