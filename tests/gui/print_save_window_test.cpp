// Printing and saving from the main window: the print button and menus on the
// current sheet, the print-mode dialog, and the save panel.

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <array>
#include <cstdio>

#include "../cli/cli_run.h"
#include "content/unit_reader.h"
#include "desktop_fixture.h"
#include "gui/app/frm_print.h"
#include "gui/app/frm_print_mode.h"
#include "gui/app/frm_print_ok.h"

namespace tavolo::test {
namespace {

class PrintSaveWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    WriteUnits();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
    ModalHelper modal({[](QWidget* menu) {
      menu->findChild<QListWidget*>("lstUnit")->setCurrentRow(0);
      ClickButton(menu, "　Ｏ　Ｋ　");
    }});
    QTest::mouseClick(Find<QPushButton>("btnOpenMaster"), Qt::LeftButton);
    sheet = window->CurrentSheetWindow();
    ASSERT_NE(sheet, nullptr);
  }
  virtual void WriteUnits() {}
  TfrmPrint* sheet = nullptr;
};

// A unit with random data in place of unit 1.
class RandomSheetWindowTest : public PrintSaveWindowTest {
 protected:
  void WriteUnits() override {
    WriteCp932Lines(QuestionFile().toStdString(),
                    {"[[unit1", "<<ques", "次の計算をしなさい。", "(1) $a+1=#=a+1#", ">>",
                     "<<random", "a = int(10..99)", ">>", "]]"});
  }
};

// The sheet shows the variant of the number the next sheet prints with: the
// print-mode dialog's start number redraws it; saving writes the unit as written.
TEST_F(RandomSheetWindowTest, TheSheetShowsTheVariantOfItsNumberAndSavesTheUnitAsWritten) {
  ASSERT_NE(sheet->Variants(), nullptr);
  EXPECT_EQ(sheet->Variants()->Fingerprint().size(), 4u);
  EXPECT_EQ(sheet->ShownVariant(), 1);
  const std::string first = sheet->Document().params.unit.questionLines.at(1);
  ModalHelper modal({[&](QWidget* w) {
    auto* mode = qobject_cast<TfrmPrintMode*>(w);
    ASSERT_NE(mode, nullptr);
    mode->spnStart->setValue(5);
    QTest::mouseClick(mode->frmClose, Qt::LeftButton);
  }});
  window->findChild<QAction*>("mnuSheetPrintMode")->trigger();
  EXPECT_EQ(sheet->ShownVariant(), 5);
  EXPECT_NE(sheet->Document().params.unit.questionLines.at(1), first);
  if (const QByteArray shots = qgetenv("TAVOLO_SHOTS"); !shots.isEmpty())
    sheet->PageImage().save(QString::fromLocal8Bit(shots) + "/random_sheet.png");

  Find<QSpinBox>("spnGyouSpace")->setValue(45);
  QTest::mouseClick(Find<QPushButton>("btnSave"), Qt::LeftButton);
  QTest::mouseClick(Find<QPushButton>("btnSaveMaster"), Qt::LeftButton);
  const UnitReading saved = ReadUnitBlock(QuestionFile().toStdString(), "[[unit1", 1, 1, {});
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved.content->questionLines.at(1), "(1) $a+1=#=a+1#");
  EXPECT_EQ(saved.content->randomLines, (std::vector<std::string>{"a = int(10..99)"}));
}

TEST_F(PrintSaveWindowTest, ThePrintButtonPrintsTheCurrentSheetWithItsNumber) {
  if (Shell("command -v pdftotext").empty()) GTEST_SKIP() << "poppler-utils is not installed";
  const QString pdf = root.path() + "/printed.pdf";
  TfrmPrintOk* dialog = window->PrintWindow();
  dialog->Printer().setOutputFormat(QPrinter::PdfFormat);
  dialog->Printer().setOutputFileName(pdf);
  dialog->SetPrinterChooser([](QPrinter& printer) {
    printer.setCopyCount(2);
    return true;
  });
  ASSERT_TRUE(Find<QPushButton>("btnStartPrint")->isEnabled());
  auto print = [&] {
    ModalHelper modal({[&](QWidget* w) {
      ASSERT_EQ(w, dialog);
      EXPECT_EQ(dialog->lblSize->text(), QStringLiteral("用紙のサイズを A4 に設定してください"));
      QTest::mouseClick(dialog->btnPrint, Qt::LeftButton);
    }});
    QTest::mouseClick(Find<QPushButton>("btnStartPrint"), Qt::LeftButton);
  };
  // Faithful to the screen (the mode at start): the screen page, once per copy.
  print();
  EXPECT_NE(Shell("pdfinfo '" + pdf.toStdString() + "'").find("Pages:           2"),
            std::string::npos);

  // At the printer's resolution the page is drawn again, its texts searchable.
  ModalHelper modeDialog({[&](QWidget* w) {
    qobject_cast<TfrmPrintMode*>(w)->radPrinter->setChecked(true);
    QTest::mouseClick(qobject_cast<TfrmPrintMode*>(w)->frmClose, Qt::LeftButton);
  }});
  window->findChild<QAction*>("mnuSheetPrintMode")->trigger();
  print();
  const std::string text = Shell("pdftotext '" + pdf.toStdString() + "' -");
  EXPECT_NE(text.find("№ 1"), std::string::npos) << text;
  EXPECT_NE(text.find("№ 2"), std::string::npos) << text;
  EXPECT_NE(text.find("kz1.que-U1"), std::string::npos) << text;
  EXPECT_EQ(window->PrintChoices().startNumber, 1);
  EXPECT_TRUE(window->PrintChoices().notPrinting);
}

TEST_F(PrintSaveWindowTest, ThePrintModeDialogIsStoredAndDecidesTheNumbering) {
  auto* item = window->findChild<QAction*>("mnuSheetPrintMode");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->isEnabled());
  ModalHelper modal({[&](QWidget* w) {
    auto* mode = qobject_cast<TfrmPrintMode*>(w);
    ASSERT_NE(mode, nullptr);
    mode->radPrinter->setChecked(true);
    mode->chkNumber->setChecked(false);
    QTest::mouseClick(mode->frmClose, Qt::LeftButton);
  }});
  item->trigger();
  EXPECT_FALSE(window->PrintChoices().SheetNumber().has_value());
  EXPECT_EQ(window->PrintChoices().mode, PrintMode::PrinterResolution);
  EXPECT_EQ(settings.Read(SettingsKey::Program, "PrintMode"), "true");
}

TEST_F(PrintSaveWindowTest, SavingOverTheMasterWritesOnlyThisUnit) {
  Find<QSpinBox>("spnGyouSpace")->setValue(45);
  ASSERT_TRUE(sheet->Document().modified);
  QTest::mouseClick(Find<QPushButton>("btnSave"), Qt::LeftButton);
  ASSERT_TRUE(Find<QFrame>("pnlSave")->isVisible());
  ASSERT_TRUE(Find<QPushButton>("btnSaveMaster")->isEnabled());
  QTest::mouseClick(Find<QPushButton>("btnSaveMaster"), Qt::LeftButton);
  EXPECT_FALSE(Find<QFrame>("pnlSave")->isVisible());
  EXPECT_FALSE(sheet->Document().modified);

  const std::string file = QuestionFile().toStdString();
  const UnitReading saved = ReadUnitBlock(file, "[[unit1", 1, 1, {});
  ASSERT_TRUE(saved.ok());
  ASSERT_EQ(saved.content->valueLines.size(), 7u);
  EXPECT_EQ(saved.content->valueLines[2], "45");
  const UnitReading other = ReadUnitBlock(file, "[[unit1R1", 1, 1, {});
  ASSERT_TRUE(other.ok());
  EXPECT_TRUE(other.content->valueLines.empty());  // the other units are as they were
}

TEST_F(PrintSaveWindowTest, SavingACopyMakesTheSheetThatFile) {
  const QString name = course + "/kazu/class3";
  QTest::mouseClick(Find<QPushButton>("btnSave"), Qt::LeftButton);
  ModalHelper modal({[&](QWidget* w) {
    auto* files = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(files, nullptr) << w->metaObject()->className();
    files->selectFile(name);
    QMetaObject::invokeMethod(files, "accept");
  }});
  QTest::mouseClick(Find<QPushButton>("btnSaveCopy"), Qt::LeftButton);
  EXPECT_TRUE(QFile::exists(name + ".prp"));
  EXPECT_EQ(sheet->windowTitle(), name + ".prp");
  EXPECT_EQ(window->State().OpenSheets(),
            (std::vector<std::string>{(name + ".prp").toStdString()}));
  EXPECT_FALSE(window->findChild<QAction*>("mnuSheetSave")->isEnabled());  // no longer a master
  const UnitReading copy = ReadCopyFile((name + ".prp").toStdString());
  ASSERT_TRUE(copy.ok()) << copy.problem.message;
  EXPECT_EQ(copy.content->questionLines, sheet->Document().params.unit.questionLines);
}

}  // namespace
}  // namespace tavolo::test
