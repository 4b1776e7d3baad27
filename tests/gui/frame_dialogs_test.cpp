// The frame's own dialogs and small windows as a teacher meets them: Qt's
// dialogs in Japanese, one overwrite question, help usable beside the tips,
// the answer-box dialog beside the page, the supplement page never lost, the
// all-units view counting real prints, unique menu keys, the title window.

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include "desktop_fixture.h"
#include "gui/app/desktop_program.h"
#include "gui/app/frm_help.h"
#include "gui/app/frm_menu.h"
#include "gui/app/frm_print.h"
#include "gui/app/frm_print_ok.h"
#include "gui/app/frm_zen_tangen.h"

namespace tavolo::test {
namespace {

class FrameDialogsTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }
  void OpenUnit(int row) { OpenFromMenu(row); }
  void WriteFile(const QString& relative, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(course + "/" + relative).path());
    QFile f(course + "/" + relative);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QString HelpFile() const { return window->HelpWindow()->Browser()->source().toLocalFile(); }
};

TEST_F(FrameDialogsTest, QtsOwnDialogsSpeakJapanese) {
  ASSERT_TRUE(InstallQtTranslations()) << "qt6-translations-l10n is not installed";
  QFileDialog files(window.get());
  files.setOption(QFileDialog::DontUseNativeDialog);
  QStringList captions;
  for (QPushButton* button : files.findChildren<QPushButton*>()) captions << button->text();
  EXPECT_FALSE(captions.contains("Cancel")) << captions.join(",").toStdString();
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST_F(FrameDialogsTest, TheCopyFileDialogListsSizesKindsAndDatesInJapanese) {
  ASSERT_TRUE(InstallQtTranslations()) << "qt6-translations-l10n is not installed";
  WriteFile("class3.prp", "abc");
  const QString date =
      QLocale(QLocale::Japanese, QLocale::Japan)
          .toString(QFileInfo(course + "/class3.prp").lastModified(), QLocale::ShortFormat);
  QStringList file, folder, titles;
  ModalHelper modal({[&](QWidget* w) {
    auto* files = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(files, nullptr) << w->metaObject()->className();
    auto* tree = files->findChild<QTreeView*>("treeView");
    ASSERT_NE(tree, nullptr);
    QHeaderView* header = tree->header();
    const QAbstractItemView* list = tree;  // its column size hints are public
    const QAbstractItemModel* model = list->model();
    auto cells = [&](const QString& name) {
      QStringList row;
      for (int r = 0; r < model->rowCount(list->rootIndex()); ++r) {
        if (model->index(r, 0, list->rootIndex()).data().toString() != name) continue;
        for (int c = 0; c < model->columnCount(list->rootIndex()); ++c)
          row << model->index(r, c, list->rootIndex()).data().toString();
      }
      return row;
    };
    // The folder is read in the background.
    QTRY_VERIFY(!cells("class3.prp").isEmpty() && !cells("kazu").isEmpty());
    file = cells("class3.prp");
    folder = cells("kazu");
    for (int c = 0; c < model->columnCount(list->rootIndex()); ++c) {
      titles << model->headerData(c, Qt::Horizontal).toString();
      // No column title or cell is cut short.
      if (c > 0) QTRY_VERIFY(header->sectionSize(c) >= list->sizeHintForColumn(c));
      EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << c;
    }
    if (const QByteArray shots = qgetenv("TAVOLO_SHOTS"); !shots.isEmpty())
      files->grab().save(QString::fromLocal8Bit(shots) + "/copy_file_dialog.png");
    files->reject();
  }});
  window->findChild<QAction*>("mnuOpenCopy")->trigger();
  ASSERT_EQ(file.size(), 4);
  EXPECT_EQ(file[1], "3 バイト");
  EXPECT_EQ(file[3], date);
  EXPECT_TRUE(date.contains("/")) << date.toStdString();
  ASSERT_EQ(folder.size(), 4);
  EXPECT_EQ(folder[1], "");
  EXPECT_EQ(folder[2], "フォルダ");
  EXPECT_EQ(titles, QStringList({"名前", "サイズ", "タイプ", "更新日"}));
}

TEST_F(FrameDialogsTest, SavingOverAnExistingCopyFileAsksOnceInJapanese) {
  OpenUnit(0);
  const QString name = course + "/kazu/class3.prp";
  WriteFile("kazu/class3.prp", "old");
  QStringList asked;
  QTest::mouseClick(Find<QPushButton>("btnSave"), Qt::LeftButton);
  ModalHelper modal({[&](QWidget* w) {
                       auto* files = qobject_cast<QFileDialog*>(w);
                       ASSERT_NE(files, nullptr);
                       files->selectFile(name);
                       QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
                     },
                     [&](QWidget* box) {
                       asked << MessageText(box);
                       // Replacing a file is never the answer Enter gives.
                       if (auto* question = qobject_cast<QMessageBox*>(box);
                           question && question->defaultButton())
                         asked << question->defaultButton()->text();
                       ClickButton(box, "はい(&Y)");
                     }});
  QTest::mouseClick(Find<QPushButton>("btnSaveCopy"), Qt::LeftButton);
  EXPECT_EQ(asked, QStringList({"ファイル" + name + "を上書きしてもいいですか？", "いいえ(&N)"}));
  QFile saved(name);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_NE(saved.readAll(), "old");
}

TEST_F(FrameDialogsTest, HelpOpenedFromTheTipsIsUsableWhileTheyShow) {
  WriteFile("help/901.html", "<html><body><p>FAX</p></body></html>");
  TfrmHelp* help = window->HelpWindow();
  int blocked = 0;
  struct BlockCounter : QObject {
    int* count;
    explicit BlockCounter(int* c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::WindowBlocked) ++*count;
      return false;
    }
  } counter(&blocked);
  help->installEventFilter(&counter);
  bool helpShown = false;
  ModalHelper modal({[&](QWidget* tips) {
    tips->findChild<QAbstractButton*>("btnFax")->click();
    helpShown = help->isVisible();
    QTimer::singleShot(0, tips->findChild<QAbstractButton*>("btnClose"), &QAbstractButton::click);
  }});
  Find<QAction>("mnuDoYouKnow")->trigger();
  EXPECT_TRUE(helpShown);
  EXPECT_EQ(blocked, 0);
  EXPECT_EQ(HelpFile(), course + "/help/901.html");
}

TEST_F(FrameDialogsTest, AnswerBoxDialogStandsBesideThePageInsideTheScreen) {
  OpenUnit(0);
  TfrmPrint* sheet = window->CurrentSheetWindow();
  ASSERT_NE(sheet, nullptr);
  const QRect panel(Find<QWidget>("pnlMain")->mapToGlobal(QPoint(0, 0)),
                    Find<QWidget>("pnlMain")->size());
  const QRect page = sheet->PageOnScreen();
  const QRect screen = window->screen()->availableGeometry();
  QRect placed;
  ModalHelper modal({[&](QWidget* w) {
    placed = w->frameGeometry();
    ClickButton(w, "閉じる");
  }});
  QTest::mouseClick(Find<QPushButton>("btnKran"), Qt::LeftButton);
  ASSERT_TRUE(placed.isValid());
  EXPECT_FALSE(placed.intersects(panel));
  // The question numbers at the page's left edge stay in view.
  EXPECT_FALSE(placed.intersects(QRect(page.topLeft(), QSize(120, page.height()))));
  EXPECT_TRUE(screen.contains(placed))
      << screen.width() << "x" << screen.height() << " " << placed.x() << "," << placed.y() << " "
      << placed.width() << "x" << placed.height();
}

TEST_F(FrameDialogsTest, SupplementPageShowsInTheHelpWindowWithoutABrowser) {
  WriteFile("hosoku.htm", "<html><body><p>補足の説明</p></body></html>");
  QList<QUrl> tried;
  window->SetBrowserLauncher([&](const QUrl& url, std::function<void()> failed) {
    tried << url;
    failed();
  });
  NoModalExpected none;
  Find<QAction>("mnuHosoku")->trigger();
  ASSERT_EQ(tried.size(), 1);
  EXPECT_TRUE(window->HelpWindow()->isVisible());
  EXPECT_EQ(HelpFile(), course + "/hosoku.htm");
  EXPECT_TRUE(window->HelpWindow()->Browser()->toPlainText().contains("補足の説明"));
}

TEST_F(FrameDialogsTest, AllUnitsViewCountsOnlyPrintsThatHappened) {
  const QString pdf = root.path() + "/all-units.pdf";
  TfrmPrintOk* printer = window->PrintWindow();
  printer->Printer().setOutputFormat(QPrinter::PdfFormat);
  printer->Printer().setOutputFileName(pdf);
  bool choose = false;
  printer->SetPrinterChooser([&](QPrinter&) { return choose; });
  QStringList counters;
  auto printOnce = [&](QWidget* view) {
    ClickButton(view, "印刷");
    counters << view->findChild<QLineEdit*>("Edit1")->text();
  };
  ModalHelper modal({[&](QWidget* menu) {
                       QTimer::singleShot(0, menu->findChild<QPushButton*>("btnZenTangen"),
                                          &QPushButton::click);
                     },
                     [&](QWidget* view) {
                       printOnce(view);  // the print dialog cancelled
                       choose = true;
                       printOnce(view);
                       ClickButton(view, "閉じる");
                       QTimer::singleShot(0, window->MenuWindow(), &QDialog::reject);
                     }});
  window->MenuWindow()->ShowOpen(window->geometry());
  EXPECT_EQ(counters, QStringList({"0", "1"}));
  EXPECT_GT(QFileInfo(pdf).size(), 0);
}

TEST_F(FrameDialogsTest, EveryMenuKeyIsUniqueWithinItsMenu) {
  OpenUnit(0);
  for (QMenu* menu : window->findChildren<QMenu*>()) {
    QMap<QChar, QString> keys;
    for (QAction* item : menu->actions()) {
      const QString text = item->text();
      const qsizetype at = text.indexOf('&');
      if (at < 0 || at + 1 >= text.size()) continue;
      const QChar key = text.at(at + 1).toUpper();
      EXPECT_FALSE(keys.contains(key))
          << menu->objectName().toStdString() << ": " << keys.value(key).toStdString() << " / "
          << text.toStdString();
      keys[key] = text;
    }
  }
}

TEST_F(FrameDialogsTest, TitleWindowClosedByItsBoxComesBackWithItsPicture) {
  auto* title = Find<QMdiSubWindow>("frmDummy");
  ASSERT_TRUE(title->isVisible());
  title->close();
  OpenUnit(0);
  window->CurrentSheetWindow()->close();
  ASSERT_TRUE(title->isVisible());
  EXPECT_TRUE(title->widget()->isVisible());
  EXPECT_TRUE(title->findChild<QPushButton*>("btnTitle")->isVisible());
}

}  // namespace
}  // namespace tavolo::test
