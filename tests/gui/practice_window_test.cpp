// A learner at the practice window: "学　習" on a worksheet of three boxes,
// answers typed into the fields over the sheet, the number pad, the colour
// swatches, and what each run leaves behind (marks on the sheet picture, the
// statuses, the one record line, or nothing).

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QEnterEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "../cli/cli_run.h"
#include "desktop_fixture.h"
#include "gui/app/frm_print.h"
#include "gui/app/frm_print_mode.h"
#include "gui/app/frm_print_ok.h"
#include "gui/practice/frm_renshu.h"
#include "gui/practice/scratch_pad.h"
#include "practice/record_line.h"
#include "practice/record_store.h"

namespace tavolo::test {
namespace {

using Step = ModalHelper::Step;

constexpr const char* kSection = "S11正の数・負の数";

// A message box with this text, answered OK.
Step Told(const char* text) {
  return [text](QWidget* box) {
    EXPECT_EQ(MessageText(box), QString::fromUtf8(text));
    ClickButton(box, QStringLiteral("OK"));
  };
}

class PracticeWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    const std::string c = course.toStdString();
    WriteCp932Lines(c + "/Main.ind", {"正と負の数", "", "正の数と負の数,kazu\\ kz"});
    WriteCp932Lines(c + "/kazu/kz.ind", {"正の数と負の数", "[[sect1", "符号のついた数", "<<",
                                         "正の数・負の数", ">>", "]]"});
    WriteCp932Lines(
        c + "/kazu/kz1.que",
        {"[[unit1", "<<ques", "次の計算をしなさい。", "(1) (+3)+(-5)=#-2#", "(2) (-4)-(-6)=#2#",
         "(3) 半分は #1/2;0.5#", ">>", "<<hint", "符号に注意", ">>", "]]"});
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  void OpenTheUnit() {
    OpenFromMenu(0);
    ASSERT_NE(window->CurrentSheetWindow(), nullptr);
  }

  static Step ChooseTheUnit() {
    return [](QWidget* menu) {
      menu->findChild<QListWidget*>("lstUnit")->setCurrentRow(0);
      ClickButton(menu, QStringLiteral("　Ｏ　Ｋ　"));
    };
  }

  // "学　習"; body works in the practice window, the message boxes it
  // causes are answered by the steps in `then`; the window is closed after.
  void Practise(const std::function<void(TfrmRenshu&)>& body, std::deque<Step> then = {},
                bool openFromMenu = false) {
    std::deque<Step> steps;
    if (openFromMenu) steps.push_back(ChooseTheUnit());
    auto messages = std::make_shared<std::deque<Step>>(std::move(then));
    steps.push_back([body, messages](QWidget* modal) {
      auto* practice = qobject_cast<TfrmRenshu*>(modal);
      ASSERT_NE(practice, nullptr) << modal->objectName().toStdString();
      QApplication::setActiveWindow(practice);
      {
        // The boxes open while this step runs: they need a timer of their own.
        ModalHelper boxes(std::move(*messages));
        body(*practice);
      }
      if (practice->isVisible()) Press(*practice, "btnEnd");
      EXPECT_FALSE(practice->isVisible());
    });
    ModalHelper modal(std::move(steps));
    QTest::mouseClick(Find<QPushButton>("btnTest"), Qt::LeftButton);
  }

  // The offscreen platform gives a window the keyboard back only when told.
  static void BackFromAMessage(TfrmRenshu& p) { QApplication::setActiveWindow(&p); }

  static QLineEdit* Field(TfrmRenshu& p, int n) {
    return p.findChild<QLineEdit*>(QStringLiteral("M%1").arg(n));
  }
  static void Press(TfrmRenshu& p, const char* name) {
    auto* button = p.findChild<QPushButton*>(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // Clicks into field n, types over what is there and presses Enter.
  static void Answer(TfrmRenshu& p, int n, const QString& text) {
    QLineEdit* field = Field(p, n);
    ASSERT_TRUE(field->isVisible()) << n;
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  static QString Said(TfrmRenshu& p, const char* picture) {
    return p.findChild<QWidget*>(QString::fromUtf8(picture))->accessibleDescription();
  }
  static std::vector<int> Statuses(const TfrmRenshu& p) {
    std::vector<int> statuses;
    for (int n = 1; n <= p.Run()->BoxCount(); ++n)
      statuses.push_back(static_cast<int>(p.Run()->BoxOf(n).status));
    return statuses;
  }
  // Pixels of a colour around field n's place on the sheet picture.
  static int PixelsNear(const TfrmRenshu& p, int n, QColor colour) {
    const QImage& page = p.SheetPictureImage();
    const qreal ratio = page.devicePixelRatio();
    const Rect r = p.Run()->View().edits[static_cast<std::size_t>(n)].rect;
    const QRect around =
        QRect(QPoint(r.left - 20, r.top - 20), QPoint(r.right + 20, r.bottom + 20));
    int count = 0;
    for (int y = around.top(); y <= around.bottom(); ++y)
      for (int x = around.left(); x <= around.right(); ++x) {
        const QColor pixel = page.pixelColor(qRound(x * ratio), qRound(y * ratio));
        if (std::abs(pixel.red() - colour.red()) < 60 &&
            std::abs(pixel.green() - colour.green()) < 60 &&
            std::abs(pixel.blue() - colour.blue()) < 60)
          ++count;
      }
    return count;
  }

  std::string RecordFile() const { return (course + "/kazu/共通.ini").toStdString(); }
  std::vector<std::string> Records() const {
    return RecordStore(RecordFile()).ReadRecords(kSection);
  }
};

TEST_F(PracticeWindowTest, APracticeWithACorrectionAndAShownAnswer) {
  OpenTheUnit();
  Practise(
      [this](TfrmRenshu& p) {
        EXPECT_EQ(p.windowTitle(), window->CurrentSheetWindow()->windowTitle());
        EXPECT_EQ(Said(p, "imgMess").split('\n').first(), QStringLiteral("　　　標準の学習コース"));
        Press(p, "btnRenshu");
        EXPECT_TRUE(p.findChild<QWidget*>("pnlBunsu")->isVisible());
        EXPECT_FALSE(p.findChild<QWidget*>("pnlRenshu")->isVisible());
        for (int n = 1; n <= 3; ++n) {
          EXPECT_EQ(Field(p, n)->accessibleName(), QStringLiteral("解答欄 %1").arg(n));
          EXPECT_FALSE(Field(p, n)->isReadOnly());
        }
        EXPECT_FALSE(Field(p, 4)->isVisible());

        // A mistake: slashed, and the field moves right for the correction.
        const int home = Field(p, 1)->x();
        Answer(p, 1, "5");
        EXPECT_EQ(Said(p, "imgMessXX"), QStringLiteral("解答を訂正してください"));
        EXPECT_EQ(Field(p, 1)->x(), home + Field(p, 1)->width());
        EXPECT_EQ(Field(p, 1)->selectedText(), QStringLiteral("5"));
        Answer(p, 1, "-2");
        EXPECT_FALSE(Field(p, 1)->isVisible());
        EXPECT_TRUE(Said(p, "imgMessXX").startsWith(QStringLiteral("★★")));
        EXPECT_GT(PixelsNear(p, 1, Qt::red), 100);

        // Looking the answer up first: the right answer then gets a triangle.
        EXPECT_TRUE(Field(p, 2)->hasFocus());
        Press(p, "btnAnswer");
        EXPECT_EQ(Said(p, "imgMessXX"), QStringLiteral("正解は\n2"));
        Answer(p, 2, "2");

        Answer(p, 3, " 0.5");  // the last box ends the run
        EXPECT_EQ(Statuses(p), (std::vector<int>{0, -2, 1}));
        EXPECT_EQ(p.Run()->TriesDigits(), "110");
        EXPECT_GT(PixelsNear(p, 2, Qt::red), 100);
        EXPECT_TRUE(p.findChild<QWidget*>("pnlRenshu")->isVisible());
        EXPECT_TRUE(p.findChild<QPushButton*>("btnFukushu")->isEnabled());
        BackFromAMessage(p);
        EXPECT_TRUE(p.findChild<QPushButton*>("btnFukushu")->hasFocus());
        EXPECT_EQ(Said(p, "imgMess"), QStringLiteral("imgNamida"));  // 33 points

        // The one record line, in the list beside the sheet.
        const auto records = Records();
        ASSERT_EQ(records.size(), 1u);
        const auto line = ParseRecordLine(records[0]);
        ASSERT_TRUE(line.has_value()) << records[0];
        EXPECT_EQ(line->triesDigits, "110");
        EXPECT_EQ(line->correct, 1);
        EXPECT_EQ(line->total, 3);
        EXPECT_EQ(line->score, 33);
        EXPECT_EQ(p.findChild<QPlainTextEdit*>("memKiroku")->toPlainText(),
                  QString::fromStdString(records[0]));
        EXPECT_EQ(p.findChild<QLabel*>("lblKiroku")->text(),
                  QStringLiteral("S11正の数・負の数　　氏名：共通"));
      },
      {Told("練習を終わりました")});
  EXPECT_EQ(Records().size(), 1u);
}

// Set TAVOLO_SHOTS to a folder to keep pictures of what these tests see.
void KeepShot(QWidget& widget, const char* name) {
  const QByteArray folder = qgetenv("TAVOLO_SHOTS");
  if (!folder.isEmpty()) widget.grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

TEST_F(PracticeWindowTest, TheThirdWrongTryShowsTheAnswerOnABoxInTheRightOfThePage) {
  WriteCp932Lines(course.toStdString() + "/kazu/kz1.que",
                  {"[[unit1", "<<ques", "次の計算をしなさい。",
                   "(1) 気温が３度から８度下がると何度か。式は (+3)+(-8)=#-5#", ">>", "]]"});
  OpenTheUnit();
  Practise(
      [](TfrmRenshu& p) {
        ASSERT_GT(p.Run()->BoxOf(1).x, 330);
        Press(p, "btnRenshu");
        QLineEdit* field = Field(p, 1);
        const int home = field->x();
        auto* picture = p.findChild<QWidget*>("imgPaper2");
        for (int wrong = 1; wrong <= 3; ++wrong) {
          Answer(p, 1, QString::number(wrong));
          BackFromAMessage(p);
          // Every place the field takes is inside the picture, never cut off.
          EXPECT_LE(field->geometry().right(), picture->width()) << wrong;
        }
        EXPECT_EQ(field->x(), home + 2 * field->width());
        // Each try's text stays on the picture where the field stood, the
        // second and third too, though they stand right of the page.
        const QImage& sheet = p.SheetPictureImage();
        const Rect last = p.Run()->View().edits[1].rect;
        for (int place = 0; place < 3; ++place) {
          const int left = last.left - (2 - place) * last.Width();
          int blue = 0;
          for (int y = last.top; y < last.bottom; ++y)
            for (int x = left; x < left + last.Width(); ++x) {
              const QColor pixel = sheet.pixelColor(qRound(x * sheet.devicePixelRatio()),
                                                    qRound(y * sheet.devicePixelRatio()));
              blue += pixel.blue() > 180 && pixel.red() < 120 && pixel.green() < 120;
            }
          EXPECT_GT(blue, 5) << "try " << place + 1;
        }
        EXPECT_GE(sheet.deviceIndependentSize().width(), last.right);
        EXPECT_EQ(p.Run()->BoxOf(1).tries, 2);
        EXPECT_TRUE(p.Run()->BoxOf(1).answerShown);
        EXPECT_EQ(Said(p, "imgMessXX"), QStringLiteral("正解は\n-5"));
        KeepShot(p, "third_wrong_try.png");
        Answer(p, 1, "-5");
        EXPECT_EQ(Statuses(p), (std::vector<int>{0}));  // judged by its first try
        KeepShot(p, "third_wrong_try_then_right.png");
      },
      {Told("右下に正解を表示します"), Told("練習を終わりました")});
}

TEST_F(PracticeWindowTest, LongHintsWrapInsideTheMessagePictureAndScroll) {
  WriteCp932Lines(course.toStdString() + "/kazu/kz1.que",
                  {"[[unit1", "<<ques", "次の計算をしなさい。", "(1) (+3)+(-5)=#-2#", ">>",
                   "<<hint", "符号が同じ２つの数の和は、絶対値の和に共通の符号をつけます。",
                   "符号が異なる２つの数の和は、絶対値の差に絶対値の大きい方の符号をつけます。",
                   "ある数と０との和は、その数自身です。", ">>", "]]"});
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    Press(p, "btnRenshu");
    Press(p, "btnHint");
    auto* area = p.findChild<QScrollArea*>("scrMessXX");
    ASSERT_NE(area, nullptr);
    QWidget* picture = area->widget();
    ASSERT_EQ(picture->objectName(), "imgMessXX");
    // Every line is said whole, and the picture is taller than the area.
    EXPECT_TRUE(Said(p, "imgMessXX").contains(QStringLiteral("大きい方の符号をつけます。")));
    EXPECT_LE(picture->width(), area->viewport()->width());
    EXPECT_GT(picture->height(), area->viewport()->height());
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(area->verticalScrollBar()->value(), 0);
    // Nothing is drawn right of the picture's edge: its last column is white.
    const QImage shown = picture->grab().toImage();
    int inked = 0;
    for (int y = 0; y < shown.height(); ++y)
      inked += shown.pixelColor(shown.width() - 1, y).lightness() < 200;
    EXPECT_EQ(inked, 0);
    KeepShot(*p.findChild<QWidget*>("pnlSS"), "hints_wrapped.png");
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    KeepShot(*p.findChild<QWidget*>("pnlSS"), "hints_scrolled.png");
    // A mistake afterwards shows its one row from the top again.
    Answer(p, 1, "5");
    EXPECT_EQ(area->verticalScrollBar()->value(), 0);
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);
    Press(p, "btnAbort");
  });
}

TEST_F(PracticeWindowTest, TabAndShiftTabMoveBetweenTheOpenBoxesDuringARun) {
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    // Between runs Tab stays with the buttons.
    EXPECT_EQ(Field(p, 1)->focusPolicy(), Qt::ClickFocus);
    Press(p, "btnTest");
    ASSERT_TRUE(Field(p, 1)->hasFocus());
    QTest::keyClick(Field(p, 1), Qt::Key_Tab);
    EXPECT_TRUE(Field(p, 2)->hasFocus());
    QTest::keyClick(Field(p, 2), Qt::Key_Tab);
    QTest::keyClick(Field(p, 3), Qt::Key_Tab);
    EXPECT_TRUE(Field(p, 1)->hasFocus());  // round to the first
    QTest::keyClick(Field(p, 1), Qt::Key_Backtab);
    EXPECT_TRUE(Field(p, 3)->hasFocus());
    QTest::keyClick(Field(p, 3), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(Field(p, 2)->hasFocus());
    // Enter in the empty box still does nothing; typing there is kept.
    QTest::keyClick(Field(p, 2), Qt::Key_Return);
    EXPECT_TRUE(Field(p, 2)->hasFocus());
    QTest::keyClicks(Field(p, 2), "2");
    QTest::keyClick(Field(p, 2), Qt::Key_Return);
    EXPECT_TRUE(Field(p, 3)->hasFocus());
    Press(p, "btnAbort");
  });
}

TEST_F(PracticeWindowTest, TextSetThroughTheAccessibilityInterfaceIsJudged) {
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    Press(p, "btnRenshu");
    // As a screen reader, an on-screen keyboard or dictation puts it there.
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(Field(p, 1));
    ASSERT_NE(field, nullptr);
    field->setText(QAccessible::Value, QStringLiteral("-2"));
    ASSERT_EQ(Field(p, 1)->text(), QStringLiteral("-2"));
    QTest::keyClick(Field(p, 1), Qt::Key_Return);
    EXPECT_FALSE(Field(p, 1)->isVisible());  // right, and done
    EXPECT_EQ(p.Run()->LearnerAnswer(1), "-2");
    EXPECT_TRUE(Said(p, "imgMessXX").startsWith(QStringLiteral("★★")));
    Press(p, "btnAbort");
  });
}

TEST_F(PracticeWindowTest, ATestDrawsTheLastBoxsTextOnceAndEachRecordOnOneLine) {
  OpenTheUnit();
  Practise(
      [](TfrmRenshu& p) {
        Press(p, "btnTest");
        Answer(p, 1, "-2");
        Answer(p, 2, "3");  // one wrong: the run ends with a message
        Answer(p, 3, "0.5");
        const QImage before = p.SheetPictureImage();
        // 採点 takes the last box once more: its text must not be drawn over
        // itself (it would turn bold). Only the marks and the score are new.
        const Rect field = p.Run()->View().edits[3].rect;
        Press(p, "btnSaiten");
        const QImage& after = p.SheetPictureImage();
        const qreal ratio = after.devicePixelRatio();
        // Inside the field, left of where the circle passes, nothing changed.
        for (int y = field.top + 8; y < field.bottom - 8; ++y)
          for (int x = field.left + 2; x < field.left + 30; ++x) {
            const QPoint at(qRound(x * ratio), qRound(y * ratio));
            ASSERT_EQ(after.pixel(at), before.pixel(at)) << x << "," << y;
          }
        BackFromAMessage(p);
        // The record just written stands on one line of the records list.
        auto* list = p.findChild<QPlainTextEdit*>("memKiroku");
        ASSERT_EQ(list->blockCount(), 1);
        EXPECT_EQ(list->lineWrapMode(), QPlainTextEdit::NoWrap);
        const int text =
            list->fontMetrics().horizontalAdvance(list->document()->firstBlock().text());
        EXPECT_LT(text, list->viewport()->width());
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
        KeepShot(p, "records_one_line.png");
      },
      {Told("テストを終わりました")});
}

TEST_F(PracticeWindowTest, ATestGradedWithEmptyBoxes) {
  OpenTheUnit();
  Practise(
      [this](TfrmRenshu& p) {
        Press(p, "btnTest");
        EXPECT_FALSE(p.findChild<QPushButton*>("btnAnswer")->isVisible());
        EXPECT_FALSE(p.findChild<QPushButton*>("btnHint")->isVisible());
        Press(p, "btnSaiten");  // nothing entered: refused, the run goes on
        EXPECT_EQ(p.Run()->Mode(), RunMode::Test);
        BackFromAMessage(p);
        Answer(p, 2, "2");
        EXPECT_TRUE(Field(p, 3)->hasFocus());  // on to the next empty box
        Press(p, "btnSaiten");
        EXPECT_EQ(Statuses(p), (std::vector<int>{0, 1, 0}));
        EXPECT_GT(PixelsNear(p, 1, Qt::red), 20);  // the test slash
        EXPECT_FALSE(Field(p, 1)->isVisible());
        const auto records = Records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_NE(records[0].find(" []  1/ 3  33点 "), std::string::npos) << records[0];
      },
      {Told("解答を入力してから採点してください。"), Told("テストを終わりました")});
}

TEST_F(PracticeWindowTest, AReviewReopensOnlyTheWrongBoxesAndWritesNothing) {
  OpenTheUnit();
  Practise(
      [this](TfrmRenshu& p) {
        Press(p, "btnRenshu");
        Answer(p, 1, "-2");
        Answer(p, 2, "3");
        Answer(p, 2, "2");
        Answer(p, 3, "1/2");
        ASSERT_EQ(Records().size(), 1u);
        ASSERT_EQ(Statuses(p), (std::vector<int>{1, 0, 1}));

        Press(p, "btnFukushu");
        EXPECT_FALSE(Field(p, 1)->isVisible());
        EXPECT_TRUE(Field(p, 2)->isVisible());
        EXPECT_TRUE(Field(p, 2)->text().isEmpty());
        EXPECT_FALSE(Field(p, 3)->isVisible());
        EXPECT_TRUE(p.findChild<QWidget*>("pnlBunsu")->isVisible());
        EXPECT_FALSE(p.findChild<QPushButton*>("btnTest")->isEnabled());
        const int greenBefore = PixelsNear(p, 2, QColor(0, 128, 0));
        Answer(p, 2, "2");
        EXPECT_GT(PixelsNear(p, 2, QColor(0, 128, 0)), greenBefore + 50);  // the double circle
        EXPECT_EQ(p.Run()->Mode(), RunMode::Idle);
        EXPECT_EQ(Records().size(), 1u);
      },
      {Told("練習を終わりました"), Told("復習を終わりました")});
  EXPECT_EQ(Records().size(), 1u);
}

TEST_F(PracticeWindowTest, AbortingWritesNothing) {
  OpenTheUnit();
  Practise([this](TfrmRenshu& p) {
    for (const char* mode : {"btnTest", "btnRenshu"}) {
      Press(p, mode);
      Answer(p, 1, "-2");
      Press(p, "btnAbort");
      EXPECT_EQ(Said(p, "imgMess"), QStringLiteral("中止しました。"));
      EXPECT_TRUE(p.findChild<QWidget*>("pnlRenshu")->isVisible());
      EXPECT_FALSE(p.findChild<QWidget*>("pnlSS")->isVisible());
      EXPECT_FALSE(Field(p, 1)->isVisible());
      EXPECT_EQ(p.findChild<QPlainTextEdit*>("memKiroku")->toPlainText(),
                QStringLiteral("練習の記録はありません"));
    }
  });
  EXPECT_FALSE(std::filesystem::exists(RecordFile()));
}

TEST_F(PracticeWindowTest, TheNumberPadComposesAMixedNumberIntoTheCurrentBox) {
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    Press(p, "btnTest");
    QTest::mouseClick(Field(p, 2), Qt::LeftButton);
    EXPECT_EQ(p.Run()->View().currentBox, 2);
    for (const char* key : {"btnMinus", "btnKey2"}) Press(p, key);
    auto* denominator = p.findChild<QLineEdit*>("edtBunbo");
    QTest::keyClicks(denominator, "3");
    Press(p, "btnBunno");
    EXPECT_EQ(p.findChild<QLabel*>("lblSign")->text(), QStringLiteral("-"));
    EXPECT_EQ(p.findChild<QLineEdit*>("edtSign")->text(), QStringLiteral("2"));
    // A denominator was there already: the bar turns red, on to the numerator.
    EXPECT_EQ(p.findChild<QWidget*>("shpBunno")->palette().color(QPalette::Window),
              QColor(Qt::red));
    Press(p, "btnKey1");
    EXPECT_EQ(p.findChild<QLineEdit*>("edtBunshi")->text(), QStringLiteral("1"));
    Press(p, "btnSaitenNext");
    EXPECT_EQ(Field(p, 2)->text(), QStringLiteral("-2&1/3"));
    EXPECT_EQ(p.Run()->LearnerAnswer(2), "-2&1/3");
    EXPECT_TRUE(Field(p, 3)->hasFocus());
    for (const char* pad : {"edtSign", "edtBunbo", "edtBunshi"})
      EXPECT_TRUE(p.findChild<QLineEdit*>(pad)->text().isEmpty()) << pad;
    Press(p, "btnAbort");
  });
}

// A Japanese keyboard in ひらがな mode would type "ー８" for "-8", which judging
// rejects: boxes that take only half-width answers have the input method off,
// the others keep it, and the number pad follows the box it types for.
TEST_F(PracticeWindowTest, TheInputMethodIsOnOnlyForBoxesWithJapaneseAnswers) {
  WriteCp932Lines(course.toStdString() + "/kazu/kz1.que",
                  {"[[unit1", "<<ques", "(1) (-2)*4=#-8#", "(2) 7/3=#2&1/3#", "(3) x-1=2 #x=3;3#",
                   "(4) +3 は #正の数#", "(5) -1 #＜# 0", "(6) 半分 #1/2;０.５#", ">>", "]]"});
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    const bool wanted[] = {false, false, false, true, true, true};
    // Between runs the fields are read-only: no input method anywhere.
    for (int n = 1; n <= 6; ++n)
      EXPECT_FALSE(Field(p, n)->testAttribute(Qt::WA_InputMethodEnabled)) << n;
    Press(p, "btnRenshu");
    for (int n = 1; n <= 6; ++n) {
      SCOPED_TRACE(n);
      QLineEdit* field = Field(p, n);
      EXPECT_EQ(field->testAttribute(Qt::WA_InputMethodEnabled), wanted[n - 1]);
      EXPECT_EQ(field->inputMethodHints().testFlag(Qt::ImhLatinOnly), !wanted[n - 1]);
      QTest::mouseClick(field, Qt::LeftButton);
      for (const char* pad : {"edtSign", "edtBunbo", "edtBunshi"})
        EXPECT_EQ(p.findChild<QLineEdit*>(pad)->testAttribute(Qt::WA_InputMethodEnabled),
                  wanted[n - 1])
            << pad;
    }
    // Judging is unchanged: a full-width answer still reaches it as typed.
    QLineEdit* first = Field(p, 1);
    QTest::mouseClick(first, Qt::LeftButton);
    for (const QChar c : QStringLiteral("－８")) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(first, &key);
    }
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(p.Run()->LearnerAnswer(1), "－８");
    EXPECT_EQ(Statuses(p)[0], -1);
    Press(p, "btnAbort");
  });
}

TEST_F(PracticeWindowTest, AColourSwatchShowsTheFieldsOverTheSheet) {
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    EXPECT_FALSE(Field(p, 1)->isVisible());
    QTest::mouseClick(p.findChild<QWidget*>("shpCol3"), Qt::LeftButton);
    EXPECT_TRUE(p.findChild<QRadioButton*>("rad3")->isChecked());
    for (int n = 1; n <= 3; ++n) {
      EXPECT_TRUE(Field(p, n)->isVisible());
      EXPECT_TRUE(Field(p, n)->isReadOnly());
      // C0FFFF in the course's blue-green-red order: light yellow.
      EXPECT_TRUE(Field(p, n)->styleSheet().contains("#ffffc0"))
          << Field(p, n)->styleSheet().toStdString();
    }
    QTest::keyClicks(Field(p, 1), "9");  // read-only: nothing goes in
    EXPECT_TRUE(Field(p, 1)->text().isEmpty());
    Press(p, "btnRenshu");
    EXPECT_FALSE(Field(p, 1)->isReadOnly());
    EXPECT_TRUE(Field(p, 1)->styleSheet().contains("#ffffc0"));
    Press(p, "btnAbort");
  });
}

TEST_F(PracticeWindowTest, EveryBoxRightAtOnceBringsTheAllCorrectNotice) {
  OpenTheUnit();
  Practise(
      [](TfrmRenshu& p) {
        Press(p, "btnRenshu");
        Press(p, "btnHint");
        EXPECT_EQ(Said(p, "imgMessXX"), QStringLiteral("学習のポイント\n符号に注意"));
        Answer(p, 1, "-2");
        Answer(p, 2, "2");
        Answer(p, 3, "0.5");
        EXPECT_FALSE(p.findChild<QPushButton*>("btnFukushu")->isEnabled());
        BackFromAMessage(p);
        EXPECT_TRUE(p.findChild<QPushButton*>("btnEnd")->hasFocus());
        const QString picture = Said(p, "imgMess");
        EXPECT_TRUE(picture == "imgKutta" || picture == "imgRedHeart") << picture.toStdString();
      },
      {[](QWidget* notice) {
        EXPECT_EQ(notice->objectName(), QStringLiteral("frmZenSeikai"));
        EXPECT_EQ(notice->findChild<QLabel*>("lblSeikai")->text(), QStringLiteral("全問正解です"));
        notice->findChild<QPushButton*>("btnOk")->click();
      }});
}

// A unit with random data: the sheet shows the variant of its number; each
// run puts a fresh variant on it and judges against that variant's answers,
// hints included; closing brings the sheet's own variant back.
TEST_F(PracticeWindowTest, EachRunOfARandomUnitMeetsNewNumbers) {
  WriteCp932Lines(
      (course + "/kazu/kz1.que").toStdString(),
      {"[[unit1", "<<ques", "次の計算をしなさい。", "(1) $a+1=#=a+1#", "(2) $a+2=#=a+2#", ">>",
       "<<hint", "$a に足します", ">>", "<<random", "a = int(10..99)", ">>", "]]"});
  OpenTheUnit();
  TfrmPrint& sheet = *window->CurrentSheetWindow();
  ASSERT_NE(sheet.Variants(), nullptr);
  EXPECT_EQ(sheet.ShownVariant(), 1);
  const std::vector<std::string> own = sheet.Document().params.unit.questionLines;
  // The value of a on the sheet as shown, read from its first question.
  const auto shownA = [&sheet] {
    return std::stoi(sheet.Document().params.unit.questionLines.at(1).substr(4, 2));
  };
  // A run; the second starts with a mistake, so that it ends with another notice.
  const auto work = [&](TfrmRenshu& p, bool mistake) {
    Press(p, "btnRenshu");
    const int a = shownA();
    EXPECT_EQ(p.Run()->Variant(), sheet.ShownVariant());
    Press(p, "btnHint");
    EXPECT_EQ(Said(p, "imgMessXX"), QStringLiteral("学習のポイント\n%1 に足します").arg(a));
    if (mistake) Answer(p, 1, QStringLiteral("0"));
    Answer(p, 1, QString::number(a + 1));
    Answer(p, 2, QString::number(a + 2));
    return a;
  };
  // Every box right: the notice of a run without a mistake.
  const Step allCorrect = [](QWidget* notice) {
    EXPECT_EQ(notice->objectName(), QStringLiteral("frmZenSeikai"));
    notice->findChild<QPushButton*>("btnOk")->click();
  };
  std::vector<std::int64_t> variants;
  Practise(
      [&](TfrmRenshu& p) {
        for (int run = 1; run <= 2; ++run) {
          SCOPED_TRACE("run " + std::to_string(run));
          work(p, run == 2);
          // Judged against the numbers shown: a first run without a mistake is all right.
          if (run == 1) {
            EXPECT_EQ(Statuses(p), (std::vector<int>{1, 1}));
          }
          KeepShot(p, run == 1 ? "random_practice_1.png" : "random_practice_2.png");
          variants.push_back(p.Run()->Variant());
          BackFromAMessage(p);
        }
      },
      {allCorrect, Told("練習を終わりました")});
  ASSERT_EQ(variants.size(), 2u);
  EXPECT_NE(variants[0], variants[1]);
  EXPECT_EQ(sheet.ShownVariant(), 1);
  EXPECT_EQ(sheet.Document().params.unit.questionLines, own);
}

TEST_F(PracticeWindowTest, PrintingPutsTheLearnersAnswersInTheBoxes) {
  if (Shell("command -v pdftotext").empty()) GTEST_SKIP() << "poppler-utils is not installed";
  OpenTheUnit();
  // At the printer's resolution the printed page keeps its text.
  {
    ModalHelper mode({[](QWidget* w) {
      auto* dialog = qobject_cast<TfrmPrintMode*>(w);
      ASSERT_NE(dialog, nullptr);
      dialog->radPrinter->setChecked(true);
      QTest::mouseClick(dialog->frmClose, Qt::LeftButton);
    }});
    window->mnuPrintModeClick();
  }
  TfrmPrintOk* print = window->PrintWindow();
  const std::string pdf = (root.path() + "/answers.pdf").toStdString();
  print->Printer().setOutputFormat(QPrinter::PdfFormat);
  print->Printer().setOutputFileName(QString::fromStdString(pdf));
  print->SetPrinterChooser([](QPrinter&) { return true; });
  Practise([print](TfrmRenshu& p) {
    // A practice broken off after one wrong answer: the boxes never reached
    // print empty.
    Press(p, "btnRenshu");
    Answer(p, 1, "777");
    Press(p, "btnAbort");
    ModalHelper printing({[print](QWidget* w) {
      EXPECT_EQ(w, print);
      QTest::mouseClick(print->btnPrint, Qt::LeftButton);
    }});
    Press(p, "btnStartPrint");
  });
  const std::string text = Shell("pdftotext '" + pdf + "' -");
  EXPECT_NE(text.find("777"), std::string::npos) << text;
  EXPECT_EQ(text.find("initX"), std::string::npos) << text;
}

// The learner's answers belong to the numbers their run showed: printed from
// the practice window, a random sheet keeps the run's variant.
TEST_F(PracticeWindowTest, PrintingARandomUnitsRunKeepsTheRunsNumbers) {
  if (Shell("command -v pdftotext").empty()) GTEST_SKIP() << "poppler-utils is not installed";
  WriteCp932Lines(
      (course + "/kazu/kz1.que").toStdString(),
      {"[[unit1", "<<ques", "(1) $a+1=#=a+1#", ">>", "<<random", "a = int(10..99)", ">>", "]]"});
  OpenTheUnit();
  {
    ModalHelper mode({[](QWidget* w) {
      qobject_cast<TfrmPrintMode*>(w)->radPrinter->setChecked(true);
      QTest::mouseClick(qobject_cast<TfrmPrintMode*>(w)->frmClose, Qt::LeftButton);
    }});
    window->mnuPrintModeClick();
  }
  TfrmPrintOk* print = window->PrintWindow();
  const std::string pdf = (root.path() + "/answers.pdf").toStdString();
  print->Printer().setOutputFormat(QPrinter::PdfFormat);
  print->Printer().setOutputFileName(QString::fromStdString(pdf));
  print->SetPrinterChooser([](QPrinter& printer) {
    printer.setCopyCount(1);
    return true;
  });
  std::string question;
  Practise([&](TfrmRenshu& p) {
    Press(p, "btnRenshu");
    question = window->CurrentSheetWindow()->Document().params.unit.questionLines.at(0);
    Answer(p, 1, "777");
    Press(p, "btnAbort");
    ModalHelper printing(
        {[print](QWidget*) { QTest::mouseClick(print->btnPrint, Qt::LeftButton); }});
    Press(p, "btnStartPrint");
  });
  const std::string text = Shell("pdftotext '" + pdf + "' -");
  EXPECT_NE(text.find("777"), std::string::npos) << text;
  EXPECT_NE(text.find(question.substr(4, 2)), std::string::npos) << question << "\n" << text;
}

TEST_F(PracticeWindowTest, TheScratchPadDrawsErasesAndWipes) {
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    Press(p, "btnRenshu");
    auto* pad = p.findChild<ScratchPad*>("imgMemo");
    ASSERT_TRUE(pad->isVisible());
    auto redPixels = [pad] {
      const QImage& picture = pad->Picture();
      int red = 0;
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
          const QColor c = picture.pixelColor(x, y);
          if (c.red() > 200 && c.green() < 90 && c.blue() < 90) ++red;
        }
      return red;
    };
    ASSERT_EQ(redPixels(), 0);
    auto stroke = [pad](Qt::MouseButton button, int y) {
      QTest::mousePress(pad, button, {}, QPoint(20, y));
      for (int x = 30; x <= 150; x += 10) QTest::mouseMove(pad, QPoint(x, y));
      QTest::mouseRelease(pad, button, {}, QPoint(150, y));
    };
    stroke(Qt::LeftButton, 120);
    const int drawn = redPixels();
    EXPECT_GT(drawn, 150);
    stroke(Qt::RightButton, 120);  // the wide white pen takes the line away
    EXPECT_LT(redPixels(), drawn / 10);
    stroke(Qt::LeftButton, 140);
    EXPECT_GT(redPixels(), 150);
    QTest::mouseDClick(pad, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(redPixels(), 0);
    Press(p, "btnAbort");
  });
}

TEST_F(PracticeWindowTest, EscapeClosesOnlyBetweenRuns) {
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    Press(p, "btnTest");
    QTest::keyClick(&p, Qt::Key_Escape);  // the learner's answers stay
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.Run()->Mode(), RunMode::Test);
    Press(p, "btnAbort");
    QTest::keyClick(&p, Qt::Key_Escape);
    EXPECT_FALSE(p.isVisible());
  });
}

TEST_F(PracticeWindowTest, TheRecordsViewerIsOpenedAndTheListReadAfterwards) {
  OpenTheUnit();
  TfrmRenshu* practice = window->PracticeWindow();
  int shown = 0;
  // The viewer may erase the unit's records; here it writes one instead.
  practice->SetRecordsViewer([&] {
    ++shown;
    ASSERT_TRUE(RecordStore(RecordFile()).WriteValue(kSection, "1", "記録").ok());
  });
  Practise([](TfrmRenshu& p) {
    auto* list = p.findChild<QPlainTextEdit*>("memKiroku");
    EXPECT_EQ(list->toPlainText(), QStringLiteral("練習の記録はありません"));
    Press(p, "btnShowRecord");
    EXPECT_EQ(list->toPlainText(), QStringLiteral("記録"));
  });
  EXPECT_EQ(shown, 1);
  practice->SetRecordsViewer(nullptr);
  EXPECT_FALSE(practice->findChild<QPushButton*>("btnShowRecord")->isEnabled());
}

TEST_F(PracticeWindowTest, ACopyFilesRunsAreFiledAndShownUnderItsOwnName) {
  OpenTheUnit();
  // Saved as a copy file into the lesson's copy folder: the sheet shows it now.
  QDir().mkpath(course + "/kz");
  QTest::mouseClick(Find<QPushButton>("btnSave"), Qt::LeftButton);
  {
    ModalHelper save({[this](QWidget* w) {
      auto* files = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(files, nullptr);
      files->selectFile(course + "/kz/まとめ");
      QMetaObject::invokeMethod(files, "accept");
    }});
    auto* button = Find<QPushButton>("btnSaveCopy");
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  ASSERT_EQ(window->CurrentSheetWindow()->windowTitle(), course + "/kz/まとめ.prp");
  Practise(
      [](TfrmRenshu& p) {
        EXPECT_EQ(p.findChild<QLabel*>("lblKiroku")->text(),
                  QStringLiteral("まとめ.prp　　氏名：共通"));
        Press(p, "btnTest");
        Answer(p, 2, "2");
        Press(p, "btnSaiten");
        BackFromAMessage(p);
        EXPECT_NE(p.findChild<QPlainTextEdit*>("memKiroku")->toPlainText().indexOf("33点"), -1);
        Press(p, "btnShowRecord");  // the viewer opens on the copy file's entry
      },
      {Told("テストを終わりました"), [](QWidget* viewer) {
         auto* list = viewer->findChild<QListWidget*>("lstTitle");
         ASSERT_NE(list, nullptr) << viewer->objectName().toStdString();
         ASSERT_NE(list->currentItem(), nullptr);
         EXPECT_EQ(list->currentItem()->text(), QStringLiteral("01回まとめ.prp"));
         ClickButton(viewer, QStringLiteral("閉じる"));
       }});
  // In lesson 1's file, under the copy file's name; nothing under the unit.
  EXPECT_EQ(RecordStore(RecordFile()).ReadRecords("まとめ.prp").size(), 1u);
  EXPECT_TRUE(Records().empty());
}

TEST_F(PracticeWindowTest, EveryControlHasANameForAssistiveTools) {
  OpenTheUnit();
  Practise([](TfrmRenshu& p) {
    for (QWidget* control : p.findChildren<QWidget*>()) {
      if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QLineEdit*>(control) &&
          !qobject_cast<QAbstractItemView*>(control) && !qobject_cast<QPlainTextEdit*>(control))
        continue;
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
      ASSERT_NE(accessible, nullptr);
      EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
          << control->objectName().toStdString();
    }
    EXPECT_EQ(Field(p, 80)->accessibleName(), QStringLiteral("解答欄 80"));
  });
}

TEST_F(PracticeWindowTest, ClosingRestoresTheMainWindowsSwitches) {
  OpenTheUnit();
  TfrmPrint* sheet = window->CurrentSheetWindow();
  auto* bekkai = Find<QCheckBox>("chkBekkai");
  ASSERT_TRUE(window->State().AnswerDisplay());
  ASSERT_TRUE(bekkai->isChecked());
  Practise([&](TfrmRenshu&) {
    EXPECT_FALSE(window->State().AnswerDisplay());
    EXPECT_FALSE(bekkai->isChecked());
    EXPECT_TRUE(sheet->Document().showLearnerName);
  });
  EXPECT_TRUE(window->State().AnswerDisplay());
  EXPECT_TRUE(bekkai->isChecked());
  EXPECT_FALSE(sheet->Document().showLearnerName);
  EXPECT_EQ(window->CurrentSheetWindow(), sheet);  // it was open before: it stays

  // Switched off before: they stay off.
  bekkai->setChecked(false);
  QTest::mouseClick(Find<QPushButton>("btnKaitou"), Qt::LeftButton);
  ASSERT_FALSE(window->State().AnswerDisplay());
  Practise([](TfrmRenshu&) {});
  EXPECT_FALSE(window->State().AnswerDisplay());
  EXPECT_FALSE(bekkai->isChecked());
}

TEST_F(PracticeWindowTest, WithoutASheetTheUnitIsOpenedForThePracticeOnly) {
  ASSERT_EQ(window->CurrentSheetWindow(), nullptr);
  Practise(
      [](TfrmRenshu& p) {
        EXPECT_TRUE(p.windowTitle().endsWith(QStringLiteral("kz1.que-U1")))
            << p.windowTitle().toStdString();
        EXPECT_EQ(p.Run()->BoxCount(), 3);
      },
      {}, true);
  EXPECT_TRUE(window->State().OpenSheets().empty());
}

}  // namespace
}  // namespace tavolo::test
