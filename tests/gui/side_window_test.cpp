// The small windows around the main work: version, tips, school name, help
// and the supplement page, opened the way the user opens them.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "desktop_fixture.h"
#include "gui/app/frm_help.h"

namespace tavolo::test {
namespace {

class SideWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }
  void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
  void WriteFile(const QString& relative, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(course + "/" + relative).path());
    QFile f(course + "/" + relative);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  // Clicks once the current step has returned, so that a window the click
  // opens is met by the next step instead of blocking this one.
  static void ClickLater(QWidget* window, const char* button) {
    auto* b = window->findChild<QAbstractButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    QTimer::singleShot(0, b, &QAbstractButton::click);
  }
  QString BrowserFile() const { return window->HelpWindow()->Browser()->source().toLocalFile(); }
};

TEST_F(SideWindowTest, VersionWindowNamesTheProgramAndItsVersion) {
  QStringList seen;
  ModalHelper modal({[&](QWidget* w) {
    seen << w->objectName() << w->windowTitle() << w->findChild<QLabel*>("lblProduct")->text()
         << w->findChild<QLabel*>("lblVersion")->text();
    ClickButton(w, "閉じる");
  }});
  Trigger("mnuVersion");
  EXPECT_EQ(seen, QStringList({"frmVersion", "バージョン情報", "Tavolo++ 数学問題集１・正と負の数",
                               "Version 4.83 2005.09.10"}));
}

TEST_F(SideWindowTest, TipsCheckBoxIsStoredOnCloseAndDecidesTheNextStart) {
  struct Case {
    bool tick;
    const char* stored;
  };
  for (const Case& c : {Case{false, "false"}, Case{true, "true"}}) {
    SCOPED_TRACE(c.stored);
    QString title;
    ModalHelper modal({[&](QWidget* w) {
      title = w->windowTitle();
      w->findChild<QCheckBox*>("chkNextTime")->setChecked(c.tick);
      ClickButton(w, "閉じる");
    }});
    Trigger("mnuDoYouKnow");
    EXPECT_EQ(title, "ご存じですか");
    EXPECT_EQ(settings.Read(SettingsKey::Program, "ShowDoYouKnow"), c.stored);
  }
  // Cleared: the next start goes straight to work.
  WriteSettingBool(settings, "ShowDoYouKnow", false);
  NewWindow();
  NoModalExpected none;
  EXPECT_EQ(window->StartUp(Places()), StartUpOutcome::Ready);
  EXPECT_FALSE(window->findChild<QCheckBox*>("chkNextTime")->isChecked());
}

TEST_F(SideWindowTest, TipButtonsOpenTheirHelpTopics) {
  WriteFile("help/901.html", "<html><body><p>FAX</p></body></html>");
  QString helpPage;
  QString message;
  ModalHelper modal({[&](QWidget* tips) {
                       // The help window opens beside the tips window.
                       tips->findChild<QAbstractButton*>("btnFax")->click();
                       helpPage = BrowserFile();
                       // This course has no page for 902.
                       ClickLater(tips, "btnStudy");
                     },
                     [&](QWidget* box) {
                       message = MessageText(box);
                       ClickButton(box, "OK");
                       ClickLater(window->findChild<QWidget*>("frmDoYouKnow"), "btnClose");
                     }});
  Trigger("mnuDoYouKnow");
  EXPECT_EQ(helpPage, course + "/help/901.html");
  EXPECT_EQ(message, "ファイル " + course + "/help/902.html が見つかりません");
  EXPECT_TRUE(window->HelpWindow()->isVisible());
}

TEST_F(SideWindowTest, SchoolNameDialogStoresOkAndKeepsWhatWasTyped) {
  settings.Write(SettingsKey::Program, "theSchool", "ＡＢＣ中学校");
  NewWindow();
  ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);

  auto typeAnd = [&](const QString& text, const char* button, QString* shownFirst) {
    ModalHelper modal({[&, text, button, shownFirst](QWidget* w) {
      auto* edit = w->findChild<QLineEdit*>("edtSchool");
      *shownFirst = edit->text();
      edit->selectAll();
      edit->insert(text);  // typing (key events carry no kana here)
      ClickButton(w, QString::fromUtf8(button));
    }});
    Trigger("mnuJuku");
  };
  QString shown;
  typeAnd("ＸＹＺ塾　２年", "OK", &shown);
  EXPECT_EQ(shown, "ＡＢＣ中学校");  // the stored name, so an OK keeps it
  EXPECT_EQ(window->State().SchoolName(), "ＸＹＺ塾　２年");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "theSchool"), "ＸＹＺ塾　２年");

  typeAnd("下書き", "ｷｬﾝｾﾙ", &shown);
  EXPECT_EQ(shown, "ＸＹＺ塾　２年");
  EXPECT_EQ(window->State().SchoolName(), "ＸＹＺ塾　２年");
  EXPECT_EQ(settings.Read(SettingsKey::Program, "theSchool"), "ＸＹＺ塾　２年");

  // No worksheet is open: the field shows what was last typed.
  typeAnd("", "ｷｬﾝｾﾙ", &shown);
  EXPECT_EQ(shown, "下書き");
}

TEST_F(SideWindowTest, SchoolNameDialogHasItsTexts) {
  QStringList texts;
  ModalHelper modal({[&](QWidget* w) {
    texts << w->windowTitle();
    for (const char* name : {"lblTitle", "lblFree", "lblExample"})
      texts << w->findChild<QLabel*>(name)->text();
    // Enter in the field is OK.
    QTest::keyClick(w->findChild<QLineEdit*>("edtSchool"), Qt::Key_Return);
  }});
  Trigger("mnuJuku");
  EXPECT_EQ(texts, QStringList({"校名／塾名入力", "学校名・塾名",
                                "ここには自由にタイトルを入れることができます",
                                "例　ＣＡＩ中学校　年　組"}));
  EXPECT_EQ(settings.Read(SettingsKey::Program, "theSchool"), "");
}

TEST_F(SideWindowTest, HelpContentsShowTheCoursesIndexPage) {
  {
    QString message;
    ModalHelper modal({[&](QWidget* w) {
      message = MessageText(w);
      ClickButton(w, "OK");
    }});
    Trigger("mnuUsage");
    EXPECT_EQ(message, "ファイル " + course + "/help/index.html が見つかりません");
    EXPECT_FALSE(window->HelpWindow()->isVisible());
  }
  WriteFile("help/index.html", "<html><body><h1>使い方</h1></body></html>");
  NoModalExpected none;
  Trigger("mnuUsage");
  EXPECT_TRUE(window->HelpWindow()->isVisible());
  EXPECT_EQ(BrowserFile(), course + "/help/index.html");
  EXPECT_TRUE(window->HelpWindow()->Browser()->toPlainText().contains("使い方"));
}

TEST_F(SideWindowTest, SupplementPageGoesToTheDesktop) {
  QList<QUrl> opened;
  window->SetBrowserLauncher([&](const QUrl& url, std::function<void()>) { opened << url; });
  {
    QString message;
    ModalHelper modal({[&](QWidget* w) {
      message = MessageText(w);
      ClickButton(w, "OK");
    }});
    Trigger("mnuHosoku");
    EXPECT_EQ(message, "ファイル " + course + "/hosoku.htm が見つかりません");
  }
  WriteFile("hosoku.htm", "<html></html>");
  Trigger("mnuHosoku");
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0].toLocalFile(), course + "/hosoku.htm");
  EXPECT_FALSE(window->HelpWindow()->isVisible());  // the browser took it
}

}  // namespace
}  // namespace tavolo::test
