// The sign-on windows driven as a learner drives them: the name window with
// its roster, the password window for a new and a known learner, and what
// each leaves in the roster file, the record file and the settings.

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "desktop_fixture.h"
#include "gui/app/frm_menu.h"
#include "gui/authoring/frm_input_name.h"
#include "platform/cp932.h"
#include "support/temp_folder.h"
#include "widget_steps.h"

namespace tavolo::test {
namespace {

// Text as the keyboard (or, for Japanese, the input method) puts it in.
void Type(QLineEdit* edit, const QString& text) {
  bool ascii = true;
  for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
  if (ascii)
    QTest::keyClicks(edit, text);
  else
    edit->insert(text);
}

// What opens another modal window is done once the step has returned: the
// helper's timer does not run again while a step is still running.
void ClickLater(QWidget* w, const char* button) {
  auto* b = Child<QPushButton>(w, button);
  Later(w, [b] { QTest::mouseClick(b, Qt::LeftButton); });
}

// Types into a field of a window and presses Enter there.
void TypeAndEnter(QWidget* window, const char* field, const QString& text) {
  auto* edit = Child<QLineEdit>(window, field);
  edit->setFocus();
  Type(edit, text);
  Later(edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
}

// The scripted file choice: the file dialog that is up takes this path.
void ChooseFile(QWidget* w, const QString& path, QStringList* filters = nullptr) {
  auto* files = qobject_cast<QFileDialog*>(w);
  ASSERT_NE(files, nullptr) << w->objectName().toStdString();
  if (filters) *filters = files->nameFilters();
  files->selectFile(path);
  QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
}

class SignOnWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }
  std::string Roster() const { return ReadBytes((course + "/LogOn/sname.txt").toStdString()); }
  std::string RecordFile(const char* name) const {
    return (course + "/kazu/").toStdString() + name + ".ini";
  }
  bool SignOn() {
    const bool signedOn = window->btnLogOnClick();
    QApplication::setActiveWindow(window.get());
    return signedOn;
  }
  QString Shown() const { return Find<QLineEdit>("edtLogOnName")->text(); }
};

TEST_F(SignOnWindowTest, FirstSignOnAsksForANewPasswordTwice) {
  ASSERT_TRUE(Find<QPushButton>("btnLogOn")->isEnabled());
  QStringList seen;
  ModalHelper modal({
      [&](QWidget* w) {
        seen << w->objectName() << w->windowTitle() << Child<QLineEdit>(w, "edtMeibo")->text()
             << Texts(Child<QListWidget>(w, "lstName"));
        EXPECT_EQ(Child<QPlainTextEdit>(w, "Memo1")->toPlainText(),
                  "学習者の名前を選んでください。\nリストに無い場合は、氏名を入力して\n"
                  "[追加]をクリックすれば名簿を作成\nできます。");
        EXPECT_FALSE(Child<QPushButton>(w, "btnSave")->isEnabled());
        EXPECT_EQ(w->focusWidget(), Child<QLineEdit>(w, "edtName"));
        TypeAndEnter(w, "edtName", "山田");
      },
      [&](QWidget* w) {
        seen << w->objectName() << w->windowTitle() << Child<QLabel>(w, "lblMess")->text()
             << Child<QLabel>(w, "lblPW")->text() << Child<QLabel>(w, "Label1")->text();
        EXPECT_TRUE(Child<QLineEdit>(w, "mskPW2")->isVisible());
        EXPECT_FALSE(Child<QLabel>(w, "lblRetry")->isVisible());
        EXPECT_EQ(Child<QLineEdit>(w, "mskPW")->echoMode(), QLineEdit::Password);
        // Enter in the first field: the empty second one does not match.
        TypeAndEnter(w, "mskPW", "pw12");
      },
      [&](QWidget* box) {
        seen << MessageText(box);
        ClickButton(box, "OK");
      },
      [&](QWidget* w) {
        // Once the message box has returned to the window.
        Later(w, [w] {
          EXPECT_EQ(w->focusWidget(), Child<QLineEdit>(w, "mskPW2"));
          EXPECT_TRUE(Child<QLabel>(w, "lblRetry")->isVisible());
          EXPECT_EQ(Child<QLabel>(w, "lblRetry")->text(), "確認のため再入力してください");
          TypeAndEnter(w, "mskPW2", "pw12");
        });
      },
  });
  EXPECT_TRUE(SignOn());
  EXPECT_EQ(seen,
            QStringList({"frmInputName", "名前登録", "sname.txt", "公開", "frmPassword",
                         "パスワードの入力", "ようこそ山田さん", "新規パスワードを設定してください",
                         "（半角英数で４文字以上）", "確認のため再入力してください"}));
  EXPECT_EQ(Shown(), "山田");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "LogOnName"), "山田");
  EXPECT_EQ(ReadBytes(RecordFile("山田")), EncodeCp932("[password]\r\npw=pw12\r\n"));
  EXPECT_EQ(Roster(), EncodeCp932("公開\r\n山田\r\n"));
}

TEST_F(SignOnWindowTest, AWrongPasswordKeepsThePreviousLearner) {
  WriteCp932Lines(course.toStdString() + "/LogOn/sname.txt", {"公開", "山田"});
  WriteCp932Lines(RecordFile("山田"), {"[password]", "pw=himitsu"});
  QStringList told;
  ModalHelper modal({
      [&](QWidget* w) {
        ClickItem(Child<QListWidget>(w, "lstName"), 1);
        EXPECT_EQ(Child<QLineEdit>(w, "edtName")->text(), "山田");
        ClickLater(w, "btnOk");
      },
      [&](QWidget* w) {
        told << Child<QLabel>(w, "lblPW")->text();
        EXPECT_FALSE(Child<QLineEdit>(w, "mskPW2")->isVisible());
        TypeAndEnter(w, "mskPW", "himitsu?");
      },
      [&](QWidget* box) {
        told << MessageText(box);
        ClickButton(box, "OK");
      },
      [&](QWidget* w) {
        // Unlimited attempts: the window is still there, the field ready again.
        EXPECT_EQ(w->objectName(), "frmPassword");
        Later(w, [w] {
          EXPECT_EQ(w->focusWidget(), Child<QLineEdit>(w, "mskPW"));
          QTest::mouseClick(Child<QPushButton>(w, "btnCancel"), Qt::LeftButton);
        });
      },
      [&](QWidget* w) {
        // Back in the name window, which stays open.
        told << w->objectName();
        EXPECT_EQ(Shown(), "共通");
        QTest::mouseClick(Child<QPushButton>(w, "btnCancel"), Qt::LeftButton);
      },
  });
  EXPECT_FALSE(SignOn());
  EXPECT_EQ(told, QStringList({"パスワードを入力してください", "パスワードを正しく入力してください",
                               "frmInputName"}));
  EXPECT_EQ(Shown(), "共通");
  EXPECT_EQ(window->State().LearnerName(), "共通");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "LogOnName"), "共通");
}

TEST_F(SignOnWindowTest, TheSharedNameSignsOnAtOnce) {
  WriteSettingText(settings, "LogOnName", "山田");
  NewWindow();
  ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  ASSERT_EQ(Shown(), "山田");
  ModalHelper modal({[&](QWidget* w) { TypeAndEnter(w, "edtName", "共通"); }});
  EXPECT_TRUE(SignOn());
  EXPECT_EQ(modal.ran(), 1);  // no password window
  EXPECT_EQ(Shown(), "共通");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "LogOnName"), "共通");
}

TEST_F(SignOnWindowTest, OkWithAnEmptyNameWritesTheRosterAndCancels) {
  WriteCp932Lines(course.toStdString() + "/LogOn/sname.txt", {"公開", "山田", "佐藤"});
  ModalHelper modal({[&](QWidget* w) {
    auto* list = Child<QListWidget>(w, "lstName");
    ClickItem(list, 2);
    QTest::mouseClick(Child<QPushButton>(w, "btnDelete"), Qt::LeftButton);
    EXPECT_EQ(Child<QLineEdit>(w, "edtName")->text(), "");
    Type(Child<QLineEdit>(w, "edtName"), "鈴木");
    QTest::mouseClick(Child<QPushButton>(w, "btnAdd"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(w, "btnAdd"), Qt::LeftButton);  // already there
    EXPECT_EQ(Texts(list), QStringList({"公開", "山田", "鈴木"}));
    EXPECT_TRUE(Child<QPushButton>(w, "btnSave")->isEnabled());
    Child<QLineEdit>(w, "edtName")->clear();
    QTest::mouseClick(Child<QPushButton>(w, "btnOk"), Qt::LeftButton);
  }});
  EXPECT_FALSE(SignOn());
  EXPECT_FALSE(window->InputNameWindow()->isVisible());
  EXPECT_EQ(Roster(), EncodeCp932("公開\r\n山田\r\n鈴木\r\n"));
  EXPECT_EQ(Shown(), "共通");
}

TEST_F(SignOnWindowTest, ARefusedNameWritesNothing) {
  WriteCp932Lines(course.toStdString() + "/LogOn/sname.txt", {"公開"});
  const std::string before = Roster();
  QStringList told;
  ModalHelper modal({
      [&](QWidget* w) { TypeAndEnter(w, "edtName", "../山田"); },
      [&](QWidget* box) {
        told << MessageText(box);
        ClickButton(box, "OK");
      },
      [&](QWidget* w) {
        told << w->objectName();
        // The label beside the field says the same: which rule failed.
        EXPECT_EQ(Child<QLabel>(w, "lblNameHint")->text(),
                  QStringLiteral("「/」は名前に使えません"));
        ClickLater(w, "btnAdd");
      },
      [&](QWidget* box) {
        told << MessageText(box);
        ClickButton(box, "OK");
      },
      [&](QWidget* w) {
        EXPECT_EQ(Texts(Child<QListWidget>(w, "lstName")), QStringList({"公開"}));
        EXPECT_FALSE(Child<QPushButton>(w, "btnSave")->isEnabled());
        // Typing again clears the hint.
        QTest::keyClick(Child<QLineEdit>(w, "edtName"), Qt::Key_Backspace);
        EXPECT_TRUE(Child<QLabel>(w, "lblNameHint")->text().isEmpty());
        QTest::mouseClick(Child<QPushButton>(w, "btnCancel"), Qt::LeftButton);
      },
  });
  EXPECT_FALSE(SignOn());
  EXPECT_EQ(told,
            QStringList({"「/」は名前に使えません", "frmInputName", "「/」は名前に使えません"}));
  EXPECT_EQ(Roster(), before);
  EXPECT_FALSE(std::filesystem::exists(course.toStdString() + "/山田.ini"));
  EXPECT_EQ(Shown(), "共通");
}

TEST_F(SignOnWindowTest, OtherRostersAreOpenedAndSavedThroughFileDialogs) {
  const std::string other = root.path().toStdString() + "/2年1組.txt";
  WriteCp932Lines(other, {"田中", "中村"});
  const QString copy = root.path() + "/控え.txt";
  QStringList openFilters, saveFilters;
  ModalHelper modal({
      [&](QWidget* w) { ClickLater(w, "BitBtn1"); },
      [&](QWidget* files) { ChooseFile(files, QString::fromStdString(other), &openFilters); },
      [&](QWidget* w) {
        // Once the open dialog has handed over its file.
        Later(w, [&, w] {
          EXPECT_EQ(Child<QLineEdit>(w, "edtMeibo")->text(), "2年1組.txt");
          EXPECT_EQ(Texts(Child<QListWidget>(w, "lstName")), QStringList({"田中", "中村"}));
          Type(Child<QLineEdit>(w, "edtName"), "共通");
          QTest::mouseClick(Child<QPushButton>(w, "btnAdd"), Qt::LeftButton);
          QTest::mouseClick(Child<QPushButton>(w, "btnSave"), Qt::LeftButton);
        });
      },
      [&](QWidget* files) { ChooseFile(files, copy, &saveFilters); },
      [&](QWidget* w) {
        Later(w, [w] { QTest::mouseClick(Child<QPushButton>(w, "btnOk"), Qt::LeftButton); });
      },
  });
  EXPECT_TRUE(SignOn());
  EXPECT_TRUE(openFilters.contains("テキストファイル (*.txt)"))
      << openFilters.join(",").toStdString();
  EXPECT_TRUE(saveFilters.contains("テキストファイル (*.txt)"));
  EXPECT_EQ(ReadBytes(copy.toStdString()), EncodeCp932("田中\r\n中村\r\n共通\r\n"));
  // OK writes the roster into the roster folder under its own name; the
  // file it came from and sname.txt stay as they were.
  EXPECT_EQ(ReadBytes(course.toStdString() + "/LogOn/2年1組.txt"),
            EncodeCp932("田中\r\n中村\r\n共通\r\n"));
  EXPECT_EQ(ReadBytes(other), EncodeCp932("田中\r\n中村\r\n"));
  EXPECT_EQ(Roster(), EncodeCp932("公開\r\n"));
}

TEST_F(SignOnWindowTest, TheCourseMenuShowsTheMarksOfWhoeverSignsOn) {
  WriteCp932Lines(RecordFile("山田"),
                  {"[password]", "pw=himitsu", "[S11正の数・負の数]", "1=a", "2=b", "3=c"});
  QStringList rows;
  auto showMenu = [&] {
    ModalHelper modal({[&](QWidget* menu) {
      rows << Texts(Child<QListWidget>(menu, "lstUnit"));
      ClickButton(menu, "ｷｬﾝｾﾙ");
    }});
    window->OpenUnitFromMenu();
  };
  showMenu();
  {
    ModalHelper modal({[&](QWidget* w) { TypeAndEnter(w, "edtName", "山田"); },
                       [&](QWidget* w) { TypeAndEnter(w, "mskPW", "himitsu"); }});
    EXPECT_TRUE(SignOn());
  }
  showMenu();
  EXPECT_EQ(rows, QStringList(
                      {"◎[ ]正の数・負の数", "　[ ]数直線", "◎[3]正の数・負の数", "　[ ]数直線"}));
}

TEST_F(SignOnWindowTest, EveryControlHasAnAccessibleName) {
  QStringList unnamed;
  auto collect = [&](QWidget* w) {
    for (QWidget* child : w->findChildren<QWidget*>()) {
      const bool control = qobject_cast<QAbstractButton*>(child) ||
                           qobject_cast<QLineEdit*>(child) || qobject_cast<QListWidget*>(child) ||
                           qobject_cast<QPlainTextEdit*>(child);
      if (control && !child->objectName().isEmpty() && child->accessibleName().isEmpty())
        unnamed << child->objectName();
    }
  };
  ModalHelper modal({[&](QWidget* w) { TypeAndEnter(w, "edtName", "山田"); },
                     [&](QWidget* w) {
                       collect(w);
                       QTest::mouseClick(Child<QPushButton>(w, "btnCancel"), Qt::LeftButton);
                     },
                     [&](QWidget* w) {
                       collect(w);
                       QTest::mouseClick(Child<QPushButton>(w, "btnCancel"), Qt::LeftButton);
                     }});
  EXPECT_FALSE(SignOn());
  EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(",").toStdString();
}

}  // namespace
}  // namespace tavolo::test
