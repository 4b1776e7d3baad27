// The course menu window: its lists, the similar-problem choice and its
// colours, OK without a complete choice, and the keyboard moves.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "desktop_fixture.h"
#include "gui/app/frm_menu.h"
#include "gui/app/frm_zen_tangen.h"

namespace tavolo::test {
namespace {

class CourseMenuWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }
  static QStringList Texts(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
  }
  static QListWidget* ListOf(QWidget* w, const char* name) {
    return w->findChild<QListWidget*>(name);
  }
  static QString PanelText(QWidget* w, const char* name) {
    return w->findChild<QLabel*>(name)->text();
  }
  std::optional<CourseMenuChoice> Show() {
    return window->MenuWindow()->ShowOpen(window->geometry());
  }
};

TEST_F(CourseMenuWindowTest, ShowsTheCourseAndChoosesTheFirstEntries) {
  QStringList seen;
  QStringList similar;
  bool similarVisible = true;
  ModalHelper modal({[&](QWidget* w) {
    seen << w->objectName() << w->windowTitle() << PanelText(w, "pnlTitle")
         << PanelText(w, "pnlUnit");
    seen << Texts(ListOf(w, "lstLesson")) << Texts(ListOf(w, "lstSection"))
         << Texts(ListOf(w, "lstUnit"));
    similar = Texts(ListOf(w, "lstRuidai"));
    ListOf(w, "lstUnit")->setCurrentRow(1);  // unit 2 has none
    similarVisible = ListOf(w, "lstRuidai")->isVisible() ||
                     w->findChild<QPushButton*>("btnRuidaiClear")->isVisible();
    ClickButton(w, "ｷｬﾝｾﾙ");
  }});
  EXPECT_EQ(Show(), std::nullopt);
  EXPECT_EQ(seen, QStringList({"frmMenu", "マスターファイルを開く", "正と負の数",
                               "項目を選んでください", "正の数と負の数", "符号のついた数", "加法",
                               "◎[ ]正の数・負の数", "　[ ]数直線"}));
  // R4 is left out: R3 is missing.
  EXPECT_EQ(similar, QStringList({"類題　1R1", "類題　1R2"}));
  EXPECT_FALSE(similarVisible);
}

TEST_F(CourseMenuWindowTest, ChoosingASimilarProblemColoursTheUnitPanel) {
  std::optional<CourseMenuChoice> choice;
  QStringList panel;
  ModalHelper modal({[&](QWidget* w) {
    auto* similar = ListOf(w, "lstRuidai");
    similar->setCurrentRow(1);  // selects 類題 1R2
    panel << PanelText(w, "pnlUnit");
    panel << w->findChild<QLabel*>("pnlUnit")->palette().color(QPalette::Window).name();
    QTest::mouseClick(w->findChild<QPushButton*>("btnRuidaiClear"), Qt::LeftButton);
    panel << PanelText(w, "pnlUnit");
    panel << w->findChild<QLabel*>("pnlUnit")->palette().color(QPalette::Window).name();
    similar->setCurrentRow(1);
    ClickButton(w, "　Ｏ　Ｋ　");
  }});
  choice = Show();
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(panel,
            QStringList({"類題が選択されています", "#ff0000", "項目を選んでください", "#00ffff"}));
  EXPECT_EQ(choice->address, (UnitAddress{1, 1, 1, 2}));
  EXPECT_TRUE(choice->similar);
  EXPECT_EQ(choice->captions.unit, "正の数・負の数");

  // The next showing keeps the unit but not the similar-problem selection.
  ModalHelper again({[&](QWidget* w) {
    EXPECT_EQ(ListOf(w, "lstRuidai")->selectedItems().size(), 0);
    ClickButton(w, "　Ｏ　Ｋ　");
  }});
  choice = Show();
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->address, (UnitAddress{1, 1, 1, 0}));
}

TEST_F(CourseMenuWindowTest, OkWithoutACompleteChoiceStaysOpen) {
  QFile::remove(course + "/kazu/kz.ind");
  QStringList messages;
  ModalHelper modal({[&](QWidget* box) {  // the lesson index is missing
                       messages << MessageText(box);
                       ClickButton(box, "OK");
                     },
                     [&](QWidget* menu) {
                       auto* ok = menu->findChild<QPushButton*>("btnOk");
                       QTimer::singleShot(0, ok, &QPushButton::click);
                     },
                     [&](QWidget* box) {
                       messages << MessageText(box);
                       ClickButton(box, "OK");
                       auto* menu = window->MenuWindow();
                       EXPECT_TRUE(menu->isVisible());
                       QTimer::singleShot(0, menu, &QDialog::reject);
                     }});
  EXPECT_EQ(Show(), std::nullopt);
  EXPECT_EQ(messages, QStringList({"ファイル " + course + "/kazu/kz.ind が見つかりません",
                                   "メニューを選択してください"}));
}

TEST_F(CourseMenuWindowTest, ArrowKeysMoveBetweenTheLists) {
  QStringList focus;
  ModalHelper modal({[&](QWidget* w) {
    QApplication::setActiveWindow(w);  // no window manager gives the focus here
    const std::pair<const char*, Qt::Key> moves[] = {{"lstUnit", Qt::Key_Left},
                                                     {"lstSection", Qt::Key_Left},
                                                     {"lstLesson", Qt::Key_Right},
                                                     {"lstUnit", Qt::Key_Left},
                                                     {"lstSection", Qt::Key_Right}};
    for (const auto& [from, key] : moves) {
      ListOf(w, from)->setFocus();
      QTest::keyClick(ListOf(w, from), key);
      focus << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "");
    }
    ClickButton(w, "ｷｬﾝｾﾙ");
  }});
  Show();
  EXPECT_EQ(focus, QStringList({"lstSection", "lstLesson", "lstUnit", "lstSection", "lstUnit"}));
}

TEST_F(CourseMenuWindowTest, AllUnitsViewShowsTheLessonAndCountsPrints) {
  const QByteArray oldNow = qgetenv("TAVOLO_NOW");
  qputenv("TAVOLO_NOW", "2024-05-03T14:05:00");
  auto* view = window->findChild<TfrmZenTangen*>("frmZenTangen");
  ASSERT_NE(view, nullptr);
  int printed = 0;
  view->SetPrinter([&](const QImage& image) {
    EXPECT_FALSE(image.isNull());
    ++printed;
    return true;
  });
  QStringList tree;
  QStringList counters;
  auto readView = [&](QWidget* w) {
    counters << w->findChild<QLineEdit*>("Edit1")->text();
    tree.clear();
    auto* trv = w->findChild<QTreeWidget*>("trvMain");
    for (QTreeWidgetItemIterator it(trv); *it; ++it)
      tree << QString((*it)->parent() ? ((*it)->parent()->parent() ? "    " : "  ") : "") +
                  (*it)->text(0);
    tree << w->windowTitle() << w->findChild<QLabel*>("Label1")->text();
  };
  auto printTwiceAndClose = [&](QWidget* w) {
    readView(w);
    ClickButton(w, "印刷");
    ClickButton(w, "印刷");
    counters << w->findChild<QLineEdit*>("Edit1")->text();
    ClickButton(w, "閉じる");
  };
  ModalHelper modal(
      {[&](QWidget* menu) {
         QTimer::singleShot(0, menu->findChild<QPushButton*>("btnZenTangen"), &QPushButton::click);
       },
       printTwiceAndClose,
       [&](QWidget* menu) {
         QTimer::singleShot(0, menu->findChild<QPushButton*>("btnZenTangen"), &QPushButton::click);
       },
       [&](QWidget* w) {
         readView(w);
         ClickButton(w, "閉じる");
         QTimer::singleShot(0, window->MenuWindow(), &QDialog::reject);
       }});
  Show();
  if (oldNow.isNull())
    qunsetenv("TAVOLO_NOW");
  else
    qputenv("TAVOLO_NOW", oldNow);
  EXPECT_EQ(counters, QStringList({"0", "2", "0"}));
  EXPECT_EQ(printed, 2);
  EXPECT_EQ(tree, QStringList({"正の数と負の数", "  符号のついた数", "    ◎[ ]正の数・負の数",
                               "    　[ ]数直線", "  加法", "    同符号の加法", "全単元",
                               "2024.05.03-"}));
}

}  // namespace
}  // namespace tavolo::test
