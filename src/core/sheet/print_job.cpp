#include "sheet/print_job.h"

#include <algorithm>

namespace tavolo {

namespace {

// Restores the print state on every way out of a job.
class JobGuard {
 public:
  explicit JobGuard(PrintSettings& s) : settings_(s) { settings_.notPrinting = false; }
  ~JobGuard() {
    settings_.startNumber = 1;
    settings_.notPrinting = true;
  }
  JobGuard(const JobGuard&) = delete;
  JobGuard& operator=(const JobGuard&) = delete;

 private:
  PrintSettings& settings_;
};

// The documents of a job, stopping at the first the target refuses.
PrintResult PrintDocuments(PrintSettings& settings, int copies, PrintTarget& target) {
  const int documents = settings.numbered ? copies : 1;
  const int printerCopies = settings.numbered ? 1 : copies;
  PrintResult result;
  for (int i = 0; i < documents; ++i) {
    if (!target.BeginDocument(printerCopies)) {
      return {false, result.documentsPrinted, target.FailureMessage()};
    }
    if (!target.PrintPage(settings)) {
      target.AbortDocument();
      return {false, result.documentsPrinted, target.FailureMessage()};
    }
    if (!target.EndDocument()) {
      return {false, result.documentsPrinted, target.FailureMessage()};
    }
    ++result.documentsPrinted;
    ++settings.startNumber;
  }
  return result;
}

}  // namespace

PrintResult RunPrintJob(PrintSettings& settings, int copies, PrintTarget& target) {
  JobGuard guard(settings);
  PrintResult result = PrintDocuments(settings, std::max(copies, 1), target);
  if (!target.EndJob() && result.ok)
    result = {false, result.documentsPrinted, target.FailureMessage()};
  return result;
}

}  // namespace tavolo
