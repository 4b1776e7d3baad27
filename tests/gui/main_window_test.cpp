// The main window: its tool panel and menus as the user sees them, the start
// of the program on a course, and the teacher/learner key lock.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "desktop_fixture.h"
#include "gui/app/frm_edit_source.h"
#include "gui/authoring/frm_edit_index.h"
#include "gui/authoring/frm_edit_ques.h"
#include "gui/authoring/frm_input_name.h"
#include "gui/practice/frm_class_records.h"
#include "gui/practice/frm_kiroku.h"
#include "gui/practice/frm_renshu.h"

namespace tavolo::test {
namespace {

using MainWindowTest = DesktopTest;

TEST_F(MainWindowTest, ToolPanelHoldsEveryControlWithItsCaption) {
  NewWindow();
  EXPECT_EQ(window->objectName(), "frmMain");
  EXPECT_EQ(window->windowTitle(), "Tavolo++ 数学問題集１・正と負の数");
  struct Case {
    const char* name;
    const char* caption;
    bool enabled;
  };
  const Case buttons[] = {
      {"btnLock", "先生用", true},           {"btnFpClose", "閉じる", true},
      {"btnOpenMaster", "開  く ", true},    {"btnSave", "保　存", true},
      {"btnStartPrint", "印　刷", true},     {"btnEdit", "編　集", true},
      {"btnTest", "学　習", true},           {"btnLogOn", "学習者", true},
      {"btnKaitou", "解答表示", true},       {"btnKran", "解答欄　", true},
      {"btnCopy", "コピー", false},          {"btnCancel", "キャンセル", false},
      {"btnSaveMaster", "上書き保存", true}, {"btnSaveCopy", "名前を付けて保存", true},
  };
  for (const auto& b : buttons) {
    auto* button = Find<QPushButton>(b.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption)) << b.name;
    EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
  }
  EXPECT_EQ(Find<QPushButton>("btnLock")->toolTip(), "編集機能のON/OFF");
  EXPECT_TRUE(Find<QCheckBox>("chkBekkai")->isChecked());
  EXPECT_EQ(Find<QCheckBox>("chkBekkai")->text(), "別解表示");
  EXPECT_TRUE(Find<QLineEdit>("edtLogOnName")->isReadOnly());

  struct Spin {
    const char* name;
    int min, max, value;
  };
  for (const Spin& s : {Spin{"spnGyouSpace", -5, 200, 30}, Spin{"spnMojiSize", 8, 50, 10}}) {
    auto* spin = Find<QSpinBox>(s.name);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->minimum(), s.min) << s.name;
    EXPECT_EQ(spin->maximum(), s.max) << s.name;
    EXPECT_EQ(spin->value(), s.value) << s.name;
  }
  QStringList labels;
  for (const char* name : {"lblGyouSpace", "lblMoji", "lblSize"})
    labels << Find<QLabel>(name)->text();
  EXPECT_EQ(labels, QStringList({"主行間", "文　字", "サイズ"}));

  // The operations other windows use are there but never seen.
  for (const char* hidden : {"btnShukusho", "btnScroll", "pnlSave"})
    EXPECT_FALSE(Find<QWidget>(hidden)->isVisible()) << hidden;
  EXPECT_EQ(Find<QPushButton>("btnShukusho")->text(), "縮小");
}

TEST_F(MainWindowTest, SideWindowsAreMadeWhenFirstNeededAndThenKept) {
  NewWindow();
  ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  struct Side {
    const char* name;
    std::function<QWidget*()> get;
  };
  const Side sides[] = {
      {"frmRenshu", [&] { return window->PracticeWindow(); }},
      {"frmKiroku", [&] { return window->RecordsWindow(); }},
      {"frmClassRecords", [&] { return window->ClassRecordsWindow(); }},
      {"frmInputName", [&] { return window->InputNameWindow(); }},
      {"frmEditIndex", [&] { return window->IndexEditorWindow(); }},
      {"frmEditQues", [&] { return window->QuestionEditor(); }},
      {"frmEditSource", [&] { return window->SourceEditor(); }},
  };
  // Start-up has built none of them: none is opened in most sessions.
  for (const Side& side : sides)
    EXPECT_EQ(window->findChild<QWidget*>(side.name), nullptr) << side.name;
  for (const Side& side : sides) {
    QWidget* made = side.get();
    ASSERT_NE(made, nullptr) << side.name;
    EXPECT_EQ(made->objectName(), side.name);
    EXPECT_EQ(made->parent(), window.get()) << side.name;
    EXPECT_FALSE(made->isVisible()) << side.name;
    EXPECT_EQ(side.get(), made) << side.name;  // one window, reused
    EXPECT_EQ(window->findChildren<QWidget*>(side.name).size(), 1) << side.name;
  }
}

TEST_F(MainWindowTest, MenusHoldTheirItems) {
  NewWindow();
  QStringList titles;
  QStringList items;
  for (QAction* menu : window->menuBar()->actions()) {
    if (!menu->isVisible()) continue;  // a worksheet's menus, while none is active
    titles << menu->text();
    for (QAction* item : menu->menu()->actions()) items << item->text();
  }
  EXPECT_EQ(titles, QStringList({"ファイル(&F)", "編集(&E)", "ウィンドウ(&W)", "ヘルプ(&H)"}));
  EXPECT_EQ(items, QStringList({"開く(&O)", "コピーファイルを開く(&Y)...", "", "学級の記録(&R)...",
                                "", "終了(&X)", "目次作成(&C)", "学校名・塾名(&J)", "最大表示(&M)",
                                "タイル表示(&T)", "カスケード表示(&C)", "すべて閉じる(&A)",
                                "使い方(&U)", "バージョン(&V)", "ご存じですか(&D)", "補足"}));
}

TEST_F(MainWindowTest, WindowMenuIsDisabledWithoutSheets) {
  NewWindow();
  ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  auto* menu = Find<QMenu>("mnuWindow");
  emit menu->aboutToShow();
  for (QAction* item : menu->actions())
    EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
}

TEST_F(MainWindowTest, FirstStartShowsTipsTitleAndStoresDefaults) {
  NewWindow();
  bool tipsTicked = false;
  {
    ModalHelper modal({[&](QWidget* w) {
      EXPECT_EQ(w->objectName(), "frmDoYouKnow");
      tipsTicked = w->findChild<QCheckBox*>("chkNextTime")->isChecked();
      ClickButton(w, "閉じる");
    }});
    ASSERT_EQ(window->StartUp(Places()), StartUpOutcome::Ready);
  }
  EXPECT_TRUE(tipsTicked);
  EXPECT_EQ(settings.Read(SettingsKey::Program, "theSchool"), "");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "ShowDoYouKnow"), "true");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "PaperSize"), "630");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "LogOnName"), "共通");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "KeyLock"), "false");
  EXPECT_EQ(settings.Read(SettingsKey::Family, "RecDrive"), (root.path() + "/home/").toStdString());

  EXPECT_EQ(Find<QLineEdit>("edtLogOnName")->text(), "共通");
  EXPECT_EQ(window->State().Paper().button, PaperSize::A4);
  EXPECT_EQ(Find<QPushButton>("btnLock")->text(), "先生用");
  auto* title = Find<QMdiSubWindow>("frmDummy");
  EXPECT_TRUE(title->isVisible());
  EXPECT_EQ(title->windowTitle(), "正と負の数");
  EXPECT_EQ(title->width(), window->ChildAreaWidth());
  EXPECT_EQ(window->ChildAreaWidth(), window->width() - Find<QWidget>("pnlMain")->width() - 10);
  // The picture sits on the title button with a border of 10 by 20.
  EXPECT_EQ(Find<QPushButton>("btnTitle")->size(), QSize(130, 80));
}

TEST_F(MainWindowTest, PaperSettingChoosesItsPaper) {
  struct Case {
    const char* stored;
    PaperSize paper;
  };
  for (const Case& c :
       {Case{"546", PaperSize::B5}, Case{"630", PaperSize::A4}, Case{"771", PaperSize::B4},
        Case{"891", PaperSize::A3}, Case{"600", PaperSize::A4}, Case{"abc", PaperSize::A4}}) {
    settings.Write(SettingsKey::Program, "PaperSize", c.stored);
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
    EXPECT_EQ(window->State().Paper().button, c.paper) << c.stored;
  }
}

TEST_F(MainWindowTest, LearnerModeShowsOnlyTheLearnersControls) {
  WriteSettingBool(settings, "KeyLock", true);
  NewWindow();
  ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);

  auto visibleControls = [&] {
    QStringList names;
    for (QWidget* w : Find<QWidget>("pnlMain")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->isVisible()) names << w->objectName();
    return names;
  };
  auto visibleMenus = [&] {
    QStringList names;
    for (QAction* menu : window->menuBar()->actions())
      if (menu->isVisible()) names << menu->text();
    return names;
  };
  EXPECT_EQ(visibleControls(), QStringList({"btnLock", "btnTest", "btnLogOn", "edtLogOnName"}));
  EXPECT_EQ(visibleMenus(), QStringList({"ヘルプ(&H)"}));
  EXPECT_FALSE(Find<QMenu>("mnuHelp")->actions()[2]->isVisible());  // ご存じですか(&D)
  EXPECT_EQ(Find<QPushButton>("btnLock")->text(), "生徒用");

  QTest::mouseClick(Find<QPushButton>("btnLock"), Qt::LeftButton);
  EXPECT_EQ(Find<QPushButton>("btnLock")->text(), "先生用");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "KeyLock"), "false");
  EXPECT_EQ(visibleControls(),
            QStringList({"btnLock", "btnFpClose", "btnOpenMaster", "btnSave", "btnStartPrint",
                         "btnEdit", "btnTest", "btnLogOn", "edtLogOnName", "btnKaitou", "chkBekkai",
                         "btnKran", "lblGyouSpace", "spnGyouSpace", "lblMoji", "lblSize",
                         "spnMojiSize", "pnlCopy"}));
  EXPECT_EQ(visibleMenus().size(), 4);
  EXPECT_TRUE(Find<QMenu>("mnuHelp")->actions()[2]->isVisible());

  QTest::mouseClick(Find<QPushButton>("btnLock"), Qt::LeftButton);
  EXPECT_EQ(settings.Read(SettingsKey::Program, "KeyLock"), "true");
  EXPECT_EQ(visibleControls().size(), 4);
}

TEST_F(MainWindowTest, MissingCourseIndexEndsTheProgram) {
  QFile::remove(course + "/Main.ind");
  NewWindow();
  QString message;
  {
    ModalHelper modal({[&](QWidget* w) {
      message = MessageText(w);
      ClickButton(w, "OK");
    }});
    EXPECT_EQ(StartWithoutTips(), StartUpOutcome::Quit);
  }
  EXPECT_EQ(message, "ファイル " + course + "/Main.ind が見つかりません");
}

TEST_F(MainWindowTest, TitlePictureThatIsNoImageIsReported) {
  QFile bad(course + "/Title.BMP");
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
  bad.write("BM this is not a bitmap");
  bad.close();
  NewWindow();
  QString message;
  {
    ModalHelper modal({[&](QWidget* w) {
      message = MessageText(w);
      ClickButton(w, "OK");
    }});
    EXPECT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }
  EXPECT_EQ(message, "ファイル " + course + "/Title.BMP は画像として読み込めません");
  EXPECT_TRUE(Find<QPushButton>("btnTitle")->icon().isNull());
  EXPECT_TRUE(Find<QMdiSubWindow>("frmDummy")->isVisible());
}

}  // namespace
}  // namespace tavolo::test
