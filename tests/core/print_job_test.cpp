#include "sheet/print_job.h"

#include <gtest/gtest.h>

namespace tavolo {
namespace {

// Records what a printer would have been asked to do.
class RecordingTarget : public PrintTarget {
 public:
  bool BeginDocument(int printerCopies) override {
    log.push_back("begin x" + std::to_string(printerCopies));
    return failBeginAt != ++begins;
  }
  bool PrintPage(const PrintSettings& settings) override {
    const auto n = settings.SheetNumber();
    log.push_back(n ? "page №" + std::to_string(*n) : "page");
    EXPECT_FALSE(settings.notPrinting);
    return failPageAt != ++pages;
  }
  bool EndDocument() override {
    log.push_back("end");
    return true;
  }
  void AbortDocument() override { log.push_back("abort"); }
  std::string FailureMessage() const override { return "プリンタに印刷できません"; }

  std::vector<std::string> log;
  int begins = 0, pages = 0, failBeginAt = -1, failPageAt = -1;
};

using Log = std::vector<std::string>;

TEST(PrintJob, NumberedCopiesAreDocumentsOfTheirOwn) {
  PrintSettings settings;
  settings.startNumber = 5;
  RecordingTarget target;
  const PrintResult r = RunPrintJob(settings, 3, target);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.documentsPrinted, 3);
  EXPECT_EQ(target.log, (Log{"begin x1", "page №5", "end", "begin x1", "page №6", "end", "begin x1",
                             "page №7", "end"}));
  EXPECT_EQ(settings.startNumber, 1);
  EXPECT_TRUE(settings.notPrinting);
}

TEST(PrintJob, UnnumberedCopiesGoToThePrinterAsOneDocument) {
  PrintSettings settings;
  settings.numbered = false;
  settings.mode = PrintMode::PrinterResolution;
  RecordingTarget target;
  EXPECT_TRUE(RunPrintJob(settings, 3, target).ok);
  EXPECT_EQ(target.log, (Log{"begin x3", "page", "end"}));
}

TEST(PrintJob, AFailedJobRestoresTheStateForTheNextOne) {
  PrintSettings settings;
  settings.startNumber = 5;
  RecordingTarget target;
  target.failPageAt = 2;
  const PrintResult r = RunPrintJob(settings, 3, target);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.documentsPrinted, 1);
  EXPECT_EQ(r.message, "プリンタに印刷できません");
  EXPECT_EQ(target.log, (Log{"begin x1", "page №5", "end", "begin x1", "page №6", "abort"}));
  EXPECT_EQ(settings.startNumber, 1);
  EXPECT_TRUE(settings.notPrinting);

  RecordingTarget closed;
  closed.failBeginAt = 1;
  EXPECT_FALSE(RunPrintJob(settings, 2, closed).ok);
  EXPECT_EQ(closed.log, (Log{"begin x1"}));
  EXPECT_TRUE(settings.notPrinting);
}

}  // namespace
}  // namespace tavolo

namespace tavolo {
namespace {

// A target whose output cannot be closed at the end (a full disk under a PDF).
class UnclosableTarget final : public RecordingTarget {
 public:
  bool EndJob() override {
    ++jobEnds;
    return false;
  }
  int jobEnds = 0;
};

TEST(PrintJob, EveryJobIsClosedAndAFailedCloseFailsTheJob) {
  PrintSettings settings;
  UnclosableTarget full;
  const PrintResult r = RunPrintJob(settings, 2, full);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.documentsPrinted, 2);
  EXPECT_EQ(full.jobEnds, 1);

  // A job that already failed is closed too, and keeps its own reason.
  UnclosableTarget refused;
  refused.failBeginAt = 1;
  EXPECT_EQ(RunPrintJob(settings, 2, refused).message, "プリンタに印刷できません");
  EXPECT_EQ(refused.jobEnds, 1);
}

}  // namespace
}  // namespace tavolo
