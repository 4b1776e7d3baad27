// The index editor and the text-input window driven as a teacher does: the
// lists, the tree with its marks, adding and renaming through the input
// window, OK and Cancel on disk, the course menu seeing the new units, the
// hint line, the direct edit and the refusal while a worksheet is open.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include "desktop_fixture.h"
#include "gui/app/frm_help.h"
#include "gui/app/frm_menu.h"
#include "gui/authoring/frm_edit_index.h"
#include "gui/authoring/frm_input_text.h"
#include "platform/text_file.h"
#include "widget_steps.h"

namespace tavolo::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kLesson = {"正の数と負の数",
                       "[[sect1",
                       "符号のついた数",
                       "<<",
                       "正の数・負の数",
                       "数直線",
                       ">>",
                       "]]",
                       "[[sect2",
                       "加法",
                       "<<",
                       "同符号の加法",
                       ">>",
                       "]]"};

// The tree as indented lines: root, "  " section, "    " unit; "+" marks an
// expanded section.
QStringList TreeLines(QTreeWidget* tree) {
  QStringList lines;
  QTreeWidgetItem* root = tree->topLevelItem(0);
  if (!root) return lines;
  lines << root->text(0);
  for (int s = 0; s < root->childCount(); ++s) {
    QTreeWidgetItem* section = root->child(s);
    lines << QStringLiteral("  ") + (section->isExpanded() ? "+" : "") + section->text(0);
    for (int u = 0; u < section->childCount(); ++u)
      lines << QStringLiteral("    ") + section->child(u)->text(0);
  }
  return lines;
}

void ClickLater(QWidget* w, const char* name) {
  Later(w, [button = Child<QPushButton>(w, name)] { button->click(); });
}

// A step for the text-input window: types the name and presses Enter.
ModalHelper::Step Type(const QString& name, QStringList* seen = nullptr) {
  return [name, seen](QWidget* w) {
    auto* box = Child<QLineEdit>(w, "memInput");
    if (seen) *seen << w->windowTitle() << box->text() << box->selectedText();
    box->selectAll();
    // Typed as an input method delivers it: one key event carrying the text.
    QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, name, Qt::NoModifier);
    QTest::keyClick(box, Qt::Key_Return);
  };
}

class IndexEditorWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }
  std::string IndexFile() const { return course.toStdString() + "/kazu/kz.ind"; }
  Lines IndexLines() const {
    auto lines = ReadLines(IndexFile());
    EXPECT_TRUE(lines.ok());
    return lines.ok() ? lines.value() : Lines{};
  }
  void OpenEditor() { Find<QAction>("mnuMakeIndex")->trigger(); }
  // The course menu's units of section 1 of lesson 1, seen by showing it.
  QStringList MenuUnits() {
    QStringList units;
    ModalHelper modal({[&](QWidget* w) {
      units = Texts(Child<QListWidget>(w, "lstUnit"));
      ClickButton(w, "ｷｬﾝｾﾙ");
    }});
    window->MenuWindow()->ShowOpen(window->geometry());
    return units;
  }
};

TEST_F(IndexEditorWindowTest, OpensOnTheFirstLessonWithTheTreeReadingLikeTheMenu) {
  QStringList seen;
  QStringList tree;
  ModalHelper modal({[&](QWidget* w) {
    seen << w->objectName() << w->windowTitle() << Texts(Child<QListWidget>(w, "lstELesson"))
         << Child<QLineEdit>(w, "edtIndex")->text() << Child<QLineEdit>(w, "edtDataFile")->text()
         << Child<QLineEdit>(w, "edtMainTitle")->text()
         << Texts(Child<QListWidget>(w, "lstESection")) << Texts(Child<QListWidget>(w, "lstEUnit"))
         << Child<QPushButton>(w, "btnExpand")->text() << Child<QLabel>(w, "pnlHint")->text();
    tree = TreeLines(Child<QTreeWidget>(w, "trvSect"));
    auto* trv = Child<QTreeWidget>(w, "trvSect");
    seen << trv->currentItem()->text(0);
    EXPECT_FALSE(trv->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(w->geometry(), window->geometry());
    // Section 2 has no question file yet.
    Child<QListWidget>(w, "lstESection")->setCurrentRow(1);
    seen << Child<QLineEdit>(w, "edtDataFile")->text() << trv->currentItem()->text(0);
    ClickButton(w, "キャンセル");
  }});
  OpenEditor();
  EXPECT_EQ(seen,
            QStringList({"frmEditIndex", "Tavolo Editor 教材の作成", "正の数と負の数",
                         course + "/kazu/kz.ind", QuestionFile(), "正の数と負の数",
                         "符号のついた数", "加法", "正の数・負の数", "数直線", "表示を圧縮する",
                         "インデックスを変更した後、[OK]ボタンをクリックします。",
                         "◎[ ]正の数・負の数", "未作成", "同符号の加法"}));
  EXPECT_EQ(tree, QStringList({"正の数と負の数", "  +符号のついた数", "    ◎[ ]正の数・負の数",
                               "    　[ ]数直線", "  +加法", "    同符号の加法"}));
}

TEST_F(IndexEditorWindowTest, AnAddedUnitIsSavedOnOkAndListedByTheCourseMenu) {
  EXPECT_EQ(MenuUnits(), QStringList({"◎[ ]正の数・負の数", "　[ ]数直線"}));
  QStringList input;
  QStringList after;
  ModalHelper modal({[&](QWidget* w) { ClickLater(w, "btnAdd2"); }, Type("絶対値", &input),
                     [&](QWidget* w) {
                       after << Texts(Child<QListWidget>(w, "lstEUnit"))
                             << Child<QTreeWidget>(w, "trvSect")->currentItem()->text(0);
                       // Enter in the title box does not close the editor.
                       QTest::keyClick(Child<QLineEdit>(w, "edtMainTitle"), Qt::Key_Return);
                       EXPECT_TRUE(w->isVisible());
                       ClickButton(w, " Ｏ　Ｋ");
                     }});
  OpenEditor();
  EXPECT_EQ(input, QStringList({"テキストの入力", "", ""}));
  EXPECT_EQ(after, QStringList({"正の数・負の数", "数直線", "絶対値", "　[ ]絶対値"}));
  Lines expected = kLesson;
  expected.insert(expected.begin() + 6, "絶対値");
  EXPECT_EQ(IndexLines(), expected);
  EXPECT_EQ(MenuUnits(), QStringList({"◎[ ]正の数・負の数", "　[ ]数直線", "　[ ]絶対値"}));
}

TEST_F(IndexEditorWindowTest, CancelWritesNothingAfterEdits) {
  const QByteArray before = [&] {
    QFile file(QString::fromStdString(IndexFile()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }();
  QStringList tree;
  QString expandCaption;
  ModalHelper modal({[&](QWidget* w) {
                       Child<QLineEdit>(w, "edtMainTitle")->setText("別の題");
                       ClickLater(w, "btnAdd");
                     },
                     Type("乗法"),
                     [&](QWidget* w) {
                       tree = TreeLines(Child<QTreeWidget>(w, "trvSect"));
                       expandCaption = Child<QPushButton>(w, "btnExpand")->text();
                       ClickButton(w, "キャンセル");
                     }});
  OpenEditor();
  // The new section alone is open in the tree.
  EXPECT_EQ(tree, QStringList({"正の数と負の数", "  符号のついた数", "    ◎[ ]正の数・負の数",
                               "    　[ ]数直線", "  加法", "    同符号の加法", "  +乗法",
                               "    SubMenu New3"}));
  EXPECT_EQ(expandCaption, "表示を展開する");
  QFile file(QString::fromStdString(IndexFile()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
  EXPECT_EQ(MenuUnits(), QStringList({"◎[ ]正の数・負の数", "　[ ]数直線"}));
}

TEST_F(IndexEditorWindowTest, RenamesStartFromTheChosenNameSelectedWhole) {
  QStringList sectionInput;
  QStringList unitInput;
  QStringList after;
  ModalHelper modal({[&](QWidget* w) {
                       Child<QListWidget>(w, "lstEUnit")->setCurrentRow(1);
                       ClickLater(w, "btnChange2");
                     },
                     Type("数の直線", &unitInput), [&](QWidget* w) { ClickLater(w, "btnChange"); },
                     Type("符号", &sectionInput),
                     [&](QWidget* w) {
                       after << Texts(Child<QListWidget>(w, "lstESection"))
                             << Texts(Child<QListWidget>(w, "lstEUnit"))
                             << TreeLines(Child<QTreeWidget>(w, "trvSect"));
                       // A double click on a unit is OK (the first click of it
                       // presses the row, as a real mouse does).
                       QListWidget* units = Child<QListWidget>(w, "lstEUnit");
                       const QRect row = units->visualItemRect(units->item(0));
                       QTest::mouseClick(units->viewport(), Qt::LeftButton, {}, row.center());
                       QTest::mouseDClick(units->viewport(), Qt::LeftButton, {}, row.center());
                     }});
  OpenEditor();
  EXPECT_EQ(unitInput, QStringList({"テキストの入力", "数直線", "数直線"}));
  EXPECT_EQ(sectionInput, QStringList({"テキストの入力", "符号のついた数", "符号のついた数"}));
  EXPECT_EQ(after, QStringList({"符号", "加法", "正の数・負の数", "数の直線", "正の数と負の数",
                                "  +符号", "    ◎[ ]正の数・負の数", "    　[ ]数の直線", "  +加法",
                                "    同符号の加法"}));
  Lines expected = kLesson;
  expected[2] = "符号";
  expected[5] = "数の直線";
  EXPECT_EQ(IndexLines(), expected);
}

TEST_F(IndexEditorWindowTest, ChoosingAnotherLessonAsksBeforeDroppingEdits) {
  WriteCp932Lines((course + "/Main.ind").toStdString(),
                  {"正と負の数", "", "正の数と負の数,kazu\\ kz", "新しい章,atara\\ at"});
  QStringList seen;
  auto chooseSecondLesson = [](QWidget* w) {
    auto* lessons = Child<QListWidget>(w, "lstELesson");
    Later(w, [lessons] { lessons->setCurrentRow(1); });
  };
  ModalHelper modal({[&](QWidget* w) { ClickLater(w, "btnAdd2"); }, Type("絶対値"),
                     chooseSecondLesson,
                     [&](QWidget* box) {
                       seen << MessageText(box);
                       ClickButton(box, "いいえ(&N)");
                     },
                     [&](QWidget* w) {  // the edits stay
                       seen << QString::number(Child<QListWidget>(w, "lstELesson")->currentRow())
                            << Texts(Child<QListWidget>(w, "lstEUnit"));
                       chooseSecondLesson(w);
                     },
                     [&](QWidget* box) { ClickButton(box, "はい(&Y)"); },
                     [&](QWidget* w) {  // the other lesson is shown
                       seen << Texts(Child<QListWidget>(w, "lstEUnit"));
                       ClickButton(w, "キャンセル");
                     }});
  OpenEditor();
  EXPECT_EQ(seen, QStringList({"変更した内容が保存されていません。保存しないで別のコースウェアを"
                               "開きますか？",
                               "0", "正の数・負の数", "数直線", "絶対値", "ここは副メニュー"}));
  EXPECT_EQ(IndexLines(), kLesson);
}

TEST_F(IndexEditorWindowTest, HintsFollowThePointerAndTurnGreenAfterTheBackground) {
  QStringList hints;
  ModalHelper modal({[&](QWidget* w) {
    auto* hint = Child<QLabel>(w, "pnlHint");
    auto colour = [hint] { return hint->palette().color(QPalette::WindowText).name(); };
    auto enter = [](QWidget* control) {
      QEnterEvent event(QPointF(3, 3), QPointF(3, 3), control->mapToGlobal(QPointF(3, 3)));
      QApplication::sendEvent(control, &event);
    };
    for (const char* name :
         {"lstELesson", "lstESection", "lstEUnit", "btnAdd", "btnAdd2", "btnChange", "btnChange2",
          "btnOk", "btnClose", "btnEditDirect", "trvSect", "btnExpand"}) {
      enter(Child<QWidget>(w, name));
      hints << hint->text();
    }
    hints << colour();
    // Over the hint line itself: the window's background.
    const QPoint background = hint->geometry().center();
    QMouseEvent move(QEvent::MouseMove, background, w->mapToGlobal(background), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    hints << hint->text() << colour();
    enter(Child<QWidget>(w, "btnOk"));
    hints << colour();
    ClickButton(w, "キャンセル");
  }});
  OpenEditor();
  EXPECT_EQ(hints,
            QStringList({"編集するコースウェアを選択します", "主インデックスを書きます",
                         "副インデックスを書きます", "項目を追加します", "項目を追加します",
                         "項目を変更します", "項目を変更します", "編集結果を保存して閉じます",
                         "編集結果を無視してして閉じます", "Main.indファイルを直接編集します",
                         "インデックスの全構造を表示します", "インデックスの表示を展開／圧縮します",
                         "#ffff00", "インデックスを編集した後、マスターファイルを編集します。",
                         "#00ff00", "#00ff00"}));
}

TEST_F(IndexEditorWindowTest, ExpandButtonOpensAndClosesEverySection) {
  QStringList seen;
  ModalHelper modal({[&](QWidget* w) {
    auto* button = Child<QPushButton>(w, "btnExpand");
    auto* tree = Child<QTreeWidget>(w, "trvSect");
    const QIcon collapseGlyph = button->icon();
    button->click();
    seen << button->text() << TreeLines(tree).filter("+").join(",");
    EXPECT_NE(button->icon().cacheKey(), collapseGlyph.cacheKey());
    button->click();
    seen << button->text() << TreeLines(tree).filter("+").join(",");
    ClickButton(w, "キャンセル");
  }});
  OpenEditor();
  EXPECT_EQ(seen,
            QStringList({"表示を展開する", "", "表示を圧縮する", "  +符号のついた数,  +加法"}));
}

TEST_F(IndexEditorWindowTest, DirectEditWritesTheFileAndTheMenuReadsIt) {
  QString sourceTitle;
  QString reloaded;
  ModalHelper modal({[&](QWidget* w) {
                       Child<QLineEdit>(w, "edtMainTitle")->setText("正負");
                       ClickLater(w, "btnEditDirect");
                     },
                     [&](QWidget* source) {
                       sourceTitle = source->windowTitle();
                       auto* memo = Child<QPlainTextEdit>(source, "memEditBuffer");
                       QString text = memo->toPlainText();
                       text.replace("数直線\n", "数直線\n絶対値\n");
                       memo->setPlainText(text);
                       ClickButton(source, " O　K  ");
                     },
                     [&](QWidget* w) {
                       reloaded = Child<QLineEdit>(w, "edtMainTitle")->text();
                       ClickButton(w, "キャンセル");
                     }});
  OpenEditor();
  EXPECT_EQ(sourceTitle, "ソースの直接編集" + course + "/kazu/kz.ind");
  EXPECT_EQ(reloaded, "正負");
  Lines expected = kLesson;
  expected[0] = "正負";
  expected.insert(expected.begin() + 6, "絶対値");
  EXPECT_EQ(IndexLines(), expected);
  EXPECT_EQ(MenuUnits(), QStringList({"◎[ ]正の数・負の数", "　[ ]数直線", "　[ ]絶対値"}));
}

TEST_F(IndexEditorWindowTest, HelpOpensTopic730) {
  QDir().mkpath(course + "/help");
  QFile page(course + "/help/730.html");
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.write("<html><body>index</body></html>");
  page.close();
  ModalHelper modal({[&](QWidget* w) {
    ClickButton(w, "ヘルプ(&H)");
    // The help window is usable beside the editor.
    EXPECT_FALSE(window->HelpWindow()->isHidden());
    EXPECT_EQ(w->windowModality(), Qt::WindowModal);
    ClickButton(w, "キャンセル");
  }});
  OpenEditor();
  EXPECT_EQ(window->HelpWindow()->Browser()->source().toLocalFile(), course + "/help/730.html");
}

TEST_F(IndexEditorWindowTest, RefusedWhileAWorksheetIsOpen) {
  OpenFromMenu(0);
  ASSERT_NE(window->CurrentSheetWindow(), nullptr);
  QString message;
  ModalHelper modal({[&](QWidget* box) {
    message = MessageText(box);
    ClickButton(box, "OK");
  }});
  window->findChild<QAction*>("mnuSheetMakeIndex")->trigger();
  EXPECT_EQ(message, "開いているファイルをすべて閉じてください");
  EXPECT_FALSE(window->IndexEditorWindow()->isVisible());
}

class InputTextWindowTest : public ::testing::Test {
 protected:
  TfrmInputText input;
};

TEST_F(InputTextWindowTest, ModesDecideWhatTheBoxStartsWith) {
  struct Case {
    const char* mode;
    QString box, selected, prompt;
  } cases[] = {
      {"mainADD", "", "", "追加する主メニューの名前"},
      {"mainCHANGE", "加法", "加法", "主メニューの新しい名前"},
      {"subADD", "", "", "追加する副メニューの名前"},
      {"subCHANGE", "加法", "加法", "副メニューの新しい名前"},
  };
  for (const auto& c : cases) {
    input.InputBox()->setText("前の名前");
    QStringList seen;
    ModalHelper modal({[&](QWidget* w) {
      auto* box = Child<QLineEdit>(w, "memInput");
      seen << box->text() << box->selectedText() << Child<QLabel>(w, "lblInput")->text()
           << box->accessibleName();
      EXPECT_EQ(w->focusWidget(), box);
      ClickButton(w, "O　K");
    }});
    EXPECT_EQ(input.AskText(c.mode, "加法"), c.box.toStdString()) << c.mode;
    EXPECT_EQ(seen, QStringList({c.box, c.selected, c.prompt, c.prompt})) << c.mode;
  }
}

TEST_F(InputTextWindowTest, EnterIsOkAndCancelGivesNothing) {
  {
    ModalHelper modal({[](QWidget* w) {
      QTest::sendKeyEvent(QTest::Press, Child<QLineEdit>(w, "memInput"), Qt::Key_unknown,
                          QStringLiteral("数の大小"), Qt::NoModifier);
      QTest::keyClick(Child<QLineEdit>(w, "memInput"), Qt::Key_Enter);
    }});
    EXPECT_EQ(input.AskText("subADD", ""), "数の大小");
  }
  ModalHelper modal({[](QWidget* w) {
    QTest::keyClicks(Child<QLineEdit>(w, "memInput"), "x");
    ClickButton(w, "キャンセル");
  }});
  EXPECT_EQ(input.AskText("subADD", ""), std::nullopt);
}

}  // namespace
}  // namespace tavolo::test
