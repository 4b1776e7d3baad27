// The tool panel acts on the worksheet in front, and only the user changes
// which one that is: buttons that hide or disable themselves must not hand
// the focus, and with it the front, to another worksheet.

#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "content/unit_reader.h"
#include "desktop_fixture.h"
#include "gui/app/frm_print.h"

namespace tavolo::test {
namespace {

class CurrentSheetTest : public DesktopTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
    // Unit 1, similar problem R1 of unit 1, unit 2: the last one is in front.
    const std::pair<int, int> picks[] = {{0, -1}, {0, 0}, {1, -1}};
    for (int i = 0; i < GetParam(); ++i) {
      const auto [unitRow, similarRow] = picks[3 - GetParam() + i];
      OpenFromMenu(unitRow, similarRow);
    }
    // The course menu has closed: the main window is the active one again.
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    front = window->CurrentSheetWindow();
    ASSERT_NE(front, nullptr);
    ASSERT_EQ(front->windowTitle(), QuestionFile() + "-U2");
  }

  // The value block of a unit as it is on disk now.
  std::vector<std::string> ValueLines(const char* key) const {
    const UnitReading reading = ReadUnitBlock(QuestionFile().toStdString(), key, 1, 1, {});
    EXPECT_TRUE(reading.ok()) << key;
    return reading.ok() ? reading.content->valueLines : std::vector<std::string>{};
  }

  // The mouse arrives over a button before it clicks it (the save panel's
  // buttons take the focus then), and clicks.
  static void HoverAndClick(QPushButton* button) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  void ExpectFrontUnchanged() {
    EXPECT_EQ(window->CurrentSheetWindow(), front);
    EXPECT_EQ(window->MdiArea()->activeSubWindow(), front);
  }

  TfrmPrint* front = nullptr;
};

TEST_P(CurrentSheetTest, SaveOverTheUnitWritesTheSheetInFront) {
  Find<QSpinBox>("spnGyouSpace")->setValue(45);
  QTest::mouseClick(Find<QPushButton>("btnSave"), Qt::LeftButton);
  HoverAndClick(Find<QPushButton>("btnSaveMaster"));
  ExpectFrontUnchanged();
  EXPECT_FALSE(front->Document().modified);
  const std::vector<std::string> saved = ValueLines("[[unit2");
  ASSERT_EQ(saved.size(), 7u);
  EXPECT_EQ(saved[2], "45");
  EXPECT_TRUE(ValueLines("[[unit1").empty());  // the sheets behind are untouched
  EXPECT_TRUE(ValueLines("[[unit1R1").empty());

  // The spin boxes still belong to the sheet in front.
  Find<QSpinBox>("spnMojiSize")->setValue(17);
  EXPECT_EQ(front->Document().params.charSize, 17);
  EXPECT_TRUE(front->Document().modified);
}

TEST_P(CurrentSheetTest, SaveAsCopyRenamesTheSheetInFront) {
  const QString name = course + "/kazu/class3";
  QTest::mouseClick(Find<QPushButton>("btnSave"), Qt::LeftButton);
  ModalHelper modal({[&](QWidget* w) {
    auto* files = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(files, nullptr);
    files->selectFile(name);
    QMetaObject::invokeMethod(files, "accept");
  }});
  HoverAndClick(Find<QPushButton>("btnSaveCopy"));
  ExpectFrontUnchanged();
  EXPECT_EQ(front->windowTitle(), name + ".prp");
  for (QMdiSubWindow* other : window->MdiArea()->subWindowList()) {
    if (other != front && qobject_cast<TfrmPrint*>(other)) {
      EXPECT_NE(other->windowTitle(), name + ".prp");
    }
  }
}

TEST_P(CurrentSheetTest, CopyingASelectionKeepsTheSheetInFront) {
  QWidget* page = front->findChild<QWidget*>("Image1");
  ASSERT_NE(page, nullptr);
  QTest::mousePress(page, Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseMove(page, QPoint(120, 90));
  QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(120, 90));
  ASSERT_TRUE(front->HasSelection());
  auto* copy = Find<QPushButton>("btnCopy");
  ASSERT_TRUE(copy->isEnabled());
  HoverAndClick(copy);
  EXPECT_FALSE(copy->isEnabled());
  ExpectFrontUnchanged();
  Find<QSpinBox>("spnGyouSpace")->setValue(50);
  EXPECT_EQ(front->Document().params.lineSpacing, 50);
}

INSTANTIATE_TEST_SUITE_P(OpenSheets, CurrentSheetTest, ::testing::Values(2, 3));

}  // namespace
}  // namespace tavolo::test
