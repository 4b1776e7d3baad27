// The answer-box settings dialog over an open worksheet: the shape choice and
// its size boxes, live edits that Esc keeps, the margin limit, and the zoom.

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "desktop_fixture.h"
#include "gui/app/frm_print.h"

namespace tavolo::test {
namespace {

class AnswerBoxWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
    ModalHelper modal({[](QWidget* menu) { ClickButton(menu, "　Ｏ　Ｋ　"); }});
    QTest::mouseClick(Find<QPushButton>("btnOpenMaster"), Qt::LeftButton);
    sheet = window->CurrentSheetWindow();
    ASSERT_NE(sheet, nullptr);
  }
  // Opens the dialog, runs the step in it and returns whether it closed with OK.
  void InDialog(const ModalHelper::Step& step) {
    ModalHelper modal({step});
    QTest::mouseClick(Find<QPushButton>("btnKran"), Qt::LeftButton);
  }
  template <class T>
  static T* In(QWidget* w, const char* name) {
    return w->findChild<T*>(name);
  }
  static void PressEsc(QWidget* w) {
    QTest::keyClick(In<QSpinBox>(w, "spnKranWX"), Qt::Key_Escape);
  }
  SheetParams& Params() { return sheet->Document().params; }

  TfrmPrint* sheet = nullptr;
};

TEST_F(AnswerBoxWindowTest, BracketShapeShowsNoChoiceAndUnderlineWritesFour) {
  ASSERT_EQ(Params().kran[0], "2");  // brackets: no button of their own
  QStringList seen;
  InDialog([&](QWidget* w) {
    seen << w->objectName() << w->windowTitle();
    for (const char* name : {"radNon", "radShikaku", "radKasen", "radRound"})
      seen << (In<QRadioButton>(w, name)->isChecked() ? "checked" : "-");
    seen << (In<QSpinBox>(w, "spnKranWX")->isEnabled() ? "width" : "-")
         << (In<QSpinBox>(w, "spnKranH")->isEnabled() ? "height" : "-");
    QTest::mouseClick(In<QRadioButton>(w, "radKasen"), Qt::LeftButton);
    PressEsc(w);  // the change stays
  });
  EXPECT_EQ(seen, QStringList({"frmSettei", "設定", "-", "-", "-", "-", "width", "-"}));
  EXPECT_EQ(Params().kran[0], "4");
  EXPECT_TRUE(sheet->Document().modified);
}

TEST_F(AnswerBoxWindowTest, ShapesEnableTheirSizeBoxesAndOnlySomeMarkTheSheet) {
  struct Step {
    const char* radio;
    const char* code;
    bool width, height, modifies;
  };
  const Step steps[] = {{"radNon", "0", false, false, true},
                        {"radShikaku", "1", true, true, false},
                        {"radKasen", "4", true, false, true},
                        {"radRound", "5", true, true, false}};
  InDialog([&](QWidget* w) {
    for (const Step& s : steps) {
      sheet->Document().modified = false;
      QTest::mouseClick(In<QRadioButton>(w, s.radio), Qt::LeftButton);
      EXPECT_EQ(Params().kran[0], s.code) << s.radio;
      EXPECT_EQ(In<QSpinBox>(w, "spnKranWX")->isEnabled(), s.width) << s.radio;
      EXPECT_EQ(In<QSpinBox>(w, "spnKranH")->isEnabled(), s.height) << s.radio;
      EXPECT_EQ(sheet->Document().modified, s.modifies) << s.radio;
    }
    ClickButton(w, "閉じる");
  });
}

TEST_F(AnswerBoxWindowTest, NumbersGoIntoTheSheetAtOnceAndRedrawIt) {
  QImage before = sheet->PageImage();
  InDialog([&](QWidget* w) {
    auto* left = In<QSpinBox>(w, "spnLeftM");
    left->setValue(15);
    left->stepUp();  // 15 is the limit
    EXPECT_EQ(left->value(), 15);
    EXPECT_EQ(Params().leftMargin, 15);
    EXPECT_NE(sheet->PageImage(), before);
    // The answer position has no bound.
    In<QSpinBox>(w, "spnAnsX")->setValue(0);
    In<QToolButton>(w, "btnLeft")->click();
    In<QToolButton>(w, "btnLeft")->click();
    In<QToolButton>(w, "btnDown")->click();
    In<QSpinBox>(w, "spnKranWX")->setValue(22);
    // Cursor keys and Delete do nothing here.
    QTest::keyClick(In<QSpinBox>(w, "spnKranWX"), Qt::Key_Up);
    ClickButton(w, "閉じる");
  });
  EXPECT_EQ(Params().KranValue(5), -2);
  EXPECT_EQ(Params().KranValue(6), 1);  // down: one lower on the page
  EXPECT_EQ(Params().kran[1], "22");
  EXPECT_TRUE(sheet->Document().modified);
}

TEST_F(AnswerBoxWindowTest, ZoomShowsTheWholePageAndBack) {
  QString caption;
  InDialog([&](QWidget* w) {
    In<QPushButton>(w, "btnKakudai")->click();
    caption = In<QPushButton>(w, "btnKakudai")->text();
    PressEsc(w);
  });
  EXPECT_EQ(caption, "拡大");
  EXPECT_TRUE(sheet->IsReduced());
  auto* image = sheet->findChild<QLabel*>("Image1");
  EXPECT_LT(image->height(), Params().paperHeight);
  EXPECT_EQ(Find<QPushButton>("btnShukusho")->text(), "拡大");
  Find<QPushButton>("btnShukusho")->click();
  EXPECT_FALSE(sheet->IsReduced());
  EXPECT_EQ(image->size(), QSize(Params().paperWidth, Params().paperHeight));
}

TEST_F(AnswerBoxWindowTest, TheSKeyZoomsAndTheDialogSaysSo) {
  QStringList captions;
  InDialog([&](QWidget* w) {
    QTest::keyClick(In<QSpinBox>(w, "spnKranWX"), Qt::Key_S);
    captions << In<QPushButton>(w, "btnKakudai")->text();
    QTest::keyClick(In<QSpinBox>(w, "spnKranWX"), Qt::Key_S);
    captions << In<QPushButton>(w, "btnKakudai")->text();
    QTest::keyClick(In<QSpinBox>(w, "spnKranWX"), Qt::Key_S);
    PressEsc(w);
  });
  EXPECT_EQ(captions, QStringList({"拡大", "縮小"}));
  EXPECT_TRUE(sheet->IsReduced());
  EXPECT_EQ(Find<QPushButton>("btnShukusho")->text(), "拡大");
  // The next opening shows the caption as it stands.
  InDialog([&](QWidget* w) {
    captions << In<QPushButton>(w, "btnKakudai")->text();
    PressEsc(w);
  });
  EXPECT_EQ(captions.last(), "拡大");
}

}  // namespace
}  // namespace tavolo::test
