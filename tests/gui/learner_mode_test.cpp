// The key lock on the learner's side: with a worksheet open, nothing that
// shows the answers or changes the sheet is reachable, neither through the
// menus, nor their keys, nor the mouse on the page.

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "desktop_fixture.h"
#include "gui/app/frm_print.h"

namespace tavolo::test {
namespace {

class LearnerModeTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    OpenFromMenu(0);
    sheet = window->CurrentSheetWindow();
    ASSERT_NE(sheet, nullptr);
  }

  // The menus a user can reach in the menu bar now.
  QStringList ReachableMenus() const {
    QStringList titles;
    for (QAction* action : window->menuBar()->actions())
      if (action->isVisible() && action->isEnabled() && action->menu() &&
          action->menu()->isEnabled())
        titles << action->menu()->objectName();
    return titles;
  }

  TfrmPrint* sheet = nullptr;
};

TEST_F(LearnerModeTest, TheSheetBringsNoTeacherMenus) {
  EXPECT_EQ(ReachableMenus(), QStringList({"mnuSheetFile", "mnuSheetEdit", "mnuSheetView",
                                           "mnuSheetSettings", "mnuWindow", "mnuHelp"}));
  QTest::mouseClick(Find<QPushButton>("btnLock"), Qt::LeftButton);
  ASSERT_TRUE(window->State().KeyLock());
  EXPECT_EQ(ReachableMenus(), QStringList({"mnuHelp"}));

  // Alt+V and Alt+C open nothing.
  for (Qt::Key key : {Qt::Key_V, Qt::Key_C, Qt::Key_F, Qt::Key_E}) {
    QTest::keyClick(window.get(), key, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << key;
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  }

  // Back on the teacher's side, everything returns.
  QTest::mouseClick(Find<QPushButton>("btnLock"), Qt::LeftButton);
  EXPECT_EQ(ReachableMenus().size(), 6);
}

TEST_F(LearnerModeTest, ThePageOnlyShows) {
  QTest::mouseClick(Find<QPushButton>("btnLock"), Qt::LeftButton);
  QWidget* page = sheet->findChild<QWidget*>("Image1");
  ASSERT_NE(page, nullptr);
  QTest::mousePress(page, Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseMove(page, QPoint(150, 120));
  QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(150, 120));
  EXPECT_FALSE(sheet->HasSelection());
  EXPECT_FALSE(sheet->Document().modified);
}

}  // namespace
}  // namespace tavolo::test
