// The source editor: the lines as one text, OK gives the edited lines back,
// Cancel gives nothing, help opens the caller's topic.

#include <QPlainTextEdit>
#include <QTextBrowser>

#include "desktop_fixture.h"
#include "gui/app/frm_edit_source.h"
#include "gui/app/frm_help.h"

namespace tavolo::test {
namespace {

class SourceEditorWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }
  std::optional<std::vector<std::string>> Edit(const std::vector<std::string>& lines) {
    return window->SourceEditor()->Edit("/c/kazu/kz1.que", 720, lines, window->geometry());
  }
};

TEST_F(SourceEditorWindowTest, OkReturnsTheEditedLinesAndCancelNothing) {
  const std::vector<std::string> lines = {"[[unit1", "<<ques", "(1) (+3)+(-5)=#-2#", ">>", "]]"};
  QStringList seen;
  {
    ModalHelper modal({[&](QWidget* w) {
      auto* memo = w->findChild<QPlainTextEdit*>("memEditBuffer");
      seen << w->windowTitle() << memo->toPlainText()
           << QString::number(memo->textCursor().position());
      memo->moveCursor(QTextCursor::End);
      memo->insertPlainText("[[unit2\n]]");
      ClickButton(w, " O　K  ");
    }});
    auto edited = Edit(lines);
    ASSERT_TRUE(edited.has_value());
    std::vector<std::string> expected = lines;
    expected.insert(expected.end(), {"[[unit2", "]]"});
    EXPECT_EQ(*edited, expected);
  }
  EXPECT_EQ(seen, QStringList({"ソースの直接編集/c/kazu/kz1.que",
                               "[[unit1\n<<ques\n(1) (+3)+(-5)=#-2#\n>>\n]]\n", "0"}));
  ModalHelper modal({[](QWidget* w) {
    w->findChild<QPlainTextEdit*>("memEditBuffer")->clear();
    ClickButton(w, "ｷｬﾝｾﾙ");
  }});
  EXPECT_EQ(Edit(lines), std::nullopt);
}

TEST_F(SourceEditorWindowTest, HelpOpensTheCallersTopic) {
  QDir().mkpath(course + "/help");
  QFile page(course + "/help/720.html");
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.write("<html><body>ソース</body></html>");
  page.close();
  ModalHelper modal({[](QWidget* w) {
    ClickButton(w, "ヘルプ");
    ClickButton(w, "ｷｬﾝｾﾙ");
  }});
  Edit({"a"});
  EXPECT_EQ(window->HelpWindow()->Browser()->source().toLocalFile(), course + "/help/720.html");
}

}  // namespace
}  // namespace tavolo::test
