// Worksheet windows in the main window: opening units through the course
// menu, the "already open" rule, the toolbar acting on the current sheet, and
// closing with the save question.

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "desktop_fixture.h"
#include "gui/app/frm_print.h"

namespace tavolo::test {
namespace {

class SheetWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }

  // A step that picks a unit (and a similar problem, 0 = none) in the menu and presses OK.
  static ModalHelper::Step Pick(int unitRow, int similarRow = -1) {
    return [unitRow, similarRow](QWidget* menu) {
      menu->findChild<QListWidget*>("lstUnit")->setCurrentRow(unitRow);
      if (similarRow >= 0) menu->findChild<QListWidget*>("lstRuidai")->setCurrentRow(similarRow);
      ClickButton(menu, "　Ｏ　Ｋ　");
    };
  }
  void Open(std::deque<ModalHelper::Step> steps) {
    ModalHelper modal(std::move(steps));
    QTest::mouseClick(Find<QPushButton>("btnOpenMaster"), Qt::LeftButton);
  }
  QStringList Captions() const {
    QStringList captions;
    for (QMdiSubWindow* w : window->MdiArea()->subWindowList())
      if (qobject_cast<TfrmPrint*>(w)) captions << w->windowTitle();
    return captions;
  }
  QStringList Register() const {
    QStringList identities;
    for (const auto& identity : window->State().OpenSheets())
      identities << QString::fromStdString(identity);
    return identities;
  }
};

TEST_F(SheetWindowTest, OpeningAUnitShowsItsPage) {
  Open({Pick(0)});
  EXPECT_EQ(Captions(), QStringList({QuestionFile() + "-U1"}));
  EXPECT_EQ(Register(), Captions());
  TfrmPrint* sheet = window->CurrentSheetWindow();
  ASSERT_NE(sheet, nullptr);
  EXPECT_FALSE(sheet->Document().modified);
  EXPECT_EQ(sheet->ShortUnitName(), "kz1.que-U1");
  // A4 at one unit per pixel, and not a blank page.
  EXPECT_EQ(sheet->PageImage().size() / sheet->PageImage().devicePixelRatio(), QSize(630, 891));
  EXPECT_EQ(sheet->Layout().answers, (std::vector<std::string>{"start", "-2", "2"}));

  EXPECT_FALSE(Find<QMdiSubWindow>("frmDummy")->isVisible());  // the title steps aside

  auto* windowMenu = Find<QMenu>("mnuWindow");
  emit windowMenu->aboutToShow();
  for (QAction* item : windowMenu->actions()) EXPECT_TRUE(item->isEnabled());
}

TEST_F(SheetWindowTest, SameUnitTwiceIsRefusedButItsSimilarProblemOpens) {
  Open({Pick(0)});
  Open({Pick(0, 0)});
  QString message;
  Open({Pick(0), [&](QWidget* box) {
          message = MessageText(box);
          ClickButton(box, "OK");
        }});
  EXPECT_EQ(message, "すでに読み込まれています");
  EXPECT_EQ(Captions(), QStringList({QuestionFile() + "-U1", QuestionFile() + "-U1R1"}));
  EXPECT_EQ(window->CurrentSheetWindow()->windowTitle(), QuestionFile() + "-U1");
}

TEST_F(SheetWindowTest, MissingUnitIsOfferedForCreation) {
  WriteCp932Lines(QuestionFile().toStdString(), {"[[unit1", "]]"});
  QString question;
  Open({Pick(1), [&](QWidget* box) {
          question = MessageText(box);
          ClickButton(box, "いいえ(&N)");
        }});
  EXPECT_EQ(question, "単元がありません\n新規作成しますか?");
  EXPECT_TRUE(Captions().isEmpty());
}

TEST_F(SheetWindowTest, SpinChangeMarksTheSheetModifiedAndRedrawsIt) {
  Open({Pick(0)});
  TfrmPrint* sheet = window->CurrentSheetWindow();
  const QImage before = sheet->PageImage();
  Find<QSpinBox>("spnGyouSpace")->setValue(60);
  EXPECT_TRUE(sheet->Document().modified);
  EXPECT_EQ(sheet->Document().params.lineSpacing, 60);
  EXPECT_NE(sheet->PageImage(), before);

  sheet->Document().modified = false;
  const QImage smaller = sheet->PageImage();
  Find<QSpinBox>("spnMojiSize")->setValue(20);
  EXPECT_TRUE(sheet->Document().modified);
  EXPECT_EQ(sheet->Document().params.charSize, 20);
  EXPECT_NE(sheet->PageImage(), smaller);

  // Answer display redraws without marking the sheet.
  sheet->Document().modified = false;
  const QImage withAnswers = sheet->PageImage();
  QTest::mouseClick(Find<QPushButton>("btnKaitou"), Qt::LeftButton);
  EXPECT_FALSE(window->State().AnswerDisplay());
  EXPECT_FALSE(sheet->Document().modified);
  EXPECT_NE(sheet->PageImage(), withAnswers);
}

TEST_F(SheetWindowTest, ACancelledOpenShowsTheAnswersEverywhereSoTheNextPressHidesThem) {
  Open({Pick(0)});
  TfrmPrint* sheet = window->CurrentSheetWindow();
  const QImage withAnswers = sheet->PageImage();
  const QImage onGlyph = Find<QPushButton>("btnKaitou")->icon().pixmap(32).toImage();
  QTest::mouseClick(Find<QPushButton>("btnKaitou"), Qt::LeftButton);
  ASSERT_FALSE(sheet->Document().params.answerDisplay);
  const QImage offGlyph = Find<QPushButton>("btnKaitou")->icon().pixmap(32).toImage();
  ASSERT_NE(offGlyph, onGlyph);

  // 開く switches the answers on; cancelling the menu keeps them on, and the
  // button and the sheet say so.
  Open({[](QWidget* menu) { ClickButton(menu, "ｷｬﾝｾﾙ"); }});
  EXPECT_TRUE(window->State().AnswerDisplay());
  EXPECT_TRUE(sheet->Document().params.answerDisplay);
  EXPECT_FALSE(sheet->Document().modified);
  EXPECT_EQ(Find<QPushButton>("btnKaitou")->icon().pixmap(32).toImage(), onGlyph);
  EXPECT_EQ(sheet->PageImage(), withAnswers);

  QTest::mouseClick(Find<QPushButton>("btnKaitou"), Qt::LeftButton);
  EXPECT_FALSE(sheet->Document().params.answerDisplay);
  EXPECT_EQ(Find<QPushButton>("btnKaitou")->icon().pixmap(32).toImage(), offGlyph);
  EXPECT_NE(sheet->PageImage(), withAnswers);
}

TEST_F(SheetWindowTest, ActivatingASheetPushesItsValuesIntoTheToolbar) {
  Open({Pick(0)});
  Find<QSpinBox>("spnGyouSpace")->setValue(45);
  Open({Pick(1)});
  TfrmPrint* second = window->CurrentSheetWindow();
  EXPECT_EQ(Find<QSpinBox>("spnGyouSpace")->value(), 30);
  EXPECT_FALSE(second->Document().modified);  // pushing values is no change
  window->MdiArea()->setActiveSubWindow(window->MdiArea()->subWindowList()[1]);
  EXPECT_EQ(Find<QSpinBox>("spnGyouSpace")->value(), 45);
  EXPECT_NE(window->CurrentSheetWindow(), second);
}

TEST_F(SheetWindowTest, CloseAllWithOneCancelLeavesThatSheetOpen) {
  Open({Pick(0)});
  Find<QSpinBox>("spnGyouSpace")->setValue(50);  // the first sheet is modified
  Open({Pick(1)});
  QString question;
  {
    ModalHelper modal({[&](QWidget* box) {
      question = MessageText(box);
      ClickButton(box, "キャンセル");
    }});
    Find<QAction>("mnuCloseAll")->trigger();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(question, QuestionFile() + "-U1を保存しますか？");
  EXPECT_EQ(Captions(), QStringList({QuestionFile() + "-U1"}));
  EXPECT_EQ(Register(), Captions());

  // "閉じる" on an unmodified sheet closes it without a question.
  // The sheet that closed was the current one: there is none until another is activated.
  EXPECT_EQ(window->CurrentSheetWindow(), nullptr);
  window->MdiArea()->setActiveSubWindow(window->MdiArea()->subWindowList().back());
  ASSERT_NE(window->CurrentSheetWindow(), nullptr);
  window->CurrentSheetWindow()->Document().modified = false;
  {
    NoModalExpected none;
    QTest::mouseClick(Find<QPushButton>("btnFpClose"), Qt::LeftButton);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(Captions().isEmpty());
  EXPECT_TRUE(Register().isEmpty());
  EXPECT_EQ(window->CurrentSheetWindow(), nullptr);
  EXPECT_TRUE(Find<QMdiSubWindow>("frmDummy")->isVisible());
}

TEST_F(SheetWindowTest, ActiveSheetBringsItsOwnMenus) {
  auto visibleMenus = [&] {
    QStringList titles;
    for (QAction* menu : window->menuBar()->actions())
      if (menu->isVisible()) titles << menu->menu()->objectName();
    return titles;
  };
  EXPECT_EQ(visibleMenus(), QStringList({"mnuFile", "mnuEdit", "mnuWindow", "mnuHelp"}));
  Open({Pick(0)});
  EXPECT_EQ(visibleMenus(), QStringList({"mnuSheetFile", "mnuSheetEdit", "mnuSheetView",
                                         "mnuSheetSettings", "mnuWindow", "mnuHelp"}));
  // The index editor is refused while a sheet is open.
  QString message;
  {
    ModalHelper modal({[&](QWidget* box) {
      message = MessageText(box);
      ClickButton(box, "OK");
    }});
    Find<QAction>("mnuSheetMakeIndex")->trigger();
  }
  EXPECT_EQ(message, "開いているファイルをすべて閉じてください");
  // "解答表示(&A)" works like the answer button.
  Find<QAction>("mnuSheetAnswers")->trigger();
  EXPECT_FALSE(window->State().AnswerDisplay());

  Find<QAction>("mnuSheetClose")->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(visibleMenus(), QStringList({"mnuFile", "mnuEdit", "mnuWindow", "mnuHelp"}));
}

TEST_F(SheetWindowTest, PaperDialogSetsHeaderOptionsAndStoresThePaper) {
  Open({Pick(0)});
  TfrmPrint* sheet = window->CurrentSheetWindow();
  const QImage before = sheet->PageImage();
  QStringList seen;
  ModalHelper modal({[&](QWidget* w) {
    seen << w->objectName() << w->windowTitle();
    for (const char* name : {"chkClassFlag", "chkJisshibi", "chkPrinted"})
      seen << (w->findChild<QCheckBox*>(name)->isChecked() ? "on" : "off");
    for (const char* name : {"radSetB5", "radSetA4", "radSetB4", "radSetA3"})
      seen << (w->findChild<QRadioButton*>(name)->isEnabled() ? "enabled" : "disabled");
    w->findChild<QCheckBox*>("chkPrinted")->setChecked(false);
    ClickButton(w, "OK");
  }});
  Find<QAction>("mnuSheetPaper")->trigger();
  EXPECT_EQ(seen, QStringList({"frmSetPaper", "用紙設定", "on", "on", "on", "disabled", "enabled",
                               "disabled", "disabled"}));
  EXPECT_EQ(sheet->Document().params.headerOptions, kHeaderClassFlag | kHeaderTestDate);
  EXPECT_TRUE(sheet->Document().modified);
  EXPECT_NE(sheet->PageImage(), before);  // the sheet number line is gone
  EXPECT_EQ(settings.Read(SettingsKey::Program, "PaperSize"), "630");
}

TEST_F(SheetWindowTest, ReopeningAfterAnEditReplacesTheSheetWithoutAsking) {
  Open({Pick(0)});
  TfrmPrint* old = window->CurrentSheetWindow();
  const CourseMenuChoice choice = old->Choice();
  Find<QSpinBox>("spnGyouSpace")->setValue(70);  // changed, but the editor has saved the unit
  {
    NoModalExpected none;
    EXPECT_EQ(window->OpenUnit(choice, true), OpenResult::Opened);
  }
  TfrmPrint* fresh = window->CurrentSheetWindow();
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(fresh, old);
  EXPECT_FALSE(fresh->Document().modified);
  EXPECT_EQ(fresh->Document().params.lineSpacing, 30);
  EXPECT_EQ(Register(), QStringList({QuestionFile() + "-U1"}));
  // Before the old window is gone, the unit is found as the new window.
  QString message;
  {
    ModalHelper modal({[&](QWidget* box) {
      message = MessageText(box);
      ClickButton(box, "OK");
    }});
    EXPECT_EQ(window->OpenUnit(choice, false), OpenResult::AlreadyOpen);
  }
  EXPECT_EQ(message, "すでに読み込まれています");
  EXPECT_EQ(window->CurrentSheetWindow(), fresh);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Captions(), QStringList({QuestionFile() + "-U1"}));
}

TEST_F(SheetWindowTest, ClosingTheProgramAsksForEachChangedSheet) {
  Open({Pick(0)});
  Find<QSpinBox>("spnMojiSize")->setValue(16);
  {
    ModalHelper modal({[](QWidget* box) { ClickButton(box, "キャンセル"); }});
    EXPECT_FALSE(window->close());
  }
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Captions().size(), 1);
  {
    ModalHelper modal({[](QWidget* box) { ClickButton(box, "いいえ(&N)"); }});
    EXPECT_TRUE(window->close());
  }
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(Register().isEmpty());
}

}  // namespace
}  // namespace tavolo::test
