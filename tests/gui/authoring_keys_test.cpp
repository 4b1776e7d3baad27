// The editors as a teacher works them by keyboard: Esc and the close box ask
// before changed text is dropped, OK refuses text the file cannot hold with
// the caret on it (the window and its edits stay), Ctrl+S is OK, Ctrl+Y
// redoes, Tab follows the layout; and every control of every window says
// what it is to a screen reader.

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <map>

#include "desktop_fixture.h"
#include "gui/app/frm_edit_source.h"
#include "gui/app/frm_print.h"
#include "gui/authoring/frm_edit_index.h"
#include "gui/authoring/frm_edit_ques.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

namespace tavolo::test {
namespace {

QPlainTextEdit* Memo(QWidget* window, const char* name) {
  auto* memo = window->findChild<QPlainTextEdit*>(name);
  EXPECT_NE(memo, nullptr) << name;
  return memo;
}

// Saves a picture of the window when TAVOLO_SCREENSHOTS names a folder.
void Screenshot(QWidget* window, const char* name) {
  const QByteArray folder = qgetenv("TAVOLO_SCREENSHOTS");
  if (!folder.isEmpty()) window->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

class AuthoringKeysTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }

  // Unit 1 opened from the course menu, then "編　集" with the steps for the editor.
  void EditUnit1(std::deque<ModalHelper::Step> steps) {
    {
      ModalHelper menu({[](QWidget* w) {
        w->findChild<QListWidget*>("lstSection")->setCurrentRow(0);
        w->findChild<QListWidget*>("lstUnit")->setCurrentRow(0);
        ClickButton(w, "　Ｏ　Ｋ　");
      }});
      QTest::mouseClick(Find<QPushButton>("btnOpenMaster"), Qt::LeftButton);
    }
    ASSERT_NE(window->CurrentSheetWindow(), nullptr);
    QApplication::setActiveWindow(window.get());
    ModalHelper modal(std::move(steps));
    QTest::mouseClick(Find<QPushButton>("btnEdit"), Qt::LeftButton);
  }

  std::string FileBytes() const { return ReadBytes(QuestionFile().toStdString()); }
};

ModalHelper::Step Reply(QString* text, const char* button) {
  return [text, button](QWidget* box) {
    if (text) *text = MessageText(box);
    ClickButton(box, QString::fromUtf8(button));
  };
}

// Edits made only among the dummies are edits: Esc asks, and いいえ drops them.
TEST_F(AuthoringKeysTest, EscAsksBeforeTheEditorDropsChangedBoxes) {
  const std::string before = FileBytes();
  QString asked;
  bool stillOpen = false;
  EditUnit1({[&](QWidget* editor) {
    // Nothing changed yet: Esc closes at once.
    Memo(editor, "memDummy")->setFocus();
    QTest::keyClicks(Memo(editor, "memDummy"), "-3");
    {
      ModalHelper question({Reply(&asked, "いいえ(&N)")});
      QTest::keyClick(Memo(editor, "memDummy"), Qt::Key_Escape);
    }
    stillOpen = editor->isVisible();
  }});
  EXPECT_EQ(asked, "変更されたデータファイルを保存しますか？");
  EXPECT_FALSE(stillOpen);
  EXPECT_EQ(FileBytes(), before);
}

// OK with a character Shift-JIS has no code for: the message names the box,
// the line and the character, the caret stands on it, nothing is written;
// Ctrl+S, which is OK, then saves the mended text.
TEST_F(AuthoringKeysTest, OkRefusesACharacterTheFileCannotHoldWithTheCaretOnIt) {
  const std::string before = FileBytes();
  QString told;
  int caretLine = -1, caretColumn = -1;
  bool stayed = false, savedByKey = false;
  EditUnit1({[&](QWidget* editor) {
    QPlainTextEdit* question = Memo(editor, "MemQues");
    question->setPlainText(QStringLiteral("次の計算をしなさい。\n(1) (+3)+(-5)=#-2#\n(2) 1/2=#½#"));
    {
      ModalHelper message({Reply(&told, "OK")});
      ClickButton(editor, "  Ｏ　Ｋ");
    }
    stayed = editor->isVisible();
    caretLine = question->textCursor().blockNumber() + 1;
    caretColumn = question->textCursor().positionInBlock();
    EXPECT_EQ(FileBytes(), before);
    Screenshot(editor, "question_editor_refuses_half");
    QTextCursor cursor = question->textCursor();
    cursor.deleteChar();
    cursor.insertText(QStringLiteral("1/2"));
    QApplication::setActiveWindow(editor);
    question->setFocus();
    QTest::keySequence(editor, QKeySequence::Save);
    savedByKey = !editor->isVisible();
    if (!savedByKey) ClickButton(editor, "キャンセル");
  }});
  EXPECT_TRUE(savedByKey);
  EXPECT_EQ(told, "<<ques 問題ブロック の 3行目：「½」はデータファイルに書けない文字です");
  EXPECT_TRUE(stayed);
  EXPECT_EQ(caretLine, 3);
  EXPECT_EQ(caretColumn, 9);
  EXPECT_NE(FileBytes().find("(2) 1/2=#1/2#\r\n"), std::string::npos);
}

// The direct edit keeps its window and text when OK is refused, with the
// caret on the character; Esc after a change asks.
TEST_F(AuthoringKeysTest, TheSourceEditorRefusesWhatTheFileCannotHold) {
  QString told, asked;
  int caretLine = -1;
  const LinesCheck check = [](const Lines& lines) {
    return FindUnwritableLine(lines, "問題ファイル");
  };
  std::optional<Lines> edited;
  {
    ModalHelper modal({[&](QWidget* w) {
      QPlainTextEdit* memo = Memo(w, "memEditBuffer");
      memo->moveCursor(QTextCursor::End);
      memo->insertPlainText(QStringLiteral("𠮷野\n"));
      {
        ModalHelper message({Reply(&told, "OK")});
        ClickButton(w, " O　K  ");
      }
      caretLine = memo->textCursor().blockNumber() + 1;
      Screenshot(w, "source_editor_refuses");
      EXPECT_GE(QFontInfo(memo->font()).pointSize(), 12);
      {
        ModalHelper question({Reply(&asked, "いいえ(&N)")});
        QTest::keyClick(memo, Qt::Key_Escape);
      }
    }});
    edited = window->SourceEditor()->Edit("/c/kazu/kz1.que", 720, {"[[unit1", "]]"},
                                          window->geometry(), check);
  }
  EXPECT_EQ(told, "3行目：「𠮷」は問題ファイルに書けない文字です");
  EXPECT_EQ(caretLine, 3);
  EXPECT_EQ(asked, "変更されたデータファイルを保存しますか？");
  EXPECT_EQ(edited, std::nullopt);
}

// Ctrl+Y redoes what Ctrl+Z took back, in a box of many lines and in a line.
TEST_F(AuthoringKeysTest, CtrlYRedoesInEveryTextBox) {
  QPlainTextEdit memo;
  QLineEdit line;
  for (QWidget* box : {static_cast<QWidget*>(&memo), static_cast<QWidget*>(&line)}) {
    box->show();
    QApplication::setActiveWindow(box);
    box->setFocus();
    QTest::keyClicks(box, "abc");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
  }
  EXPECT_EQ(memo.toPlainText(), "abc");
  EXPECT_EQ(line.text(), "abc");
}

// Tab goes through the question editor as it reads, top to bottom and left
// to right, and comes back round.
TEST_F(AuthoringKeysTest, TabFollowsTheQuestionEditorsLayout) {
  QStringList order;
  EditUnit1({[&](QWidget* editor) {
    QWidget* start = editor->findChild<QLineEdit*>("edtLesson");
    start->setFocus();
    QWidget* at = start;
    do {
      order << at->objectName();
      at = at->nextInFocusChain();
      while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisibleTo(editor) ||
             at->window() != editor)
        at = at->nextInFocusChain();
    } while (at != start && order.size() < 60);
    ClickButton(editor, "キャンセル");
  }});
  EXPECT_EQ(order,
            QStringList({"edtLesson",  "edtTangen", "edtFileName", "btnEditDirect", "btnOk",
                         "btnCancel",  "btnKai",    "btnNumber",   "btnKakko",      "BitBtn1",
                         "BitBtn2",    "MemQues",   "btnTry",      "memRandom",     "btnDummy",
                         "memDummy",   "btnKgAdd",  "btnKGClear",  "memKgroup",     "chkSuuji",
                         "chkKigou",   "memHint",   "memPasteLo",  "btnTest",       "lstKai",
                         "flbGraph",   "btnQGAdd",  "btnQGClear",  "memQGraph",     "btnAGAdd",
                         "btnAGClear", "memAGraph"}));
}

// Every control a user can reach, in every window of the program, has a
// name, and no two controls of one window share one.
TEST_F(AuthoringKeysTest, EveryControlOfEveryWindowSaysWhatItIs) {
  // The windows made on first use, made now.
  window->SourceEditor();
  window->IndexEditorWindow();
  window->QuestionEditor();
  window->InputNameWindow();
  window->RecordsWindow();
  window->ClassRecordsWindow();
  const auto isControl = [](QWidget* w) {
    if (w->objectName().startsWith("qt_")) return false;
    // The parts of a spin box, a combo box, a scroll area or an MDI frame are
    // spoken as the whole they belong to.
    for (QWidget* up = w->parentWidget(); up; up = up->parentWidget())
      if (qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QComboBox*>(up) ||
          qobject_cast<QAbstractItemView*>(up))
        return false;
    if (qobject_cast<QScrollBar*>(w)) return false;
    if (qobject_cast<QAbstractButton*>(w) && w->parentWidget() &&
        (w->parentWidget()->inherits("QMdiSubWindow") || w->parentWidget()->inherits("QTabBar") ||
         w->parentWidget()->inherits("QToolBar") || w->inherits("QToolBarExtension")))
      return false;
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSlider*>(w);
  };
  QList<QWidget*> windows = {window.get()};
  for (QWidget* top : QApplication::topLevelWidgets())
    if (!windows.contains(top)) windows << top;
  for (QDialog* dialog : window->findChildren<QDialog*>())
    if (!windows.contains(dialog)) windows << dialog;
  int controls = 0;
  for (QWidget* top : windows) {
    std::map<QString, QString> names;  // accessible name -> object name
    for (QWidget* w : top->findChildren<QWidget*>()) {
      if (!isControl(w)) continue;
      // A control inside a dialog of its own is that dialog's.
      QWidget* owner = w->parentWidget();
      while (owner && owner != top && !qobject_cast<QDialog*>(owner) && !owner->isWindow())
        owner = owner->parentWidget();
      if (owner != top) continue;
      ++controls;
      QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(w);
      const QString name = spoken ? spoken->text(QAccessible::Name).trimmed() : QString();
      const QString where =
          top->objectName() + "/" + w->objectName() + " (" + w->metaObject()->className() + ")";
      EXPECT_FALSE(name.isEmpty()) << where.toStdString() << " has no name";
      if (name.isEmpty()) continue;
      const auto [it, fresh] = names.emplace(name, w->objectName());
      EXPECT_TRUE(fresh) << where.toStdString() << " and " << it->second.toStdString()
                         << " are both called " << name.toStdString();
    }
  }
  EXPECT_GT(controls, 100);
}

// Ctrl+S in the main window saves the sheet in front over its unit.
TEST_F(AuthoringKeysTest, CtrlSSavesTheSheetInFront) {
  {
    ModalHelper menu({[](QWidget* w) {
      w->findChild<QListWidget*>("lstSection")->setCurrentRow(0);
      w->findChild<QListWidget*>("lstUnit")->setCurrentRow(0);
      ClickButton(w, "　Ｏ　Ｋ　");
    }});
    QTest::mouseClick(Find<QPushButton>("btnOpenMaster"), Qt::LeftButton);
  }
  TfrmPrint* sheet = window->CurrentSheetWindow();
  ASSERT_NE(sheet, nullptr);
  sheet->ChangeParams([](SheetParams& p) { p.lineSpacing = 44; }, true);
  ASSERT_TRUE(sheet->Document().modified);
  QApplication::setActiveWindow(window.get());
  QTest::keySequence(window.get(), QKeySequence::Save);
  EXPECT_FALSE(sheet->Document().modified);
  const Lines lines = SplitLines(DecodeCp932(FileBytes()));
  const auto value = std::find(lines.begin(), lines.end(), "<<value");
  ASSERT_NE(value, lines.end());
  EXPECT_EQ(*(value + 3), "44");
}

}  // namespace
}  // namespace tavolo::test
