// The print-mode and print dialogs driven as a teacher would: choices, the
// printer's page size, numbered copies into a PDF, and failures.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <memory>

#include "../cli/cli_run.h"
#include "../core/app_fakes.h"
#include "cli/unit_source.h"
#include "draw/page_image.h"
#include "gui/app/frm_print_mode.h"
#include "gui/app/frm_print_ok.h"
#include "modal_helper.h"
#include "random/unit_variant.h"
#include "support/course_files.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

using test::MemorySettings;
using test::ModalHelper;
using test::ScriptedDialogs;
using test::Shell;
using test::TempFolder;

// A sheet of a course (the sample course's 1.3.1 unless told), drawn once for
// the screen as a window would; a unit with random data shows variant 1.
class SampleSheet final : public PrintableSheet {
 public:
  explicit SampleSheet(const std::string& course = std::string(TAVOLO_SOURCE_DIR) +
                                                   "/courses/sample",
                       const std::string& address = "1.3.1")
      : renderer_(registry_) {
    auto unit = LoadCourseUnit(course, address);
    EXPECT_TRUE(unit.ok());
    params_ = LoadSheetParams(unit->content, false).params;
    settings_.shortUnitName = unit->shortName;
    if (unit->content.HasRandomBlock()) {
      variants_ = std::make_unique<CopyVariants>(unit->content);
      variants_->PutVariant(1, params_);
    }
    PageSettings screen = settings_;
    screen.registerBoxes = true;
    RenderPageImage(renderer_, Page(), screen);
  }
  PageRenderer& Renderer() override { return renderer_; }
  AnswerBoxRegistry& Registry() override { return registry_; }
  SheetPage Page() override { return {params_, pictures_, layout_}; }
  PageSettings BaseSettings() override { return settings_; }
  std::string PaperName() const override { return "A4"; }
  int StartNumber() const override { return params_.startNumber; }
  void SetStartNumber(int n) override {
    params_.startNumber = n;
    modified = true;
  }
  void LeaveReducedView() override { leftReducedView = true; }
  void Redraw() override { ++redraws; }
  const CopyVariants* Variants() const override { return variants_.get(); }

  bool modified = false, leftReducedView = false;
  int redraws = 0;

 private:
  AnswerBoxRegistry registry_;
  PageRenderer renderer_;
  SheetParams params_;
  SheetPictures pictures_;
  PageLayout layout_;
  PageSettings settings_;
  std::unique_ptr<CopyVariants> variants_;
};

TEST(PrintModeDialog, ClosingKeepsTheChoicesAndRemembersTheMode) {
  PrintSettings settings;
  MemorySettings store;
  int redraws = 0;
  TfrmPrintMode dialog(settings, store);
  dialog.SetRedraw([&] { ++redraws; });
  dialog.show();
  EXPECT_TRUE(dialog.radDisplay->isChecked());
  EXPECT_TRUE(dialog.chkNumber->isChecked());
  EXPECT_EQ(dialog.spnStart->value(), 1);
  EXPECT_EQ(dialog.radDisplay->text(), QStringLiteral("画面に忠実に印刷する"));

  dialog.radPrinter->setChecked(true);
  dialog.spnStart->setValue(21);
  QTest::mouseClick(dialog.frmClose, Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(settings.mode, PrintMode::PrinterResolution);
  EXPECT_EQ(settings.startNumber, 21);
  EXPECT_EQ(store.Program("PrintMode"), "true");
  EXPECT_EQ(redraws, 1);
}

class PrintDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Shell("command -v pdfinfo").empty()) GTEST_SKIP() << "poppler-utils is not installed";
    dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
    dialog.Printer().setOutputFileName(QString::fromStdString(pdf));
  }
  TempFolder folder;
  std::string pdf = (folder / "out.pdf").string();
  PrintSettings settings;
  ScriptedDialogs dialogs;
  TfrmPrintOk dialog{settings, dialogs};
  SampleSheet sheet;
};

TEST_F(PrintDialog, NumberedCopiesStartingAtFive) {
  const AnswerBoxRegistry& boxes = sheet.Registry();
  const int count = boxes.count();
  ASSERT_GT(count, 0);
  const AnswerBox first = boxes.box(1);
  settings.startNumber = 5;
  settings.mode = PrintMode::PrinterResolution;
  int chooserRuns = 0;
  dialog.SetPrinterChooser([&](QPrinter& printer) {
    ++chooserRuns;
    printer.setCopyCount(3);
    return true;
  });
  ModalHelper modal({[&](QWidget* w) {
    ASSERT_EQ(w, &dialog);
    EXPECT_EQ(dialog.lblSize->text(), QStringLiteral("用紙のサイズを A4 に設定してください"));
    EXPECT_TRUE(dialog.lblPWidth->text().startsWith(QStringLiteral("横：")));
    EXPECT_FALSE(dialog.PrinterChosen());
    EXPECT_FALSE(dialog.chkAnswerList->isEnabled());  // nothing differs from copy to copy
    EXPECT_EQ(dialog.lblRandom->text(), QString());
    QTest::mouseClick(dialog.btnPrint, Qt::LeftButton);  // chooses the printer first
  }});
  dialog.PrintSheet(sheet);

  EXPECT_EQ(chooserRuns, 1);
  EXPECT_EQ(dialog.lblSize->text(), QStringLiteral("印刷完了"));
  EXPECT_TRUE(sheet.leftReducedView);
  EXPECT_EQ(settings.startNumber, 1);
  EXPECT_TRUE(settings.notPrinting);
  // The printer's pages registered nothing: the screen's boxes are still the registry's.
  EXPECT_EQ(boxes.count(), count);
  EXPECT_EQ(boxes.box(1).x, first.x);
  EXPECT_EQ(boxes.box(1).fontSize, first.fontSize);
  EXPECT_NE(Shell("pdfinfo '" + pdf + "'").find("Pages:           3"), std::string::npos);
  const std::string text = Shell("pdftotext '" + pdf + "' -");
  for (const char* number : {"№ 5", "№ 6", "№ 7"})
    EXPECT_NE(text.find(number), std::string::npos) << number;
}

TEST_F(PrintDialog, APdfFileIsDatedByTheProgramsClock) {
  ::setenv("TAVOLO_NOW", "2024-05-03T14:05:09", 1);
  dialog.SetPrinterChooser([](QPrinter&) { return true; });
  ModalHelper modal({[&](QWidget*) { QTest::mouseClick(dialog.btnPrint, Qt::LeftButton); }});
  dialog.PrintSheet(sheet);
  ::unsetenv("TAVOLO_NOW");
  ASSERT_EQ(dialog.lblSize->text(), QStringLiteral("印刷完了"));
  const std::string bytes = test::ReadBytes(pdf);
  EXPECT_NE(bytes.find("/CreationDate (D:20240503140509)"), std::string::npos)
      << bytes.substr(0, 300);
  EXPECT_NE(Shell("pdfinfo '" + pdf + "'").find("Pages:           1"), std::string::npos);
}

TEST_F(PrintDialog, CancellingThePrinterChoiceKeepsTheDialogOpenAndPrintsNothing) {
  dialog.SetPrinterChooser([](QPrinter&) { return false; });
  ModalHelper modal({[&](QWidget*) {
    QTest::mouseClick(dialog.btnPrint, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.spnStartNum->value(), 1);
    dialog.spnStartNum->setValue(7);  // "開始No" goes into the sheet
    QTest::mouseClick(dialog.btnClose, Qt::LeftButton);
  }});
  dialog.PrintSheet(sheet);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
  EXPECT_EQ(sheet.StartNumber(), 7);
  EXPECT_TRUE(sheet.modified);
}

TEST_F(PrintDialog, AFailedJobTellsTheTeacherAndRestoresTheState) {
  dialog.Printer().setOutputFileName(
      QString::fromStdString((folder / "missing-folder" / "x.pdf").string()));
  dialog.SetPrinterChooser([](QPrinter&) { return true; });
  settings.startNumber = 4;
  ModalHelper modal({[&](QWidget*) {
    QTest::mouseClick(dialog.btnSettei, Qt::LeftButton);
    EXPECT_TRUE(dialog.PrinterChosen());
    QTest::mouseClick(dialog.btnPrint, Qt::LeftButton);
    EXPECT_TRUE(dialog.btnPrint->isEnabled());
    QTest::mouseClick(dialog.btnClose, Qt::LeftButton);
  }});
  dialog.PrintSheet(sheet);
  ASSERT_EQ(dialogs.log.size(), 1u);
  EXPECT_TRUE(dialogs.log[0].rfind("inform: ", 0) == 0) << dialogs.log[0];
  EXPECT_EQ(settings.startNumber, 1);
  EXPECT_TRUE(settings.notPrinting);
}

// A unit with random data of six variants, in a course written here.
class RandomPrintDialog : public PrintDialog {
 protected:
  void SetUp() override {
    PrintDialog::SetUp();
    if (IsSkipped()) return;
    test::WriteCp932Lines(course / "Main.ind", {"数学問題集１", "", "正負,kazu\\\\ksk"});
    test::WriteCp932Lines(course / "kazu" / "ksk.ind", {"正の数と負の数", "[[sect1", "加法", "<<",
                                                        "乱数", "値なし", ">>", "]]"});
    test::WriteCp932Lines(course / "kazu" / "ksk1.que",
                          {"[[unit1", "<<ques", "(1) $a+$b=#=a+b#", ">>", "<<random",
                           "a = int(11..13)", "b = int(21..22)", ">>", "]]"});
    random = std::make_unique<SampleSheet>(test::CourseFolderOf(course), "1.1.1");
    auto unit = LoadCourseUnit(test::CourseFolderOf(course), "1.1.1");
    ASSERT_TRUE(unit.ok());
    content = unit->content;
  }
  // Variant n's values as the engine draws them: its question and answer.
  std::pair<std::string, std::string> Variant(int n) const {
    const RandomVariant values = ExpandUnitVariant(content, n).random;
    const int a = std::stoi(values.values.at(0).text), b = std::stoi(values.values.at(1).text);
    return {std::to_string(a) + "+" + std::to_string(b), std::to_string(a + b)};
  }
  std::string PageText(int page) const {
    const std::string n = std::to_string(page);
    std::string text = Shell("pdftotext -f " + n + " -l " + n + " '" + pdf + "' -");
    std::erase_if(text, [](unsigned char c) { return std::isspace(c) != 0; });
    return text;
  }
  void ChooseCopies(int copies) {
    dialog.SetPrinterChooser([copies](QPrinter& printer) {
      printer.setCopyCount(copies);
      return true;
    });
  }

  TempFolder course;
  UnitContent content;
  std::unique_ptr<SampleSheet> random;
};

TEST_F(RandomPrintDialog, NumberedCopiesAreEachTheirOwnVariantAndTheAnswerListFollows) {
  settings.mode = PrintMode::PrinterResolution;
  ChooseCopies(2);
  ModalHelper modal({[&](QWidget*) {
    EXPECT_EQ(dialog.lblRandom->text(), QString());
    ASSERT_TRUE(dialog.chkAnswerList->isEnabled());
    EXPECT_EQ(dialog.chkAnswerList->accessibleName(), QStringLiteral("解答一覧も印刷する"));
    dialog.chkAnswerList->setChecked(true);
    if (const QByteArray shots = qgetenv("TAVOLO_SHOTS"); !shots.isEmpty())
      dialog.grab().save(QString::fromLocal8Bit(shots) + "/random_print_dialog.png");
    QTest::mouseClick(dialog.btnPrint, Qt::LeftButton);
  }});
  dialog.PrintSheet(*random);
  ASSERT_EQ(dialog.lblSize->text(), QStringLiteral("印刷完了"));

  EXPECT_NE(Shell("pdfinfo '" + pdf + "'").find("Pages:           3"), std::string::npos);
  const auto [question1, answer1] = Variant(1);
  const auto [question2, answer2] = Variant(2);
  EXPECT_NE(question1, question2);
  EXPECT_NE(PageText(1).find(question1), std::string::npos) << PageText(1);
  EXPECT_NE(PageText(2).find(question2), std::string::npos) << PageText(2);
  const std::string rows = "№1(1)" + answer1 + "№2(1)" + answer2;
  EXPECT_NE(PageText(3).find(rows), std::string::npos) << PageText(3);
}

TEST_F(RandomPrintDialog, SaysWhenCopiesAreAllTheSameOrRepeat) {
  struct Row {
    const char* label;
    bool numbered;
    int copies;
    QString note;
  };
  const Row rows[] = {
      {"as many copies as variants", true, 6, QString()},
      {"more copies than variants", true, 7, QStringLiteral("№ 9 からは同じ問題がくり返されます")},
      {"copies without numbers", false, 2,
       QStringLiteral("番号を付けないので、すべての部数が同じ問題になります")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    settings.numbered = row.numbered;
    settings.startNumber = 3;
    ChooseCopies(row.copies);
    ModalHelper modal({[&](QWidget*) {
      QTest::mouseClick(dialog.btnSettei, Qt::LeftButton);
      EXPECT_EQ(dialog.lblRandom->text(), row.note);
      QTest::mouseClick(dialog.btnClose, Qt::LeftButton);
    }});
    dialog.PrintSheet(*random);
  }
}

}  // namespace
}  // namespace tavolo

namespace tavolo {
namespace {

// The printed number has one range wherever it is set: the sheet, both
// dialogs and the command line, and the value a course file may carry.
TEST(SheetNumberRange, IsTheSameEverywhere) {
  PrintSettings settings;
  test::MemorySettings store;
  test::ScriptedDialogs dialogs;
  TfrmPrintMode mode(settings, store);
  TfrmPrintOk print(settings, dialogs);
  EXPECT_EQ(mode.spnStart->minimum(), kStartNumberRange.low);
  EXPECT_EQ(mode.spnStart->maximum(), kStartNumberRange.high);
  EXPECT_EQ(print.spnStartNum->minimum(), kStartNumberRange.low);
  EXPECT_EQ(print.spnStartNum->maximum(), kStartNumberRange.high);

  test::TempFolder folder;
  const std::string course = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample";
  const std::string pdf = (folder / "n.pdf").string();
  const std::string highest = std::to_string(kStartNumberRange.high);
  const std::string beyond = std::to_string(kStartNumberRange.high + 1);
  EXPECT_EQ(test::Cli({"print", course, "1.3.1", "--pdf", pdf, "--start", highest}).status, 0);
  EXPECT_EQ(test::Cli({"print", course, "1.3.1", "--pdf", pdf, "--start", beyond}).status, 2);

  UnitContent unit;
  unit.valueLines = {"630", "True", "30", "5", "5", highest, "7"};
  EXPECT_EQ(LoadSheetParams(unit, true).params.startNumber, kStartNumberRange.high);
  unit.valueLines[5] = beyond;
  EXPECT_EQ(LoadSheetParams(unit, true).params.startNumber, kStartNumberRange.high);
}

}  // namespace
}  // namespace tavolo
