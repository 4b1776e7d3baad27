// The question editor as a teacher uses it: opened on the sheet in front with
// "編　集", edited, saved with OK into a sheet opened anew; a unit made from
// the course menu; the close box that keeps a faulty text on screen; and the
// buttons that check and edit the boxes.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>

#include "content/unit_content.h"
#include "content/unit_reader.h"
#include "desktop_fixture.h"
#include "gui/app/frm_bmp.h"
#include "gui/app/frm_print.h"
#include "gui/authoring/frm_edit_ques.h"
#include "platform/text_file.h"

namespace tavolo::test {
namespace {

QPlainTextEdit* Memo(QWidget* editor, const char* name) {
  auto* memo = editor->findChild<QPlainTextEdit*>(name);
  EXPECT_NE(memo, nullptr) << name;
  return memo;
}

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
  return items;
}

void Press(QWidget* editor, const char* name) {
  auto* button = editor->findChild<QPushButton*>(name);
  ASSERT_NE(button, nullptr) << name;
  button->click();
}

// Selects `text` inside the question box.
void SelectInQuestion(QWidget* editor, const QString& text) {
  QPlainTextEdit* memo = Memo(editor, "MemQues");
  QTextCursor cursor = memo->document()->find(text);
  ASSERT_FALSE(cursor.isNull()) << text.toStdString();
  memo->setTextCursor(cursor);
}

// A step that reads a message box's text and presses one of its buttons.
ModalHelper::Step Reply(QString* text, const char* button) {
  return [text, button](QWidget* box) {
    if (text) *text = MessageText(box);
    ClickButton(box, QString::fromUtf8(button));
  };
}

// A window that opens over the editor while a step acts on it needs a
// helper of its own: a helper's timer does not fire again inside its own step.
void Nested(std::deque<ModalHelper::Step> steps, const std::function<void()>& action) {
  ModalHelper inner(std::move(steps));
  action();
}

// Saves a picture of the window when TAVOLO_SCREENSHOTS names a folder.
void Screenshot(QWidget* window, const char* name) {
  const QByteArray folder = qgetenv("TAVOLO_SCREENSHOTS");
  if (!folder.isEmpty()) window->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

class QuestionEditorWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }

  static ModalHelper::Step Pick(int sectionRow, int unitRow) {
    return [sectionRow, unitRow](QWidget* menu) {
      menu->findChild<QListWidget*>("lstSection")->setCurrentRow(sectionRow);
      menu->findChild<QListWidget*>("lstUnit")->setCurrentRow(unitRow);
      ClickButton(menu, "　Ｏ　Ｋ　");
    };
  }

  void OpenUnit(std::deque<ModalHelper::Step> steps) {
    ModalHelper modal(std::move(steps));
    QTest::mouseClick(Find<QPushButton>("btnOpenMaster"), Qt::LeftButton);
  }

  // Unit 1 of section 1 opened, then "編　集" with the steps for the editor.
  void EditUnit1(std::deque<ModalHelper::Step> steps) {
    OpenUnit({Pick(0, 0)});
    ASSERT_NE(window->CurrentSheetWindow(), nullptr);
    QApplication::setActiveWindow(window.get());
    ModalHelper modal(std::move(steps));
    QTest::mouseClick(Find<QPushButton>("btnEdit"), Qt::LeftButton);
  }

  int SheetCount() const {
    int sheets = 0;
    for (QMdiSubWindow* w : window->MdiArea()->subWindowList())
      if (qobject_cast<TfrmPrint*>(w) && !w->isHidden()) ++sheets;
    return sheets;
  }

  std::string FileBytes(const QString& path) const { return ReadBytes(path.toStdString()); }
};

TEST_F(QuestionEditorWindowTest, ShowsTheUnitOfTheSheetWithEveryCaption) {
  window->resize(1280, 800);  // a school screen, not the small offscreen default
  QStringList seen;
  EditUnit1({[&](QWidget* editor) {
    seen << editor->objectName() << editor->windowTitle();
    for (const char* field : {"edtLesson", "edtTangen", "edtFileName"})
      seen << editor->findChild<QLineEdit*>(field)->text();
    seen << Memo(editor, "MemQues")->toPlainText();
    seen << Items(editor->findChild<QListWidget*>("lstKai")).join(",");
    seen << editor->findChild<QLabel*>("lblKosuh")->text();
    EXPECT_EQ(editor->focusWidget(), Memo(editor, "MemQues"));
    EXPECT_TRUE(editor->findChild<QPushButton*>("btnEditDirect")->isEnabled());
    // The settings box holds the sheet's layout blocks as the sheet has them now.
    const Lines layoutLines = SplitLines(Memo(editor, "memPasteLo")->toPlainText().toStdString());
    EXPECT_EQ(layoutLines.front(), "<<value");
    EXPECT_EQ(layoutLines.size(), 30u);

    struct Box {
      const char* name;
      const char* caption;
    };
    for (const Box& box :
         {Box{"MemQues", "<<ques 問題ブロック"}, Box{"memDummy", "<<dummy ダミーの解答"},
          Box{"memKgroup", "<<kgroup 解選択ブロック"}, Box{"memHint", "<<hint ヒントブロック"},
          Box{"memQGraph", "<<graph 問題のグラフ"}, Box{"memAGraph", "<<AGraph 解答のグラフ"},
          Box{"memPasteLo", "<<value 位置情報など"}}) {
      QPlainTextEdit* memo = Memo(editor, box.name);
      EXPECT_EQ(memo->accessibleName(), QString::fromUtf8(box.caption)) << box.name;
      EXPECT_TRUE(memo->testAttribute(Qt::WA_InputMethodEnabled)) << box.name;
      EXPECT_GE(memo->font().pointSize(), 12) << box.name;
    }
    EXPECT_GE(Memo(editor, "MemQues")->font().pointSize(), 14);
    EXPECT_TRUE(QFontInfo(Memo(editor, "MemQues")->font()).family().contains("IPA"));
    for (const auto& [name, caption] :
         std::initializer_list<std::pair<const char*, const char*>>{{"btnOk", "  Ｏ　Ｋ"},
                                                                    {"btnCancel", "キャンセル"},
                                                                    {"btnEditDirect", "直接編集"},
                                                                    {"btnKai", "解答欄"},
                                                                    {"btnNumber", "問題番号"},
                                                                    {"btnKakko", "Ｕ"},
                                                                    {"BitBtn1", "Ｂ"},
                                                                    {"BitBtn2", "Ｉ"},
                                                                    {"btnTest", "抽出=>"},
                                                                    {"btnKgAdd", "<=挿入"},
                                                                    {"btnDummy", "=>"},
                                                                    {"btnKGClear", "クリア"},
                                                                    {"btnQGAdd", "<=挿入"},
                                                                    {"btnAGAdd", "<=挿入"},
                                                                    {"btnQGClear", "クリア"},
                                                                    {"btnAGClear", "クリア"}}) {
      auto* button = editor->findChild<QPushButton*>(name);
      ASSERT_NE(button, nullptr) << name;
      EXPECT_EQ(button->text(), QString::fromUtf8(caption)) << name;
    }
    EXPECT_EQ(editor->findChild<QPushButton*>("btnKakko")->toolTip(), "下線");
    for (const char* check : {"chkSuuji", "chkKigou"})
      EXPECT_TRUE(editor->findChild<QCheckBox*>(check)->isChecked()) << check;
    EXPECT_EQ(editor->findChild<QListWidget*>("lstKai")->accessibleName(), "抽出された解");
    EXPECT_EQ(editor->findChild<QListWidget*>("flbGraph")->accessibleName(), "使えるグラフ");
    EXPECT_EQ(editor->geometry(), window->geometry());
    Screenshot(editor, "question_editor_unit");
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_EQ(seen, QStringList({"frmEditQues", "マスターファイルの編集", "1 1 1",
                               "正の数と負の数//符号のついた数§1-1 正の数・負の数", QuestionFile(),
                               "次の計算をしなさい。\n(1) (+3)+(-5)=#-2#\n(2) (-4)-(-6)=#2#",
                               "-2,2", "2"}));
}

TEST_F(QuestionEditorWindowTest, OkSavesTheUnitAndTheSheetIsOpenedAnewWithIt) {
  const std::string before = FileBytes(QuestionFile());
  TfrmPrint* old = nullptr;
  EditUnit1({[&](QWidget* editor) {
    old = window->CurrentSheetWindow();
    QPlainTextEdit* question = Memo(editor, "MemQues");
    question->moveCursor(QTextCursor::End);
    question->insertPlainText("\n(3) (+1)-(+8)=#-7#");
    Memo(editor, "memHint")->setPlainText("符号に注意");
    ClickButton(editor, "  Ｏ　Ｋ");
  }});
  EXPECT_EQ(SheetCount(), 1);
  TfrmPrint* sheet = window->CurrentSheetWindow();
  ASSERT_NE(sheet, nullptr);
  EXPECT_NE(sheet, old);
  EXPECT_EQ(sheet->windowTitle(), QuestionFile() + "-U1");
  EXPECT_EQ(sheet->Document().params.unit.title,
            "正の数と負の数//符号のついた数§1-1 正の数・負の数");
  EXPECT_EQ(sheet->Document().params.unit.questionLines.back(), "(3) (+1)-(+8)=#-7#");
  EXPECT_EQ(sheet->Layout().answers, (std::vector<std::string>{"start", "-2", "2", "-7"}));
  EXPECT_FALSE(sheet->Document().modified);
  // Only unit 1's bytes changed: the similar problems after it are as they were.
  const std::string after = FileBytes(QuestionFile());
  const std::size_t tail = before.size() - before.find("[[unit1R1");
  EXPECT_EQ(after.substr(after.size() - tail), before.substr(before.size() - tail));
  EXPECT_EQ(ReadUnitHintLines(QuestionFile().toStdString(), {1, 1, 1, 0}), (Lines{"符号に注意"}));
}

TEST_F(QuestionEditorWindowTest, AMissingUnitIsCreatedFromTheCourseMenuOnA4) {
  window->resize(1280, 800);
  QString question;
  QStringList seen;
  OpenUnit({Pick(1, 0), Reply(&question, "はい(&Y)"), [&](QWidget* editor) {
              seen << editor->findChild<QLineEdit*>("edtLesson")->text()
                   << editor->findChild<QLineEdit*>("edtTangen")->text()
                   << editor->findChild<QLineEdit*>("edtFileName")->text()
                   << Memo(editor, "MemQues")->toPlainText()
                   << Items(editor->findChild<QListWidget*>("lstKai")).join(",");
              EXPECT_FALSE(editor->findChild<QPushButton*>("btnEditDirect")->isEnabled());
              EXPECT_EQ(SplitLines(Memo(editor, "memPasteLo")->toPlainText().toStdString()),
                        DefaultLayoutBlockLines());
              Screenshot(editor, "question_editor_new_unit");
              Memo(editor, "memHint")->setPlainText("新しい単元では書かれない");
              ClickButton(editor, "  Ｏ　Ｋ");
            }});
  EXPECT_EQ(question, "単元がありません\n新規作成しますか?");
  const QString file = course + "/kazu/kz2.que";
  EXPECT_EQ(seen,
            QStringList({"1 2 1", "正の数と負の数//加法§2-1 同符号の加法", file,
                         "１．次の各空欄に適語を入れなさい。\n例　日本の首都は　#　東京　#　です",
                         "東京"}));
  TfrmPrint* sheet = window->CurrentSheetWindow();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->windowTitle(), file + "-U1");
  EXPECT_EQ(sheet->Document().params.paperWidth, 630);
  EXPECT_EQ(sheet->Document().params.paperHeight, 891);
  EXPECT_EQ(sheet->Layout().answers, (std::vector<std::string>{"start", "　東京　"}));
  EXPECT_EQ(FileBytes(file).find("<<hint"), std::string::npos);
}

TEST_F(QuestionEditorWindowTest, TheCloseBoxKeepsAFaultyTextOnScreen) {
  const std::string before = FileBytes(QuestionFile());
  QString asked, told;
  bool stillOpen = false;
  int caretLine = -1;
  EditUnit1({[&](QWidget* editor) {
    QPlainTextEdit* question = Memo(editor, "MemQues");
    question->setPlainText("次の計算をしなさい。\n(1) #a##b#");
    question->moveCursor(QTextCursor::End);
    // What the window's close box does.
    Nested({Reply(&asked, "はい(&Y)"), Reply(&told, "OK")}, [&] { editor->close(); });
    stillOpen = editor->isVisible();
    caretLine = question->textCursor().blockNumber() + 1;
    EXPECT_EQ(question->toPlainText(), "次の計算をしなさい。\n(1) #a##b#");
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_EQ(asked, "変更されたデータファイルを保存しますか？");
  EXPECT_EQ(told, "2行目：解答がありません");
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(caretLine, 2);
  EXPECT_EQ(FileBytes(QuestionFile()), before);
  EXPECT_EQ(SheetCount(), 1);
}

TEST_F(QuestionEditorWindowTest, TheCloseBoxSavesOnYesAndAnUntouchedUnitClosesQuietly) {
  EditUnit1({[&](QWidget* editor) {
    Memo(editor, "MemQues")->setPlainText("見出し\n#10#");
    Nested({Reply(nullptr, "はい(&Y)")}, [&] { editor->close(); });
  }});
  ASSERT_NE(window->CurrentSheetWindow(), nullptr);
  EXPECT_EQ(window->CurrentSheetWindow()->Document().params.unit.questionLines,
            (Lines{"見出し", "#10#"}));
  // Nothing changed: no question; after a change Esc asks, and いいえ leaves like Cancel.
  QApplication::setActiveWindow(window.get());
  const std::string before = FileBytes(QuestionFile());
  TfrmPrint* sheet = window->CurrentSheetWindow();
  QString asked;
  {
    ModalHelper modal({[](QWidget* editor) {
      NoModalExpected none;
      editor->close();
      EXPECT_FALSE(editor->isVisible());
    }});
    QTest::mouseClick(Find<QPushButton>("btnEdit"), Qt::LeftButton);
  }
  QApplication::setActiveWindow(window.get());
  {
    ModalHelper modal({[&](QWidget* editor) {
      Memo(editor, "MemQues")->setPlainText("変えたけれど取り消す #1#");
      Nested({Reply(&asked, "いいえ(&N)")}, [&] { QTest::keyClick(editor, Qt::Key_Escape); });
    }});
    QTest::mouseClick(Find<QPushButton>("btnEdit"), Qt::LeftButton);
  }
  EXPECT_EQ(asked, "変更されたデータファイルを保存しますか？");
  EXPECT_EQ(window->CurrentSheetWindow(), sheet);
  EXPECT_EQ(FileBytes(QuestionFile()), before);
}

TEST_F(QuestionEditorWindowTest, OkStopsAtAFaultWithTheCaretOnIt) {
  const std::string before = FileBytes(QuestionFile());
  QString odd, kran;
  EditUnit1({[&](QWidget* editor) {
    Memo(editor, "MemQues")->setPlainText("a\nb\n#c# #d");
    Nested({Reply(&odd, "OK")}, [&] { ClickButton(editor, "  Ｏ　Ｋ"); });
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(Memo(editor, "MemQues")->textCursor().blockNumber(), 2);
    EXPECT_EQ(editor->focusWidget(), Memo(editor, "MemQues"));
    Memo(editor, "MemQues")->setPlainText("a\n#c# #d#");
    QPlainTextEdit* layoutBox = Memo(editor, "memPasteLo");
    layoutBox->setPlainText("<<kran\n1\n2\n3\n4\n5\n6\n7\n8\n9\n>>");
    layoutBox->moveCursor(QTextCursor::End);
    Nested({Reply(&kran, "OK")}, [&] { ClickButton(editor, "  Ｏ　Ｋ"); });
    EXPECT_EQ(layoutBox->textCursor().position(), 0);
    EXPECT_EQ(editor->focusWidget(), layoutBox);
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_EQ(odd, "3行目：＃の数は偶数にしてください");
  EXPECT_EQ(kran, "kranブロックの数が合いません");
  EXPECT_EQ(FileBytes(QuestionFile()), before);
}

// A faulty declaration typed into 乱数 stops OK with the author's check's
// message and the caret on its line; nothing is written.
TEST_F(QuestionEditorWindowTest, OkStopsAtAFaultyLineOfTheRandomData) {
  const std::string before = FileBytes(QuestionFile());
  QString told;
  EditUnit1({[&](QWidget* editor) {
    QPlainTextEdit* random = Memo(editor, "memRandom");
    EXPECT_EQ(random->accessibleName(), "乱数");
    random->setFocus();
    QTest::keyClicks(random, "a = int(1..9)");
    QTest::keyClick(random, Qt::Key_Return);
    QTest::keyClicks(random, "b = a +");
    random->moveCursor(QTextCursor::Start);
    Nested({Reply(&told, "OK")}, [&] { ClickButton(editor, "  Ｏ　Ｋ"); });
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(random->textCursor().blockNumber(), 1);
    EXPECT_EQ(random->textCursor().positionInBlock(), 7);
    EXPECT_EQ(editor->focusWidget(), random);
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_EQ(told, "<<random 乱数 の 2行目（8文字目）：式が途中で終わっています");
  EXPECT_EQ(FileBytes(QuestionFile()), before);
}

// 試す shows the boxes as they stand, not the file: the unit for the chosen
// variant, and variants 1 to 40 with the repeats of a block of nine.
TEST_F(QuestionEditorWindowTest, TryShowsTheUnitOfTheChosenVariant) {
  window->resize(1280, 800);
  QString first, second, distinct, repeat;
  int rows = 0;
  EditUnit1({[&](QWidget* editor) {
    Screenshot(editor, "question_editor");
    Memo(editor, "memRandom")->setPlainText("a = int(1..9)");
    Memo(editor, "MemQues")->setPlainText("次の計算をしなさい。\n(1) $a+1=#=a+1#");
    Nested({[&](QWidget* tryWindow) {
             EXPECT_EQ(tryWindow->objectName(), "frmRandomTry");
             auto* text = tryWindow->findChild<QPlainTextEdit*>("memVariant");
             auto* variant = tryWindow->findChild<QSpinBox*>("spnVariant");
             auto* table = tryWindow->findChild<QTableWidget*>("grdVariants");
             EXPECT_EQ(variant->accessibleName(), "変数の組");
             first = text->toPlainText();
             variant->setValue(2);
             second = text->toPlainText();
             rows = table->rowCount();
             repeat = table->item(9, 3)->text();
             distinct = tryWindow->findChild<QLabel*>("lblDistinct")->text();
             Screenshot(tryWindow, "random_try");
             ClickButton(tryWindow, "閉じる");
           }},
           [&] { ClickButton(editor, "試す"); });
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_TRUE(first.contains("次の計算をしなさい。\n(1) ")) << first.toStdString();
  EXPECT_TRUE(first.contains("=［")) << first.toStdString();
  EXPECT_NE(first, second);
  EXPECT_EQ(rows, 40);
  EXPECT_EQ(repeat, "= 1");  // variant 10 comes round to the first of nine
  EXPECT_EQ(distinct, "異なる問題: 9 通り（1～40 番のうち）　値の組は全部で 9 通り");
}

TEST_F(QuestionEditorWindowTest, TextButtonsAndTheChoiceBox) {
  QString noSelection;
  EditUnit1({[&](QWidget* editor) {
    QPlainTextEdit* question = Memo(editor, "MemQues");
    question->setPlainText("次の数を答えなさい。\n３より大きい数は　５　です\nxは x+1 の前");
    question->moveCursor(QTextCursor::Start);
    // Nothing selected: the message.
    Nested({Reply(&noSelection, "OK")}, [&] { Press(editor, "btnKai"); });
    SelectInQuestion(editor, "５");
    Press(editor, "btnKai");
    SelectInQuestion(editor, "３");
    Press(editor, "btnKai");
    SelectInQuestion(editor, "x+1");
    Press(editor, "btnKai");
    SelectInQuestion(editor, "大きい");
    Press(editor, "BitBtn1");
    EXPECT_EQ(question->toPlainText(),
              "次の数を答えなさい。\n # ３ # より@B大きい@/数は　 # ５ # 　です\nxは  # "
              "x+1 #  の前");
    auto* answers = editor->findChild<QListWidget*>("lstKai");
    EXPECT_EQ(Items(answers), QStringList({"３", "５", "x+1"}));
    EXPECT_EQ(editor->findChild<QLabel*>("lblKosuh")->text(), "3");

    Press(editor, "btnNumber");
    EXPECT_EQ(question->document()->findBlockByNumber(2).text(), "(2) xは  # x+1 #  の前");
    Press(editor, "btnKgAdd");
    EXPECT_EQ(Memo(editor, "memKgroup")->toPlainText(), "x+1");
    editor->findChild<QCheckBox*>("chkSuuji")->setChecked(false);
    Press(editor, "btnKgAdd");
    EXPECT_EQ(Memo(editor, "memKgroup")->toPlainText(), "３\n５\nx+1");
    Memo(editor, "memDummy")->setPlainText("７\n５\nア");
    Press(editor, "btnDummy");
    EXPECT_EQ(Memo(editor, "memKgroup")->toPlainText(), "３\n５\nx+1\n７\nア");
    EXPECT_EQ(editor->findChild<QLabel*>("lblKosuh2")->text(), "5");
    EXPECT_EQ(editor->findChild<QLabel*>("lblKosuh3")->text(), "5");
    Press(editor, "btnKGClear");
    EXPECT_EQ(Memo(editor, "memKgroup")->toPlainText(), "");
    EXPECT_EQ(editor->findChild<QLabel*>("lblKosuh3")->text(), "0");
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_EQ(noSelection, "囲む範囲を選択してください");
}

TEST_F(QuestionEditorWindowTest, FiguresFromTheGraphFolderUpToFifteen) {
  QDir().mkpath(course + "/kazu/Graph");
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(course + "/kazu/Graph/numline.bmp", "BMP"));
  ASSERT_TRUE(picture.save(course + "/kazu/Graph/axes.BMP", "BMP"));
  QFile(course + "/kazu/Graph/notes.txt").open(QIODevice::WriteOnly);
  QString limit;
  std::vector<Point> anchors;
  int questionsBottom = 0;
  EditUnit1({[&](QWidget* editor) {
    anchors = window->CurrentSheetWindow()->Layout().segmentStarts;
    // An answer figure without a segment before it goes below the questions,
    // not onto the header.
    questionsBottom = window->CurrentSheetWindow()->Layout().questionsBottom;
    ASSERT_GE(anchors.size(), 2u);
    auto* files = editor->findChild<QListWidget*>("flbGraph");
    EXPECT_EQ(Items(files), QStringList({"axes.BMP", "numline.bmp"}));
    // A click shows the file in the preview; a click there enlarges it.
    const QRect item = files->visualItemRect(files->item(1));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, item.center());
    auto* preview = editor->findChild<QLabel*>("imgGraph");
    EXPECT_FALSE(preview->pixmap().isNull());
    QTest::mouseClick(preview, Qt::LeftButton);
    TfrmBMP* viewer = static_cast<TfrmEditQues*>(editor)->FigureViewer();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->findChild<QLabel*>("lblXW")->text(), "64");

    files->selectAll();
    Press(editor, "btnQGAdd");
    const Lines added = SplitLines(Memo(editor, "memQGraph")->toPlainText().toStdString());
    EXPECT_EQ(added, (Lines{"axes.BMP", std::to_string(anchors[0].x + 40),
                            std::to_string(anchors[0].y + 20), "numline.bmp",
                            std::to_string(anchors[1].x + 40), std::to_string(anchors[1].y + 20)}));
    Press(editor, "btnAGAdd");
    EXPECT_EQ(SplitLines(Memo(editor, "memAGraph")->toPlainText().toStdString()),
              (Lines{"axes.BMP", "40", std::to_string(questionsBottom + 20), "numline.bmp",
                     std::to_string(anchors[0].x + 40), std::to_string(anchors[0].y + 20)}));
    // Fourteen figures there: the first file fits, the second is refused.
    QString fourteen;
    for (int i = 0; i < 14; ++i) fourteen += "f.bmp\n1\n1\n";
    Memo(editor, "memQGraph")->setPlainText(fourteen.chopped(1));
    Nested({Reply(&limit, "OK")}, [&] { Press(editor, "btnQGAdd"); });
    const Lines full = SplitLines(Memo(editor, "memQGraph")->toPlainText().toStdString());
    EXPECT_EQ(full.size(), 45u);
    EXPECT_EQ(full[42], "axes.BMP");
    Press(editor, "btnQGClear");
    EXPECT_TRUE(Memo(editor, "memQGraph")->toPlainText().isEmpty());
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_EQ(limit, "グラフは15個までです");
  // The enlarged figure closed with the editor.
  EXPECT_FALSE(window->QuestionEditor()->FigureViewer()->isVisible());
}

TEST_F(QuestionEditorWindowTest, DirectEditSavesTheFileAndLoadsTheUnitAgain) {
  QString title;
  QString reloaded;
  const ModalHelper::Step source = [&](QWidget* sourceEditor) {
    title = sourceEditor->windowTitle();
    auto* text = sourceEditor->findChild<QPlainTextEdit*>("memEditBuffer");
    text->setPlainText(text->toPlainText().replace("(1) (+3)+(-5)=#-2#", "(1) (+30)+(-5)=#25#"));
    ClickButton(sourceEditor, " O　K  ");
  };
  EditUnit1({[&](QWidget* editor) {
    Nested({source}, [&] { Press(editor, "btnEditDirect"); });
    reloaded = Memo(editor, "MemQues")->toPlainText();
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_EQ(title, "ソースの直接編集" + QuestionFile());
  EXPECT_EQ(reloaded, "次の計算をしなさい。\n(1) (+30)+(-5)=#25#\n(2) (-4)-(-6)=#2#");
  // The source editor wrote the file; Cancel in the question editor changes nothing more.
  const UnitReading unit = ReadUnitBlock(QuestionFile().toStdString(), "[[unit1", 1, 1, {});
  ASSERT_TRUE(unit.ok());
  EXPECT_EQ(unit.content->questionLines[1], "(1) (+30)+(-5)=#25#");
}

TEST_F(QuestionEditorWindowTest, EditIsUsableFromTheButtonAndTheSheetMenu) {
  EXPECT_TRUE(Find<QPushButton>("btnEdit")->isEnabled());
  OpenUnit({Pick(0, 1)});
  QApplication::setActiveWindow(window.get());
  QAction* item = nullptr;
  for (QAction* action : window->findChildren<QAction*>())
    if (action->objectName() == "mnuSheetEditUnit") item = action;
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isEnabled());
  QString address;
  ModalHelper modal({[&](QWidget* editor) {
    address = editor->findChild<QLineEdit*>("edtLesson")->text();
    ClickButton(editor, "キャンセル");
  }});
  item->trigger();
  EXPECT_EQ(address, "1 1 2");
}

}  // namespace
}  // namespace tavolo::test
